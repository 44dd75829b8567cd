#pragma once

#include "platform/monitor_brightness.h"

#include <mutex>

namespace pw::sim {

// A monitor with a brightness level, 50 percent at the start. A test can make any step
// of a read or a write fail, and the component services refuse to start.
class SimMonitorBrightness final : public platform::MonitorBrightness {
  public:
    // The HRESULT a failed step reports (WBEM_E_FAILED).
    static constexpr int32_t kFailure = static_cast<int32_t>(0x80041001);

    int32_t InitializeCom() override;
    void UninitializeCom() override;
    platform::WmiStep Read(int& percent, int32_t& result) override;
    platform::WmiStep Write(int percent, int32_t& result) override;

    int Level() const;
    void SetLevel(int percent);
    // The step at which reads (or writes) fail from now on; None: they succeed.
    void FailReadAt(platform::WmiStep step);
    void FailWriteAt(platform::WmiStep step);
    // What InitializeCom answers (0, S_OK, by default).
    void SetComResult(int32_t result);
    int Reads() const;
    int Writes() const;
    // Initialisations not yet undone.
    int ComUsers() const;

  private:
    mutable std::mutex mutex_;
    int level_ = 50;
    platform::WmiStep failRead_ = platform::WmiStep::None;
    platform::WmiStep failWrite_ = platform::WmiStep::None;
    int32_t comResult_ = 0;
    int reads_ = 0;
    int writes_ = 0;
    int comUsers_ = 0;
};

} // namespace pw::sim
