// pallawick-host [SETTINGS.xml] | --stop | --help
//
// Runs PallawickHook.dll without the main program (see UsageText in options.cpp).

#include "console.h"
#include "console_stop.h"
#include "exit_status.h"
#include "host.h"
#include "options.h"
#include "settings_location.h"
#include "single_instance.h"

namespace {

using namespace pw::host;

// How long --stop waits for the running host to remove its hooks.
constexpr DWORD kStopWaitMs = 10000;

ExitStatus StopRunningHost() {
    switch (RequestStop(kStopWaitMs)) {
    case StopResult::Stopped:
        PrintLine(L"the running pallawick-host has stopped");
        return ExitStatus::Done;
    case StopResult::NoneRunning:
        PrintError(L"no pallawick-host is running");
        return ExitStatus::NotStopped;
    case StopResult::TimedOut:
        PrintError(L"the running pallawick-host did not stop within " +
                   std::to_wstring(kStopWaitMs / 1000) + L" s");
        return ExitStatus::NotStopped;
    }
    return ExitStatus::NotStopped;
}

ExitStatus RunHost(const Options& options) {
    InstanceLock instance;
    unsigned long error = 0;
    switch (instance.TryClaim(error)) {
    case Claim::Claimed:
        break;
    case Claim::AlreadyRunning:
        PrintError(L"pallawick-host is already running in this session; stop it first with "
                   L"pallawick-host --stop");
        return ExitStatus::AlreadyRunning;
    case Claim::Failed:
        PrintError(L"cannot tell whether another pallawick-host runs: " + SystemMessage(error));
        return ExitStatus::Failed;
    }
    std::wstring problem;
    const auto location = ResolveSettingsLocation(options.settingsFile, problem);
    if (!location) {
        PrintError(problem);
        return ExitStatus::BadUse;
    }
    if (!InstallConsoleStopHandler())
        PrintError(L"Ctrl+C will not stop the host: " + SystemMessage(GetLastError()));
    ExitStatus status = ExitStatus::Failed;
    {
        Host host(*location, instance.StopEvent());
        status = host.Run();
    }
    instance.Release();
    return status;
}

ExitStatus Run() {
    std::wstring problem;
    const auto options = ParseOptions(CommandLineArguments(), problem);
    if (!options) {
        PrintError(problem + L" (pallawick-host --help tells the usage)");
        return ExitStatus::BadUse;
    }
    switch (options->command) {
    case Command::Help:
        PrintText(UsageText());
        return ExitStatus::Done;
    case Command::Stop:
        return StopRunningHost();
    case Command::Run:
        break;
    }
    return RunHost(*options);
}

} // namespace

int main() {
    return static_cast<int>(Run());
}
