#include "platform/win32/win32_api.h"

#include "platform/win32/win32_crash_reporter.h"

#include <algorithm>
#include <cstdlib>

namespace pw::win32 {

using platform::ScopedCriticalSection;

namespace {

// The reporter whose filters are in place; the system's callbacks carry no context.
std::atomic<Win32CrashReporter*> g_activeReporter{nullptr};

LONG WINAPI CrashFilter(EXCEPTION_POINTERS* info) {
    if (Win32CrashReporter* reporter = g_activeReporter.load()) {
        const EXCEPTION_RECORD* record = info ? info->ExceptionRecord : nullptr;
        reporter->Report(L"Unhandled exception", record ? record->ExceptionCode : 0,
                         record ? record->ExceptionAddress : nullptr);
    }
    return EXCEPTION_EXECUTE_HANDLER;
}

[[noreturn]] void CrashTerminate() {
    if (Win32CrashReporter* reporter = g_activeReporter.load())
        reporter->Report(L"Unhandled C++ exception (terminate)", 0, nullptr);
    std::abort();
}

String Copy(const Char* text) {
    return text ? String(text) : String();
}

// Report text and its UTF-8 form live outside the stack: a stack overflow is one of the
// faults being reported. Only one report is ever written, so one set serves.
Char g_reportText[16384];
char g_reportBytes[sizeof g_reportText / sizeof(Char) * 3];
Char g_reportFolder[4096];
Char g_reportPath[4096];

// Appends formatted text to g_reportText; text past its end is dropped.
void AppendLine(size_t& used, const Char* format, ...) {
    if (used + 1 >= std::size(g_reportText))
        return;
    va_list args;
    va_start(args, format);
    const size_t room = std::size(g_reportText) - used;
    int n = _vsnwprintf(g_reportText + used, room, format, args);
    va_end(args);
    if (n > 0 && static_cast<size_t>(n) < room)
        used += static_cast<size_t>(n);
    else
        g_reportText[used] = 0;
}

} // namespace

Win32CrashReporter::Win32CrashReporter() {
    lock_.Initialize();
}

Win32CrashReporter::~Win32CrashReporter() {
    RemoveFilters();
}

void Win32CrashReporter::SetAppName(const Char* name) {
    ScopedCriticalSection hold(lock_);
    appName_ = Copy(name);
}

void Win32CrashReporter::SetAppVersion(const Char* version) {
    ScopedCriticalSection hold(lock_);
    appVersion_ = Copy(version);
}

void Win32CrashReporter::SetReportFolder(const Char* folder) {
    ScopedCriticalSection hold(lock_);
    reportFolder_ = Copy(folder);
}

void Win32CrashReporter::AddAttachment(const Char* path) {
    if (!path || !path[0])
        return;
    ScopedCriticalSection hold(lock_);
    if (std::find(attachments_.begin(), attachments_.end(), path) == attachments_.end())
        attachments_.emplace_back(path);
}

void Win32CrashReporter::SetSupport(const Char* email, const Char* url, const Char* server,
                                    unsigned short port) {
    ScopedCriticalSection hold(lock_);
    supportEmail_ = Copy(email);
    supportUrl_ = Copy(url);
    server_ = Copy(server);
    port_ = port;
}

void Win32CrashReporter::SetNotificationEmail(const Char* email) {
    ScopedCriticalSection hold(lock_);
    notificationEmail_ = Copy(email);
}

void Win32CrashReporter::SetFlags(unsigned long flags) {
    ScopedCriticalSection hold(lock_);
    flags_ = flags;
}

void Win32CrashReporter::SetPreErrorHandler(PreErrorHandler handler) {
    preErrorHandler_.store(handler);
}

void Win32CrashReporter::InstallFilters() {
    ScopedCriticalSection hold(lock_);
    LPTOP_LEVEL_EXCEPTION_FILTER previousFilter = SetUnhandledExceptionFilter(CrashFilter);
    std::terminate_handler previousTerminate = std::set_terminate(CrashTerminate);
    if (!installed_) {
        previousFilter_ = reinterpret_cast<void*>(previousFilter);
        previousTerminate_ = previousTerminate;
        installed_ = true;
    }
    g_activeReporter.store(this);
}

void Win32CrashReporter::RemoveFilters() {
    ScopedCriticalSection hold(lock_);
    if (installed_) {
        auto previousFilter = reinterpret_cast<LPTOP_LEVEL_EXCEPTION_FILTER>(previousFilter_);
        LPTOP_LEVEL_EXCEPTION_FILTER current = SetUnhandledExceptionFilter(previousFilter);
        if (current != CrashFilter)
            SetUnhandledExceptionFilter(current); // someone else's filter came later; keep it
        std::terminate_handler currentTerminate = std::set_terminate(previousTerminate_);
        if (currentTerminate != CrashTerminate)
            std::set_terminate(currentTerminate);
        installed_ = false;
    }
    Win32CrashReporter* self = this;
    g_activeReporter.compare_exchange_strong(self, nullptr);
}

void Win32CrashReporter::Report(const Char* reason, unsigned long code, const void* address) {
    if (reported_.exchange(true))
        return;
    // Hooks come off first, so that input keeps working whatever the report does.
    if (PreErrorHandler handler = preErrorHandler_.load()) {
        try {
            handler();
        } catch (...) {
            OutputDebugStringW(L"Win32CrashReporter: The pre-error handler failed\n");
        }
    }
    WriteReportFile(reason, code, address);
}

bool Win32CrashReporter::ReportFolder(Char* folder, size_t capacity) const {
    // The folder the library named (beside its log), else the temporary folder.
    if (!reportFolder_.empty() && reportFolder_.size() < capacity) {
        reportFolder_.copy(folder, reportFolder_.size());
        folder[reportFolder_.size()] = 0;
        return true;
    }
    DWORD length = GetTempPathW(static_cast<DWORD>(capacity), folder);
    return length > 0 && length < capacity;
}

void Win32CrashReporter::WriteReportFile(const Char* reason, unsigned long code,
                                         const void* address) {
    Char* path = g_reportPath;
    size_t used = 0;
    bool named = false;
    {
        ScopedCriticalSection hold(lock_);
        bool haveFolder = ReportFolder(g_reportFolder, std::size(g_reportFolder));
        const Char* appName = appName_.empty() ? L"PallawickHook" : appName_.c_str();
        DWORD tick = GetTickCount();

        g_reportText[0] = 0;
        AppendLine(used, L"%ls %ls crash report\r\n", appName, appVersion_.c_str());
        AppendLine(used, L"Reason: %ls\r\n", reason ? reason : L"");
        AppendLine(used, L"Exception code: 0x%08lX\r\n", code);
        AppendLine(used, L"Exception address: 0x%p\r\n", address);
        AppendLine(used, L"Thread: %lu\r\n", GetCurrentThreadId());
        AppendLine(used, L"Tick count: %lu\r\n", tick);
        AppendLine(used, L"Report flags: %lu\r\n", flags_);
        AppendLine(used, L"Support: %ls, %ls, %ls:%u\r\n", supportEmail_.c_str(),
                   supportUrl_.c_str(), server_.c_str(), static_cast<unsigned>(port_));
        AppendLine(used, L"Notification: %ls\r\n", notificationEmail_.c_str());
        AppendLine(used, L"Attachments:\r\n");
        for (const String& attachment : attachments_)
            AppendLine(used, L"  %ls\r\n", attachment.c_str());

        const int length = haveFolder
                               ? _snwprintf(path, std::size(g_reportPath), L"%ls%ls-crash-%lu.txt",
                                            g_reportFolder, appName, tick)
                               : -1;
        named = length > 0 && static_cast<size_t>(length) < std::size(g_reportPath);
    }
    if (!named)
        return;

    int bytes = WideCharToMultiByte(CP_UTF8, 0, g_reportText, static_cast<int>(used), g_reportBytes,
                                    static_cast<int>(sizeof g_reportBytes), nullptr, nullptr);
    HANDLE file = CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        OutputDebugStringW(L"Win32CrashReporter: Unable to write the crash report\n");
        return;
    }
    DWORD written = 0;
    if (bytes > 0)
        WriteFile(file, g_reportBytes, static_cast<DWORD>(bytes), &written, nullptr);
    FlushFileBuffers(file);
    CloseHandle(file);
    OutputDebugStringW(L"Win32CrashReporter: Crash report written to ");
    OutputDebugStringW(path);
    OutputDebugStringW(L"\n");
}

} // namespace pw::win32
