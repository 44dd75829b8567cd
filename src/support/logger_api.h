#pragma once

// The library's log: the platform debug output plus the log file (see GetLogFile).
// Everything is static; the main program shares the same log through the export.
//
// Formats are printf-style wide strings. Within the core, wide string arguments are
// written "%ls", which means the same on every build.
//
// Lock order: the log file's path comes from GetLogFile, which takes the global lock
// (CThreadLock), while other threads log with the global lock held. The path is
// therefore always resolved before csLogMutex is taken, never while it is held. Nor does
// a line ever wait for the global lock: the path is looked up when the log starts, and
// looked up again for a later open only when the lock can be had at once.

#include <PallawickHook/platform/text_types.h>
#include <PallawickHook/support/export.h>

#include <atomic>
#include <cstdarg>
#include <cstddef>
#include <memory>

namespace pw::platform {
class CriticalSection;
class File;
} // namespace pw::platform

class PW_API CLogger {
  public:
    // Capacity, terminator included, of a formatted message and of a finished line.
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
    // No separator banner when the file is opened, until the log is started again.
    static void DisableBanner();

    static void FlushLog();
    static void CloseLogFile(bool appendLineEnd);

  private:
    enum class Level { Info, Debug };

    static void WriteV(Level level, const Char* format, va_list args);
    static void WriteOSErrorV(Level level, unsigned long code, const Char* format, va_list args);
    static void AppendToFile(Level level, const Char* line);
    static void AppendLocked(Level level, const Char* line, const Char* resolvedPath);
    static void EnterLogLock(Level level);
    // Opens the file if needed, with csLogMutex held. resolvedPath is the path looked up
    // just before the lock was taken, or null when the file was open at that moment.
    static bool OpenLogFile(const Char* resolvedPath);
    static void SetFile(std::unique_ptr<pw::platform::File> file);

    static pw::platform::CriticalSection csLogMutex;
    static std::unique_ptr<pw::platform::File> m_hLogFile;
    // Flags are read without the lock on every line, so they are atomic.
    static std::atomic<bool> m_bDead;
    static std::atomic<bool> m_bDebugging;
    static std::atomic<bool> m_bDisableLogging;
    static std::atomic<bool> m_bDisableBanner;
    // Mirrors m_hLogFile != null for the check made before the lock is taken.
    static std::atomic<bool> m_bFileOpen;
};
