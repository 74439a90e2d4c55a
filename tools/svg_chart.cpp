#include "svg_chart.h"

#include <algorithm>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int ChartLeft = 110;
constexpr int ChartWidth = 760;
constexpr int LaneHeight = 64;
constexpr int LaneGap = 14;
constexpr int Top = 30;
constexpr int TimeTicks = 8;

struct Lane {
    std::string Name;
    std::string Colour;
    std::vector<std::optional<int32_t>> Values;  // one per frame; nothing where not written
};

std::vector<Lane> Lanes(const RunResult& run)
{
    auto handleLane = [&](const char* name, const char* colour, int32_t HandleSet::*field) {
        Lane lane{name, colour, {}};
        for (const FrameRecord& frame : run.Frames)
            lane.Values.push_back(frame.Handles.*field);
        return lane;
    };
    std::vector<Lane> lanes = {
        handleLane("power handle", "#1f77b4", &HandleSet::Power),
        handleLane("brake handle", "#d62728", &HandleSet::Brake),
        handleLane("reverser", "#2ca02c", &HandleSet::Reverser),
    };
    for (int32_t index : WrittenIndices(run)) {
        Lane lane{"panel[" + std::to_string(index) + "]", "#444444", {}};
        for (const FrameRecord& frame : run.Frames)
            lane.Values.push_back(WrittenValue(frame, index));
        lanes.push_back(lane);
    }
    return lanes;
}

double FrameX(size_t frame, size_t frames)
{
    return ChartLeft + (frames <= 1 ? 0.0 : ChartWidth * static_cast<double>(frame) / static_cast<double>(frames - 1));
}

void WriteLane(std::ostream& out, const Lane& lane, int top, size_t frames)
{
    int32_t low = 0;
    int32_t high = 0;
    for (const auto& value : lane.Values)
        if (value) {
            low = std::min(low, *value);
            high = std::max(high, *value);
        }
    const double span = high > low ? static_cast<double>(high) - low : 1.0;
    auto y = [&](int32_t value) { return top + LaneHeight - LaneHeight * (static_cast<double>(value) - low) / span; };

    out << "<text x=\"" << ChartLeft - 10 << "\" y=\"" << top + LaneHeight / 2 + 4
        << "\" text-anchor=\"end\">" << lane.Name << "</text>\n";
    out << "<text x=\"" << ChartLeft - 10 << "\" y=\"" << top + 8 << "\" text-anchor=\"end\" class=\"scale\">" << high
        << "</text>\n<text x=\"" << ChartLeft - 10 << "\" y=\"" << top + LaneHeight
        << "\" text-anchor=\"end\" class=\"scale\">" << low << "</text>\n";
    out << "<rect x=\"" << ChartLeft << "\" y=\"" << top << "\" width=\"" << ChartWidth << "\" height=\"" << LaneHeight
        << "\" class=\"lane\"/>\n";

    std::ostringstream path;
    bool drawing = false;
    for (size_t i = 0; i < lane.Values.size(); ++i) {
        if (!lane.Values[i]) {
            drawing = false;
            continue;
        }
        const double x = FrameX(i, frames);
        const double valueY = y(*lane.Values[i]);
        if (!drawing)
            path << 'M' << x << ' ' << valueY;
        else
            path << " H" << x << " V" << valueY;
        if (i + 1 == lane.Values.size() || !lane.Values[i + 1])
            path << " H" << (i + 1 < lane.Values.size() ? FrameX(i + 1, frames) : x);
        drawing = true;
    }
    out << "<path d=\"" << path.str() << "\" stroke=\"" << lane.Colour << "\" class=\"step\"/>\n";
}

}  // namespace

void WriteSvg(std::ostream& out, const RunResult& run)
{
    const std::vector<Lane> lanes = Lanes(run);
    const size_t frames = run.Frames.size();
    const int height = Top + static_cast<int>(lanes.size()) * (LaneHeight + LaneGap) + 30;
    const int width = ChartLeft + ChartWidth + 30;
    out << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << width << "\" height=\"" << height
        << "\" viewBox=\"0 0 " << width << " " << height << "\" font-family=\"sans-serif\" font-size=\"12\">\n"
        << "<style>.lane{fill:#f6f6f6;stroke:#dddddd}.step{fill:none;stroke-width:2}.scale{fill:#888888;font-size:10px}"
           ".tick{stroke:#cccccc}</style>\n"
        << "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n"
        << "<text x=\"" << ChartLeft << "\" y=\"18\">handles and panel elements per frame (x: host time)</text>\n";
    int top = Top;
    for (const Lane& lane : lanes) {
        WriteLane(out, lane, top, frames);
        top += LaneHeight + LaneGap;
    }
    for (int tick = 0; frames > 0 && tick <= TimeTicks; ++tick) {
        const size_t frame = (frames - 1) * static_cast<size_t>(tick) / TimeTicks;
        const double x = FrameX(frame, frames);
        out << "<line x1=\"" << x << "\" y1=\"" << Top << "\" x2=\"" << x << "\" y2=\"" << top - LaneGap
            << "\" class=\"tick\"/>\n<text x=\"" << x << "\" y=\"" << top + 4 << "\" text-anchor=\"middle\">"
            << run.Frames[frame].Time << "</text>\n";
    }
    out << "</svg>\n";
}
