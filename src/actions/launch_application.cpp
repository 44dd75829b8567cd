#include "actions/launch_application.h"

#include "actions/detached_work.h"

#include "platform/platform.h"
#include "support/logger.h"
#include "support/report_exception.h"

#include <algorithm>
#include <cwctype>

namespace pw::actions {
namespace {

constexpr size_t kMaxCommandLength = 2048;
constexpr int kSwShow = 5;

size_t FindExe(StringView command) {
    constexpr StringView kExe = L".exe";
    auto it = std::search(command.begin(), command.end(), kExe.begin(), kExe.end(),
                          [](Char a, Char b) { return static_cast<Char>(std::towlower(a)) == b; });
    return it == command.end() ? StringView::npos : static_cast<size_t>(it - command.begin());
}

void LaunchProcessThreadProc(String command) {
    try {
        platform::GetThreads().NameThread(platform::GetMessages().CurrentThreadId(),
                                          "VESK Launch Process Thread");
        platform::GetThreads().SetCurrentThreadPriority(platform::Threads::kPriorityBelowNormal);
        const LaunchCommand launch = SplitLaunchCommand(command);
        CLogger::LogDebug(L"Launching process '%ls' with arguments '%ls'", launch.program.c_str(),
                          launch.arguments.c_str());
        if (!platform::GetShell().ExecuteEx(
                nullptr, launch.program.c_str(),
                launch.arguments.empty() ? nullptr : launch.arguments.c_str(), kSwShow))
            CLogger::LogOSMessage(platform::GetDiagnostics().LastError(),
                                  L"Unable to launch process '%ls'", command.c_str());
    } catch (...) {
        ReportException(L"LaunchProcessThreadProc");
    }
}

} // namespace

LaunchCommand SplitLaunchCommand(StringView command) {
    const size_t exe = FindExe(command);
    if (exe != StringView::npos) {
        const size_t space = command.find(L' ', exe);
        if (space != StringView::npos)
            return {String(command.substr(0, space)), String(command.substr(space + 1))};
    }
    return {String(command), String()};
}

} // namespace pw::actions

bool pw::LaunchApplication(const Char* command) {
    if (!command || !*command) {
        CLogger::LogMessage(L"LaunchApplication: No program to launch.");
        return false;
    }
    String copy(command, pw::BoundedLength(command, pw::actions::kMaxCommandLength));
    // Counted as detached work: the launch runs the library's code, which must outlive it.
    if (pw::StartDetachedWork(
            [command = std::move(copy)] { pw::actions::LaunchProcessThreadProc(command); }))
        return true;
    CLogger::LogMessage(L"LaunchApplication: Unable to start the launch thread.");
    return false;
}
