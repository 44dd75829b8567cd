// A stand-in for the main program, run under Wine against the real PallawickHook.dll
// beside a real program, Wine's notepad.exe. It hooks the library, brings notepad to the
// front with the keyboard (Alt held while the front window changes, no click) and checks
// that the profile follows; then it holds Control and Shift, the layer modifier
// combination of the second layer, presses the right button, and checks that the keys
// the second layer maps to that button arrive in notepad's edit control. Last, the middle
// button starts a sticky movement-to-scroll in notepad that a released key ends, except
// Control's; and a release after a layer change goes where its press went: neither a
// held Control nor a lone right button release reaches notepad. One line per check; the
// exit code is the number of failed checks.

#include <windows.h>

#include "host_common.h"

#include <cstdio>
#include <string>

namespace {

using host::Check;
using host::EditText;
using host::Library;
using host::Narrow;
using host::Notepad;
using host::Pump;
using host::PumpUntil;

using host::kHostMarker;
using host::SendButton;

UINT g_processChangedMessage = 0;
UINT g_layerChangedMessage = 0;
int g_processChanges = 0;
int g_layerChanges = 0;
// Letter keys the library injected, as the host's own keyboard hook saw them.
std::string g_injectedLetters;

LRESULT CALLBACK OwnKeyHook(int code, WPARAM wParam, LPARAM lParam) {
    const auto* event = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    if (code == HC_ACTION && event->vkCode >= 'A' && event->vkCode <= 'Z' &&
        (event->flags & LLKHF_INJECTED) && event->dwExtraInfo != kHostMarker) {
        g_injectedLetters += static_cast<char>(event->vkCode - 'A' + 'a');
        g_injectedLetters += (event->flags & LLKHF_UP) ? '-' : '+';
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != 0 && message == g_processChangedMessage) {
        ++g_processChanges;
        return 0;
    }
    if (message != 0 && message == g_layerChangedMessage) {
        ++g_layerChanges;
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool SendKey(WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    input.ki.dwExtraInfo = kHostMarker;
    return SendInput(1, &input, sizeof(INPUT)) == 1;
}

bool SendRightClick() {
    return SendButton(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
}

// Moves the mouse down in one burst of events with the same time stamp, then once more a
// moment later: movement-to-scroll turns a burst into the next step's speed.
void SendMoveBurst(DWORD time) {
    INPUT inputs[6] = {};
    for (size_t i = 0; i < 6; ++i) {
        inputs[i].type = INPUT_MOUSE;
        inputs[i].mi.dwFlags = MOUSEEVENTF_MOVE;
        inputs[i].mi.dy = 10;
        inputs[i].mi.time = i < 5 ? time : time + 20;
        inputs[i].mi.dwExtraInfo = kHostMarker;
    }
    SendInput(5, inputs, sizeof(INPUT));
    Pump(50);
    SendInput(1, inputs + 5, sizeof(INPUT));
}

std::string CurrentProcessName(const Library& library) {
    wchar_t buffer[MAX_PATH] = {};
    int length = MAX_PATH;
    const int n = library.getCurrentProcessName(buffer, length);
    return Narrow(std::wstring(buffer, static_cast<size_t>(n > 0 ? n : 0)));
}

// Two layers; Control+Shift holds the second. In notepad the right button of the second
// layer waits 400 ms (time to let the keys go) and types "xy", and the middle button
// starts a sticky movement-to-scroll that a key's release ends; the default profile maps
// nothing.
std::string SettingsXml() {
    std::string xml = std::string(host::kSettingsHead) +
                      "\t<Layers Number=\"2\" />\r\n"
                      "\t<Logging Disable=\"false\" />\r\n"
                      "\t<ScrollLock BypassAll=\"false\" BypassDisabled=\"false\" />\r\n"
                      "\t<SwitchOnMouseOver Enable=\"false\" />\r\n"
                      "\t<ResetSticky Enabled=\"false\" Key=\"true\" Layer=\"false\" />\r\n"
                      "\t<LayerModifierKeys Enable=\"true\">\r\n"
                      "\t\t<LayerKey1 Key=\"0\" Modifier=\"3\" />\r\n"
                      "\t</LayerModifierKeys>\r\n"
                      "\t<Default />\r\n"
                      "\t<Applications>\r\n"
                      "\t\t<Application Name=\"notepad.exe\" Description=\"Notepad\" "
                      "Enabled=\"true\">\r\n"
                      "\t\t\t<Middle action=\"80\" />\r\n"
                      "\t\t\t<Right_Layer1 action=\"28\" keys=\"{WAITMS:400}xy\" keyaction=\"0\" "
                      "/>\r\n"
                      "\t\t</Application>\r\n"
                      "\t</Applications>\r\n</root>\r\n";
    return xml;
}

// The default profile holds Control while the right button is down; notepad's right
// button is the default profile's on the first layer and no change on the second, and
// the first side button moves to the next layer.
std::string PairingSettingsXml() {
    return std::string(host::kSettingsHead) +
           "\t<Layers Number=\"2\" />\r\n"
           "\t<Logging Disable=\"false\" />\r\n"
           "\t<SwitchOnMouseOver Enable=\"false\" />\r\n"
           "\t<ResetSticky Enabled=\"false\" Key=\"false\" Layer=\"false\" />\r\n"
           "\t<LayerModifierKeys Enable=\"false\" />\r\n"
           "\t<Default>\r\n"
           "\t\t<Right action=\"28\" keys=\"{CTRL}\" keyaction=\"2\" />\r\n"
           "\t</Default>\r\n"
           "\t<Applications>\r\n"
           "\t\t<Application Name=\"notepad.exe\" Description=\"Notepad\" "
           "Enabled=\"true\">\r\n"
           "\t\t\t<Right action=\"74\" />\r\n"
           "\t\t\t<XLeft action=\"52\" />\r\n"
           "\t\t\t<Layer1>\r\n"
           "\t\t\t\t<Right action=\"40\" />\r\n"
           "\t\t\t\t<XLeft action=\"52\" />\r\n"
           "\t\t\t</Layer1>\r\n"
           "\t\t</Application>\r\n"
           "\t</Applications>\r\n</root>\r\n";
}

HWND CreateHostWindow() {
    HWND window = host::CreateOwnWindow(
        {WindowProc, L"PallawickKeysHost", L"Pallawick keys host", {0, 0, 300, 200}});
    if (window)
        SetForegroundWindow(window);
    Pump(100);
    return window;
}

// Alt held while the front window changes, as Alt+Tab does; no button is clicked.
void CheckProfileFollowsTheKeyboard(const Library& library, const Notepad& notepad) {
    const std::string before = CurrentProcessName(library);
    g_processChanges = 0;
    SendKey(VK_LMENU, false);
    Pump(50);
    SetForegroundWindow(notepad.frame);
    Pump(50);
    const DWORD released = GetTickCount();
    SendKey(VK_LMENU, true);
    const bool followed =
        PumpUntil(2000, [&] { return CurrentProcessName(library) == "notepad.exe"; });
    Check(followed, "the profile follows notepad to the front without a click",
          "'" + before + "' -> '" + CurrentProcessName(library) + "' after " +
              std::to_string(GetTickCount() - released) + " ms");
    // The library tells the setup window after it switched, so the message may still be
    // on its way when the switch shows.
    const bool told = PumpUntil(1000, [] { return g_processChanges > 0; });
    Check(told, "\"VESK_ProcessChanged\" reaches the setup window");
}

void CheckLayerModifierCombination(const Library& library, const Notepad& notepad) {
    RECT rect{};
    GetWindowRect(notepad.edit, &rect);
    SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    Pump(100);
    g_layerChanges = 0;
    SendKey(VK_LCONTROL, false);
    SendKey(VK_LSHIFT, false);
    const bool second = PumpUntil(1500, [&] { return library.getCurrentLayer() == 1; });
    Check(second, "holding Control+Shift selects the second layer",
          "layer " + std::to_string(library.getCurrentLayer()));
    SendRightClick();
    Pump(100);
    SendKey(VK_LSHIFT, true);
    SendKey(VK_LCONTROL, true);
    const bool first = PumpUntil(1500, [&] { return library.getCurrentLayer() == 0; });
    Check(first, "letting the keys go restores the first layer",
          "layer " + std::to_string(library.getCurrentLayer()));
    // The announcements follow the changes, so the last may still be on its way.
    const bool announced = PumpUntil(1000, [] { return g_layerChanges >= 2; });
    Check(announced, "\"VESKLayerChanged\" announces both changes",
          std::to_string(g_layerChanges) + " messages");
    const bool typed = PumpUntil(3000, [&] { return Narrow(EditText(notepad)) == "xy"; });
    Check(typed, "the second layer's keys arrive in notepad's edit control",
          "'" + Narrow(EditText(notepad)) + "', injected " + g_injectedLetters);
}

int FirstVisibleLine(const Notepad& notepad) {
    return static_cast<int>(SendMessageW(notepad.edit, EM_GETFIRSTVISIBLELINE, 0, 0));
}

// Whether moving the mouse down scrolls notepad, which it does while movement-to-scroll
// runs.
bool MovementScrolls(const Notepad& notepad) {
    const int before = FirstVisibleLine(notepad);
    SendMoveBurst(GetTickCount());
    return PumpUntil(1500, [&] { return FirstVisibleLine(notepad) > before; });
}

void CheckControlKeepsTheMovementToScroll(const Notepad& notepad) {
    std::wstring text;
    for (int line = 1; line <= 300; ++line)
        text += L"line " + std::to_wstring(line) + L"\r\n";
    SendMessageW(notepad.edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    host::BringToFront(notepad.frame, 2000);
    SetFocus(notepad.edit);
    RECT rect{};
    GetWindowRect(notepad.edit, &rect);
    SetCursorPos((rect.left + rect.right) / 2, rect.top + 40);
    Pump(200);

    SendButton(MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP);
    Pump(200);
    const bool started = MovementScrolls(notepad);
    Check(started, "the middle button makes the mouse scroll notepad",
          "first visible line " + std::to_string(FirstVisibleLine(notepad)));
    // The left Control key, as a keyboard reports it.
    SendKey(VK_LCONTROL, false);
    SendKey(VK_LCONTROL, true);
    Pump(200);
    const bool kept = MovementScrolls(notepad);
    Check(kept, "letting Control go keeps the movement-to-scroll",
          "first visible line " + std::to_string(FirstVisibleLine(notepad)));
    SendKey(VK_LSHIFT, false);
    SendKey(VK_LSHIFT, true);
    Pump(200);
    const int before = FirstVisibleLine(notepad);
    const bool ended = !MovementScrolls(notepad);
    Check(ended, "letting another key go ends it",
          "first visible line " + std::to_string(before) + " -> " +
              std::to_string(FirstVisibleLine(notepad)));
}

bool ControlIsDown() {
    return host::IsDown(VK_CONTROL);
}

HWND VisiblePopupMenu() {
    HWND menu = FindWindowW(L"#32768", nullptr);
    return menu && IsWindowVisible(menu) ? menu : nullptr;
}

void SendSideButtonClick() {
    SendButton(MOUSEEVENTF_XDOWN, MOUSEEVENTF_XUP, XBUTTON1);
}

// The right button pressed on the first layer holds Control through the default profile;
// the side button moves to the second layer while it is held, where the right button is
// no change. Its release must still let Control go and stay swallowed, as its press was:
// a lone release would open notepad's context menu, and the next letter typed would go
// there, or with Control held would be no letter at all.
void CheckReleaseFollowsItsPress(const Library& library, const Notepad& notepad,
                                 const std::wstring& folder) {
    host::ReplaceSettings(library, folder, PairingSettingsXml());
    SendMessageW(notepad.edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    host::BringToFront(notepad.frame, 2000);
    RECT rect{};
    GetWindowRect(notepad.edit, &rect);
    SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    Pump(300);

    INPUT right{};
    right.type = INPUT_MOUSE;
    right.mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
    right.mi.dwExtraInfo = kHostMarker;
    SendInput(1, &right, sizeof(INPUT));
    const bool held = PumpUntil(1500, ControlIsDown);
    Check(held, "the right button holds Control through the default profile");
    SendSideButtonClick();
    const bool second = PumpUntil(1500, [&] { return library.getCurrentLayer() == 1; });
    Check(second, "the side button moves to the second layer while the right button is held",
          "layer " + std::to_string(library.getCurrentLayer()));
    right.mi.dwFlags = MOUSEEVENTF_RIGHTUP;
    SendInput(1, &right, sizeof(INPUT));
    const bool letGo = PumpUntil(1500, [] { return !ControlIsDown(); });
    Check(letGo, "releasing the right button on the second layer lets Control go");
    Pump(300);
    HWND menu = VisiblePopupMenu();
    Check(menu == nullptr, "notepad gets no lone right button release: no context menu opens");

    host::SendKeyPress('Q');
    const bool typed = PumpUntil(2000, [&] { return Narrow(EditText(notepad)) == "q"; });
    Check(typed, "the next letter typed goes into notepad's text",
          "'" + Narrow(EditText(notepad)) + "'");

    // Leave nothing behind for what follows, whatever failed.
    if (menu || VisiblePopupMenu())
        host::SendKeyPress(VK_ESCAPE);
    if (ControlIsDown())
        SendKey(VK_CONTROL, true);
    SendSideButtonClick();
    PumpUntil(1500, [&] { return library.getCurrentLayer() == 0; });
}

void Run() {
    Library library;
    if (!host::ResolveLibrary(library))
        return;
    g_processChangedMessage = RegisterWindowMessageW(L"VESK_ProcessChanged");
    g_layerChangedMessage = RegisterWindowMessageW(L"VESKLayerChanged");
    const std::wstring folder = host::PrepareSettingsFolder(L"pallawick-keys-host", SettingsXml());
    HWND window = CreateHostWindow();
    Check(window != nullptr, "the host window is created");

    HHOOK ownKeys = SetWindowsHookExW(WH_KEYBOARD_LL, OwnKeyHook, GetModuleHandleW(nullptr), 0);

    Notepad notepad;
    if (!host::StartNotepad(notepad))
        return;
    SetForegroundWindow(window);
    Pump(200);

    library.updateSettings();
    // The library's log then tells what it made of each event, should a check fail.
    library.setDebug(true);
    library.setHookMainWindow(window);
    library.setSetupWindow(window);
    Check(library.setMouseHook(), "SetMouseHook starts the hook thread");
    Pump(500);

    CheckProfileFollowsTheKeyboard(library, notepad);
    CheckLayerModifierCombination(library, notepad);
    CheckControlKeepsTheMovementToScroll(notepad);
    CheckReleaseFollowsItsPress(library, notepad, folder);

    Check(library.removeMouseHook(true), "RemoveMouseHook stops the threads");
    host::StopNotepad(notepad);
    UnhookWindowsHookEx(ownKeys);
    DestroyWindow(window);
}

} // namespace

int main() {
    Run();
    std::printf("%d check(s) failed\n", host::g_failures);
    return host::g_failures;
}
