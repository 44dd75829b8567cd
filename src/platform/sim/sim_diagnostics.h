#pragma once

#include "platform/platform.h"

#include <mutex>
#include <vector>

namespace pw::sim {

// Records the debugger output and answers error codes with fixed texts.
class SimDiagnostics final : public platform::Diagnostics {
  public:
    void DebugOutput(const Char* text) override;
    uint32_t LastError() override { return lastError_; }
    String SystemErrorText(uint32_t code) override;

    void SetLastError(uint32_t code) override { lastError_ = code; }
    std::vector<String> DebugLines() const;
    // Whether any debugger line so far contains text.
    bool DebugOutputContains(StringView text) const;
    void ClearDebugLines();

  private:
    mutable std::mutex mutex_;
    std::vector<String> lines_;
    static thread_local uint32_t lastError_;
};

} // namespace pw::sim
