#include "platform/win32/win32_api.h"

#include "platform/win32/win32_messages.h"

namespace pw::win32 {

unsigned Win32Messages::RegisterWindowMessage(const Char* name) {
    return ::RegisterWindowMessageW(name);
}

bool Win32Messages::PostMessage(HWND window, unsigned message, WPARAM wParam, LPARAM lParam) {
    return ::PostMessageW(window, message, wParam, lParam) != FALSE;
}

bool Win32Messages::PostThreadMessage(unsigned long threadId, unsigned message, WPARAM wParam,
                                      LPARAM lParam) {
    return ::PostThreadMessageW(threadId, message, wParam, lParam) != FALSE;
}

LRESULT Win32Messages::SendMessage(HWND window, unsigned message, WPARAM wParam, LPARAM lParam) {
    return ::SendMessageW(window, message, wParam, lParam);
}

bool Win32Messages::SendMessageTimeout(HWND window, unsigned message, WPARAM wParam, LPARAM lParam,
                                       unsigned flags, unsigned timeoutMs, uintptr_t* result) {
    DWORD_PTR answer = 0;
    const LRESULT sent =
        ::SendMessageTimeoutW(window, message, wParam, lParam, flags, timeoutMs, &answer);
    if (result)
        *result = answer;
    return sent != 0;
}

unsigned long Win32Messages::CurrentThreadId() {
    return ::GetCurrentThreadId();
}

void Win32Messages::CreateThreadQueue() {
    MSG message;
    ::PeekMessageW(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
}

int Win32Messages::GetMessage(ThreadMessage& out) {
    MSG message;
    const BOOL result = ::GetMessageW(&message, nullptr, 0, 0);
    if (result == -1)
        return -1;
    out.message = message.message;
    out.wParam = message.wParam;
    out.lParam = message.lParam;
    return result == 0 ? 0 : 1;
}

void Win32Messages::DispatchThreadMessage(const ThreadMessage& message) {
    // The procedure in a timer message is the system's own handle for it (not always a
    // plain address), so only the system's dispatch may call it.
    MSG msg{};
    msg.message = message.message;
    msg.wParam = message.wParam;
    msg.lParam = message.lParam;
    msg.time = ::GetTickCount();
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
}

unsigned Win32Input::SendInput(const platform::InputRecord* records, unsigned count) {
    if (!records || count == 0)
        return 0;
    // Converted in batches so that no allocation is needed.
    constexpr unsigned kBatch = 32;
    INPUT inputs[kBatch];
    unsigned sent = 0;
    while (sent < count) {
        const unsigned batch = count - sent < kBatch ? count - sent : kBatch;
        for (unsigned i = 0; i < batch; ++i) {
            const platform::InputRecord& record = records[sent + i];
            INPUT& input = inputs[i];
            ZeroMemory(&input, sizeof(input));
            if (record.type == platform::InputType::Mouse) {
                input.type = INPUT_MOUSE;
                input.mi.dx = record.mouse.dx;
                input.mi.dy = record.mouse.dy;
                input.mi.mouseData = record.mouse.mouseData;
                input.mi.dwFlags = record.mouse.flags;
                input.mi.time = record.mouse.time;
                input.mi.dwExtraInfo = record.mouse.extraInfo;
            } else {
                input.type = INPUT_KEYBOARD;
                input.ki.wVk = record.key.vk;
                input.ki.wScan = record.key.scan;
                input.ki.dwFlags = record.key.flags;
                input.ki.time = record.key.time;
                input.ki.dwExtraInfo = record.key.extraInfo;
            }
        }
        const UINT taken = ::SendInput(batch, inputs, sizeof(INPUT));
        sent += taken;
        if (taken < batch)
            break;
    }
    return sent;
}

LRESULT Win32Input::CallNextHook(HHOOK hook, int code, WPARAM wParam, LPARAM lParam) {
    return ::CallNextHookEx(hook, code, wParam, lParam);
}

short Win32Input::AsyncKeyState(int virtualKey) {
    return ::GetAsyncKeyState(virtualKey);
}

uintptr_t Win32Timers::SetTimer(uintptr_t id, unsigned periodMs, Proc proc) {
    return ::SetTimer(nullptr, id, periodMs, reinterpret_cast<TIMERPROC>(proc));
}

bool Win32Timers::KillTimer(uintptr_t id) {
    return ::KillTimer(nullptr, id) != FALSE;
}

} // namespace pw::win32
