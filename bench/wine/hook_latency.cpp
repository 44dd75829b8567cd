// How much the library's hooks add to the way of real input, on a real Win32 (Wine or
// Windows): events injected with SendInput one at a time, each timed with the
// performance counter from the call to its arrival, on three sides in rotating rounds so
// that all see the same machine: without any other hook, with a hook that does nothing
// on a thread of its own (what any hook costs on this system), and with the library's
// hooks set.
//
// The program's own low-level mouse hook is installed before the library's, so that the
// library's runs first and this one sees what comes out of it; a mapped press that never
// reaches it shows that order. What is timed, per kind of event:
//   move            a one-pixel move, until it reaches the program's hook
//   unmapped click  a middle-button press or release, until it reaches the program's hook
//   mapped click    a right-button press, until the first message it makes arrives in the
//                   program's window: WM_RBUTTONDOWN where nothing maps the button, and
//                   with the library the key down of the "ab" it types
//   wheel notch     a notch over a second window behind the first, until WM_MOUSEWHEEL
//                   arrives: in the front window where nothing redirects it, and with the
//                   library in the window under the cursor
//
//   pallawick-hook-latency.exe [EVENTS_PER_KIND [ROUNDS]]
//
// Prints a table of medians and 99th percentiles in microseconds; the exit code is the
// number of failed checks of what the figures rest on.

#include <windows.h>

#include "host_common.h"

#include <process.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using host::Check;
using host::kButtonNames;
using host::kHostMarker;
using host::PumpUntil;

constexpr DWORD kArrivalTimeoutMs = 1000;
constexpr int kWarmupEvents = 20;
constexpr int kDefaultEvents = 2000;
constexpr int kDefaultRounds = 4;

// Where the windows sit on the 1024 x 768 display: the front one, and one beside it for
// the wheel.
constexpr RECT kFrontRect{40, 100, 480, 500};
constexpr RECT kBehindRect{540, 100, 980, 500};
constexpr POINT kOverFront{260, 300};
constexpr POINT kOverBehind{760, 300};

LONGLONG Now() {
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return counter.QuadPart;
}

// The arrival the event in flight waits for: a message seen by the program's hook, or
// one dispatched to one of its windows (with the virtual key, for a key message).
enum class Endpoint { Hook, Window };
struct Arrival {
    Endpoint endpoint = Endpoint::Hook;
    UINT message = 0;
    WPARAM key = 0;
    LONGLONG at = 0;
    HWND window = nullptr;
};
Arrival g_arrival;

// Counts of what arrived, for the checks and for waiting out what an event leaves behind.
int g_rightPressesHooked = 0;
int g_rightReleasesInWindow = 0;
int g_typedReleases = 0;
int g_mainWindowNotes = 0;
UINT g_mainWindowMessage = 0;

LRESULT CALLBACK OwnMouseHook(int code, WPARAM wParam, LPARAM lParam) {
    const LONGLONG now = Now();
    const auto* event = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
    if (code == HC_ACTION && event->dwExtraInfo == kHostMarker) {
        if (wParam == WM_RBUTTONDOWN)
            ++g_rightPressesHooked;
        if (g_arrival.endpoint == Endpoint::Hook && g_arrival.message == wParam && !g_arrival.at)
            g_arrival.at = now;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void NoteWindowMessage(HWND window, UINT message, WPARAM wParam, LONGLONG now) {
    if (message == WM_RBUTTONUP)
        ++g_rightReleasesInWindow;
    if (message == WM_KEYUP && wParam == 'B')
        ++g_typedReleases;
    if (message == g_mainWindowMessage && message != 0)
        ++g_mainWindowNotes;
    const Arrival& expected = g_arrival;
    if (expected.endpoint != Endpoint::Window || expected.message != message || expected.at)
        return;
    if (expected.key && expected.key != wParam)
        return;
    g_arrival.at = now;
    g_arrival.window = window;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    NoteWindowMessage(window, message, wParam, Now());
    if (message == WM_CONTEXTMENU || message == WM_MOUSEWHEEL ||
        (message == g_mainWindowMessage && message != 0))
        return 0;
    return DefWindowProcW(window, message, wParam, lParam);
}

INPUT MouseInput(DWORD flags, LONG dx = 0, DWORD data = 0) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = dx;
    input.mi.dwFlags = flags;
    input.mi.mouseData = data;
    input.mi.dwExtraInfo = kHostMarker;
    return input;
}

// Sends input and waits for expected; the delay in microseconds, or negative when it did
// not arrive in time.
double TimeEvent(INPUT input, const Arrival& expected) {
    static const double ticksPerMicrosecond = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart) / 1e6;
    }();
    g_arrival = expected;
    const LONGLONG start = Now();
    if (SendInput(1, &input, sizeof input) != 1)
        return -1;
    if (!PumpUntil(kArrivalTimeoutMs, [] { return g_arrival.at != 0; }))
        return -1;
    return static_cast<double>(g_arrival.at - start) / ticksPerMicrosecond;
}

enum Kind { kMove, kUnmappedClick, kMappedClick, kWheel, kKindCount };
const char* const kKindNames[kKindCount] = {"move", "unmapped click (press or release)",
                                            "mapped click (press to first typed key)",
                                            "wheel notch over a window behind"};

enum Side { kNoHook, kEmptyHook, kLibrary, kSideCount };
const char* const kSideNames[kSideCount] = {"no other hook", "an empty hook",
                                            "the library's hooks"};

struct Samples {
    std::vector<double> microseconds;
    int lost = 0;
    int wheelsBehind = 0;
};

void Add(Samples& samples, double microseconds) {
    if (microseconds < 0)
        ++samples.lost;
    else
        samples.microseconds.push_back(microseconds);
}

// The windows and what a round needs of the library.
struct Bench {
    host::Library library;
    HWND front = nullptr;
    HWND behind = nullptr;
    Samples samples[kKindCount][kSideCount];
};

double TimeMove(int index) {
    return TimeEvent(MouseInput(MOUSEEVENTF_MOVE, index % 2 ? -1 : 1),
                     {Endpoint::Hook, WM_MOUSEMOVE});
}

double TimeUnmappedClick(int index) {
    const bool press = index % 2 == 0;
    return TimeEvent(MouseInput(press ? MOUSEEVENTF_MIDDLEDOWN : MOUSEEVENTF_MIDDLEUP),
                     {Endpoint::Hook, static_cast<UINT>(press ? WM_MBUTTONDOWN : WM_MBUTTONUP)});
}

// The press is timed; the release is sent once it arrived, and what the click leaves
// (the typed "b", or the release in the window) is waited for before the next one.
double TimeMappedClick(bool mapped) {
    const int releases = g_rightReleasesInWindow;
    const int typed = g_typedReleases;
    const Arrival expected = mapped ? Arrival{Endpoint::Window, WM_KEYDOWN, 'A'}
                                    : Arrival{Endpoint::Window, WM_RBUTTONDOWN};
    const double delay = TimeEvent(MouseInput(MOUSEEVENTF_RIGHTDOWN), expected);
    INPUT release = MouseInput(MOUSEEVENTF_RIGHTUP);
    SendInput(1, &release, sizeof release);
    PumpUntil(kArrivalTimeoutMs, [&] {
        return mapped ? g_typedReleases > typed : g_rightReleasesInWindow > releases;
    });
    return delay;
}

double TimeWheel(int index, HWND behind, int& wheelsBehind) {
    const DWORD delta = static_cast<DWORD>(index % 2 ? WHEEL_DELTA : -WHEEL_DELTA);
    const double delay =
        TimeEvent(MouseInput(MOUSEEVENTF_WHEEL, 0, delta), {Endpoint::Window, WM_MOUSEWHEEL});
    if (delay >= 0 && g_arrival.window == behind)
        ++wheelsBehind;
    return delay;
}

double TimeOne(Kind kind, int index, Side side, HWND behind, int& wheelsBehind) {
    switch (kind) {
    case kMove:
        return TimeMove(index);
    case kUnmappedClick:
        return TimeUnmappedClick(index);
    case kMappedClick:
        return TimeMappedClick(side == kLibrary);
    default:
        return TimeWheel(index, behind, wheelsBehind);
    }
}

void MeasureKind(Bench& bench, Kind kind, int events, Side side) {
    const POINT at = kind == kWheel ? kOverBehind : kOverFront;
    SetCursorPos(at.x, at.y);
    PumpUntil(50, [] { return false; });
    Samples& samples = bench.samples[kind][side];
    int ignored = 0;
    for (int i = 0; i < kWarmupEvents; ++i)
        TimeOne(kind, i, side, bench.behind, ignored);
    for (int i = 0; i < events; ++i)
        Add(samples, TimeOne(kind, i, side, bench.behind, samples.wheelsBehind));
}

bool SetHooks(Bench& bench) {
    g_mainWindowNotes = 0;
    if (!bench.library.setMouseHook())
        return false;
    // The library announces its installed hooks to the main window.
    return PumpUntil(3000, [] { return g_mainWindowNotes > 0; });
}

// A low-level mouse and keyboard hook that only passes events on, on a thread of its own
// as the library's are: the floor any such hook pays. Set for the object's lifetime.
class EmptyHook {
  public:
    EmptyHook() {
        m_ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        m_thread = reinterpret_cast<HANDLE>(
            _beginthreadex(nullptr, 0, &EmptyHook::Run, this, 0, &m_threadId));
        if (m_thread)
            WaitForSingleObject(m_ready, 3000);
    }
    ~EmptyHook() {
        if (m_thread) {
            PostThreadMessageW(m_threadId, WM_QUIT, 0, 0);
            WaitForSingleObject(m_thread, 3000);
            CloseHandle(m_thread);
        }
        CloseHandle(m_ready);
    }
    EmptyHook(const EmptyHook&) = delete;
    EmptyHook& operator=(const EmptyHook&) = delete;

    bool IsSet() const { return m_set; }

  private:
    static LRESULT CALLBACK PassOn(int code, WPARAM wParam, LPARAM lParam) {
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static unsigned __stdcall Run(void* self) {
        auto& hook = *static_cast<EmptyHook*>(self);
        HHOOK mouse = SetWindowsHookExW(WH_MOUSE_LL, PassOn, GetModuleHandleW(nullptr), 0);
        HHOOK keys = SetWindowsHookExW(WH_KEYBOARD_LL, PassOn, GetModuleHandleW(nullptr), 0);
        hook.m_set = mouse && keys;
        // The thread's queue exists before the owner may post the quit to it.
        MSG message;
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
        SetEvent(hook.m_ready);
        while (GetMessageW(&message, nullptr, 0, 0) > 0)
            DispatchMessageW(&message);
        if (keys)
            UnhookWindowsHookEx(keys);
        if (mouse)
            UnhookWindowsHookEx(mouse);
        return 0;
    }

    HANDLE m_ready = nullptr;
    HANDLE m_thread = nullptr;
    unsigned m_threadId = 0;
    bool m_set = false;
};

void MeasureAll(Bench& bench, int events, Side side) {
    host::BringToFront(bench.front, 1000);
    for (int kind = 0; kind < kKindCount; ++kind)
        MeasureKind(bench, static_cast<Kind>(kind), events, side);
}

void MeasureRound(Bench& bench, int events, Side side) {
    switch (side) {
    case kNoHook:
        MeasureAll(bench, events, side);
        return;
    case kEmptyHook: {
        EmptyHook hook;
        if (!hook.IsSet()) {
            Check(false, "the empty hook is set");
            return;
        }
        MeasureAll(bench, events, side);
        return;
    }
    default:
        if (!SetHooks(bench)) {
            Check(false, "SetMouseHook installs the library's hooks");
            return;
        }
        MeasureAll(bench, events, side);
        bench.library.removeMouseHook(true);
    }
}

// Default profile: the right button types "ab" on press, the others are left alone; the
// wheel goes to the window under the cursor.
std::string SettingsXml() {
    std::string xml = "\xEF\xBB\xBF<?xml version=\"1.0\"?>\r\n<root>\r\n"
                      "\t<version build=\"0\" revision=\"0\" minor=\"14\" major=\"2\" />\r\n"
                      "\t<Layers Number=\"1\" />\r\n"
                      "\t<Logging Disable=\"false\" />\r\n"
                      "\t<ScrollWheel ScrollWindowUnderCursor=\"true\" />\r\n"
                      "\t<SwitchOnMouseOver Enable=\"false\" />\r\n"
                      "\t<Default ScrollPages=\"false\" ScrollLines=\"3\" ForceSPI=\"false\" "
                      "SwapButtons=\"0\">\r\n";
    for (const char* button : kButtonNames) {
        const bool mapped = std::string(button) == "Right";
        xml += "\t\t<" + std::string(button) + " action=\"" + (mapped ? "28" : "40") +
               "\" keys=\"" + (mapped ? "ab" : "") +
               "\" keyaction=\"0\" keyrepeat=\"34\" active=\"true\" blockmouse=\"true\" "
               "randomisedelay=\"false\" app=\"\" />\r\n";
    }
    xml += "\t</Default>\r\n\t<Applications />\r\n</root>\r\n";
    return xml;
}

bool Prepare(Bench& bench) {
    if (!host::ResolveLibrary(bench.library))
        return false;
    g_mainWindowMessage = RegisterWindowMessageW(L"VESKMainWindow");
    host::PrepareSettingsFolder(L"pallawick-hook-latency", SettingsXml());
    bench.behind = host::CreateOwnWindow(
        {WindowProc, L"PallawickLatencyBehind", L"Pallawick latency behind", kBehindRect});
    bench.front = host::CreateOwnWindow(
        {WindowProc, L"PallawickLatencyFront", L"Pallawick latency front", kFrontRect});
    Check(bench.front && bench.behind, "the bench's windows are created");
    if (!bench.front || !bench.behind)
        return false;
    bench.library.updateSettings();
    bench.library.setHookMainWindow(bench.front);
    return true;
}

double Percentile(std::vector<double> values, double fraction) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t rank =
        static_cast<size_t>(std::ceil(fraction * static_cast<double>(values.size())));
    return values[std::max<size_t>(rank, 1) - 1];
}

std::string Cell(const Samples& samples) {
    char cell[64];
    std::snprintf(cell, sizeof cell, "%.0f / %.0f", Percentile(samples.microseconds, 0.5),
                  Percentile(samples.microseconds, 0.99));
    return cell;
}

double Median(const Samples& samples) {
    return Percentile(samples.microseconds, 0.5);
}

void PrintTable(const Bench& bench) {
    std::printf("\n| event, median / p99 in us | %s | %s | %s | the library's median against "
                "no hook / an empty hook |\n| --- | --- | --- | --- | --- |\n",
                kSideNames[kNoHook], kSideNames[kEmptyHook], kSideNames[kLibrary]);
    for (int kind = 0; kind < kKindCount; ++kind) {
        const Samples* sides = bench.samples[kind];
        const double library = Median(sides[kLibrary]);
        std::printf("| %s | %s | %s | %s | %+.0f / %+.0f us |\n", kKindNames[kind],
                    Cell(sides[kNoHook]).c_str(), Cell(sides[kEmptyHook]).c_str(),
                    Cell(sides[kLibrary]).c_str(), library - Median(sides[kNoHook]),
                    library - Median(sides[kEmptyHook]));
    }
    for (int kind = 0; kind < kKindCount; ++kind)
        for (int side = 0; side < kSideCount; ++side)
            if (bench.samples[kind][side].lost)
                std::printf("%s, %s: %d event(s) did not arrive within %lu ms\n", kKindNames[kind],
                            kSideNames[side], bench.samples[kind][side].lost, kArrivalTimeoutMs);
}

// What the figures rest on: the library's hook runs before the program's, and with it
// the wheel reached the window behind and the mapped button typed.
void CheckHookedPaths(const Bench& bench, int rightPressesHooked) {
    Check(rightPressesHooked == 0,
          "with the library's hooks no mapped press reaches the bench's hook, installed before",
          std::to_string(rightPressesHooked) + " did");
    const Samples& wheel = bench.samples[kWheel][kLibrary];
    Check(wheel.wheelsBehind == static_cast<int>(wheel.microseconds.size()),
          "with the library's hooks every notch arrives in the window under the cursor",
          std::to_string(wheel.wheelsBehind) + " of " + std::to_string(wheel.microseconds.size()));
    const Samples& mapped = bench.samples[kMappedClick][kLibrary];
    Check(mapped.lost == 0 && !mapped.microseconds.empty(),
          "with the library's hooks every mapped press types into the bench's window",
          std::to_string(mapped.lost) + " did not");
}

int Run(int events, int rounds) {
    Bench bench;
    if (!Prepare(bench))
        return host::g_failures;
    HHOOK own = SetWindowsHookExW(WH_MOUSE_LL, OwnMouseHook, GetModuleHandleW(nullptr), 0);
    Check(own != nullptr, "the bench's low-level mouse hook is installed");
    if (!own)
        return host::g_failures;

    const int perRound = std::max(1, events / rounds);
    int rightPressesHooked = 0;
    for (int round = 0; round < rounds; ++round) {
        // The sides take turns at going first.
        for (int turn = 0; turn < kSideCount; ++turn) {
            const auto side = static_cast<Side>((turn + round) % kSideCount);
            const int before = g_rightPressesHooked;
            MeasureRound(bench, perRound, side);
            if (side == kLibrary)
                rightPressesHooked += g_rightPressesHooked - before;
        }
    }
    UnhookWindowsHookEx(own);
    CheckHookedPaths(bench, rightPressesHooked);
    std::printf("%d events of each kind on each side, in %d rounds\n", perRound * rounds, rounds);
    PrintTable(bench);
    DestroyWindow(bench.front);
    DestroyWindow(bench.behind);
    return host::g_failures;
}

} // namespace

int main(int argc, char** argv) {
    const int events = argc > 1 ? std::max(1, std::atoi(argv[1])) : kDefaultEvents;
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : kDefaultRounds;
    return Run(events, rounds);
}
