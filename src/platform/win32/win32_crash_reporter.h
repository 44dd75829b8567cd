#pragma once

#include "platform/critical_section.h"
#include "platform/platform.h"

#include <atomic>
#include <exception>
#include <vector>

namespace pw::win32 {

// The crash reporter of the Windows build. It keeps the report's configuration and, once
// its filters are installed, answers an unhandled structured exception or a call to
// std::terminate by running the pre-error handler and writing a short text report
// ("<app>-crash-<tick>.txt") beside the log file.
class Win32CrashReporter final : public platform::CrashReporter {
  public:
    Win32CrashReporter();
    ~Win32CrashReporter() override;
    Win32CrashReporter(const Win32CrashReporter&) = delete;
    Win32CrashReporter& operator=(const Win32CrashReporter&) = delete;

    void SetAppName(const Char* name) override;
    void SetAppVersion(const Char* version) override;
    // Attachments are kept once each, however often a thread start adds them.
    void AddAttachment(const Char* path) override;
    void SetReportFolder(const Char* folder) override;
    void SetSupport(const Char* email, const Char* url, const Char* server,
                    unsigned short port) override;
    void SetNotificationEmail(const Char* email) override;
    void SetFlags(unsigned long flags) override;
    void SetPreErrorHandler(PreErrorHandler handler) override;
    // Safe to repeat: the handlers that were in place before the first call are kept
    // for RemoveFilters.
    void InstallFilters() override;

    // Puts back the exception filter and terminate handler found by InstallFilters, if
    // this reporter's are still in place. Call before the library is unloaded.
    void RemoveFilters();

    // Runs the pre-error handler and writes the report; reason names what happened.
    // Only the first report of the process is produced.
    void Report(const Char* reason, unsigned long code, const void* address);

  private:
    void WriteReportFile(const Char* reason, unsigned long code, const void* address);
    bool ReportFolder(Char* folder, size_t capacity) const;

    mutable platform::CriticalSection lock_;
    String appName_;
    String appVersion_;
    std::vector<String> attachments_;
    String reportFolder_;
    String supportEmail_;
    String supportUrl_;
    String server_;
    unsigned short port_ = 0;
    String notificationEmail_;
    unsigned long flags_ = 0;
    std::atomic<PreErrorHandler> preErrorHandler_{nullptr};

    bool installed_ = false;
    void* previousFilter_ = nullptr; // the system's exception filter type
    std::terminate_handler previousTerminate_ = nullptr;
    std::atomic<bool> reported_{false};
};

} // namespace pw::win32
