#pragma once

#include "platform/platform.h"

namespace pw::win32 {

class Win32Messages final : public platform::Messages {
  public:
    unsigned RegisterWindowMessage(const Char* name) override;
    bool PostMessage(HWND window, unsigned message, WPARAM wParam, LPARAM lParam) override;
    bool PostThreadMessage(unsigned long threadId, unsigned message, WPARAM wParam,
                           LPARAM lParam) override;
    LRESULT SendMessage(HWND window, unsigned message, WPARAM wParam, LPARAM lParam) override;
    bool SendMessageTimeout(HWND window, unsigned message, WPARAM wParam, LPARAM lParam,
                            unsigned flags, unsigned timeoutMs, uintptr_t* result) override;
    unsigned long CurrentThreadId() override;
    void CreateThreadQueue() override;
    int GetMessage(ThreadMessage& out) override;
    void DispatchThreadMessage(const ThreadMessage& message) override;
};

// Input injection, the hook chain and the live key state.
class Win32Input final : public platform::Input {
  public:
    unsigned SendInput(const platform::InputRecord* records, unsigned count) override;
    LRESULT CallNextHook(HHOOK hook, int code, WPARAM wParam, LPARAM lParam) override;
    short AsyncKeyState(int virtualKey) override;
};

// Thread timers of the calling thread.
class Win32Timers final : public platform::Timers {
  public:
    uintptr_t SetTimer(uintptr_t id, unsigned periodMs, Proc proc) override;
    bool KillTimer(uintptr_t id) override;
};

} // namespace pw::win32
