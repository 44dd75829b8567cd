#include "platform/sim/sim_crash_reporter.h"

namespace pw::sim {

void SimCrashReporter::SetAppName(const Char* name) {
    std::lock_guard lock(mutex_);
    appName = name ? name : L"";
}

void SimCrashReporter::SetAppVersion(const Char* version) {
    std::lock_guard lock(mutex_);
    appVersion = version ? version : L"";
}

void SimCrashReporter::AddAttachment(const Char* path) {
    std::lock_guard lock(mutex_);
    if (path)
        attachments.emplace_back(path);
}

void SimCrashReporter::SetReportFolder(const Char* folder) {
    std::lock_guard lock(mutex_);
    reportFolder = folder ? folder : L"";
}

void SimCrashReporter::SetSupport(const Char* email, const Char* url, const Char* serverName,
                                  unsigned short serverPort) {
    std::lock_guard lock(mutex_);
    supportEmail = email ? email : L"";
    supportUrl = url ? url : L"";
    server = serverName ? serverName : L"";
    port = serverPort;
}

void SimCrashReporter::SetNotificationEmail(const Char* email) {
    std::lock_guard lock(mutex_);
    notificationEmail = email ? email : L"";
}

void SimCrashReporter::SetFlags(unsigned long value) {
    std::lock_guard lock(mutex_);
    flags = value;
}

void SimCrashReporter::SetPreErrorHandler(PreErrorHandler handler) {
    std::lock_guard lock(mutex_);
    preErrorHandler = handler;
}

void SimCrashReporter::InstallFilters() {
    std::lock_guard lock(mutex_);
    ++installCount;
}

void SimCrashReporter::Crash() {
    PreErrorHandler handler = nullptr;
    {
        std::lock_guard lock(mutex_);
        handler = preErrorHandler;
        ++reportCount;
    }
    if (handler)
        handler();
}

} // namespace pw::sim
