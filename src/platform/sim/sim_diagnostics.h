#pragma once

#include "platform/platform.h"

#include <mutex>
#include <vector>

namespace pw::sim {

// Records the debugger output and answers error codes with fixed texts. The log file's
// code page is UTF-8 here; conversions can be made to fail.
class SimDiagnostics final : public platform::Diagnostics {
  public:
    void DebugOutput(const Char* text) override;
    uint32_t LastError() override { return lastError_; }
    String SystemErrorText(uint32_t code) override;
    int ToThreadCodePage(const Char* text, int length, char* buffer, int capacity) override;

    void SetLastError(uint32_t code) override { lastError_ = code; }
    std::vector<String> DebugLines() const;
    // Whether any debugger line so far contains text.
    bool DebugOutputContains(StringView text) const;
    // Forgets the lines and the conversions recorded so far.
    void ClearDebugLines();
    // The buffer capacities code-page conversions were asked for, oldest first.
    std::vector<int> ConversionCapacities() const;
    // Makes every conversion fail with error (0: convert again).
    void FailConversions(uint32_t error);

  private:
    mutable std::mutex mutex_;
    std::vector<String> lines_;
    std::vector<int> conversionCapacities_;
    uint32_t conversionFailure_ = 0;
    static thread_local uint32_t lastError_;
};

} // namespace pw::sim
