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
    case 997:
        return L"Overlapped I/O operation is in progress.";
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
    conversionCapacities_.clear();
}

int SimDiagnostics::ToThreadCodePage(const Char* text, int length, char* buffer, int capacity) {
    uint32_t failure = 0;
    {
        std::lock_guard lock(mutex_);
        conversionCapacities_.push_back(capacity);
        failure = conversionFailure_;
    }
    if (failure != 0 || !text || length < 0 || capacity < 0) {
        SetLastError(failure != 0 ? failure : platform::kErrorInvalidParameter);
        return 0;
    }
    const std::string bytes = ToUtf8(StringView(text, static_cast<size_t>(length)));
    const int needed = static_cast<int>(bytes.size());
    if (capacity == 0)
        return needed;
    if (!buffer || capacity < needed) {
        SetLastError(platform::kErrorInsufficientBuffer);
        return 0;
    }
    bytes.copy(buffer, bytes.size());
    return needed;
}

std::vector<int> SimDiagnostics::ConversionCapacities() const {
    std::lock_guard lock(mutex_);
    return conversionCapacities_;
}

void SimDiagnostics::FailConversions(uint32_t error) {
    std::lock_guard lock(mutex_);
    conversionFailure_ = error;
}

} // namespace pw::sim
