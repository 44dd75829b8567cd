#include "platform/win32/win32_api.h"

#include "platform/win32/win32_threads.h"

#include <pthread.h>

namespace pw::win32 {

namespace {

// The exception debuggers take as "name this thread", and the record it carries.
constexpr DWORD kNameThreadException = 0x406D1388;
// On x86-64 it fills three pointer-sized words.
struct ThreadNameRecord {
    DWORD type; // 0x1000
    LPCSTR name;
    DWORD threadId;
    DWORD flags; // 0
};

// Without a debugger nobody takes the exception: it is continued here, before any frame
// handler sees it.
LONG CALLBACK SwallowThreadName(EXCEPTION_POINTERS* pointers) {
    if (pointers && pointers->ExceptionRecord &&
        pointers->ExceptionRecord->ExceptionCode == kNameThreadException)
        return EXCEPTION_CONTINUE_EXECUTION;
    return EXCEPTION_CONTINUE_SEARCH;
}

} // namespace

bool Win32Threads::SetCurrentThreadPriority(int priority) {
    return ::SetThreadPriority(::GetCurrentThread(), priority) != FALSE;
}

bool Win32Threads::SetProcessPriorityClass(unsigned long priorityClass) {
    return ::SetPriorityClass(::GetCurrentProcess(), priorityClass) != FALSE;
}

void Win32Threads::NameThread(unsigned long threadId, const char* name) {
    if (!name)
        return;
    ThreadNameRecord record{0x1000, name, threadId, 0};
    PVOID handler = ::AddVectoredExceptionHandler(1, SwallowThreadName);
    if (!handler)
        return;
    ::RaiseException(kNameThreadException, 0, sizeof(record) / sizeof(ULONG_PTR),
                     reinterpret_cast<const ULONG_PTR*>(&record));
    ::RemoveVectoredExceptionHandler(handler);
}

bool Win32Threads::TerminateThread(std::thread& thread, unsigned long exitCode) {
    if (!thread.joinable())
        return false;
    HANDLE handle = static_cast<HANDLE>(pthread_gethandle(thread.native_handle()));
    return handle && ::TerminateThread(handle, exitCode) != FALSE;
}

void Win32Threads::ExitProcess(unsigned exitCode) {
    ::ExitProcess(exitCode);
}

} // namespace pw::win32
