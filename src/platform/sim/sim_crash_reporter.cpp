#include "platform/sim/sim_crash_reporter.h"

namespace pw::sim {

void SimCrashReporter::AddAttachment(const Char* path) {
    if (path)
        attachments.emplace_back(path);
}

void SimCrashReporter::SetSupport(const Char* email, const Char* url, const Char* serverName,
                                  unsigned short serverPort) {
    supportEmail = email ? email : L"";
    supportUrl = url ? url : L"";
    server = serverName ? serverName : L"";
    port = serverPort;
}

void SimCrashReporter::SetNotificationEmail(const Char* email) {
    notificationEmail = email ? email : L"";
}

void SimCrashReporter::Crash() {
    if (preErrorHandler)
        preErrorHandler();
    ++reportCount;
}

} // namespace pw::sim
