#pragma once

// A view of injected input on the virtual clock: the simulated desktop with an input
// area that notes, for every record, the time it was injected at. Installed as the
// current platform for its lifetime.

#include "platform/sim/simulated_desktop.h"

#include <functional>
#include <string>
#include <vector>

namespace pw::test {

// One word per record:  k<vk>/<scan>/<flags>  or  m<flags>/<data>  (hex, data signed
// decimal), preceded by "<ms>:" (virtual ms since the timeline started) when timed.
std::string DescribeRecord(const platform::InputRecord& record);

class InputTimeline final : public platform::Platform, public platform::Input {
  public:
    explicit InputTimeline(sim::SimulatedDesktop& desktop);
    ~InputTimeline() override;

    // The records injected so far with their times, then "end@<ms>"; cleared by the call.
    std::string Take();
    // Called before each injected record is passed on (for example to flush mid-batch).
    std::function<void(const platform::InputRecord&)> beforeRecord;

    unsigned SendInput(const platform::InputRecord* records, unsigned count) override;
    LRESULT CallNextHook(HHOOK hook, int code, WPARAM wParam, LPARAM lParam) override;
    short AsyncKeyState(int virtualKey) override;

    platform::Clock& GetClock() override { return desktop_.clock; }
    platform::Diagnostics& GetDiagnostics() override { return desktop_.diagnostics; }
    platform::FileSystem& GetFileSystem() override { return desktop_.files; }
    platform::Registry& GetRegistry() override { return desktop_.registry; }
    platform::Environment& GetEnvironment() override { return desktop_.environment; }
    platform::Dialogs& GetDialogs() override { return desktop_.dialogs; }
    platform::SystemInfo& GetSystemInfo() override { return desktop_.systemInfo; }
    platform::CrashReporter& GetCrashReporter() override { return desktop_.crashReporter; }
    platform::Windows& GetWindows() override { return desktop_.windows; }
    platform::Processes& GetProcesses() override { return desktop_.processes; }
    platform::Messages& GetMessages() override { return desktop_.messages; }
    platform::Input& GetInput() override { return *this; }
    platform::Timers& GetTimers() override { return desktop_.timers; }
    platform::QueueTimers& GetQueueTimers() override { return desktop_.queueTimers; }
    platform::SystemParameters& GetSystemParameters() override { return desktop_.systemParameters; }
    platform::Shell& GetShell() override { return desktop_.shell; }
    platform::Cursors& GetCursors() override { return desktop_.cursors; }
    platform::Clipboard& GetClipboard() override { return desktop_.clipboard; }
    platform::MonitorBrightness& GetMonitorBrightness() override { return desktop_.brightness; }
    platform::Libraries& GetLibraries() override { return desktop_.libraries; }
    platform::Hooks& GetHooks() override { return desktop_.hooks; }
    platform::Threads& GetThreads() override { return desktop_.threads; }

  private:
    sim::SimulatedDesktop& desktop_;
    uint32_t start_;
    std::vector<std::string> words_;
    platform::ScopedPlatform installed_;
};

} // namespace pw::test
