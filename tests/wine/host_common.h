#pragma once

// Shared by the host programs that run under Wine against the real PallawickHook.dll:
// checks printed one per line, a message pump with a deadline, the library's exports
// looked up at run time, and a settings folder of the host's own.

#include <windows.h>

#include <tlhelp32.h>

#include "settings/folders.h"

#include <cstdio>
#include <string>

namespace host {

inline int g_failures = 0;

inline void Check(bool ok, const char* what, const std::string& detail = std::string()) {
    if (!ok)
        ++g_failures;
    std::printf("%s %s%s%s\n", ok ? "PASS" : "FAIL", what, detail.empty() ? "" : ": ",
                detail.c_str());
    std::fflush(stdout);
}

inline std::string Narrow(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text)
        out += c < 128 ? static_cast<char>(c) : '?';
    return out;
}

// Runs the message loop (low-level hooks are called from it) until done() or the time is
// up. Returns done(). What another program does (its window's text, a file it writes)
// sends this thread no message, so done() is also asked every few milliseconds.
template <typename Done> bool PumpUntil(DWORD ms, Done done) {
    // Short slices, and a wake-up for input already queued: the latency bench times
    // arrivals through this loop too.
    constexpr DWORD kPollMs = 5;
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
        const DWORD left = ms - elapsed;
        MsgWaitForMultipleObjectsEx(0, nullptr, left < kPollMs ? left : kPollMs, QS_ALLINPUT,
                                    MWMO_INPUTAVAILABLE);
    }
}

inline void Pump(DWORD ms) {
    PumpUntil(ms, [] { return false; });
}

// The library's exports that drive the hooks, looked up at run time so that the host
// reports a missing one instead of failing to load.
struct Library {
    bool (*setMouseHook)() = nullptr;
    bool (*removeMouseHook)(bool) = nullptr;
    bool (*updateSettings)() = nullptr;
    void (*setHookMainWindow)(HWND) = nullptr;
    void (*setSetupWindow)(HWND) = nullptr;
    int (*getCurrentLayer)() = nullptr;
    int (*getCurrentProcessName)(wchar_t*, int&) = nullptr;
    void (*setDebug)(bool) = nullptr;
    void (*setHookBrightnessOSDWindow)(HWND) = nullptr;
};

template <typename Fn>
void Resolve(HMODULE module, const char* name, Fn& fn, std::string& missing) {
    fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    if (!fn)
        missing += std::string(missing.empty() ? "" : ", ") + name;
}

inline bool ResolveLibrary(Library& library, HMODULE module) {
    std::string missing;
    Resolve(module, "SetMouseHook", library.setMouseHook, missing);
    Resolve(module, "RemoveMouseHook", library.removeMouseHook, missing);
    Resolve(module, "UpdateSettings", library.updateSettings, missing);
    Resolve(module, "SetHookMainWindow", library.setHookMainWindow, missing);
    Resolve(module, "SetSetupWindow", library.setSetupWindow, missing);
    Resolve(module, "GetCurrentLayer", library.getCurrentLayer, missing);
    Resolve(module, "GetCurrentProcessName", library.getCurrentProcessName, missing);
    Resolve(module, "SetDebug", library.setDebug, missing);
    Resolve(module, "SetHookBrightnessOSDWindow", library.setHookBrightnessOSDWindow, missing);
    Check(missing.empty(), "the hook exports are present",
          missing.empty() ? "" : "missing " + missing);
    return missing.empty();
}

inline bool ResolveLibrary(Library& library) {
    HMODULE module = GetModuleHandleW(L"PallawickHook.dll");
    Check(module != nullptr, "PallawickHook.dll is loaded through its import library");
    return module && ResolveLibrary(library, module);
}

// The start of every host's settings file: byte order mark, declaration, root and version.
inline constexpr const char kSettingsHead[] =
    "\xEF\xBB\xBF<?xml version=\"1.0\"?>\r\n<root>\r\n"
    "\t<version build=\"0\" revision=\"0\" minor=\"14\" major=\"2\" />\r\n";

// Whether the system holds the key or mouse button vk down.
inline bool IsDown(int vk) {
    return (GetAsyncKeyState(vk) & 0x8000) != 0;
}

inline bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
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

// A fresh settings folder of the host's own, %TEMP%\name\settings.
inline std::wstring CreateSettingsFolder(const wchar_t* name) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring parent = std::wstring(temp) + name + L"\\";
    const std::wstring folder = parent + L"settings\\";
    CreateDirectoryW(parent.c_str(), nullptr);
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

// Writes settingsXml into folder and names folder in the machine-wide registry override (a
// fresh prefix lets an ordinary user write it); whether the override was written. Calls
// nothing of the library, so a host may load it only afterwards.
inline bool WriteSettingsFolder(const std::wstring& folder, const std::string& settingsXml) {
    const std::wstring file = folder + pw::folders::kSettingsFileName;
    Check(WriteFileBytes(file, settingsXml), "the settings file is written", Narrow(file));

    HKEY key = nullptr;
    bool set = RegCreateKeyExW(HKEY_LOCAL_MACHINE, pw::folders::kRegistryKey, 0, nullptr, 0,
                               KEY_ALL_ACCESS, nullptr, &key, nullptr) == ERROR_SUCCESS;
    if (set) {
        set = RegSetValueExW(
                  key, L"SettingsFolder", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                  static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
        RegCloseKey(key);
    }
    return set;
}

// A settings folder with settingsXml in it, and the check that the library finds it.
inline std::wstring PrepareSettingsFolder(const wchar_t* name, const std::string& settingsXml) {
    const std::wstring folder = CreateSettingsFolder(name);
    const bool set = WriteSettingsFolder(folder, settingsXml);
    wchar_t answer[MAX_PATH] = {};
    const bool follows =
        set && GetSettingsFolder(answer, MAX_PATH) == 0 && _wcsicmp(answer, folder.c_str()) == 0;
    Check(follows, "GetSettingsFolder names the host's settings folder", Narrow(answer));
    return folder;
}

// Rewrites the settings file in folder and has the library load it, as a saved change
// would.
inline void ReplaceSettings(const Library& library, const std::wstring& folder,
                            const std::string& settingsXml) {
    WriteFileBytes(folder + pw::folders::kSettingsFileName, settingsXml);
    if (library.updateSettings)
        library.updateSettings();
}

// Wine's own notepad.exe, started for a check: its frame and its edit control.
struct Notepad {
    PROCESS_INFORMATION process{};
    HWND frame = nullptr;
    HWND edit = nullptr;
};

inline BOOL CALLBACK FindNotepadFrame(HWND window, LPARAM param) {
    auto* notepad = reinterpret_cast<Notepad*>(param);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    if (processId != notepad->process.dwProcessId || _wcsicmp(className, L"Notepad") != 0)
        return TRUE;
    notepad->frame = window;
    return FALSE;
}

// Starts notepad and waits for its frame and edit control; false (checked) when either
// does not come.
inline bool StartNotepad(Notepad& notepad) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    wchar_t command[] = L"notepad.exe";
    if (!CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &notepad.process)) {
        Check(false, "notepad.exe starts", "error " + std::to_string(GetLastError()));
        return false;
    }
    WaitForInputIdle(notepad.process.hProcess, 10000);
    PumpUntil(10000, [&] {
        EnumWindows(FindNotepadFrame, reinterpret_cast<LPARAM>(&notepad));
        return notepad.frame != nullptr;
    });
    if (notepad.frame)
        notepad.edit = FindWindowExW(notepad.frame, nullptr, L"Edit", nullptr);
    Check(notepad.edit != nullptr, "notepad.exe opens its window with an edit control");
    return notepad.edit != nullptr;
}

inline void StopNotepad(Notepad& notepad) {
    if (!notepad.process.hProcess)
        return;
    TerminateProcess(notepad.process.hProcess, 0);
    WaitForSingleObject(notepad.process.hProcess, 5000);
    CloseHandle(notepad.process.hThread);
    CloseHandle(notepad.process.hProcess);
    notepad.process = {};
}

// A visible window of a class of the host's own, registered on first use.
struct OwnWindow {
    WNDPROC proc = DefWindowProcW;
    const wchar_t* className = nullptr;
    const wchar_t* title = nullptr;
    RECT rect{};
    DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    DWORD exStyle = 0;
};

inline HWND CreateOwnWindow(const OwnWindow& spec) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = spec.proc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = spec.className;
    RegisterClassW(&windowClass);
    const RECT& r = spec.rect;
    return CreateWindowExW(spec.exStyle, spec.className, spec.title, spec.style, r.left, r.top,
                           r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                           windowClass.hInstance, nullptr);
}

// The extra information the hosts' own injected input carries, which the library must
// take for input of someone else.
inline constexpr ULONG_PTR kHostMarker = 0x484F5354;

// One press and release of a mouse button (flags of MOUSEINPUT, and the side button for
// MOUSEEVENTF_XDOWN), injected as the host's.
inline bool SendButton(DWORD downFlag, DWORD upFlag, DWORD data = 0) {
    INPUT inputs[2] = {};
    for (INPUT& input : inputs) {
        input.type = INPUT_MOUSE;
        input.mi.mouseData = data;
        input.mi.dwExtraInfo = kHostMarker;
    }
    inputs[0].mi.dwFlags = downFlag;
    inputs[1].mi.dwFlags = upFlag;
    return SendInput(2, inputs, sizeof(INPUT)) == 2;
}

// One press and release of a key, injected as the host's.
inline bool SendKeyPress(WORD vk) {
    INPUT inputs[2] = {};
    for (INPUT& input : inputs) {
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.dwExtraInfo = kHostMarker;
    }
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    return SendInput(2, inputs, sizeof(INPUT)) == 2;
}

inline void Place(HWND window, const RECT& rect) {
    MoveWindow(window, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
}

// Puts window in front and waits until the system says it is.
inline void BringToFront(HWND window, DWORD ms) {
    SetForegroundWindow(window);
    PumpUntil(ms, [&] { return GetForegroundWindow() == window; });
}

// The text of notepad's edit control.
inline std::wstring EditText(const Notepad& notepad) {
    wchar_t text[1024] = {};
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(notepad.edit, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 1000, &copied);
    return text;
}

// The whole file as bytes, read while its writer may still have it open.
inline std::string ReadShared(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::string();
    std::string bytes;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0)
        bytes.append(chunk, got);
    CloseHandle(file);
    return bytes;
}

// The system's wheel scroll lines.
inline UINT WheelLines() {
    UINT lines = 0;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    return lines;
}

// The number of threads of this process.
inline size_t ThreadCount() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return 0;
    size_t count = 0;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        if (entry.th32OwnerProcessID == GetCurrentProcessId())
            ++count;
    CloseHandle(snapshot);
    return count;
}

// The settings file's names of the buttons, in slot order.
inline const char* const kButtonNames[] = {"Left",     "Right",     "Middle",  "XLeft",    "XRight",
                                           "TiltLeft", "TiltRight", "WheelUp", "WheelDown"};

} // namespace host
