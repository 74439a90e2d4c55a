#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host_records.h"
#include "plugin_api.h"

// A scenario is a plain-text script of what a host does with a plug-in:
//
//   # comment
//   frames 0 2000 step 20   an Elapse at every 20 time units from 0 to 2000
//   at 500 power 3          the driver moves the power handle to notch 3
//   at 700 brake 2
//   at 900 reverser 1
//   at 1200 initialize      the host calls Initialize
//   at 1300 time 0          the host restarts its clock: from here on it
//                           reports 0 plus the time elapsed since 1300
//   at 1400 key-down 3      key-down, key-up, horn and signal take a number;
//   at 1400 door-open       door-open, door-close and beacon take none
//
// Events at the time of a frame happen just after that frame, in file order.
struct ScenarioEvent {
    enum class Kind { Power, Brake, Reverser, Initialize, Time, KeyDown, KeyUp, Horn, Signal, Beacon, DoorOpen, DoorClose };
    int32_t At;
    Kind What;
    int32_t Value;
};

struct FrameRange {
    int32_t From;
    int32_t To;
    int32_t Step;
};

struct Scenario {
    std::vector<FrameRange> Frames;
    std::vector<ScenarioEvent> Events;
};

// Parses a scenario. On the first line that does not parse, returns false and
// sets error to "file:line: expected ...".
bool ParseScenario(std::string_view text, const std::string& fileName, Scenario& scenario, std::string& error);

// What the host saw at one frame.
struct FrameRecord {
    int32_t Time;        // the host time passed to Elapse
    HandleSet Handles;   // what Elapse returned
    std::vector<std::pair<int32_t, int32_t>> Written;  // panel elements written: index, value
};

// What a whole run produced.
struct RunResult {
    int32_t Version = 0;
    std::vector<FrameRecord> Frames;
    bool SoundTouched = false;  // the module wrote into the sound array
};

// The panel indices the module wrote at any frame of the run, ascending.
std::vector<int32_t> WrittenIndices(const RunResult& run);

// The value the module wrote at the index in that frame, if it wrote one.
std::optional<int32_t> WrittenValue(const FrameRecord& frame, int32_t index);

// Plays the scenario against the plug-in: Load, SetVehicleSpec, Initialize,
// then frames and events in time order, then Dispose.
RunResult RunScenario(const Scenario& scenario, const PluginApi& api);
