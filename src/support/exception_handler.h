#pragma once

// Crash reporting, runtime invalid-parameter reports and the common exception logger of
// the catch-all blocks around thread, hook and exported function bodies.

#include "support/invalid_parameter.h"
#include "support/library_files.h"
#include "support/text.h"
#include "support/version.h"

namespace pw::crash {

inline constexpr const Char* kAppVersion = L"" PALLAWICK_VERSION_SHORT;
inline constexpr const Char* kSupportEmail = L"support@orvane-works.invalid";
inline constexpr const Char* kSupportUrl = L"https://www.orvane-works.invalid/pallawick/support";
inline constexpr const Char* kReportServer = L"crash-reports.orvane-works.invalid";
inline constexpr unsigned short kReportPort = 80;
inline constexpr const Char* kNotificationEmail = L"crash-notify@orvane-works.invalid";
// Detailed report, editable e-mail, report attached.
inline constexpr unsigned long kReportFlags = 7;

// The step run just before a crash report (null: none). The library start installs one
// that switches debug logging on and removes the hooks, so that a crashing library never
// leaves system input hooked.
void SetBeforeCrashReport(void (*handler)());

// Logs a runtime invalid-parameter report and returns, so that the failing call reports
// an error to its caller.
void LogInvalidParameter(const Char* expression);

} // namespace pw::crash

// Constructed at the start of each long-lived thread: configures the crash report (name,
// version, log and settings file attachments, contacts, flags, pre-error handler) and
// installs the crash reporter's exception filter and terminate handler.
class ExceptionHandlerInstaller {
  public:
    ExceptionHandlerInstaller();
};

namespace pw {

// Puts the crash reporter's filters back in place for the calling thread, for example
// after a component replaced the terminate handler.
void TerminateHandler();

} // namespace pw

// Routes invalid-parameter reports, the library's own and the C runtime's, to
// pw::crash::LogInvalidParameter while it lives; the previous handlers come back after.
class InvalidParameterInstaller {
  public:
    InvalidParameterInstaller();
    ~InvalidParameterInstaller();
    InvalidParameterInstaller(const InvalidParameterInstaller&) = delete;
    InvalidParameterInstaller& operator=(const InvalidParameterInstaller&) = delete;

  private:
    pw::InvalidParameterHandler previous_ = nullptr;
    void* previousRuntime_ = nullptr;
};

namespace pw {

// Called inside a catch-all block: logs "Caught an exception in <context>..." with the
// printf-style context and re-throws the exception being handled.
[[noreturn]] void handle_exception(const Char* format, ...);

} // namespace pw
