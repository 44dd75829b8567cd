#include "platform/sim/sim_diagnostics.h"

namespace pw::sim {

thread_local uint32_t SimDiagnostics::lastError_ = 0;

void SimDiagnostics::DebugOutput(const Char* text) {
    std::lock_guard lock(mutex_);
    lines_.emplace_back(text ? text : L"");
}

String SimDiagnostics::SystemErrorText(uint32_t code) {
    switch (code) {
    case 0:
        return L"The operation completed successfully.";
    case 2:
        return L"The system cannot find the file specified.";
    case 3:
        return L"The system cannot find the path specified.";
    case 5:
        return L"Access is denied.";
    case 6:
        return L"The handle is invalid.";
    case 87:
        return L"The parameter is incorrect.";
    case 183:
        return L"Cannot create a file when that file already exists.";
    default:
        return L"";
    }
}

std::vector<String> SimDiagnostics::DebugLines() const {
    std::lock_guard lock(mutex_);
    return lines_;
}

bool SimDiagnostics::DebugOutputContains(StringView text) const {
    std::lock_guard lock(mutex_);
    for (const String& line : lines_) {
        if (line.find(text) != String::npos)
            return true;
    }
    return false;
}

void SimDiagnostics::ClearDebugLines() {
    std::lock_guard lock(mutex_);
    lines_.clear();
}

} // namespace pw::sim
