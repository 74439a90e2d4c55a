#include "scenario.h"

#include <algorithm>
#include <charconv>
#include <sstream>

namespace {

struct EventName {
    const char* Name;
    ScenarioEvent::Kind Kind;
    bool TakesValue;
};

constexpr EventName EventNames[] = {
    {"power", ScenarioEvent::Kind::Power, true},
    {"brake", ScenarioEvent::Kind::Brake, true},
    {"reverser", ScenarioEvent::Kind::Reverser, true},
    {"initialize", ScenarioEvent::Kind::Initialize, false},
    {"time", ScenarioEvent::Kind::Time, true},
    {"key-down", ScenarioEvent::Kind::KeyDown, true},
    {"key-up", ScenarioEvent::Kind::KeyUp, true},
    {"horn", ScenarioEvent::Kind::Horn, true},
    {"signal", ScenarioEvent::Kind::Signal, true},
    {"beacon", ScenarioEvent::Kind::Beacon, false},
    {"door-open", ScenarioEvent::Kind::DoorOpen, false},
    {"door-close", ScenarioEvent::Kind::DoorClose, false},
};

// The element value the driver fills the arrays with before each frame, to
// see which elements the module wrote.
constexpr int32_t Untouched = INT32_MIN + 0x5EED;

bool ParseNumber(const std::string& word, int32_t& value)
{
    const char* end = word.data() + word.size();
    auto [stop, failure] = std::from_chars(word.data(), end, value);
    return failure == std::errc{} && stop == end;
}

std::string ParseLine(const std::vector<std::string>& words, Scenario& scenario)
{
    if (words[0] == "frames") {
        FrameRange range{};
        if (words.size() != 5 || words[3] != "step" || !ParseNumber(words[1], range.From) ||
            !ParseNumber(words[2], range.To) || !ParseNumber(words[4], range.Step))
            return "expected 'frames FROM TO step STEP' with whole numbers";
        if (range.Step <= 0 || range.From > range.To)
            return "expected FROM not above TO and a STEP above 0";
        scenario.Frames.push_back(range);
        return {};
    }
    if (words[0] == "at") {
        ScenarioEvent event{};
        if (words.size() < 3 || !ParseNumber(words[1], event.At))
            return "expected 'at TIME EVENT' with a whole-number TIME";
        const auto* name = std::find_if(std::begin(EventNames), std::end(EventNames),
                                        [&](const EventName& candidate) { return words[2] == candidate.Name; });
        if (name == std::end(EventNames))
            return "expected an event: power, brake, reverser, initialize, time, key-down, key-up, horn, signal, "
                   "beacon, door-open or door-close";
        event.What = name->Kind;
        if (name->TakesValue && (words.size() != 4 || !ParseNumber(words[3], event.Value)))
            return "expected a whole number after '" + words[2] + "'";
        if (!name->TakesValue && words.size() != 3)
            return "expected nothing after '" + words[2] + "'";
        scenario.Events.push_back(event);
        return {};
    }
    return "expected 'frames FROM TO step STEP' or 'at TIME EVENT'";
}

int32_t WrappingAdd(int32_t a, int64_t b)
{
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

void Apply(const ScenarioEvent& event, const PluginApi& api, int64_t& clockOffset)
{
    switch (event.What) {
    case ScenarioEvent::Kind::Power: api.SetPower(event.Value); break;
    case ScenarioEvent::Kind::Brake: api.SetBrake(event.Value); break;
    case ScenarioEvent::Kind::Reverser: api.SetReverser(event.Value); break;
    case ScenarioEvent::Kind::Initialize: api.Initialize(0); break;
    case ScenarioEvent::Kind::Time: clockOffset = int64_t{event.Value} - event.At; break;
    case ScenarioEvent::Kind::KeyDown: api.KeyDown(event.Value); break;
    case ScenarioEvent::Kind::KeyUp: api.KeyUp(event.Value); break;
    case ScenarioEvent::Kind::Horn: api.HornBlow(event.Value); break;
    case ScenarioEvent::Kind::Signal: api.SetSignal(event.Value); break;
    case ScenarioEvent::Kind::Beacon: api.SetBeaconData(BeaconData{{1, 2, 3, 4}}); break;
    case ScenarioEvent::Kind::DoorOpen: api.DoorOpen(); break;
    case ScenarioEvent::Kind::DoorClose: api.DoorClose(); break;
    }
}

}  // namespace

bool ParseScenario(std::string_view text, const std::string& fileName, Scenario& scenario, std::string& error)
{
    std::istringstream lines{std::string(text)};
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        line = line.substr(0, line.find('#'));
        std::istringstream wordStream(line);
        std::vector<std::string> words;
        for (std::string word; wordStream >> word;)
            words.push_back(word);
        if (words.empty())
            continue;
        if (std::string problem = ParseLine(words, scenario); !problem.empty()) {
            error = fileName + ":" + std::to_string(number) + ": " + problem;
            return false;
        }
    }
    if (scenario.Frames.empty()) {
        error = fileName + ": expected at least one 'frames FROM TO step STEP' line";
        return false;
    }
    return true;
}

std::vector<int32_t> WrittenIndices(const RunResult& run)
{
    std::vector<int32_t> indices;
    for (const FrameRecord& frame : run.Frames)
        for (const auto& element : frame.Written)
            indices.push_back(element.first);
    std::sort(indices.begin(), indices.end());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    return indices;
}

std::optional<int32_t> WrittenValue(const FrameRecord& frame, int32_t index)
{
    for (const auto& element : frame.Written)
        if (element.first == index)
            return element.second;
    return std::nullopt;
}

RunResult RunScenario(const Scenario& scenario, const PluginApi& api)
{
    std::vector<int32_t> times;
    for (const FrameRange& range : scenario.Frames)
        for (int64_t t = range.From; t <= range.To; t += range.Step)
            times.push_back(static_cast<int32_t>(t));
    std::sort(times.begin(), times.end());
    times.erase(std::unique(times.begin(), times.end()), times.end());

    std::vector<ScenarioEvent> events = scenario.Events;
    std::stable_sort(events.begin(), events.end(),
                     [](const ScenarioEvent& a, const ScenarioEvent& b) { return a.At < b.At; });

    RunResult result;
    result.Version = api.GetPluginVersion();
    api.Load();
    api.SetVehicleSpec(VehicleSpec{{5, 1, 5, 0, 6}});
    api.Initialize(0);

    int64_t clockOffset = 0;
    auto nextEvent = events.begin();
    int32_t panel[PanelElementCount];
    int32_t sound[PanelElementCount];
    for (int32_t t : times) {
        for (; nextEvent != events.end() && nextEvent->At < t; ++nextEvent)
            Apply(*nextEvent, api, clockOffset);
        std::fill(std::begin(panel), std::end(panel), Untouched);
        std::fill(std::begin(sound), std::end(sound), Untouched);

        VehicleState state{};
        state.Time = WrappingAdd(t, clockOffset);
        FrameRecord frame{state.Time, api.Elapse(state, panel, sound), {}};
        for (int32_t index = 0; index < PanelElementCount; ++index)
            if (panel[index] != Untouched)
                frame.Written.emplace_back(index, panel[index]);
        result.SoundTouched |= std::any_of(std::begin(sound), std::end(sound),
                                           [](int32_t value) { return value != Untouched; });
        result.Frames.push_back(std::move(frame));
    }
    for (; nextEvent != events.end(); ++nextEvent)
        Apply(*nextEvent, api, clockOffset);
    api.Dispose();
    return result;
}
