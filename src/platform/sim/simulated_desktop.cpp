#include "platform/sim/simulated_desktop.h"

#include <filesystem>

namespace pw::sim {

SimulatedDesktop::SimulatedDesktop(bool install) {
    // The session's temporary folder exists from the start, as on a real system.
    std::error_code ignored;
    std::filesystem::create_directories(files.HostPath(environment.TempFolder()), ignored);
    if (install)
        installed_ = std::make_unique<platform::ScopedPlatform>(*this);
}

SimulatedDesktop::~SimulatedDesktop() = default;

namespace {
SimulatedDesktop& DefaultDesktop() {
    static SimulatedDesktop desktop(false);
    return desktop;
}
} // namespace

} // namespace pw::sim

namespace pw::platform {
Platform& DefaultPlatform() { return sim::DefaultDesktop(); }
} // namespace pw::platform
