// Wheel and tilt against real programs, run under Wine with the real PallawickHook.dll:
// Wine's own notepad.exe is filled with a few hundred lines and the host injects wheel
// and tilt input with SendInput. What counts is what the programs show afterwards:
// notepad's first visible line and text, the host's own scroll bar, the messages the
// host's window received. One line per check; the exit code is the number of failed
// checks.

#include <windows.h>

#include "host_common.h"

#include <cstdio>
#include <string>

namespace {

using host::BringToFront;
using host::Check;
using host::EditText;
using host::Notepad;
using host::Place;
using host::Pump;
using host::PumpUntil;

constexpr DWORD kEventWaitMs = 2000;
constexpr int kNotepadLines = 300;
const wchar_t kHostClass[] = L"PallawickWheelHost";

// Where the windows sit on the 1024 x 768 display.
constexpr RECT kNotepadRect{20, 20, 480, 420};
constexpr RECT kHostRect{520, 20, 980, 420};
constexpr POINT kOverNotepad{240, 220};
constexpr POINT kOverHost{700, 220};

// What the host's window received.
int g_wheelMessages = 0;
int g_lineCommands = 0;
HWND g_scrollBar = nullptr;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOUSEWHEEL:
        ++g_wheelMessages;
        return 0;
    case WM_VSCROLL:
        // Scroll-bar commands from the control move it, as a program scrolling a view
        // with a separate bar would.
        if (reinterpret_cast<HWND>(lParam) == g_scrollBar && g_scrollBar) {
            const int position = GetScrollPos(g_scrollBar, SB_CTL);
            if (LOWORD(wParam) == SB_LINEDOWN) {
                ++g_lineCommands;
                SetScrollPos(g_scrollBar, SB_CTL, position + 1, TRUE);
            } else if (LOWORD(wParam) == SB_LINEUP) {
                ++g_lineCommands;
                SetScrollPos(g_scrollBar, SB_CTL, position - 1, TRUE);
            }
        }
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

const char* kButtonNames[] = {"Left",     "Right",     "Middle",  "XLeft",    "XRight",
                              "TiltLeft", "TiltRight", "WheelUp", "WheelDown"};

// Buttons of a profile: TiltRight types "xy" when typing is asked for, everything else is
// left alone.
std::string Buttons(bool tiltTypes) {
    std::string xml;
    for (const char* button : kButtonNames) {
        const bool types = tiltTypes && std::string(button) == "TiltRight";
        xml += "\t\t<" + std::string(button) + " action=\"" + (types ? "28" : "40") + "\" keys=\"" +
               (types ? "xy" : "") +
               "\" keyaction=\"0\" keyrepeat=\"34\" active=\"true\" blockmouse=\"true\" "
               "randomisedelay=\"false\" app=\"\" />\r\n";
    }
    return xml;
}

// The wheel scrolls the window under the cursor; tilt repeats are filtered. The host's
// own profile scrolls by scroll-bar line commands.
std::string SettingsXml() {
    return "\xEF\xBB\xBF<?xml version=\"1.0\"?>\r\n<root>\r\n"
           "\t<version build=\"0\" revision=\"0\" minor=\"14\" major=\"2\" />\r\n"
           "\t<Layers Number=\"1\" />\r\n"
           "\t<Logging Disable=\"false\" />\r\n"
           "\t<ScrollWheel ScrollWindowUnderCursor=\"true\" />\r\n"
           "\t<FixTiltRepeat Enable=\"true\" InitialDelay=\"200\" RepeatDelay=\"100\" />\r\n"
           "\t<SwitchOnMouseOver Enable=\"false\" />\r\n"
           "\t<Default ScrollPages=\"false\" ScrollLines=\"3\" ForceSPI=\"false\" "
           "SwapButtons=\"0\">\r\n" +
           Buttons(true) +
           "\t</Default>\r\n\t<Applications>\r\n"
           "\t<Application Name=\"wheel_host.exe\" Description=\"Host\" Enabled=\"true\" "
           "AdvScrollMethod=\"0\" AdvScrollVert=\"1\" AdvScrollHorz=\"1\">\r\n" +
           Buttons(false) + "\t</Application>\r\n\t</Applications>\r\n</root>\r\n";
}

bool SendWheel(DWORD flags, int delta, DWORD time = 0) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    input.mi.mouseData = static_cast<DWORD>(delta);
    input.mi.time = time;
    return SendInput(1, &input, sizeof input) == 1;
}

bool StartFilledNotepad(Notepad& notepad) {
    if (!host::StartNotepad(notepad))
        return false;
    Place(notepad.frame, kNotepadRect);

    std::wstring text;
    for (int line = 1; line <= kNotepadLines; ++line)
        text += L"line " + std::to_wstring(line) + L"\r\n";
    SendMessageW(notepad.edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    const LRESULT lines = SendMessageW(notepad.edit, EM_GETLINECOUNT, 0, 0);
    Check(lines >= kNotepadLines, "notepad holds the lines", std::to_string(lines) + " lines");
    SendMessageW(notepad.edit, EM_SETSEL, 0, 0);
    SendMessageW(notepad.edit, EM_SCROLLCARET, 0, 0);
    return true;
}

int FirstVisibleLine(const Notepad& notepad) {
    return static_cast<int>(SendMessageW(notepad.edit, EM_GETFIRSTVISIBLELINE, 0, 0));
}

void ScrollNotepadToTop(const Notepad& notepad) {
    SendMessageW(notepad.edit, EM_LINESCROLL, 0, -FirstVisibleLine(notepad));
}

HWND CreateHostWindow() {
    HWND window =
        host::CreateOwnWindow({WindowProc, kHostClass, L"Pallawick wheel host", kHostRect});
    Check(window != nullptr, "the host window is created");
    if (!window)
        return nullptr;
    // A separate vertical scroll bar along the right edge, away from the point the cursor
    // rests on.
    g_scrollBar = CreateWindowExW(0, L"SCROLLBAR", nullptr, WS_CHILD | WS_VISIBLE | SBS_VERT, 400,
                                  0, 20, 300, window, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetScrollRange(g_scrollBar, SB_CTL, 0, 100, FALSE);
    SetScrollPos(g_scrollBar, SB_CTL, 0, TRUE);
    Check(g_scrollBar != nullptr, "the host window has a scroll bar control");
    Pump(100);
    return window;
}

// Without the library, a wheel over notepad while the host holds the capture reaches the
// host: so a notepad that scrolls later owes it to the library.
void CheckBaseline(const Notepad& notepad, HWND hostWindow) {
    BringToFront(hostWindow, kEventWaitMs);
    SetCapture(hostWindow);
    SetCursorPos(kOverNotepad.x, kOverNotepad.y);
    Pump(100);
    g_wheelMessages = 0;
    SendWheel(MOUSEEVENTF_WHEEL, -WHEEL_DELTA);
    PumpUntil(kEventWaitMs, [] { return g_wheelMessages > 0; });
    Check(g_wheelMessages == 1 && FirstVisibleLine(notepad) == 0,
          "without the library the wheel goes to the window holding the capture",
          std::to_string(g_wheelMessages) + " wheel messages, first line " +
              std::to_string(FirstVisibleLine(notepad)));
    ReleaseCapture();
}

void CheckWheelScrollsNotepadBehindTheHost(const Notepad& notepad, HWND hostWindow) {
    ScrollNotepadToTop(notepad);
    BringToFront(hostWindow, kEventWaitMs);
    SetCapture(hostWindow);
    SetCursorPos(kOverNotepad.x, kOverNotepad.y);
    Pump(200);
    g_wheelMessages = 0;
    for (int notch = 0; notch < 3; ++notch) {
        SendWheel(MOUSEEVENTF_WHEEL, -WHEEL_DELTA);
        Pump(50);
    }
    const bool scrolled = PumpUntil(kEventWaitMs, [&] { return FirstVisibleLine(notepad) >= 3; });
    Pump(200);
    Check(scrolled, "the wheel scrolls notepad, which is not in front",
          "first visible line " + std::to_string(FirstVisibleLine(notepad)));
    Check(g_wheelMessages == 0, "the window in front gets no wheel message",
          std::to_string(g_wheelMessages) + " received");
    Check(GetForegroundWindow() == hostWindow, "the window in front stays in front");

    // Wheel up brings notepad back.
    const int before = FirstVisibleLine(notepad);
    SendWheel(MOUSEEVENTF_WHEEL, WHEEL_DELTA);
    const bool back = PumpUntil(kEventWaitMs, [&] { return FirstVisibleLine(notepad) < before; });
    Check(back, "the wheel turned up scrolls notepad back",
          std::to_string(before) + " -> " + std::to_string(FirstVisibleLine(notepad)));
    ReleaseCapture();
}

void CheckScrollBarMethod(const Notepad& notepad, HWND hostWindow) {
    ScrollNotepadToTop(notepad);
    BringToFront(notepad.frame, kEventWaitMs);
    SetCursorPos(kOverHost.x, kOverHost.y);
    Pump(200);
    g_wheelMessages = 0;
    g_lineCommands = 0;
    SendWheel(MOUSEEVENTF_WHEEL, -WHEEL_DELTA);
    Pump(50);
    SendWheel(MOUSEEVENTF_WHEEL, -WHEEL_DELTA);
    const bool moved =
        PumpUntil(kEventWaitMs, [] { return GetScrollPos(g_scrollBar, SB_CTL) >= 2; });
    Pump(200);
    Check(moved && GetScrollPos(g_scrollBar, SB_CTL) == 2,
          "the host's profile scrolls its window by scroll-bar line commands",
          "bar at " + std::to_string(GetScrollPos(g_scrollBar, SB_CTL)) + " after " +
              std::to_string(g_lineCommands) + " line commands");
    Check(g_wheelMessages == 0, "the host's window gets no wheel message",
          std::to_string(g_wheelMessages) + " received");
    Check(FirstVisibleLine(notepad) == 0, "notepad in front does not scroll",
          "first visible line " + std::to_string(FirstVisibleLine(notepad)));
    (void)hostWindow;
}

void CheckTiltTypesOnce(const Notepad& notepad) {
    SendMessageW(notepad.edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    BringToFront(notepad.frame, kEventWaitMs);
    SetFocus(notepad.edit);
    SetCursorPos(kOverNotepad.x, kOverNotepad.y);
    Pump(200);

    // A held tilt: the first message, then one 95 ms later as the driver repeats it,
    // then, after a pause, a new tilt.
    const DWORD start = GetTickCount();
    SendWheel(MOUSEEVENTF_HWHEEL, WHEEL_DELTA, start);
    PumpUntil(kEventWaitMs, [&] { return EditText(notepad) == L"xy"; });
    SendWheel(MOUSEEVENTF_HWHEEL, WHEEL_DELTA, start + 95);
    Pump(300);
    Check(EditText(notepad) == L"xy", "one tilt types its key string once into notepad",
          "[" + host::Narrow(EditText(notepad)) + "]");
    SendWheel(MOUSEEVENTF_HWHEEL, WHEEL_DELTA, start + 600);
    const bool again = PumpUntil(kEventWaitMs, [&] { return EditText(notepad) == L"xyxy"; });
    Check(again, "a new tilt after a pause types it again",
          "[" + host::Narrow(EditText(notepad)) + "]");
}

void Run() {
    host::Library library;
    host::ResolveLibrary(library);
    if (!library.setMouseHook || !library.removeMouseHook)
        return;
    host::PrepareSettingsFolder(L"pallawick-wheel-host", SettingsXml());

    Notepad notepad;
    HWND hostWindow = CreateHostWindow();
    if (!hostWindow || !StartFilledNotepad(notepad))
        return;
    CheckBaseline(notepad, hostWindow);

    if (library.updateSettings)
        library.updateSettings();
    if (library.setHookMainWindow)
        library.setHookMainWindow(hostWindow);
    Check(library.setMouseHook(), "SetMouseHook starts the hook thread");
    Pump(500);

    CheckWheelScrollsNotepadBehindTheHost(notepad, hostWindow);
    CheckScrollBarMethod(notepad, hostWindow);
    CheckTiltTypesOnce(notepad);

    Check(library.removeMouseHook(true), "RemoveMouseHook stops the hooks");
    host::StopNotepad(notepad);
    DestroyWindow(hostWindow);
}

} // namespace

int main() {
    Run();
    std::printf("%d check(s) failed\n", host::g_failures);
    return host::g_failures;
}
