#pragma once

#include <ostream>

#include "scenario.h"

// Writes a run as a table: the frames at which anything changed (or every
// frame with allFrames), with the three handles Elapse returned and one
// column per panel element the module wrote. An element not written at a
// frame shows as "-".
void WriteTable(std::ostream& out, const RunResult& run, bool allFrames);

// The same as comma-separated values, every frame, with a header line.
void WriteCsv(std::ostream& out, const RunResult& run);
