#include "report.h"

#include <cstdio>
#include <iomanip>
#include <string>

namespace {

std::string ElementText(const FrameRecord& frame, int32_t index, const char* absent)
{
    const std::optional<int32_t> value = WrittenValue(frame, index);
    return value ? std::to_string(*value) : absent;
}

bool SameOutput(const FrameRecord& a, const FrameRecord& b)
{
    return a.Handles.Brake == b.Handles.Brake && a.Handles.Power == b.Handles.Power &&
           a.Handles.Reverser == b.Handles.Reverser && a.Handles.Auxiliary == b.Handles.Auxiliary &&
           a.Written == b.Written;
}

std::string VersionText(int32_t version)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(version));
    return text;
}

}  // namespace

void WriteTable(std::ostream& out, const RunResult& run, bool allFrames)
{
    const std::vector<int32_t> indices = WrittenIndices(run);
    out << "# plug-in version " << VersionText(run.Version) << "\n";
    out << std::setw(11) << "time" << std::setw(7) << "power" << std::setw(7) << "brake" << std::setw(9) << "reverser";
    for (int32_t index : indices)
        out << std::setw(11) << "panel[" + std::to_string(index) + "]";
    out << "\n";
    const FrameRecord* previous = nullptr;
    for (const FrameRecord& frame : run.Frames) {
        if (allFrames || previous == nullptr || !SameOutput(frame, *previous)) {
            out << std::setw(11) << frame.Time << std::setw(7) << frame.Handles.Power << std::setw(7)
                << frame.Handles.Brake << std::setw(9) << frame.Handles.Reverser;
            for (int32_t index : indices)
                out << std::setw(11) << ElementText(frame, index, "-");
            out << "\n";
        }
        previous = &frame;
    }
}

void WriteCsv(std::ostream& out, const RunResult& run)
{
    const std::vector<int32_t> indices = WrittenIndices(run);
    out << "time,power,brake,reverser";
    for (int32_t index : indices)
        out << ",panel" << index;
    out << "\n";
    for (const FrameRecord& frame : run.Frames) {
        out << frame.Time << "," << frame.Handles.Power << "," << frame.Handles.Brake << "," << frame.Handles.Reverser;
        for (int32_t index : indices)
            out << "," << ElementText(frame, index, "");
        out << "\n";
    }
}
