#pragma once

// The simulated desktop of the Linux build: every platform area backed by an in-memory
// or temp-folder stand-in that tests can inspect and script. Constructing one installs
// it as the current platform; destroying it restores the previous one.

#include "platform/platform.h"
#include "platform/sim/sim_clipboard.h"
#include "platform/sim/sim_clock.h"
#include "platform/sim/sim_crash_reporter.h"
#include "platform/sim/sim_cursors.h"
#include "platform/sim/sim_diagnostics.h"
#include "platform/sim/sim_dialogs.h"
#include "platform/sim/sim_environment.h"
#include "platform/sim/sim_file_system.h"
#include "platform/sim/sim_hooks.h"
#include "platform/sim/sim_input.h"
#include "platform/sim/sim_libraries.h"
#include "platform/sim/sim_loader_lock.h"
#include "platform/sim/sim_messages.h"
#include "platform/sim/sim_monitor_brightness.h"
#include "platform/sim/sim_processes.h"
#include "platform/sim/sim_queue_timers.h"
#include "platform/sim/sim_registry.h"
#include "platform/sim/sim_shell.h"
#include "platform/sim/sim_system_info.h"
#include "platform/sim/sim_system_parameters.h"
#include "platform/sim/sim_threads.h"
#include "platform/sim/sim_timers.h"
#include "platform/sim/sim_windows.h"

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
    platform::Windows& GetWindows() override { return windows; }
    platform::Processes& GetProcesses() override { return processes; }
    platform::Messages& GetMessages() override { return messages; }
    platform::Input& GetInput() override { return input; }
    platform::Timers& GetTimers() override { return timers; }
    platform::QueueTimers& GetQueueTimers() override { return queueTimers; }
    platform::SystemParameters& GetSystemParameters() override { return systemParameters; }
    platform::Shell& GetShell() override { return shell; }
    platform::Cursors& GetCursors() override { return cursors; }
    platform::Clipboard& GetClipboard() override { return clipboard; }
    platform::MonitorBrightness& GetMonitorBrightness() override { return brightness; }
    platform::Libraries& GetLibraries() override { return libraries; }
    platform::Hooks& GetHooks() override { return hooks; }
    platform::Threads& GetThreads() override { return threads; }

    // Whether the display-scaling exports (physical point and cursor, per-monitor point
    // conversion, monitor DPI) are found at run time; they are by default.
    void SetScalingExportsAvailable(bool available);

    SimClock clock;
    SimDiagnostics diagnostics;
    SimFileSystem files;
    SimRegistry registry;
    SimEnvironment environment;
    SimDialogs dialogs;
    SimSystemInfo systemInfo;
    SimCrashReporter crashReporter;
    SimWindows windows;
    SimProcesses processes{diagnostics};
    SimLoaderLock loaderLock;
    SimMessages messages{windows, loaderLock};
    SimInput input{clock};
    SimQueueTimers queueTimers{clock, diagnostics};
    SimTimers timers{clock, queueTimers};
    SimSystemParameters systemParameters;
    SimShell shell;
    SimCursors cursors{systemParameters};
    SimClipboard clipboard;
    SimMonitorBrightness brightness;
    SimLibraries libraries;
    SimHooks hooks{diagnostics, messages};
    SimThreads threads{messages};

  private:
    std::unique_ptr<platform::ScopedPlatform> installed_;
};

} // namespace pw::sim
