#pragma once

#include <ostream>

#include "scenario.h"

// Writes a run as an SVG step chart: one lane per handle (as Elapse returned
// it) and one per panel element the module wrote, over the frames in the
// order they were played, so that a handle movement and the moment the panel
// follows it can be compared at a glance.
void WriteSvg(std::ostream& out, const RunResult& run);
