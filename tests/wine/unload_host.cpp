// A stand-in for a main program that unloads the library while it is hooked, run under
// Wine against the real PallawickHook.dll: it loads the library with LoadLibrary, has the
// settings loaded, sets the hooks and then calls FreeLibrary without RemoveMouseHook. The
// unload must return in time, and the session's input must still work afterwards: the
// host's own hooks and window see what it injects, and no key or button is left down.
// One line per check; the exit code is the number of failed checks.

#include <windows.h>

#include "host_common.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

using host::Check;
using host::kButtonNames;
using host::kHostMarker;
using host::Pump;
using host::PumpUntil;
using host::SendButton;
using host::SendKeyPress;
using host::ThreadCount;
using host::WheelLines;

constexpr DWORD kEventWaitMs = 1500;
// The unload stops two threads with 5000 ms each at most.
constexpr DWORD kUnloadLimitMs = 11000;
// The wheel lines of the default profile, unlike the system's 3 of a fresh prefix.
constexpr UINT kProfileWheelLines = 7;

struct MouseSeen {
    WPARAM message;
    ULONG_PTR extraInfo;
};
struct KeySeen {
    DWORD vk;
    bool up;
};
std::vector<MouseSeen> g_mouse;
std::vector<KeySeen> g_keys;
std::wstring g_typed;
int g_clicks = 0;
int g_mainWindowNotes = 0;
UINT g_mainWindowMessage = 0;

LRESULT CALLBACK OwnMouseHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && wParam != WM_MOUSEMOVE) {
        const auto* event = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
        g_mouse.push_back({wParam, event->dwExtraInfo});
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK OwnKeyHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        const auto* event = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        if (event->flags & LLKHF_INJECTED)
            g_keys.push_back({event->vkCode, (event->flags & LLKHF_UP) != 0});
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == g_mainWindowMessage && message != 0) {
        ++g_mainWindowNotes;
        return 0;
    }
    if (message == WM_CHAR) {
        g_typed += static_cast<wchar_t>(wParam);
        return 0;
    }
    if (message == WM_LBUTTONUP)
        ++g_clicks;
    if (message == WM_CONTEXTMENU)
        return 0;
    return DefWindowProcW(window, message, wParam, lParam);
}

void ClearSeen() {
    g_mouse.clear();
    g_keys.clear();
    g_typed.clear();
    g_clicks = 0;
}

size_t OwnButtonEvents(WPARAM down, WPARAM up) {
    size_t count = 0;
    for (const MouseSeen& seen : g_mouse)
        if (seen.extraInfo == kHostMarker && (seen.message == down || seen.message == up))
            ++count;
    return count;
}

// Injected letter keys as "a+ a- b+ b-" (press +, release -).
std::string LetterKeys() {
    std::string keys;
    for (const KeySeen& key : g_keys) {
        if (key.vk < 'A' || key.vk > 'Z')
            continue;
        if (!keys.empty())
            keys += ' ';
        keys += static_cast<char>(key.vk - 'A' + 'a');
        keys += key.up ? '-' : '+';
    }
    return keys;
}

// The virtual keys and buttons the system holds down, as "0x41 0x02".
std::string HeldKeys() {
    std::string held;
    for (int vk = 1; vk < 255; ++vk) {
        if (!host::IsDown(vk))
            continue;
        char text[8];
        std::snprintf(text, sizeof text, "0x%02X", vk);
        held += (held.empty() ? "" : " ") + std::string(text);
    }
    return held;
}

// Default profile: the right button types "ab"; everything else is left alone. The profile
// scrolls kProfileWheelLines lines per notch.
std::string SettingsXml() {
    std::string xml = std::string(host::kSettingsHead) +
                      "\t<Layers Number=\"1\" />\r\n"
                      "\t<Logging Disable=\"false\" />\r\n"
                      "\t<SwitchOnMouseOver Enable=\"false\" />\r\n"
                      "\t<Default ScrollPages=\"false\" ScrollLines=\"" +
                      std::to_string(kProfileWheelLines) +
                      "\" ForceSPI=\"false\" SwapButtons=\"0\">\r\n"
                      "\t\t<Layer name=\"\" autoswitchlayer=\"0\" autoswitchtime=\"1\" "
                      "revertlayer1=\"false\" disabled=\"false\" />\r\n";
    for (const char* button : kButtonNames) {
        const bool right = std::string(button) == "Right";
        xml += "\t\t<" + std::string(button) + " action=\"" + (right ? "28" : "40") + "\" keys=\"" +
               (right ? "ab" : "") +
               "\" keyaction=\"0\" keyrepeat=\"34\" active=\"true\" blockmouse=\"true\" "
               "randomisedelay=\"false\" app=\"\" />\r\n";
    }
    xml += "\t</Default>\r\n\t<Applications />\r\n</root>\r\n";
    return xml;
}

// Ends the process with a failure when the unload has not returned in time: the main
// thread is then stuck inside FreeLibrary for good.
struct Watchdog {
    HANDLE running = nullptr;
    HANDLE done = nullptr;
    HANDLE thread = nullptr;
};

DWORD WINAPI WatchUnload(void* param) {
    auto* watchdog = static_cast<Watchdog*>(param);
    SetEvent(watchdog->running);
    if (WaitForSingleObject(watchdog->done, kUnloadLimitMs) == WAIT_OBJECT_0)
        return 0;
    Check(false, "FreeLibrary of the hooked library returns in time",
          "still inside after " + std::to_string(kUnloadLimitMs) + " ms");
    std::printf("%d check(s) failed\n", host::g_failures);
    std::fflush(stdout);
    // ExitProcess would wait for the loader lock the stuck unload holds.
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(host::g_failures));
    return 1;
}

void CheckHooked() {
    // The right button is swallowed and "ab" is typed in its place.
    ClearSeen();
    SendButton(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    PumpUntil(kEventWaitMs, [] { return LetterKeys() == "a+ a- b+ b-"; });
    Pump(200);
    Check(OwnButtonEvents(WM_RBUTTONDOWN, WM_RBUTTONUP) == 0 && LetterKeys() == "a+ a- b+ b-",
          "while hooked the right button types \"ab\"", "[" + LetterKeys() + "]");
    const bool applied = PumpUntil(kEventWaitMs, [] { return WheelLines() == kProfileWheelLines; });
    Check(applied, "the profile's wheel lines are applied", std::to_string(WheelLines()));
}

// After the unload the host's hooks and window see its input as it is, and nothing is
// held.
void CheckInputAfterUnload(HWND window, UINT systemLines) {
    host::BringToFront(window, 2000);
    SetFocus(window);
    ClearSeen();
    const bool sent = SendButton(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP) &&
                      SendButton(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP) && SendKeyPress('C');
    // Exactly these: nothing is swallowed, and nothing is typed in their place.
    const auto arrived = [] {
        return OwnButtonEvents(WM_RBUTTONDOWN, WM_RBUTTONUP) == 2 && LetterKeys() == "c+ c-" &&
               g_clicks == 1 && g_typed == L"c";
    };
    const bool seen = PumpUntil(kEventWaitMs, arrived);
    Pump(200);
    Check(sent && seen && arrived(),
          "after the unload the host's click and key reach its hooks and window",
          "keys [" + LetterKeys() + "], " + std::to_string(g_clicks) + " click(s), typed \"" +
              host::Narrow(g_typed) + "\"");
    const std::string held = HeldKeys();
    Check(held.empty(), "no key or button is left down", held);
    const UINT expectedLines = systemLines ? systemLines : 3;
    Check(WheelLines() == expectedLines, "the unload restores the system's wheel lines",
          std::to_string(WheelLines()) + " lines, " + std::to_string(expectedLines) + " before");
}

void Run() {
    g_mainWindowMessage = RegisterWindowMessageW(L"VESKMainWindow");
    const std::wstring folder = host::CreateSettingsFolder(L"pallawick-unload-host");
    Check(host::WriteSettingsFolder(folder, SettingsXml()),
          "the registry names the host's settings folder");
    Check(GetModuleHandleW(L"PallawickHook.dll") == nullptr,
          "the host does not import the library");

    HWND window = host::CreateOwnWindow(
        {WindowProc, L"PallawickUnloadHost", L"Pallawick unload host", {100, 100, 500, 400}});
    Check(window != nullptr, "the host window is created");
    if (!window)
        return;
    host::BringToFront(window, 2000);
    SetCursorPos(300, 250);
    Pump(100);

    // Installed first, so the library's hooks run before these.
    HHOOK ownMouse = SetWindowsHookExW(WH_MOUSE_LL, OwnMouseHook, GetModuleHandleW(nullptr), 0);
    HHOOK ownKeys = SetWindowsHookExW(WH_KEYBOARD_LL, OwnKeyHook, GetModuleHandleW(nullptr), 0);
    Check(ownMouse && ownKeys, "the host's own low-level hooks are installed");

    const UINT systemLines = WheelLines();
    const size_t threadsBefore = ThreadCount();
    HMODULE module = LoadLibraryW(L"PallawickHook.dll");
    Check(module != nullptr, "LoadLibrary loads the library",
          module ? "" : "error " + std::to_string(GetLastError()));
    if (!module)
        return;
    host::Library library;
    if (!host::ResolveLibrary(library, module))
        return;
    library.updateSettings();
    library.setHookMainWindow(window);
    Check(library.setMouseHook(), "SetMouseHook starts the hook thread");
    Check(PumpUntil(3000, [] { return g_mainWindowNotes > 0; }),
          "\"VESKMainWindow\" announces the installed hooks");
    CheckHooked();

    Watchdog watchdog;
    watchdog.running = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    watchdog.done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    // Running before the unload begins: a thread cannot start while the loader lock is held.
    watchdog.thread = CreateThread(nullptr, 0, WatchUnload, &watchdog, 0, nullptr);
    WaitForSingleObject(watchdog.running, INFINITE);
    const DWORD start = GetTickCount();
    const BOOL freed = FreeLibrary(module);
    const DWORD took = GetTickCount() - start;
    SetEvent(watchdog.done);
    Check(freed && took < kUnloadLimitMs, "FreeLibrary of the hooked library returns in time",
          std::to_string(took) + " ms");
    Check(GetModuleHandleW(L"PallawickHook.dll") == nullptr, "the library is unloaded");
    WaitForSingleObject(watchdog.thread, INFINITE);
    CloseHandle(watchdog.thread);
    CloseHandle(watchdog.done);
    CloseHandle(watchdog.running);
    const bool gone = PumpUntil(2000, [&] { return ThreadCount() <= threadsBefore; });
    Check(gone, "the library's threads are gone",
          std::to_string(ThreadCount()) + " threads, " + std::to_string(threadsBefore) + " before");

    CheckInputAfterUnload(window, systemLines);

    UnhookWindowsHookEx(ownKeys);
    UnhookWindowsHookEx(ownMouse);
    DestroyWindow(window);
}

} // namespace

int main() {
    Run();
    std::printf("%d check(s) failed\n", host::g_failures);
    return host::g_failures;
}
