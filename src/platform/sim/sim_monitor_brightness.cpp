#include "platform/sim/sim_monitor_brightness.h"

namespace pw::sim {

using platform::WmiStep;

int32_t SimMonitorBrightness::InitializeCom() {
    std::lock_guard lock(mutex_);
    if (comResult_ >= 0)
        ++comUsers_;
    return comResult_;
}

void SimMonitorBrightness::UninitializeCom() {
    std::lock_guard lock(mutex_);
    if (comUsers_ > 0)
        --comUsers_;
}

WmiStep SimMonitorBrightness::Read(int& percent, int32_t& result) {
    std::lock_guard lock(mutex_);
    ++reads_;
    if (failRead_ != WmiStep::None) {
        result = kFailure;
        return failRead_;
    }
    result = 0;
    percent = level_;
    return WmiStep::None;
}

WmiStep SimMonitorBrightness::Write(int percent, int32_t& result) {
    std::lock_guard lock(mutex_);
    ++writes_;
    if (failWrite_ != WmiStep::None) {
        result = kFailure;
        return failWrite_;
    }
    result = 0;
    level_ = percent;
    return WmiStep::None;
}

int SimMonitorBrightness::Level() const {
    std::lock_guard lock(mutex_);
    return level_;
}

void SimMonitorBrightness::SetLevel(int percent) {
    std::lock_guard lock(mutex_);
    level_ = percent;
}

void SimMonitorBrightness::FailReadAt(WmiStep step) {
    std::lock_guard lock(mutex_);
    failRead_ = step;
}

void SimMonitorBrightness::FailWriteAt(WmiStep step) {
    std::lock_guard lock(mutex_);
    failWrite_ = step;
}

void SimMonitorBrightness::SetComResult(int32_t result) {
    std::lock_guard lock(mutex_);
    comResult_ = result;
}

int SimMonitorBrightness::Reads() const {
    std::lock_guard lock(mutex_);
    return reads_;
}

int SimMonitorBrightness::Writes() const {
    std::lock_guard lock(mutex_);
    return writes_;
}

int SimMonitorBrightness::ComUsers() const {
    std::lock_guard lock(mutex_);
    return comUsers_;
}

} // namespace pw::sim
