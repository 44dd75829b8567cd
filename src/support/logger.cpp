#include "support/logger.h"

#include "support/bounded_copy.h"
#include "support/format.h"
#include "support/library_files.h"
#include "support/log_file_trim.h"
#include "support/thread_lock.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cwchar>
#include <stdexcept>
#include <string>

pw::platform::CriticalSection CLogger::csLogMutex;
std::unique_ptr<pw::platform::File> CLogger::m_hLogFile;
std::atomic<bool> CLogger::m_bDead{true};
std::atomic<bool> CLogger::m_bDebugging{false};
std::atomic<bool> CLogger::m_bDisableLogging{false};
std::atomic<bool> CLogger::m_bDisableBanner{false};
std::atomic<bool> CLogger::m_bFileOpen{false};

namespace {

using pw::platform::GetDiagnostics;
using pw::platform::ScopedCriticalSection;

constexpr const Char* kShutdownNotice =
    L"Logger has been shutdown. Unable to enter critical section.";

// CR LF, 139 asterisks, CR LF.
constexpr size_t kBannerStars = 139;
constexpr auto kBanner = [] {
    std::array<char, kBannerStars + 4> banner{};
    banner[0] = '\r';
    banner[1] = '\n';
    for (size_t i = 0; i < kBannerStars; ++i)
        banner[2 + i] = '*';
    banner[kBannerStars + 2] = '\r';
    banner[kBannerStars + 3] = '\n';
    return banner;
}();

// The path of the last file opened, or the one looked up when the log started: the file
// to open when the path cannot be looked up without waiting. Guarded by csLogMutex.
Char g_lastPath[pw::kMaxPath] = {};

// Set while this thread asks GetLogFile for the path: lines logged from inside that call
// (lock contention, invalid parameters) must not start another lookup.
thread_local bool t_resolvingPath = false;

// Copies prefix, as much of message as fits and CR LF into line.
void ComposeFallbackLine(Char* line, const Char* prefix, const Char* message) {
    constexpr size_t kRoom = CLogger::kMaxLine - 3; // CR, LF, terminator
    size_t used = std::min(std::wcslen(prefix), kRoom);
    std::wmemcpy(line, prefix, used);
    size_t messageLength = std::min(std::wcslen(message), kRoom - used);
    std::wmemcpy(line + used, message, messageLength);
    used += messageLength;
    line[used++] = L'\r';
    line[used++] = L'\n';
    line[used] = 0;
}

// The finished line: local date and time, tick count modulo 1000, marker, message, CR LF.
void StampLine(Char* line, const Char* message) {
    pw::platform::LocalTime now;
    if (!pw::platform::GetClock().LocalNow(now)) {
        ComposeFallbackLine(line, L"Invalid arg to localtime64: ", message);
        return;
    }
    const int fraction = static_cast<int>(pw::platform::TickCount() % 1000);
    if (pw::Format(line, CLogger::kMaxLine, L"%02d-%02d-%04d %02d:%02d:%02d.%04d> %ls\r\n", now.day,
                   now.month, now.year, now.hour, now.minute, now.second, fraction, message) < 0)
        ComposeFallbackLine(line, L"Unable to format log timestamp: ", message);
}

void FormatCallerMessage(Char* message, const Char* function, const Char* format, va_list args) {
    if (pw::FormatV(message, CLogger::kMaxLine, format, args) >= 0)
        return;
    pw::Format(message, CLogger::kMaxLine, L"***** Error creating output string in %ls() *****",
               function);
}

// Lines up to this many bytes are converted on the stack; longer ones on the heap.
constexpr int kStackLineBytes = 128;

// Appends line to file in the thread's ANSI code page. A buffer that is too small is
// measured and the conversion made again with the exact size; any other failure throws.
void AppendInCodePage(pw::platform::File& file, const Char* line) {
    auto& diagnostics = GetDiagnostics();
    const int length = static_cast<int>(std::wcslen(line));
    char small[kStackLineBytes];
    const int written = diagnostics.ToThreadCodePage(line, length, small, kStackLineBytes);
    if (written > 0) {
        file.Append(small, static_cast<size_t>(written));
        return;
    }
    if (diagnostics.LastError() != pw::platform::kErrorInsufficientBuffer)
        throw std::runtime_error("log line not convertible to the code page");
    const int needed = diagnostics.ToThreadCodePage(line, length, nullptr, 0);
    if (needed <= 0)
        throw std::runtime_error("log line not convertible to the code page");
    std::string bytes(static_cast<size_t>(needed), '\0');
    if (diagnostics.ToThreadCodePage(line, length, bytes.data(), needed) != needed)
        throw std::runtime_error("log line not convertible to the code page");
    file.Append(bytes.data(), bytes.size());
}

// Asks the installed folder rules for the log file's path, creating its folder. The
// lookup takes the global lock, and lines are logged by threads that must never wait for it (a
// hook procedure whose try-lock failed), so the lock is only tried: false when another
// thread holds it. Called without csLogMutex held.
bool TryResolveLogFilePath(Char* path, size_t size) {
    path[0] = 0;
    if (t_resolvingPath || !CThreadLock::GlobalCSReady())
        return false;
    struct ResolvingScope {
        ResolvingScope() { t_resolvingPath = true; }
        ~ResolvingScope() { t_resolvingPath = false; }
    } scope;
    const auto logFile = pw::InstalledLibraryFiles().logFile;
    if (!logFile)
        return false;
    bool resolved = false;
    {
        pw::ScopedTryLock lock(L"GetLogFile");
        if (!lock.Held())
            return false;
        try {
            resolved = logFile(path, size, true) == 0 && path[0] != 0;
        } catch (...) {
        }
    }
    if (!resolved)
        path[0] = 0;
    return resolved;
}

} // namespace

void CLogger::Initialise() {
    csLogMutex.Initialize();
    // Started again, the log writes its banner again, as one just loaded does.
    m_bDisableBanner = false;
    m_bDead = false;
    // The path is looked up now, while no other thread of the library runs, so that every
    // later line has a file to go to even when the lookup would have to wait.
    Char path[pw::kMaxPath];
    const bool resolved = TryResolveLogFilePath(path, pw::kMaxPath);
    ScopedCriticalSection hold(csLogMutex);
    pw::CopyString(g_lastPath, std::size(g_lastPath), resolved ? path : L"");
}

void CLogger::Shutdown() {
    m_bDead = true;
    if (!csLogMutex.IsInitialized())
        return;
    {
        // A file still open is let go here, so a later Initialise starts from a clean state.
        ScopedCriticalSection hold(csLogMutex);
        SetFile(nullptr);
    }
    csLogMutex.Delete();
}

void CLogger::LogMessage(const Char* format, ...) {
    if (m_bDisableLogging.load(std::memory_order_relaxed))
        return;
    va_list args;
    va_start(args, format);
    WriteV(Level::Info, format, args);
    va_end(args);
}

void CLogger::LogDebug(const Char* format, ...) {
    // The hook procedures log here on every event: with debugging off this is the cost.
    if (!m_bDebugging.load(std::memory_order_relaxed) ||
        m_bDisableLogging.load(std::memory_order_relaxed))
        return;
    va_list args;
    va_start(args, format);
    WriteV(Level::Debug, format, args);
    va_end(args);
}

void CLogger::LogMessageV(const Char* format, va_list args) {
    WriteV(Level::Info, format, args);
}

void CLogger::LogDebugV(const Char* format, va_list args) {
    WriteV(Level::Debug, format, args);
}

void CLogger::DebugOutput(const Char* format, ...) {
    if (m_bDead) {
        GetDiagnostics().DebugOutput(kShutdownNotice);
        return;
    }
    Char message[kMaxLine];
    va_list args;
    va_start(args, format);
    FormatCallerMessage(message, L"DebugOutput", format, args);
    va_end(args);
    Char line[kMaxLine];
    StampLine(line, message);
    GetDiagnostics().DebugOutput(line);
}

void CLogger::LogOSError(unsigned long code, const Char* format, ...) {
    va_list args;
    va_start(args, format);
    WriteOSErrorV(Level::Debug, code, format, args);
    va_end(args);
}

void CLogger::LogOSMessage(unsigned long code, const Char* format, ...) {
    va_list args;
    va_start(args, format);
    WriteOSErrorV(Level::Info, code, format, args);
    va_end(args);
}

void CLogger::WriteOSErrorV(Level level, unsigned long code, const Char* format, va_list args) {
    if (m_bDisableLogging || (level == Level::Debug && !m_bDebugging))
        return;
    Char message[kMaxLine];
    FormatCallerMessage(message, level == Level::Debug ? L"LogOSError" : L"LogOSMessage", format,
                        args);
    const String text = GetDiagnostics().SystemErrorText(static_cast<uint32_t>(code));
    if (level == Level::Debug)
        LogDebug(L"%ls (%d): %ls", message, static_cast<int>(code), text.c_str());
    else
        LogMessage(L"%ls (%d): %ls", message, static_cast<int>(code), text.c_str());
}

void CLogger::WriteV(Level level, const Char* format, va_list args) {
    if (m_bDisableLogging || (level == Level::Debug && !m_bDebugging))
        return;
    if (m_bDead) {
        GetDiagnostics().DebugOutput(kShutdownNotice);
        return;
    }
    Char message[kMaxLine];
    FormatCallerMessage(message, level == Level::Debug ? L"LogDebug" : L"LogMessage", format, args);
    Char line[kMaxLine];
    StampLine(line, message);
    GetDiagnostics().DebugOutput(line);
    AppendToFile(level, line);
}

void CLogger::AppendToFile(Level level, const Char* line) {
    if (m_bFileOpen.load(std::memory_order_acquire)) {
        AppendLocked(level, line, nullptr);
        return;
    }
    // A line logged while this thread looks the path up stays on the debug output.
    if (t_resolvingPath)
        return;
    Char path[pw::kMaxPath];
    const bool resolved = TryResolveLogFilePath(path, pw::kMaxPath);
    AppendLocked(level, line, resolved ? path : nullptr);
}

void CLogger::EnterLogLock(Level level) {
    if (csLogMutex.TryEnter())
        return;
    auto& diagnostics = GetDiagnostics();
    if (level == Level::Debug) {
        diagnostics.DebugOutput(
            L"... Delayed entering critical section for logger lock as it is already locked\n");
        csLogMutex.Enter();
        return;
    }
    diagnostics.DebugOutput(
        L"Waiting to enter critical section for logger lock as it is already locked...\n");
    const uint32_t start = pw::platform::TickCount();
    csLogMutex.Enter();
    Char notice[128];
    pw::Format(notice, std::size(notice), L"Entered critical section for logger lock in %dms.\n",
               static_cast<int>(pw::platform::TickCount() - start));
    diagnostics.DebugOutput(notice);
}

void CLogger::AppendLocked(Level level, const Char* line, const Char* resolvedPath) {
    EnterLogLock(level);
    ScopedCriticalSection hold(csLogMutex, std::adopt_lock);
    try {
        if (OpenLogFile(resolvedPath))
            AppendInCodePage(*m_hLogFile, line);
    } catch (...) {
        GetDiagnostics().DebugOutput(level == Level::Debug
                                         ? L"Unexpected exception in VESK CLogger::LogDebug\n"
                                         : L"Unexpected exception in VESK CLogger::LogMessage\n");
    }
}

bool CLogger::OpenLogFile(const Char* resolvedPath) {
    if (m_hLogFile)
        return true;
    if (resolvedPath)
        pw::CopyString(g_lastPath, std::size(g_lastPath), resolvedPath);
    if (!g_lastPath[0])
        return false;

    uint32_t error = 0;
    auto file =
        pw::platform::GetFileSystem().Open(g_lastPath, pw::platform::FileOpen::OpenOrCreate, error);
    if (!file) {
        Char notice[kMaxLine];
        pw::Format(notice, kMaxLine, L"Error %d. Unable to open the log file '%ls'.\n",
                   static_cast<int>(error), g_lastPath);
        GetDiagnostics().DebugOutput(notice);
        return false;
    }
    pw::logfile::TrimToRecentLines(*file);
    if (!m_bDisableBanner) {
        file->Append(kBanner.data(), kBanner.size());
        file->Flush();
    }
    SetFile(std::move(file));
    return true;
}

void CLogger::SetFile(std::unique_ptr<pw::platform::File> file) {
    m_hLogFile = std::move(file);
    m_bFileOpen.store(m_hLogFile != nullptr, std::memory_order_release);
}

void CLogger::EnableDebug(bool enable) {
    if (m_bDead) {
        GetDiagnostics().DebugOutput(kShutdownNotice);
        return;
    }
    ScopedCriticalSection hold(csLogMutex);
    m_bDebugging = enable;
}

void CLogger::DisableLogging(bool disable) {
    if (m_bDead) {
        GetDiagnostics().DebugOutput(kShutdownNotice);
        return;
    }
    ScopedCriticalSection hold(csLogMutex);
    m_bDisableLogging = disable;
}

bool CLogger::DebugEnabled() {
    return m_bDebugging;
}

bool CLogger::LoggingDisabled() {
    return m_bDisableLogging;
}

void CLogger::DisableBanner() {
    m_bDisableBanner = true;
}

void CLogger::FlushLog() {
    if (m_bDead) {
        GetDiagnostics().DebugOutput(kShutdownNotice);
        return;
    }
    ScopedCriticalSection hold(csLogMutex);
    if (m_hLogFile)
        m_hLogFile->Flush();
}

void CLogger::CloseLogFile(bool appendLineEnd) {
    if (m_bDead) {
        GetDiagnostics().DebugOutput(kShutdownNotice);
        return;
    }
    ScopedCriticalSection hold(csLogMutex);
    if (!m_hLogFile)
        return;
    if (appendLineEnd)
        m_hLogFile->Append("\r\n", 2);
    m_hLogFile->Flush();
    SetFile(nullptr);
}
