#pragma once

// The real platform of the Windows build: each area over the system's own calls.

#include "platform/platform.h"
#include "platform/win32/win32_clipboard.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_crash_reporter.h"
#include "platform/win32/win32_cursors.h"
#include "platform/win32/win32_diagnostics.h"
#include "platform/win32/win32_dialogs.h"
#include "platform/win32/win32_environment.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_hooks.h"
#include "platform/win32/win32_libraries.h"
#include "platform/win32/win32_messages.h"
#include "platform/win32/win32_monitor_brightness.h"
#include "platform/win32/win32_processes.h"
#include "platform/win32/win32_queue_timers.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_system_info.h"
#include "platform/win32/win32_system_parameters.h"
#include "platform/win32/win32_threads.h"
#include "platform/win32/win32_windows.h"

namespace pw::win32 {

class Win32Platform final : public platform::Platform {
  public:
    // The process's one instance, built on first use and never destroyed: static
    // destructors and the loader's detach notification may still log after the C++
    // runtime has begun tearing down.
    static Win32Platform& Instance();

    Win32Platform() = default;
    Win32Platform(const Win32Platform&) = delete;
    Win32Platform& operator=(const Win32Platform&) = delete;

    platform::Clock& GetClock() override { return clock_; }
    platform::Diagnostics& GetDiagnostics() override { return diagnostics_; }
    platform::FileSystem& GetFileSystem() override { return files_; }
    platform::Registry& GetRegistry() override { return registry_; }
    platform::Environment& GetEnvironment() override { return environment_; }
    platform::Dialogs& GetDialogs() override { return dialogs_; }
    platform::SystemInfo& GetSystemInfo() override { return systemInfo_; }
    platform::CrashReporter& GetCrashReporter() override { return crashReporter_; }
    Win32CrashReporter& GetWin32CrashReporter() { return crashReporter_; }
    platform::Windows& GetWindows() override { return windows_; }
    platform::Processes& GetProcesses() override { return processes_; }
    platform::Messages& GetMessages() override { return messages_; }
    platform::Input& GetInput() override { return input_; }
    platform::Timers& GetTimers() override { return timers_; }
    platform::QueueTimers& GetQueueTimers() override { return queueTimers_; }
    platform::SystemParameters& GetSystemParameters() override { return systemParameters_; }
    platform::Shell& GetShell() override { return shell_; }
    platform::Cursors& GetCursors() override { return cursors_; }
    platform::Clipboard& GetClipboard() override { return clipboard_; }
    platform::MonitorBrightness& GetMonitorBrightness() override { return brightness_; }
    platform::Libraries& GetLibraries() override { return libraries_; }
    platform::Hooks& GetHooks() override { return hooks_; }
    platform::Threads& GetThreads() override { return threads_; }

  private:
    Win32Clock clock_;
    Win32Diagnostics diagnostics_;
    Win32FileSystem files_;
    Win32Registry registry_;
    Win32Environment environment_;
    Win32Dialogs dialogs_;
    Win32SystemInfo systemInfo_;
    Win32CrashReporter crashReporter_;
    Win32Windows windows_;
    Win32Processes processes_;
    Win32Messages messages_;
    Win32Input input_;
    Win32Timers timers_;
    Win32QueueTimers queueTimers_;
    Win32SystemParameters systemParameters_;
    Win32Shell shell_;
    Win32Cursors cursors_;
    Win32Clipboard clipboard_;
    Win32MonitorBrightness brightness_;
    Win32Libraries libraries_;
    Win32Hooks hooks_;
    Win32Threads threads_;
};

} // namespace pw::win32
