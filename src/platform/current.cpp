#include "platform/platform.h"

#include <atomic>

namespace pw::platform {

// Provided by the build's implementation: the platform used when none is installed.
Platform& DefaultPlatform();

namespace {
std::atomic<Platform*> g_installed{nullptr};
}

Platform& Current() {
    Platform* installed = g_installed.load(std::memory_order_acquire);
    return installed ? *installed : DefaultPlatform();
}

ScopedPlatform::ScopedPlatform(Platform& platform)
    : previous_(g_installed.exchange(&platform, std::memory_order_acq_rel)) {}

ScopedPlatform::~ScopedPlatform() {
    g_installed.store(previous_, std::memory_order_release);
}

} // namespace pw::platform
