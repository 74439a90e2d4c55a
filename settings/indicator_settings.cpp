#include "indicator_settings.h"

IndicatorSettings GlobalSettings;
