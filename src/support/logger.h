#pragma once

// The library's log: the platform debug output plus the log file (see GetLogFile).
// Everything is static; the main program shares the same log through the export.
//
// Formats are printf-style wide strings. Within the core, wide string arguments are
// written "%ls", which means the same on every build.

#include "platform/critical_section.h"
#include "platform/platform.h"
#include "support/export.h"
#include "support/text.h"

#include <cstdarg>
#include <memory>

class PW_API CLogger {
public:
    static constexpr size_t kMaxLine = 4096;

    static void Initialise();
    static void Shutdown();

    static void LogMessage(const Char* format, ...);
    static void LogDebug(const Char* format, ...);
    static void DebugOutput(const Char* format, ...);
    static void LogOSError(unsigned long code, const Char* format, ...);
    static void LogOSMessage(unsigned long code, const Char* format, ...);
    static void LogMessageV(const Char* format, va_list args);
    static void LogDebugV(const Char* format, va_list args);

    static void EnableDebug(bool enable);
    static void DisableLogging(bool disable);
    static bool DebugEnabled();
    static bool LoggingDisabled();
    static void DisableBanner();

    static void FlushLog();
    static void CloseLogFile(bool appendLineEnd);

private:
    static bool OpenLogFile();

    static pw::platform::CriticalSection csLogMutex;
    static std::unique_ptr<pw::platform::File> m_hLogFile;
    static bool m_bDead;
    static bool m_bDebugging;
    static bool m_bDisableLogging;
    static bool m_bDisableBanner;
};
