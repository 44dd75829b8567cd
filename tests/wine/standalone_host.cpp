// Runs pallawick-host.exe, the library's standalone host, as a child process under Wine
// beside Wine's notepad.exe. The settings map the middle button to typing two letters:
// a middle click in notepad must type them; a rewritten file (first cut off half-way,
// then whole) must leave the old mapping in force until the whole file is there; a
// folder in place of the file must change nothing; --stop must remove the hooks, after
// which a middle click types nothing. Bad command lines, a second start, Ctrl+Break and
// the end of the session are checked too. One line per check; the exit code is the
// number of failed checks.

#include <windows.h>

#include "host_common.h"

#include <cstdio>
#include <string>

namespace {

using host::Check;
using host::EditText;
using host::Narrow;
using host::Notepad;
using host::Pump;
using host::PumpUntil;
using host::ReadShared;

constexpr DWORD kExitDone = 0;
constexpr DWORD kExitNotStopped = 1;
constexpr DWORD kExitBadUse = 2;
constexpr DWORD kExitAlreadyRunning = 3;

std::wstring TempFolder() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    return temp;
}

int Count(const std::string& text, const std::string& needle) {
    int count = 0;
    for (size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1))
        ++count;
    return count;
}

// Default profile: the middle button types keys on press, the right button holds the
// second layer while it is down; the other buttons do nothing of their own.
std::string SettingsXml(const std::string& keys) {
    std::string xml = std::string(host::kSettingsHead) +
                      "\t<Layers Number=\"2\" />\r\n"
                      "\t<Logging Disable=\"false\" />\r\n"
                      "\t<SwitchOnMouseOver Enable=\"false\" />\r\n"
                      "\t<Default ScrollPages=\"false\" ScrollLines=\"3\" SwapButtons=\"0\">\r\n";
    for (const char* button : {"Left", "Right", "Middle", "XLeft", "XRight"}) {
        const bool middle = std::string(button) == "Middle";
        const bool right = std::string(button) == "Right";
        xml += "\t\t<" + std::string(button) + " action=\"" +
               (middle  ? "28"
                : right ? "55"
                        : "40") +
               "\" keys=\"" + (middle ? keys : "") + "\" keyaction=\"" + (middle ? "0" : "2") +
               "\" keyrepeat=\"34\" active=\"true\" blockmouse=\"true\" "
               "randomisedelay=\"false\" app=\"\" />\r\n";
    }
    // The release comes on the second layer: its right button holds that layer too.
    xml += "\t\t<Layer1><Right action=\"55\" /></Layer1>\r\n"
           "\t</Default>\r\n\t<Applications />\r\n</root>\r\n";
    return xml;
}

// A run of pallawick-host.exe whose output (standard output and error) goes to a file.
class HostProcess {
  public:
    explicit HostProcess(const wchar_t* name) : m_output(TempFolder() + name + L".txt") {}
    ~HostProcess() {
        if (!m_process.hProcess)
            return;
        if (WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(m_process.hProcess, 99);
        CloseHandle(m_process.hThread);
        CloseHandle(m_process.hProcess);
    }
    HostProcess(const HostProcess&) = delete;
    HostProcess& operator=(const HostProcess&) = delete;

    bool Start(const std::wstring& arguments, DWORD flags = 0) {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        HANDLE output =
            CreateFileW(m_output.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                        &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (output == INVALID_HANDLE_VALUE)
            return false;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = output;
        startup.hStdError = output;
        std::wstring command = L"pallawick-host.exe " + arguments;
        const bool started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, flags,
                                            nullptr, nullptr, &startup, &m_process);
        CloseHandle(output);
        return started;
    }

    // Waits for the process to end; its exit code, or 0xFFFF on time-out.
    DWORD Finish(DWORD ms) {
        if (!m_process.hProcess)
            return 0xFFFF;
        const DWORD start = GetTickCount();
        PumpUntil(ms, [&] { return WaitForSingleObject(m_process.hProcess, 0) == WAIT_OBJECT_0; });
        m_waitedMs = GetTickCount() - start;
        DWORD code = 0xFFFF;
        if (WaitForSingleObject(m_process.hProcess, 0) == WAIT_OBJECT_0)
            GetExitCodeProcess(m_process.hProcess, &code);
        return code;
    }

    // Waits until the output holds needle at least times times.
    bool WaitFor(const std::string& needle, int times = 1, DWORD ms = 5000) {
        return PumpUntil(ms, [&] { return Count(Output(), needle) >= times; });
    }

    std::string Output() const { return ReadShared(m_output); }
    DWORD Id() const { return m_process.dwProcessId; }
    DWORD WaitedMs() const { return m_waitedMs; }

  private:
    std::wstring m_output;
    PROCESS_INFORMATION m_process{};
    DWORD m_waitedMs = 0;
};

// Runs pallawick-host.exe with arguments to its end; checks the exit code and that the
// output holds expected.
void CheckShortRun(const wchar_t* arguments, DWORD expectedCode, const std::string& expected,
                   const char* what) {
    HostProcess run(L"pallawick-host-short");
    if (!run.Start(arguments)) {
        Check(false, what, "pallawick-host.exe does not start");
        return;
    }
    const DWORD code = run.Finish(10000);
    const std::string output = run.Output();
    Check(code == expectedCode && output.find(expected) != std::string::npos, what,
          "exit " + std::to_string(code) + ", output: " + output);
}

void CheckBadUse(const std::wstring& folder) {
    CheckShortRun(L"--help", kExitDone, "usage: pallawick-host", "--help prints the usage");
    CheckShortRun(L"--bogus", kExitBadUse, "unknown option", "an unknown option is refused");
    CheckShortRun(L"C:\\no-such-folder\\VESKSettings.xml", kExitBadUse, "does not exist",
                  "a settings file in a folder that does not exist is refused");
    const std::wstring asFile = L"\"" + folder.substr(0, folder.size() - 1) + L"\"";
    CheckShortRun(asFile.c_str(), kExitBadUse, "is a folder", "a folder given as the file");
    const std::wstring elsewhere = TempFolder() + L"pallawick-host-elsewhere";
    CreateDirectoryW(elsewhere.c_str(), nullptr);
    host::WriteFileBytes(elsewhere + L"\\VESKSettings.xml", SettingsXml("zz"));
    CheckShortRun((L"\"" + elsewhere + L"\\VESKSettings.xml\"").c_str(), kExitBadUse,
                  "is neither in the library's settings folder",
                  "a file the library cannot be pointed at is refused");
    CheckShortRun(L"--stop", kExitNotStopped, "no pallawick-host is running",
                  "--stop without a running host says so");
}

void Click(DWORD down, DWORD up) {
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = down;
    inputs[1].mi.dwFlags = up;
    SendInput(2, inputs, sizeof(INPUT));
}

// Clicks the middle button over notepad and waits for its text to become expected.
bool ClickTypes(const Notepad& notepad, const std::string& expected, DWORD ms = 3000) {
    SetForegroundWindow(notepad.frame);
    RECT rect{};
    GetWindowRect(notepad.edit, &rect);
    SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    Pump(100);
    Click(MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP);
    return PumpUntil(ms, [&] { return Narrow(EditText(notepad)) == expected; });
}

// Holding the right button selects the second layer, letting it go the first again.
void CheckLayerLines(HostProcess& running) {
    Click(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    Check(running.WaitFor("layer 2 (with a notification)"),
          "the change to the second layer is printed");
    Check(running.WaitFor("layer 1"), "the change back to the first layer is printed");
}

void CheckRewrites(HostProcess& running, const Notepad& notepad, const std::wstring& file) {
    const std::string whole = SettingsXml("cd");
    host::WriteFileBytes(file, whole.substr(0, whole.size() / 2));
    Check(running.WaitFor("does not load yet"),
          "a settings file cut off half-way is not handed to the library");
    bool typed = ClickTypes(notepad, "abab");
    Check(typed, "the mapping in force stays while the file is cut off",
          "'" + Narrow(EditText(notepad)) + "'");
    host::WriteFileBytes(file, whole);
    Check(running.WaitFor("loaded '", 2), "the whole file is loaded once it is written");
    typed = ClickTypes(notepad, "ababcd");
    Check(typed, "the rewritten mapping takes effect", "'" + Narrow(EditText(notepad)) + "'");

    DeleteFileW(file.c_str());
    CreateDirectoryW(file.c_str(), nullptr);
    Check(running.WaitFor("is a folder, not a settings file"),
          "a folder in place of the settings file is reported");
    typed = ClickTypes(notepad, "ababcdcd");
    Check(typed, "the mapping in force stays while the file is a folder",
          "'" + Narrow(EditText(notepad)) + "'");
    RemoveDirectoryW(file.c_str());
    host::WriteFileBytes(file, whole);
    Check(running.WaitFor("loaded '", 3), "the file is loaded again once it is back");
}

void CheckStop(HostProcess& running, const Notepad& notepad) {
    CheckShortRun(L"--stop", kExitDone, "has stopped", "--stop stops the running host");
    const DWORD code = running.Finish(5000);
    Check(code == kExitDone, "the running host ends cleanly after --stop",
          "exit " + std::to_string(code));
    Check(running.Output().find("stopped: the hooks are removed") != std::string::npos,
          "the running host removed its hooks");
    const std::string before = Narrow(EditText(notepad));
    ClickTypes(notepad, before + "cd", 700);
    Check(Narrow(EditText(notepad)) == before, "a middle click types nothing once the host stopped",
          "'" + Narrow(EditText(notepad)) + "'");
}

void CheckMappingAndReload(const std::wstring& folder) {
    Notepad notepad;
    if (!host::StartNotepad(notepad))
        return;
    const std::wstring file = folder + pw::folders::kSettingsFileName;
    HostProcess running(L"pallawick-host-running");
    const bool started = running.Start(L"\"" + file + L"\"");
    Check(started && running.WaitFor("running; stop with"), "pallawick-host starts and hooks",
          running.Output());
    Check(running.Output().find("loaded '") != std::string::npos, "the settings file is loaded");
    if (started) {
        const bool typed = ClickTypes(notepad, "ab");
        Check(typed, "a middle click in notepad types the mapped keys",
              "'" + Narrow(EditText(notepad)) + "'");
        Check(running.Output().find("profile default for window") != std::string::npos,
              "the profile change is printed");
        CheckLayerLines(running);
        CheckShortRun(L"", kExitAlreadyRunning, "already running",
                      "a second start says that one runs and ends");
        CheckRewrites(running, notepad, file);
        CheckStop(running, notepad);
        Check(ReadShared(file) == SettingsXml("cd"), "the host leaves the settings file alone");
    }
    host::StopNotepad(notepad);
    std::printf("--- output of the running host:\n%s---\n", running.Output().c_str());
}

// Ctrl+Break to a host in its own process group, where a console can deliver it. Wine
// run from a script has no console to deliver it through: --stop stands in then.
void CheckConsoleBreak(const std::wstring& file) {
    HostProcess run(L"pallawick-host-break");
    if (!run.Start(L"\"" + file + L"\"", CREATE_NEW_PROCESS_GROUP) ||
        !run.WaitFor("running; stop with")) {
        Check(false, "pallawick-host starts for Ctrl+Break", run.Output());
        return;
    }
    if (!GenerateConsoleCtrlEvent(CTRL_BREAK_EVENT, run.Id())) {
        std::printf("NOTE Ctrl+Break cannot be sent here (error %lu); --stop instead\n",
                    GetLastError());
        CheckShortRun(L"--stop", kExitDone, "has stopped", "--stop stops the host");
        return;
    }
    const DWORD code = run.Finish(5000);
    Check(code == kExitDone && run.Output().find("stopped: the hooks") != std::string::npos,
          "Ctrl+Break removes the hooks and ends the host",
          "exit " + std::to_string(code) + ", output: " + run.Output());
}

// The session's end reaches the host's hidden window, whose answer comes only once the
// hooks are removed. A settings file beside the program runs in portable mode.
void CheckSessionEnd() {
    const std::wstring file = L"VESKSettings.xml";
    host::WriteFileBytes(file, SettingsXml("ef"));
    HostProcess run(L"pallawick-host-session");
    if (!run.Start(file) || !run.WaitFor("running; stop with")) {
        Check(false, "pallawick-host starts in portable mode", run.Output());
        return;
    }
    Check(run.Output().find("(portable mode)") != std::string::npos,
          "a settings file beside pallawick-host.exe runs in portable mode");
    HWND window = FindWindowW(L"PallawickHostWindow", L"pallawick-host");
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer);
    Check(window && answer == TRUE, "the host's window lets the session end");
    SendMessageTimeoutW(window, WM_ENDSESSION, TRUE, 0, SMTO_ABORTIFHUNG, 5000, &answer);
    Check(run.Output().find("stopped: the hooks are removed") != std::string::npos,
          "the hooks are removed before the window answers the session's end", run.Output());
    const DWORD code = run.Finish(5000);
    Check(code == kExitDone, "the host ends after the session's end",
          "exit " + std::to_string(code));
    DeleteFileW(file.c_str());
}

void Run() {
    const DWORD start = GetTickCount();
    const std::wstring folder =
        host::PrepareSettingsFolder(L"pallawick-standalone-host", SettingsXml("ab"));
    CheckBadUse(folder);
    CheckMappingAndReload(folder);
    CheckConsoleBreak(folder + pw::folders::kSettingsFileName);
    CheckSessionEnd();
    std::printf("checks took %lu ms\n", GetTickCount() - start);
}

} // namespace

int main() {
    Run();
    std::printf("%d check(s) failed\n", host::g_failures);
    return host::g_failures;
}
