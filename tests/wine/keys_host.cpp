// A stand-in for the main program, run under Wine against the real PallawickHook.dll
// beside a real program, Wine's notepad.exe. It hooks the library, brings notepad to the
// front with the keyboard (Alt held while the front window changes, no click) and checks
// that the profile follows; then it holds Control and Shift, the layer modifier
// combination of the second layer, presses the right button, and checks that the keys
// the second layer maps to that button arrive in notepad's edit control. One line per
// check; the exit code is the number of failed checks.

#include <windows.h>

#include "settings/folders.h"

#include <cstdio>
#include <string>

namespace {

constexpr ULONG_PTR kHostMarker = 0x484F5354;

int g_failures = 0;
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

void Check(bool ok, const char* what, const std::string& detail = std::string()) {
    if (!ok)
        ++g_failures;
    std::printf("%s %s%s%s\n", ok ? "PASS" : "FAIL", what, detail.empty() ? "" : ": ",
                detail.c_str());
    std::fflush(stdout);
}

std::string Narrow(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text)
        out += c < 128 ? static_cast<char>(c) : '?';
    return out;
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

template <typename Done> bool PumpUntil(DWORD ms, Done done) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (done())
            return true;
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= ms)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - elapsed, QS_ALLINPUT);
    }
}

void Pump(DWORD ms) {
    PumpUntil(ms, [] { return false; });
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
    INPUT inputs[2] = {};
    for (INPUT& input : inputs) {
        input.type = INPUT_MOUSE;
        input.mi.dwExtraInfo = kHostMarker;
    }
    inputs[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
    return SendInput(2, inputs, sizeof(INPUT)) == 2;
}

struct Library {
    bool (*setMouseHook)() = nullptr;
    bool (*removeMouseHook)(bool) = nullptr;
    bool (*updateSettings)() = nullptr;
    void (*setHookMainWindow)(HWND) = nullptr;
    void (*setSetupWindow)(HWND) = nullptr;
    int (*getCurrentLayer)() = nullptr;
    int (*getCurrentProcessName)(wchar_t*, int&) = nullptr;
    void (*setDebug)(bool) = nullptr;
};

template <typename Fn>
void Resolve(HMODULE module, const char* name, Fn& fn, std::string& missing) {
    fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    if (!fn)
        missing += std::string(missing.empty() ? "" : ", ") + name;
}

bool ResolveLibrary(Library& library) {
    HMODULE module = GetModuleHandleW(L"PallawickHook.dll");
    if (!module) {
        Check(false, "PallawickHook.dll is loaded through its import library");
        return false;
    }
    std::string missing;
    Resolve(module, "SetMouseHook", library.setMouseHook, missing);
    Resolve(module, "RemoveMouseHook", library.removeMouseHook, missing);
    Resolve(module, "UpdateSettings", library.updateSettings, missing);
    Resolve(module, "SetHookMainWindow", library.setHookMainWindow, missing);
    Resolve(module, "SetSetupWindow", library.setSetupWindow, missing);
    Resolve(module, "GetCurrentLayer", library.getCurrentLayer, missing);
    Resolve(module, "GetCurrentProcessName", library.getCurrentProcessName, missing);
    Resolve(module, "SetDebug", library.setDebug, missing);
    Check(missing.empty(), "the exports the checks use are present",
          missing.empty() ? "" : "missing " + missing);
    return missing.empty();
}

std::string CurrentProcessName(const Library& library) {
    wchar_t buffer[MAX_PATH] = {};
    int length = MAX_PATH;
    const int n = library.getCurrentProcessName(buffer, length);
    return Narrow(std::wstring(buffer, static_cast<size_t>(n > 0 ? n : 0)));
}

// Two layers; Control+Shift holds the second. In notepad the right button of the second
// layer waits 400 ms (time to let the keys go) and types "xy"; the default profile maps
// nothing.
std::string SettingsXml() {
    std::string xml = "\xEF\xBB\xBF<?xml version=\"1.0\"?>\r\n<root>\r\n"
                      "\t<version build=\"0\" revision=\"0\" minor=\"14\" major=\"2\" />\r\n"
                      "\t<Layers Number=\"2\" />\r\n"
                      "\t<Logging Disable=\"false\" />\r\n"
                      "\t<ScrollLock BypassAll=\"false\" BypassDisabled=\"false\" />\r\n"
                      "\t<SwitchOnMouseOver Enable=\"false\" />\r\n"
                      "\t<LayerModifierKeys Enable=\"true\">\r\n"
                      "\t\t<LayerKey1 Key=\"0\" Modifier=\"3\" />\r\n"
                      "\t</LayerModifierKeys>\r\n"
                      "\t<Default />\r\n"
                      "\t<Applications>\r\n"
                      "\t\t<Application Name=\"notepad.exe\" Description=\"Notepad\" "
                      "Enabled=\"true\">\r\n"
                      "\t\t\t<Right_Layer1 action=\"28\" keys=\"{WAITMS:400}xy\" keyaction=\"0\" "
                      "/>\r\n"
                      "\t\t</Application>\r\n"
                      "\t</Applications>\r\n</root>\r\n";
    return xml;
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const BOOL ok =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

void PrepareSettingsFolder() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"pallawick-keys-host\\settings\\";
    CreateFolder(folder.c_str());
    Check(WriteFileBytes(folder + pw::folders::kSettingsFileName, SettingsXml()),
          "the settings file is written");
    HKEY key = nullptr;
    bool set = RegCreateKeyExW(HKEY_LOCAL_MACHINE, pw::folders::kRegistryKey, 0, nullptr, 0,
                               KEY_ALL_ACCESS, nullptr, &key, nullptr) == ERROR_SUCCESS;
    if (set) {
        set = RegSetValueExW(
                  key, L"SettingsFolder", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                  static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
        RegCloseKey(key);
    }
    Check(set, "the settings folder override is written");
}

HWND CreateHostWindow() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"PallawickKeysHost";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"Pallawick keys host",
                                  WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                                  nullptr, windowClass.hInstance, nullptr);
    if (window)
        SetForegroundWindow(window);
    Pump(100);
    return window;
}

struct Notepad {
    PROCESS_INFORMATION process{};
    HWND frame = nullptr;
    HWND edit = nullptr;
};

BOOL CALLBACK FindFrame(HWND window, LPARAM param) {
    auto* notepad = reinterpret_cast<Notepad*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != notepad->process.dwProcessId || !IsWindowVisible(window))
        return TRUE;
    notepad->frame = window;
    return FALSE;
}

bool StartNotepad(Notepad& notepad) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    wchar_t command[] = L"notepad.exe";
    if (!CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &notepad.process))
        return false;
    WaitForInputIdle(notepad.process.hProcess, 10000);
    PumpUntil(10000, [&] {
        EnumWindows(FindFrame, reinterpret_cast<LPARAM>(&notepad));
        return notepad.frame != nullptr;
    });
    if (notepad.frame)
        notepad.edit = FindWindowExW(notepad.frame, nullptr, L"Edit", nullptr);
    return notepad.frame && notepad.edit;
}

std::string EditText(HWND edit) {
    wchar_t text[256] = {};
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(edit, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                        1000, &copied);
    return Narrow(text);
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
    Check(g_processChanges > 0, "\"VESK_ProcessChanged\" reaches the setup window");
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
    Check(g_layerChanges >= 2, "\"VESKLayerChanged\" announces both changes",
          std::to_string(g_layerChanges) + " messages");
    const bool typed = PumpUntil(3000, [&] { return EditText(notepad.edit) == "xy"; });
    Check(typed, "the second layer's keys arrive in notepad's edit control",
          "'" + EditText(notepad.edit) + "', injected " + g_injectedLetters);
}

void Run() {
    Library library;
    if (!ResolveLibrary(library))
        return;
    g_processChangedMessage = RegisterWindowMessageW(L"VESK_ProcessChanged");
    g_layerChangedMessage = RegisterWindowMessageW(L"VESKLayerChanged");
    PrepareSettingsFolder();
    HWND window = CreateHostWindow();
    Check(window != nullptr, "the host window is created");

    HHOOK ownKeys = SetWindowsHookExW(WH_KEYBOARD_LL, OwnKeyHook, GetModuleHandleW(nullptr), 0);

    Notepad notepad;
    const bool started = StartNotepad(notepad);
    Check(started, "notepad.exe runs with its edit control");
    if (!started)
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

    Check(library.removeMouseHook(true), "RemoveMouseHook stops the threads");
    TerminateProcess(notepad.process.hProcess, 0);
    CloseHandle(notepad.process.hThread);
    CloseHandle(notepad.process.hProcess);
    UnhookWindowsHookEx(ownKeys);
    DestroyWindow(window);
}

} // namespace

int main() {
    Run();
    std::printf("%d check(s) failed\n", g_failures);
    return g_failures;
}
