#include "platform/sim/simulated_desktop.h"

#include <filesystem>

namespace pw::sim {

SimulatedDesktop::SimulatedDesktop(bool install) {
    // The session's temporary folder exists from the start, as on a real system.
    std::error_code ignored;
    std::filesystem::create_directories(files.HostPath(environment.TempFolder()), ignored);
    SetScalingExportsAvailable(true);
    input.SetCopyHandler([this] { clipboard.CopySelection(); });
    if (install)
        installed_ = std::make_unique<platform::ScopedPlatform>(*this);
}

SimulatedDesktop::~SimulatedDesktop() = default;

void SimulatedDesktop::SetScalingExportsAvailable(bool available) {
    constexpr const char* kUser32Exports[] = {"WindowFromPhysicalPoint", "GetPhysicalCursorPos",
                                              "LogicalToPhysicalPointForPerMonitorDPI"};
    for (const char* name : kUser32Exports) {
        if (available)
            processes.AddExport(platform::scaling::kUser32, name, SimWindows::ScalingExport(name));
        else
            processes.RemoveExport(platform::scaling::kUser32, name);
    }
    if (available)
        processes.AddExport(platform::scaling::kShcore, "GetDpiForMonitor",
                            SimWindows::ScalingExport("GetDpiForMonitor"));
    else
        processes.RemoveExport(platform::scaling::kShcore, "GetDpiForMonitor");
}

namespace {
SimulatedDesktop& DefaultDesktop() {
    static SimulatedDesktop desktop(false);
    return desktop;
}
} // namespace

} // namespace pw::sim

namespace pw::platform {
Platform& DefaultPlatform() {
    return sim::DefaultDesktop();
}
} // namespace pw::platform
