#include "support/exception_handler.h"

#include "hook/flag_functions.h"
#include "hook/hook_control.h"
#include "platform/platform.h"
#include "settings/folders.h"
#include "support/bounded_copy.h"

using namespace pw::folders;

namespace pw::crash {

void BeforeCrashReport() {
    // Each step on its own: a failure to log must not keep the hooks in place.
    try {
        SetDebug(true);
    } catch (...) {
    }
    try {
        RemoveHooks();
    } catch (...) {
    }
}

} // namespace pw::crash

ExceptionHandlerInstaller::ExceptionHandlerInstaller() {
    using namespace pw::crash;
    pw::platform::CrashReporter& reporter = pw::platform::GetCrashReporter();
    reporter.SetAppName(kAppDisplayName);
    reporter.SetAppVersion(kAppVersion);

    // Without creating anything: the log has made its folder by now, or uses the fallback.
    Char path[kMaxPath] = {};
    if (GetLogFile(path, kMaxPath, false) == 0 && path[0])
        reporter.AddAttachment(path);
    if (GetSettingsFolder(path, kMaxPath) == 0 && path[0] &&
        pw::AppendString(path, kMaxPath, kSettingsFileName) == 0)
        reporter.AddAttachment(path);

    reporter.SetSupport(kSupportEmail, kSupportUrl, kReportServer, kReportPort);
    reporter.SetNotificationEmail(kNotificationEmail);
    reporter.SetFlags(kReportFlags);
    reporter.SetPreErrorHandler(&BeforeCrashReport);
    reporter.InstallFilters();
}

void TerminateHandler() {
    pw::platform::GetCrashReporter().InstallFilters();
}
