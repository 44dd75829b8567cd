#include "support/exception_handler.h"

#include "platform/platform.h"
#include "support/library_files.h"

#include <atomic>

namespace pw::crash {
namespace {

std::atomic<pw::platform::CrashReporter::PreErrorHandler> g_beforeReport{nullptr};

} // namespace

void SetBeforeCrashReport(pw::platform::CrashReporter::PreErrorHandler handler) {
    g_beforeReport.store(handler, std::memory_order_release);
}

} // namespace pw::crash

ExceptionHandlerInstaller::ExceptionHandlerInstaller() {
    using namespace pw::crash;
    pw::platform::CrashReporter& reporter = pw::platform::GetCrashReporter();
    reporter.SetAppName(pw::kAppDisplayName);
    reporter.SetAppVersion(kAppVersion);

    // Without creating anything: the log has made its folder by now, or uses the fallback.
    const pw::LibraryFiles files = pw::InstalledLibraryFiles();
    Char path[pw::kMaxPath] = {};
    if (files.logFile && files.logFile(path, pw::kMaxPath, false) == 0 && path[0]) {
        reporter.AddAttachment(path);
        // The report itself goes beside the log.
        const StringView logPath(path);
        const size_t cut = logPath.rfind(L'\\');
        if (cut != StringView::npos)
            reporter.SetReportFolder(String(logPath.substr(0, cut + 1)).c_str());
    }
    path[0] = 0;
    if (files.settingsFile && files.settingsFile(path, pw::kMaxPath) == 0 && path[0])
        reporter.AddAttachment(path);

    reporter.SetSupport(kSupportEmail, kSupportUrl, kReportServer, kReportPort);
    reporter.SetNotificationEmail(kNotificationEmail);
    reporter.SetFlags(kReportFlags);
    reporter.SetPreErrorHandler(g_beforeReport.load(std::memory_order_acquire));
    reporter.InstallFilters();
}

void pw::TerminateHandler() {
    pw::platform::GetCrashReporter().InstallFilters();
}
