// A stand-in for the main program, run under Wine against the real PallawickHook.dll: it
// writes a settings file into a folder of its own, points the library at it, gives it a
// window, sets the hooks and injects real input. Its own low-level hooks, installed
// before the library's, see what the library lets through and what it injects; its
// window receives what the library posts. One line per check; the exit code is the
// number of failed checks.

#include <windows.h>

#include "host_common.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

using host::Check;
using host::kButtonNames;
using host::kHostMarker;
using host::Library;
using host::Narrow;
using host::Pump;
using host::PumpUntil;
using host::SendButton;
using host::SendKeyPress;
using host::ThreadCount;
using host::WheelLines;

constexpr DWORD kEventWaitMs = 1500;
constexpr DWORD kThreadExitWaitMs = 5000;

// What the host's own hooks and window saw.
struct MouseSeen {
    WPARAM message;
    ULONG_PTR extraInfo;
};
struct KeySeen {
    DWORD vk;
    bool up;
    bool injected;
};
std::vector<MouseSeen> g_mouse;
std::vector<KeySeen> g_keys;
std::vector<WPARAM> g_layerChanges;
int g_mainWindowNotes = 0;
std::vector<std::pair<WPARAM, LPARAM>> g_osdShows;
UINT g_layerChangedMessage = 0;
UINT g_mainWindowMessage = 0;
UINT g_osdShowMessage = 0;

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
        g_keys.push_back(
            {event->vkCode, (event->flags & LLKHF_UP) != 0, (event->flags & LLKHF_INJECTED) != 0});
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == g_layerChangedMessage && message != 0) {
        g_layerChanges.push_back(wParam);
        return 0;
    }
    if (message == g_mainWindowMessage && message != 0) {
        ++g_mainWindowNotes;
        return 0;
    }
    if (message == g_osdShowMessage && message != 0) {
        g_osdShows.emplace_back(wParam, lParam);
        return 0;
    }
    if (message == WM_CONTEXTMENU)
        return 0;
    return DefWindowProcW(window, message, wParam, lParam);
}

void ClearSeen() {
    g_mouse.clear();
    g_keys.clear();
    g_layerChanges.clear();
    g_osdShows.clear();
}

// The host's own events of one button, in the order its hook saw them.
std::vector<WPARAM> OwnButtonEvents(WPARAM down, WPARAM up) {
    std::vector<WPARAM> events;
    for (const MouseSeen& seen : g_mouse)
        if (seen.extraInfo == kHostMarker && (seen.message == down || seen.message == up))
            events.push_back(seen.message);
    return events;
}

// Letter keys as "a+ a- b+ b-" (press +, release -), from any source.
std::string LetterKeys(bool injectedOnly) {
    std::string keys;
    for (const KeySeen& key : g_keys) {
        if (key.vk < 'A' || key.vk > 'Z' || (injectedOnly && !key.injected))
            continue;
        if (!keys.empty())
            keys += ' ';
        keys += static_cast<char>(key.vk - 'A' + 'a');
        keys += key.up ? '-' : '+';
    }
    return keys;
}

// The wheel lines of the default profile, unlike the system's 3 of a fresh prefix.
constexpr UINT kProfileWheelLines = 7;

// Default profile, layer 1: the right button types "ab" on press, the middle button
// switches to the next layer, the first side button is Brightness Up; everything else is
// left alone. The profile scrolls
// kProfileWheelLines lines per notch.
std::string SettingsXml() {
    std::string xml = std::string(host::kSettingsHead) +
                      "\t<Layers Number=\"2\" />\r\n"
                      "\t<Logging Disable=\"false\" />\r\n"
                      "\t<ScrollLock BypassAll=\"false\" BypassDisabled=\"false\" />\r\n"
                      "\t<SwitchOnMouseOver Enable=\"false\" />\r\n"
                      "\t<BalloonNotification Enable=\"true\" Layer=\"true\" />\r\n"
                      "\t<Default ScrollPages=\"false\" ScrollLines=\"" +
                      std::to_string(kProfileWheelLines) +
                      "\" ForceSPI=\"false\" "
                      "SwapButtons=\"0\">\r\n"
                      "\t\t<Layer name=\"\" autoswitchlayer=\"0\" autoswitchtime=\"1\" "
                      "revertlayer1=\"false\" disabled=\"false\" />\r\n";
    for (const char* button : kButtonNames) {
        std::string action = "40", keys, mode = "2";
        if (std::strcmp(button, "Right") == 0) {
            action = "28";
            keys = "ab";
            mode = "0";
        } else if (std::strcmp(button, "Middle") == 0) {
            action = "52";
        } else if (std::strcmp(button, "XLeft") == 0) {
            action = "92";
        }
        xml += "\t\t<" + std::string(button) + " action=\"" + action + "\" keys=\"" + keys +
               "\" keyaction=\"" + mode +
               "\" keyrepeat=\"34\" active=\"true\" blockmouse=\"true\" "
               "randomisedelay=\"false\" app=\"\" />\r\n";
    }
    xml += "\t</Default>\r\n\t<Applications />\r\n</root>\r\n";
    return xml;
}

HWND CreateHostWindow() {
    HWND window = host::CreateOwnWindow(
        {WindowProc, L"PallawickHookHost", L"Pallawick hook host", {100, 100, 500, 400}});
    Check(window != nullptr, "the host window is created");
    if (window) {
        SetForegroundWindow(window);
        // The cursor rests on the host window, so that the library finds it under it.
        SetCursorPos(300, 250);
    }
    Pump(100);
    return window;
}

// Before the library hooks anything the host's hooks see its own input.
void CheckOwnHooksSeeInput() {
    ClearSeen();
    const bool sent = SendButton(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP) && SendKeyPress('C');
    const bool seen = PumpUntil(kEventWaitMs, [] {
        return OwnButtonEvents(WM_RBUTTONDOWN, WM_RBUTTONUP).size() == 2 &&
               LetterKeys(true) == "c+ c-";
    });
    Check(sent && seen, "the host's own hooks see its injected button and key",
          "keys [" + LetterKeys(false) + "]");
}

void CheckHooked(const Library& library) {
    // The right button is swallowed and "ab" is typed in its place.
    ClearSeen();
    SendButton(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    PumpUntil(kEventWaitMs, [] { return LetterKeys(true) == "a+ a- b+ b-"; });
    Pump(200);
    const std::vector<WPARAM> right = OwnButtonEvents(WM_RBUTTONDOWN, WM_RBUTTONUP);
    Check(right.empty(), "the mapped right button is swallowed",
          std::to_string(right.size()) + " of its events passed");
    Check(LetterKeys(true) == "a+ a- b+ b-", "the simulated keys arrive in order",
          "[" + LetterKeys(false) + "]");
    // The button made the default profile current, which brings its wheel lines.
    const bool applied = PumpUntil(kEventWaitMs, [] { return WheelLines() == kProfileWheelLines; });
    Check(applied, "the profile's wheel lines are applied",
          std::to_string(WheelLines()) + " lines");

    // The middle button switches to the next layer, and the host window hears of it.
    ClearSeen();
    SendButton(MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP);
    const bool changed = PumpUntil(kEventWaitMs, [] { return !g_layerChanges.empty(); });
    Pump(200);
    const std::vector<WPARAM> middle = OwnButtonEvents(WM_MBUTTONDOWN, WM_MBUTTONUP);
    Check(middle.empty(), "the layer button is swallowed",
          std::to_string(middle.size()) + " of its events passed");
    Check(changed && g_layerChanges.front() == 1, "\"VESKLayerChanged\" reaches the host window",
          changed ? "layer " + std::to_string(g_layerChanges.front()) : "no message");
    if (library.getCurrentLayer)
        Check(library.getCurrentLayer() == 1, "GetCurrentLayer reports the second layer",
              std::to_string(library.getCurrentLayer()));
}

// Brightness Up on a desktop without a WMI monitor class: the brightness display is told
// that the change failed.
void CheckBrightnessFailure(const Library& library, HWND window) {
    if (!library.setHookBrightnessOSDWindow)
        return;
    library.setHookBrightnessOSDWindow(window);
    ClearSeen();
    SendButton(MOUSEEVENTF_XDOWN, MOUSEEVENTF_XUP, XBUTTON1);
    const bool shown = PumpUntil(5000, [] { return !g_osdShows.empty(); });
    const bool failed =
        shown && g_osdShows.front().first == 1 && (g_osdShows.front().second & 0x10000) != 0;
    char detail[64] = "no message";
    if (shown)
        std::snprintf(detail, sizeof detail, "wParam %u, lParam 0x%X",
                      static_cast<unsigned>(g_osdShows.front().first),
                      static_cast<unsigned>(g_osdShows.front().second));
    Check(failed, "Brightness Up without a WMI monitor reports the failure to the display", detail);
}

void CheckUnhooked() {
    ClearSeen();
    SendButton(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    SendButton(MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP);
    const bool passed = PumpUntil(kEventWaitMs, [] {
        return OwnButtonEvents(WM_RBUTTONDOWN, WM_RBUTTONUP).size() == 2 &&
               OwnButtonEvents(WM_MBUTTONDOWN, WM_MBUTTONUP).size() == 2;
    });
    Pump(200);
    Check(passed, "after removal the buttons pass through");
    Check(LetterKeys(false).empty() && g_layerChanges.empty(),
          "after removal nothing is typed or switched", "[" + LetterKeys(false) + "]");
}

void Run() {
    Library library;
    host::ResolveLibrary(library);
    if (!library.setMouseHook)
        return;
    g_layerChangedMessage = RegisterWindowMessageW(L"VESKLayerChanged");
    g_mainWindowMessage = RegisterWindowMessageW(L"VESKMainWindow");
    g_osdShowMessage = RegisterWindowMessageW(L"VESK_OSDShowWindow");

    host::PrepareSettingsFolder(L"pallawick-hook-host", SettingsXml());
    HWND window = CreateHostWindow();

    // Installed first, so the library's hooks run before these.
    HHOOK ownMouse = SetWindowsHookExW(WH_MOUSE_LL, OwnMouseHook, GetModuleHandleW(nullptr), 0);
    HHOOK ownKeys = SetWindowsHookExW(WH_KEYBOARD_LL, OwnKeyHook, GetModuleHandleW(nullptr), 0);
    Check(ownMouse && ownKeys, "the host's own low-level hooks are installed");
    CheckOwnHooksSeeInput();

    if (!library.setMouseHook || !library.removeMouseHook) {
        Check(false, "the hook checks need SetMouseHook and RemoveMouseHook");
        return;
    }
    if (library.updateSettings)
        library.updateSettings();
    if (library.setHookMainWindow)
        library.setHookMainWindow(window);
    if (library.setSetupWindow)
        library.setSetupWindow(window);

    const UINT systemLines = WheelLines();
    const size_t threadsBefore = ThreadCount();
    g_mainWindowNotes = 0;
    const DWORD hookStart = GetTickCount();
    const bool hooked = library.setMouseHook();
    Check(hooked, "SetMouseHook starts the hook thread");
    const bool announced = PumpUntil(3000, [] { return g_mainWindowNotes > 0; });
    Check(announced, "\"VESKMainWindow\" announces the installed hooks",
          std::to_string(GetTickCount() - hookStart) + " ms");
    Check(ThreadCount() > threadsBefore, "the library runs threads of its own",
          std::to_string(threadsBefore) + " -> " + std::to_string(ThreadCount()));
    SetCursorPos(300, 250);
    Pump(100);

    CheckBrightnessFailure(library, window);
    CheckHooked(library);

    const DWORD removeStart = GetTickCount();
    const bool removed = library.removeMouseHook(true);
    const DWORD removeMs = GetTickCount() - removeStart;
    Check(removed && removeMs < kThreadExitWaitMs, "RemoveMouseHook stops the threads in time",
          std::to_string(removeMs) + " ms");
    const bool gone = PumpUntil(2000, [&] { return ThreadCount() <= threadsBefore; });
    Check(gone, "the library's threads are gone",
          std::to_string(ThreadCount()) + " threads, " + std::to_string(threadsBefore) + " before");

    const UINT expectedLines = systemLines ? systemLines : 3;
    Check(WheelLines() == expectedLines, "RemoveMouseHook restores the system's wheel lines",
          std::to_string(WheelLines()) + " lines, " + std::to_string(expectedLines) + " before");

    CheckUnhooked();

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
