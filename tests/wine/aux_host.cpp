// The library's side workers and its staying power, run under Wine with the real
// PallawickHook.dll beside Wine's notepad.exe:
// - the middle button searches the web for notepad's selection: the shell must really be
//   asked to open the search URL (its scheme is registered to aux_host_recorder.exe, which
//   writes down the command line it was given) and the clipboard must hold the user's text
//   again afterwards;
// - the inactivity jiggler's (0, 0) movement reaches the system: the host's own low-level
//   hook sees it, the cursor stays, and the system's last-input time advances;
// - a few thousand injected events at full speed (moves, mapped and unmapped buttons,
//   wheel) leave the hooks working, every mapped click acted on once, nothing held down
//   and no hook overrun in the library's log.
// One line per check; the exit code is the number of failed checks.

#include <windows.h>

#include "host_common.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

using host::BringToFront;
using host::Check;
using host::EditText;
using host::kButtonNames;
using host::Narrow;
using host::Notepad;
using host::Place;
using host::Pump;
using host::PumpUntil;

// Marks the input this program injects, so its hook can tell it from the library's.
using host::kHostMarker;
constexpr DWORD kEventWaitMs = 3000;
// The jiggler checks every 10 s from the settings load; a tick is given this long to show.
constexpr DWORD kJigglerPeriodMs = 10000;
constexpr DWORD kJigglerGraceMs = 2500;
constexpr DWORD kQuietBeforeTickMs = 1500;
// The soak sends at least this many events, unless it has run this long.
constexpr int kSoakEvents = 3000;
constexpr DWORD kSoakLimitMs = 15000;
// The library measures its hook against this system time-out and logs an overrun.
constexpr DWORD kHookTimeoutMs = 1000;

const wchar_t kSearchScheme[] = L"pallawick-search";
const wchar_t kSearchUrl[] = L"pallawick-search:find?q=";
const wchar_t kOriginalClipboard[] = L"the user's own clipboard text";
const wchar_t kNotepadText[] = L"alpha bravo charlie";
constexpr int kSelectionStart = 6;
constexpr int kSelectionEnd = 11;
const wchar_t kSelection[] = L"bravo";

// Where the windows sit on the 1024 x 768 display.
constexpr RECT kNotepadRect{20, 20, 480, 420};
constexpr RECT kTargetRect{520, 20, 980, 420};

// What the host's target window received.
struct TargetCounts {
    int left = 0;
    int right = 0; // presses and releases
    int middle = 0;
    int middleUp = 0;
    int wheel = 0;
};
TargetCounts g_target;

// The jiggler's movement as the host's own low-level hook saw it: injected, not by the host.
struct Jiggle {
    DWORD tick = 0;
    POINT pt{};
};
int g_jiggles = 0;
Jiggle g_lastJiggle;

LRESULT CALLBACK OwnMouseHook(int code, WPARAM wParam, LPARAM lParam) {
    const auto* event = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
    if (code == HC_ACTION && wParam == WM_MOUSEMOVE && (event->flags & LLMHF_INJECTED) &&
        event->dwExtraInfo != kHostMarker) {
        ++g_jiggles;
        g_lastJiggle = {GetTickCount(), event->pt};
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK TargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOUSEACTIVATE:
        // Clicks here leave notepad in front, where the mapped keys go.
        return MA_NOACTIVATE;
    case WM_LBUTTONDOWN:
        ++g_target.left;
        return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        ++g_target.right;
        return 0;
    case WM_MBUTTONDOWN:
        ++g_target.middle;
        return 0;
    case WM_MBUTTONUP:
        ++g_target.middleUp;
        return 0;
    case WM_MOUSEWHEEL:
        ++g_target.wheel;
        return 0;
    case WM_CONTEXTMENU:
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

// --- Input ---------------------------------------------------------------------------

bool SendMouse(DWORD flags, LONG dx = 0, LONG dy = 0, DWORD data = 0) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = dx;
    input.mi.dy = dy;
    input.mi.mouseData = data;
    input.mi.dwFlags = flags;
    input.mi.dwExtraInfo = kHostMarker;
    return SendInput(1, &input, sizeof input) == 1;
}

bool MoveTo(POINT pt) {
    const int width = GetSystemMetrics(SM_CXSCREEN) - 1;
    const int height = GetSystemMetrics(SM_CYSCREEN) - 1;
    return SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, pt.x * 65535 / width,
                     pt.y * 65535 / height);
}

bool Click(DWORD down, DWORD up, DWORD data = 0) {
    const bool pressed = SendMouse(down, 0, 0, data);
    const bool released = SendMouse(up, 0, 0, data);
    return pressed && released;
}

POINT Centre(const RECT& rect) {
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

DWORD LastInputTick() {
    LASTINPUTINFO info{};
    info.cbSize = sizeof info;
    GetLastInputInfo(&info);
    return info.dwTime;
}

// --- Files, registry, clipboard ------------------------------------------------------

std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.rfind(L'\\') + 1);
}

bool FileExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool SetRegistryString(HKEY root, const std::wstring& path, const wchar_t* name,
                       const std::wstring& value) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    const LSTATUS status =
        RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

// The search URL's scheme opens with the recorder, as "http" would open a browser. The
// machine-wide classes are the ones Wine's shell reads.
bool RegisterSearchScheme(const std::wstring& recorder) {
    const std::wstring key = std::wstring(L"Software\\Classes\\") + kSearchScheme;
    return SetRegistryString(HKEY_LOCAL_MACHINE, key, nullptr, L"URL:Pallawick search test") &&
           SetRegistryString(HKEY_LOCAL_MACHINE, key, L"URL Protocol", L"") &&
           SetRegistryString(HKEY_LOCAL_MACHINE, key + L"\\shell\\open\\command", nullptr,
                             L"\"" + recorder + L"\" \"%1\"");
}

bool SetHookTimeout(DWORD ms) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_ALL_ACCESS,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    const LSTATUS status = RegSetValueExW(key, L"LowLevelHooksTimeout", 0, REG_DWORD,
                                          reinterpret_cast<const BYTE*>(&ms), sizeof ms);
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

// Another program may hold the clipboard for a moment: the open is tried for a while.
bool OpenClipboardSoon() {
    return PumpUntil(1000, [] { return OpenClipboard(nullptr) != FALSE; });
}

bool PutClipboardText(const std::wstring& text) {
    if (!OpenClipboardSoon())
        return false;
    EmptyClipboard();
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    bool set = false;
    if (memory) {
        if (void* data = GlobalLock(memory)) {
            std::memcpy(data, text.c_str(), bytes);
            GlobalUnlock(memory);
            set = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
        }
        if (!set)
            GlobalFree(memory);
    }
    CloseClipboard();
    return set;
}

std::wstring ClipboardText() {
    if (!OpenClipboardSoon())
        return L"<clipboard busy>";
    std::wstring text;
    if (HANDLE memory = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* data = static_cast<const wchar_t*>(GlobalLock(memory))) {
            text = data;
            GlobalUnlock(memory);
        }
    }
    CloseClipboard();
    return text;
}

// --- Windows -------------------------------------------------------------------------

int CountOf(const std::wstring& text, wchar_t c) {
    int count = 0;
    for (wchar_t each : text)
        count += each == c ? 1 : 0;
    return count;
}

// A window of the host's beside notepad that counts the clicks and wheel it receives and
// never takes the front.
HWND CreateTargetWindow() {
    HWND window =
        host::CreateOwnWindow({TargetProc, L"PallawickAuxTarget", L"Pallawick aux target",
                               kTargetRect, WS_POPUP | WS_BORDER | WS_VISIBLE, WS_EX_NOACTIVATE});
    Check(window != nullptr, "the target window is created");
    Pump(100);
    return window;
}

// --- Settings ------------------------------------------------------------------------

std::string ButtonXml(const std::string& button) {
    std::string action = "40";
    std::string keys;
    if (button == "Middle") {
        action = "127"; // Web Search Selected Text
    } else if (button == "Right") {
        action = "5"; // Middle Click
    } else if (button == "XLeft") {
        action = "28"; // Simulated Keys
        keys = "a";
    } else if (button == "WheelDown") {
        action = "28";
        keys = "b";
    }
    return "\t\t<" + button + " action=\"" + action + "\" keys=\"" + keys +
           "\" keyaction=\"0\" keyrepeat=\"34\" active=\"true\" blockmouse=\"true\" "
           "randomisedelay=\"false\" app=\"\" />\r\n";
}

// The default profile: the middle button searches, the right button clicks the middle
// one, the first side button types "a" and the wheel turned down types "b"; the rest is
// left alone. The jiggler is on with the shortest limit, one minute.
std::string SettingsXml() {
    std::string xml = std::string(host::kSettingsHead) +
                      "\t<Layers Number=\"1\" />\r\n"
                      "\t<Logging Disable=\"false\" />\r\n"
                      "\t<SwitchOnMouseOver Enable=\"false\" />\r\n"
                      "\t<InactivityTimer Disable=\"true\" Timeout=\"1\" />\r\n"
                      "\t<Search url=\"" +
                      Narrow(kSearchUrl) +
                      "\" />\r\n"
                      "\t<Default ScrollPages=\"false\" ScrollLines=\"3\" ForceSPI=\"false\" "
                      "SwapButtons=\"0\">\r\n";
    for (const char* button : kButtonNames)
        xml += ButtonXml(button);
    xml += "\t</Default>\r\n\t<Applications />\r\n</root>\r\n";
    return xml;
}

// --- Checks --------------------------------------------------------------------------

struct Context {
    host::Library library;
    Notepad notepad;
    HWND target = nullptr;
    std::wstring record;
    DWORD settingsLoaded = 0;
};

void CheckWebSearch(const Context& context) {
    const Notepad& notepad = context.notepad;
    SendMessageW(notepad.edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kNotepadText));
    BringToFront(notepad.frame, kEventWaitMs);
    SendMessageW(notepad.edit, EM_SETSEL, kSelectionStart, kSelectionEnd);
    Check(PutClipboardText(kOriginalClipboard), "the host puts its own text on the clipboard");
    DeleteFileW(context.record.c_str());

    RECT edit{};
    GetWindowRect(notepad.edit, &edit);
    MoveTo(Centre(edit));
    Pump(100);
    Click(MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP);
    const DWORD clicked = GetTickCount();

    const bool opened = PumpUntil(8000, [&] { return FileExists(context.record); });
    // The recorder writes its file at once; a moment more lets it finish.
    Pump(200);
    const std::string bytes = host::ReadShared(context.record);
    const std::wstring command(reinterpret_cast<const wchar_t*>(bytes.data()),
                               bytes.size() / sizeof(wchar_t));
    const std::wstring expected = L"\"" + std::wstring(kSearchUrl) + kSelection + L"\"";
    Check(opened && command.find(expected) != std::wstring::npos,
          "the middle button has the shell open the search URL with notepad's selection",
          (opened ? "after " + std::to_string(GetTickCount() - clicked) + " ms: "
                  : "nothing opened; ") +
              Narrow(command));

    std::wstring clipboard;
    const bool restored = PumpUntil(kEventWaitMs, [&] {
        clipboard = ClipboardText();
        return clipboard == kOriginalClipboard;
    });
    Check(restored, "the clipboard holds the user's text again after the search",
          "'" + Narrow(clipboard) + "'");
    Check(EditText(notepad) == kNotepadText, "notepad's text is left as it was",
          "'" + Narrow(EditText(notepad)) + "'");
    DeleteFileW(context.record.c_str());
}

// The soak: cursor over the target window, notepad in front. Every round is an absolute
// move, three small relative moves, a left click and a wheel notch up (both left alone);
// every fourth round adds a right click, which the library turns into a middle click, and
// every fourth a side-button click and a notch down, which type "a" and "b".
//
// While the library's own injected click is on its way, an injected press is taken for it
// (the count of its announced events decides, not the marker), so the host's next press
// would pass unprocessed; hardware input never is. So after each right click only moves
// are sent until the library's middle release has reached the target, as with a hand on
// a real mouse. The right release itself follows its press at once.
struct SoakTally {
    int events = 0;
    int rounds = 0;
    int rightClicks = 0;
    int typedA = 0;
    int typedB = 0;
    DWORD ms = 0;
};

class Soak {
  public:
    // Notepad cleared and in front, the target's counts from zero.
    explicit Soak(const Notepad& notepad) : m_notepad(notepad) {
        SendMessageW(notepad.edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
        BringToFront(notepad.frame, kEventWaitMs);
        Check(GetForegroundWindow() == notepad.frame, "notepad is in front for the soak");
        g_target = {};
    }

    // Sends rounds until the tick, or until the soak's time is up.
    void RunUntil(DWORD tick) {
        Run([&] { return static_cast<LONG>(tick - GetTickCount()) > 0; });
    }

    // Sends rounds until the soak has its events, or its time is up.
    void Complete() {
        Run([&] { return m_tally.events < kSoakEvents; });
    }

    // Waits until every letter has been typed and every middle click has arrived; whether
    // they did.
    bool Settle() const {
        return PumpUntil(8000, [&] {
            const std::wstring text = EditText(m_notepad);
            return CountOf(text, L'a') >= m_tally.typedA && CountOf(text, L'b') >= m_tally.typedB &&
                   g_target.middleUp >= m_tally.rightClicks && g_target.left >= m_tally.rounds &&
                   g_target.wheel >= m_tally.rounds;
        });
    }

    const SoakTally& Tally() const { return m_tally; }

  private:
    template <typename More> void Run(More more) {
        const DWORD start = GetTickCount();
        while (more() && m_tally.ms + (GetTickCount() - start) < kSoakLimitMs)
            Round();
        m_tally.ms += GetTickCount() - start;
    }

    static constexpr RECT kInner{kTargetRect.left + 40, kTargetRect.top + 40,
                                 kTargetRect.right - 40, kTargetRect.bottom - 40};

    void Round() {
        Sent(MoveTo({kInner.left + Random(kInner.right - kInner.left),
                     kInner.top + Random(kInner.bottom - kInner.top)}));
        Nudge(3);
        Sent(SendMouse(MOUSEEVENTF_LEFTDOWN));
        Sent(SendMouse(MOUSEEVENTF_LEFTUP));
        Sent(SendMouse(MOUSEEVENTF_WHEEL, 0, 0, WHEEL_DELTA));
        if (m_tally.rounds % 4 == 2) {
            ++m_tally.rightClicks;
            Sent(SendMouse(MOUSEEVENTF_RIGHTDOWN));
            Sent(SendMouse(MOUSEEVENTF_RIGHTUP));
            NudgeUntil(g_target.middleUp);
        }
        if (m_tally.rounds % 4 == 0) {
            Sent(SendMouse(MOUSEEVENTF_XDOWN, 0, 0, XBUTTON1));
            Sent(SendMouse(MOUSEEVENTF_XUP, 0, 0, XBUTTON1));
            Sent(SendMouse(MOUSEEVENTF_WHEEL, 0, 0, static_cast<DWORD>(-WHEEL_DELTA)));
            ++m_tally.typedA;
            ++m_tally.typedB;
        }
        ++m_tally.rounds;
        TakeMessages();
    }

    // Small relative moves around the current point.
    void Nudge(int count) {
        for (int step = 0; step < count; ++step)
            Sent(SendMouse(MOUSEEVENTF_MOVE, Random(5) - 2, Random(5) - 2));
    }

    // Until the library's answer to the latest right click has reached the target. The
    // nudges go one pixel right and back, so however long the answer takes, the cursor
    // never wanders off the point where the right button was pressed (a random walk of a
    // few hundred steps on a loaded machine reached the window's frame).
    void NudgeUntil(const int& answers) {
        const DWORD start = GetTickCount();
        for (int step = 0; answers < m_tally.rightClicks && GetTickCount() - start < kEventWaitMs;
             ++step) {
            Sent(SendMouse(MOUSEEVENTF_MOVE, step % 2 == 0 ? 1 : -1, 0));
            TakeMessages();
        }
    }

    // The target window's messages are taken in between, as a busy program would.
    static void TakeMessages() {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }

    void Sent(bool ok) { m_tally.events += ok ? 1 : 0; }

    // A fixed sequence, the same on every run.
    int Random(int range) {
        m_seed = m_seed * 1103515245u + 12345u;
        return static_cast<int>((m_seed >> 16) % static_cast<uint32_t>(range));
    }

    const Notepad& m_notepad;
    uint32_t m_seed = 12345;
    SoakTally m_tally;
};

void CheckSoak(const Context& context, const Soak& soak) {
    const Notepad& notepad = context.notepad;
    const SoakTally& tally = soak.Tally();
    const int perSecond = tally.ms ? static_cast<int>(tally.events * 1000LL / tally.ms) : 0;
    std::printf("INFO soak: %d events in %lu ms (%d events/s), %d rounds\n", tally.events,
                static_cast<unsigned long>(tally.ms), perSecond, tally.rounds);
    std::fflush(stdout);

    const bool settled = soak.Settle();
    Pump(300);
    const std::wstring text = EditText(notepad);
    Check(settled && CountOf(text, L'a') == tally.typedA && CountOf(text, L'b') == tally.typedB &&
              text.size() == static_cast<size_t>(tally.typedA + tally.typedB),
          "every side-button click and notch down typed its letter into notepad once",
          std::to_string(CountOf(text, L'a')) + " a / " + std::to_string(tally.typedA) + ", " +
              std::to_string(CountOf(text, L'b')) + " b / " + std::to_string(tally.typedB) + ", " +
              std::to_string(text.size()) + " characters");

    const int rounds = tally.rounds;
    const int clicks = tally.rightClicks;
    Check(settled && g_target.left == rounds && g_target.wheel == rounds,
          "the target window got every left click and wheel notch up",
          std::to_string(g_target.left) + " clicks, " + std::to_string(g_target.wheel) +
              " notches of " + std::to_string(rounds));
    Check(settled && g_target.middle == clicks && g_target.middleUp == clicks &&
              g_target.right == 0,
          "each right click reached the target as one whole middle click",
          std::to_string(g_target.middle) + " presses, " + std::to_string(g_target.middleUp) +
              " releases, " + std::to_string(g_target.right) + " right button messages of " +
              std::to_string(clicks));
    Check(GetForegroundWindow() == notepad.frame, "notepad stays in front throughout");
    Check(!FileExists(context.record), "the middle clicks the library sent started no search");

    // The hooks still act: one more side-button click types one more letter.
    const size_t before = EditText(notepad).size();
    Click(MOUSEEVENTF_XDOWN, MOUSEEVENTF_XUP, XBUTTON1);
    const bool acts = PumpUntil(kEventWaitMs, [&] { return EditText(notepad).size() > before; });
    Pump(200);
    Check(acts && EditText(notepad).size() == before + 1,
          "after the soak a side-button click still types into notepad",
          std::to_string(before) + " -> " + std::to_string(EditText(notepad).size()) +
              " characters");
}

// The jiggler ticks every 10 s from the settings load. The period is fixed and the
// settings choose only the inactivity limit, a minute at least, so its stop after the
// limit is beyond a short test. Wine hands a (0, 0) relative move to the low-level hooks
// and counts it as input, though no window gets a WM_MOUSEMOVE for it: the next tick after
// a quiet spell is looked for there.
void CheckJiggler(const Context& context) {
    const POINT rest = Centre(kTargetRect);
    MoveTo(rest);
    SetCursorPos(rest.x, rest.y);
    Pump(300);
    HHOOK own = SetWindowsHookExW(WH_MOUSE_LL, OwnMouseHook, GetModuleHandleW(nullptr), 0);
    g_jiggles = 0;
    const DWORD quietFrom = GetTickCount();
    const DWORD inputBefore = LastInputTick();
    const DWORD sinceLoad = quietFrom - context.settingsLoaded;
    const DWORD nextTick = (sinceLoad / kJigglerPeriodMs + 1) * kJigglerPeriodMs;
    const DWORD wait = nextTick - sinceLoad + kJigglerGraceMs;
    const bool seen = PumpUntil(wait, [] { return g_jiggles > 0; });
    const DWORD inputAfter = LastInputTick();
    POINT cursor{};
    GetCursorPos(&cursor);
    UnhookWindowsHookEx(own);

    Check(seen, "the jiggler's movement reaches the low-level hooks after a quiet spell",
          std::to_string(g_jiggles) + " seen " +
              std::to_string(seen ? g_lastJiggle.tick - context.settingsLoaded : 0) +
              " ms after the settings load, waited " + std::to_string(wait) + " ms");
    if (!seen)
        return;
    const POINT at = g_lastJiggle.pt;
    Check(at.x == rest.x && at.y == rest.y && cursor.x == rest.x && cursor.y == rest.y,
          "the jiggler's movement leaves the cursor where it was",
          "at " + std::to_string(at.x) + "," + std::to_string(at.y) + ", cursor " +
              std::to_string(cursor.x) + "," + std::to_string(cursor.y));
    Check(inputBefore < quietFrom && inputAfter >= quietFrom,
          "the system's last-input time advances with the jiggle",
          std::to_string(inputBefore) + " -> " + std::to_string(inputAfter) + ", quiet from " +
              std::to_string(quietFrom));
}

void CheckNothingHeld(const char* what) {
    std::string held;
    for (int vk = 1; vk < 255; ++vk)
        if (host::IsDown(vk))
            held += (held.empty() ? "" : ", ") + std::to_string(vk);
    Check(held.empty(), what, held);
}

void CheckLogHasNoOverrun() {
    std::array<wchar_t, MAX_PATH> path{};
    GetLogFile(path.data(), path.size(), false);
    const std::string log = host::ReadShared(path.data());
    const bool overrun = log.find("has taken too long") != std::string::npos;
    const bool reset = log.find("will be reset") != std::string::npos;
    Check(!log.empty() && !overrun && !reset,
          "the library's log shows no hook overrun or reinstall",
          std::to_string(log.size()) + " bytes in " + Narrow(path.data()));
}

void Run() {
    Context context;
    if (!host::ResolveLibrary(context.library))
        return;
    host::PrepareSettingsFolder(L"pallawick-aux-host", SettingsXml());
    const std::wstring folder = ProgramFolder();
    context.record = folder + L"aux_host_recorder.txt";
    Check(RegisterSearchScheme(folder + L"aux_host_recorder.exe"),
          "the search URL's scheme is registered to the recorder");
    Check(SetHookTimeout(kHookTimeoutMs), "the system's hook time-out is set");

    context.target = CreateTargetWindow();
    if (!context.target || !host::StartNotepad(context.notepad))
        return;
    Place(context.notepad.frame, kNotepadRect);

    context.library.setHookMainWindow(context.target);
    Check(context.library.setMouseHook(), "SetMouseHook starts the hook thread");
    // Loaded with the threads running, the jiggler's timer runs on the timer thread.
    context.settingsLoaded = GetTickCount();
    context.library.updateSettings();
    Pump(300);

    CheckWebSearch(context);
    // The soak runs in two parts around the jiggler's first tick, which falls in a quiet
    // spell between them: until shortly before the tick, then as long as it needs for its
    // events.
    Soak soak(context.notepad);
    soak.RunUntil(context.settingsLoaded + kJigglerPeriodMs - kQuietBeforeTickMs);
    soak.Settle();
    CheckJiggler(context);
    soak.Complete();
    CheckSoak(context, soak);
    CheckNothingHeld("no mouse button or key is held after the soak");

    Check(context.library.removeMouseHook(true), "RemoveMouseHook stops the hooks");
    CheckNothingHeld("no mouse button or key is held once the hooks are removed");
    CheckLogHasNoOverrun();
    host::StopNotepad(context.notepad);
    DestroyWindow(context.target);
}

} // namespace

int main() {
    const DWORD start = GetTickCount();
    Run();
    std::printf("INFO host checks took %lu ms\n",
                static_cast<unsigned long>(GetTickCount() - start));
    std::printf("%d check(s) failed\n", host::g_failures);
    return host::g_failures;
}
