#pragma once

// The simulated desktop of the Linux build: every platform area backed by an in-memory
// or temp-folder stand-in that tests can inspect and script. Constructing one installs
// it as the current platform; destroying it restores the previous one.

#include "platform/platform.h"
#include "platform/sim/sim_clock.h"
#include "platform/sim/sim_crash_reporter.h"
#include "platform/sim/sim_dialogs.h"
#include "platform/sim/sim_diagnostics.h"
#include "platform/sim/sim_environment.h"
#include "platform/sim/sim_file_system.h"
#include "platform/sim/sim_registry.h"
#include "platform/sim/sim_system_info.h"

namespace pw::sim {

class SimulatedDesktop final : public platform::Platform {
public:
    // install: make this the current platform for its lifetime.
    explicit SimulatedDesktop(bool install = true);
    ~SimulatedDesktop() override;
    SimulatedDesktop(const SimulatedDesktop&) = delete;
    SimulatedDesktop& operator=(const SimulatedDesktop&) = delete;

    platform::Clock& GetClock() override { return clock; }
    platform::Diagnostics& GetDiagnostics() override { return diagnostics; }
    platform::FileSystem& GetFileSystem() override { return files; }
    platform::Registry& GetRegistry() override { return registry; }
    platform::Environment& GetEnvironment() override { return environment; }
    platform::Dialogs& GetDialogs() override { return dialogs; }
    platform::SystemInfo& GetSystemInfo() override { return systemInfo; }
    platform::CrashReporter& GetCrashReporter() override { return crashReporter; }

    SimClock clock;
    SimDiagnostics diagnostics;
    SimFileSystem files;
    SimRegistry registry;
    SimEnvironment environment;
    SimDialogs dialogs;
    SimSystemInfo systemInfo;
    SimCrashReporter crashReporter;

private:
    std::unique_ptr<platform::ScopedPlatform> installed_;
};

} // namespace pw::sim
