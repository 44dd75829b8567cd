// Wheel and tilt against real programs, run under Wine with the real PallawickHook.dll:
// Wine's own notepad.exe is filled with a few hundred lines and the host injects wheel
// and tilt input with SendInput. What counts is what the programs show afterwards:
// notepad's first visible line and text, the host's own scroll bars, the messages the
// host's windows received. One line per check; the exit code is the number of failed
// checks.

#include <windows.h>

#include "host_common.h"

#include <cstdio>
#include <string>

namespace {

using host::BringToFront;
using host::Check;
using host::EditText;
using host::kButtonNames;
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

// A second window of the host with scroll bars of its own: like a framework's view, it
// takes a scroll-bar command only when lParam is 0 (a handle would name a control).
const wchar_t kOwnBarClass[] = L"PallawickWheelOwnBar";
constexpr RECT kOwnBarRect{520, 440, 980, 740};
constexpr POINT kOverOwnBar{700, 590};
int g_ownBarCommands = 0;
int g_ownBarForeignCommands = 0;
// A third window without any scroll bar: the last wheel delta posted to it.
const wchar_t kPlainClass[] = L"PallawickWheelPlain";
constexpr RECT kPlainRect{20, 440, 480, 740};
constexpr POINT kOverPlain{240, 590};
int g_plainWheelDelta = 0;

LRESULT CALLBACK OwnBarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if ((message != WM_VSCROLL && message != WM_HSCROLL) || LOWORD(wParam) == SB_ENDSCROLL)
        return DefWindowProcW(window, message, wParam, lParam);
    if (lParam != 0) {
        ++g_ownBarForeignCommands;
        return 0;
    }
    ++g_ownBarCommands;
    const int bar = message == WM_VSCROLL ? SB_VERT : SB_HORZ;
    const int position = GetScrollPos(window, bar);
    if (LOWORD(wParam) == SB_LINEDOWN)
        SetScrollPos(window, bar, position + 1, TRUE);
    else if (LOWORD(wParam) == SB_LINEUP)
        SetScrollPos(window, bar, position - 1, TRUE);
    else if (LOWORD(wParam) == SB_THUMBPOSITION)
        SetScrollPos(window, bar, static_cast<short>(HIWORD(wParam)), TRUE);
    return 0;
}

LRESULT CALLBACK PlainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MOUSEWHEEL) {
        g_plainWheelDelta = GET_WHEEL_DELTA_WPARAM(wParam);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// The host's scroll-bar control takes a thumb position posted to it, as a program's
// handler of the control would.
WNDPROC g_scrollBarProc = nullptr;
LRESULT CALLBACK ScrollBarControlProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_VSCROLL && LOWORD(wParam) == SB_THUMBPOSITION &&
        reinterpret_cast<HWND>(lParam) == bar) {
        SetScrollPos(bar, SB_CTL, static_cast<short>(HIWORD(wParam)), TRUE);
        return 0;
    }
    return CallWindowProcW(g_scrollBarProc, bar, message, wParam, lParam);
}

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

constexpr const char* kLineCommands = "AdvScrollMethod=\"0\"";

// The wheel scrolls the window under the cursor; tilt repeats are filtered. The host's
// own profile scrolls by scroll-bar line commands; other scroll options (hostScroll)
// apply to the default profile as well, which then maps nothing, so that they hold
// whichever of the two is current.
std::string SettingsXml(const std::string& hostScroll = kLineCommands) {
    const bool plain = hostScroll == kLineCommands;
    const std::string scroll =
        "Enabled=\"true\" AdvScrollVert=\"1\" AdvScrollHorz=\"1\" " + hostScroll;
    return std::string(host::kSettingsHead) +
           "\t<Layers Number=\"1\" />\r\n"
           "\t<Logging Disable=\"false\" />\r\n"
           "\t<ScrollWheel ScrollWindowUnderCursor=\"true\" />\r\n"
           "\t<FixTiltRepeat Enable=\"true\" InitialDelay=\"200\" RepeatDelay=\"100\" />\r\n"
           "\t<SwitchOnMouseOver Enable=\"false\" />\r\n"
           "\t<Default ScrollPages=\"false\" ScrollLines=\"3\" ForceSPI=\"false\" "
           "SwapButtons=\"0\" " +
           (plain ? std::string() : scroll) + ">\r\n" + Buttons(plain) +
           "\t</Default>\r\n\t<Applications>\r\n"
           "\t<Application Name=\"wheel_host.exe\" Description=\"Host\" " +
           scroll + ">\r\n" + Buttons(false) +
           "\t</Application>\r\n\t</Applications>\r\n</root>\r\n";
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

// Has the library load settings with the host's profile scrolling by hostScroll, as a
// saved change would.
void Reload(const host::Library& library, const std::wstring& folder,
            const std::string& hostScroll) {
    host::ReplaceSettings(library, folder, SettingsXml(hostScroll));
    Pump(300);
}

// The wheel turned down is a left click held while the wheel turns: pressed on the first
// notch, released a long 3 s after the last.
std::string HeldWheelSettingsXml() {
    return std::string(host::kSettingsHead) +
           "\t<Layers Number=\"1\" />\r\n"
           "\t<Logging Disable=\"false\" />\r\n"
           "\t<SwitchOnMouseOver Enable=\"false\" />\r\n"
           "\t<Default IgnoreVScroll=\"true\" IgnoreVScrollTime=\"3000\">\r\n"
           "\t\t<WheelDown action=\"0\" />\r\n"
           "\t</Default>\r\n</root>\r\n";
}

bool LeftButtonIsDown() {
    return host::IsDown(VK_LBUTTON);
}

// A settings reload while the wheel holds the left button down lets it go at once: held
// on, it would turn the next mouse move over notepad into a selection.
void CheckReloadLetsAHeldWheelClickGo(const host::Library& library, const std::wstring& folder,
                                      const Notepad& notepad) {
    host::ReplaceSettings(library, folder, HeldWheelSettingsXml());
    ScrollNotepadToTop(notepad);
    BringToFront(notepad.frame, kEventWaitMs);
    SetCursorPos(kOverNotepad.x, kOverNotepad.y);
    Pump(200);

    SendWheel(MOUSEEVENTF_WHEEL, -WHEEL_DELTA);
    const bool pressed = PumpUntil(kEventWaitMs, LeftButtonIsDown);
    Check(pressed, "a wheel notch holds the left button down while the wheel turns");
    library.updateSettings();
    const bool released = PumpUntil(1000, [] { return !LeftButtonIsDown(); });
    Check(released, "a reload while the wheel is held lets the left button go at once");

    SendMessageW(notepad.edit, EM_SETSEL, 0, 0);
    INPUT move{};
    move.type = INPUT_MOUSE;
    move.mi.dwFlags = MOUSEEVENTF_MOVE;
    move.mi.dx = 40;
    move.mi.dy = 60;
    SendInput(1, &move, sizeof move);
    Pump(300);
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(notepad.edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    Check(start == end, "a mouse move over notepad afterwards selects nothing",
          "selection " + std::to_string(start) + "-" + std::to_string(end));
    if (LeftButtonIsDown())
        host::SendButton(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
}

// A tilt some time after the last one, so that the repeat filter lets it through.
void Tilt(int delta) {
    SendWheel(MOUSEEVENTF_HWHEEL, delta);
    Pump(700);
}

std::string Moved(int before, int after) {
    return std::to_string(before) + " -> " + std::to_string(after);
}

// The host's windows behind notepad: one with scroll bars of its own, one without any.
// Wine's notepad cannot show these roads: its edit control ignores lParam, Wine reads no
// scroll bar of another process's window, and the edit control always has a bar.
void CheckScrollBarRoads(const host::Library& library, const std::wstring& folder,
                         const Notepad& notepad) {
    HWND own = host::CreateOwnWindow({OwnBarProc, kOwnBarClass, L"Pallawick own bars", kOwnBarRect,
                                      WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE});
    HWND plain = host::CreateOwnWindow({PlainProc, kPlainClass, L"Pallawick plain", kPlainRect});
    Check(own && plain, "the host's windows with and without scroll bars are created");
    if (!own || !plain)
        return;
    for (int bar : {SB_VERT, SB_HORZ}) {
        SetScrollRange(own, bar, 0, 100, FALSE);
        SetScrollPos(own, bar, 50, TRUE);
    }
    SetScrollPos(g_scrollBar, SB_CTL, 50, TRUE);
    g_scrollBarProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        g_scrollBar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ScrollBarControlProc)));
    BringToFront(notepad.frame, kEventWaitMs);

    // Line commands to a window's own bar carry lParam 0.
    SetCursorPos(kOverOwnBar.x, kOverOwnBar.y);
    Pump(200);
    SendWheel(MOUSEEVENTF_WHEEL, -WHEEL_DELTA);
    PumpUntil(kEventWaitMs, [&] { return GetScrollPos(own, SB_VERT) != 50; });
    Pump(200);
    Check(GetScrollPos(own, SB_VERT) == 51 && g_ownBarForeignCommands == 0,
          "line commands to a window's own scroll bar carry no handle, so it scrolls",
          std::to_string(g_ownBarCommands) + " commands with lParam 0, " +
              std::to_string(g_ownBarForeignCommands) + " with a handle; " +
              Moved(50, GetScrollPos(own, SB_VERT)));

    // Setting the thumb position: the wheel up and the tilt left toward the start.
    Reload(library, folder, "AdvScrollMethod=\"1\"");
    int before = GetScrollPos(own, SB_HORZ);
    Tilt(WHEEL_DELTA);
    Check(GetScrollPos(own, SB_HORZ) == before + 1,
          "the tilt right moves a window's own horizontal bar toward its end",
          Moved(before, GetScrollPos(own, SB_HORZ)));
    SetCursorPos(kOverHost.x, kOverHost.y);
    Pump(200);
    before = GetScrollPos(g_scrollBar, SB_CTL);
    SendWheel(MOUSEEVENTF_WHEEL, WHEEL_DELTA);
    PumpUntil(kEventWaitMs, [&] { return GetScrollPos(g_scrollBar, SB_CTL) != before; });
    Check(GetScrollPos(g_scrollBar, SB_CTL) == before - 1,
          "the wheel up moves a scroll-bar control toward its start",
          Moved(before, GetScrollPos(g_scrollBar, SB_CTL)));

    // Inverted once, on the scroll method's road and on the fallback's.
    Reload(library, folder,
           "AdvScrollMethod=\"1\" InvertScrolling=\"true\" InvertHorizontalScrolling=\"true\"");
    SetCursorPos(kOverOwnBar.x, kOverOwnBar.y);
    Pump(200);
    before = GetScrollPos(own, SB_HORZ);
    Tilt(WHEEL_DELTA);
    Check(GetScrollPos(own, SB_HORZ) == before - 1,
          "with horizontal inversion the tilt right moves the thumb toward the start",
          Moved(before, GetScrollPos(own, SB_HORZ)));
    SetCursorPos(kOverPlain.x, kOverPlain.y);
    Pump(200);
    g_plainWheelDelta = 0;
    SendWheel(MOUSEEVENTF_WHEEL, -WHEEL_DELTA);
    PumpUntil(kEventWaitMs, [] { return g_plainWheelDelta != 0; });
    Check(g_plainWheelDelta > 0,
          "without a scroll bar the inverted wheel is posted turned round once",
          "delta " + std::to_string(g_plainWheelDelta) + " for a turn down");

    Reload(library, folder, kLineCommands);
    SetWindowLongPtrW(g_scrollBar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_scrollBarProc));
    DestroyWindow(plain);
    DestroyWindow(own);
}

void Run() {
    host::Library library;
    host::ResolveLibrary(library);
    if (!library.setMouseHook || !library.removeMouseHook)
        return;
    const std::wstring folder = host::PrepareSettingsFolder(L"pallawick-wheel-host", SettingsXml());

    Notepad notepad;
    HWND hostWindow = CreateHostWindow();
    if (!hostWindow || !StartFilledNotepad(notepad))
        return;
    CheckBaseline(notepad, hostWindow);

    if (library.updateSettings)
        library.updateSettings();
    if (library.setHookMainWindow)
        library.setHookMainWindow(hostWindow);
    // The library's log then tells what it made of each event, should a check fail.
    if (library.setDebug)
        library.setDebug(true);
    Check(library.setMouseHook(), "SetMouseHook starts the hook thread");
    Pump(500);

    CheckWheelScrollsNotepadBehindTheHost(notepad, hostWindow);
    CheckScrollBarMethod(notepad, hostWindow);
    CheckTiltTypesOnce(notepad);
    CheckScrollBarRoads(library, folder, notepad);
    if (library.updateSettings)
        CheckReloadLetsAHeldWheelClickGo(library, folder, notepad);

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
