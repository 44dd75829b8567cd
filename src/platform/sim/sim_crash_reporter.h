#pragma once

#include "platform/platform.h"

#include <mutex>
#include <vector>

namespace pw::sim {

// Records how the crash reporter was configured; Crash() runs the pre-error handler as a
// real report would. Every thread of the library configures it when it starts, so the
// setters are serialised; tests read the fields once the threads are done.
class SimCrashReporter final : public platform::CrashReporter {
  public:
    void SetAppName(const Char* name) override;
    void SetAppVersion(const Char* version) override;
    void AddAttachment(const Char* path) override;
    void SetReportFolder(const Char* folder) override;
    void SetSupport(const Char* email, const Char* url, const Char* server,
                    unsigned short port) override;
    void SetNotificationEmail(const Char* email) override;
    void SetFlags(unsigned long value) override;
    void SetPreErrorHandler(PreErrorHandler handler) override;
    void InstallFilters() override;

    // Simulates an unhandled exception: runs the pre-error handler, counts a report.
    void Crash();

    String appName;
    String appVersion;
    std::vector<String> attachments;
    String reportFolder;
    String supportEmail;
    String supportUrl;
    String server;
    unsigned short port = 0;
    String notificationEmail;
    unsigned long flags = 0;
    PreErrorHandler preErrorHandler = nullptr;
    int installCount = 0;
    int reportCount = 0;

  private:
    std::mutex mutex_;
};

} // namespace pw::sim
