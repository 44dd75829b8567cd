// The whole engine on generated settings and scenarios: the library's own hook, timer,
// send-input and system-parameter threads on the simulated desktop, driven through
// pallawick-replay's engine. Each input becomes two settings files and a scenario over
// a few windows (buttons, wheel, tilt, keys, moves between windows, waits, reloads,
// caption changes, layer calls, unhooking and hooking; see scenario_generator.h). Then
// every physical button and key is let go, and once every timer has run out:
//
// - no key or button the library pressed is still down (every injected press has its
//   release), unless a sticky button or sticky key set still holds it by design; after a
//   reload, which ends those, nothing at all;
// - the inject count is back to 0;
// - no thread or queue timer runs beyond those running before the scenario (a sticky
//   repeat's timer by design until the reload);
// - resting on a fresh window of another profile switches the profile (mouse-over
//   switching on in the reloaded file);
// - the threads always settled, nothing injected without end, and all of it within a
//   bound of virtual time.
//
// A broken check prints the settings files and the scenario as it was played, in
// pallawick-replay's language (also written to $PW_SCENARIO_DUMP_DIR when that is set), and
// aborts, so that libFuzzer keeps the input.

#include "actions/action_state.h"
#include "actions/sticky_keys.h"
#include "generated_settings.h"
#include "hook/flag_functions.h"
#include "platform/input_record.h"
#include "replay.h"
#include "runtime/registered_messages.h"
#include "runtime/runtime_state.h"
#include "runtime/thread_timers.h"
#include "scenario.h"
#include "scenario_generator.h"
#include "scroll/lock_axis_api.h"
#include "scroll/movement_to_scroll.h"
#include "settings/application_settings.h"
#include "settings/settings.h"
#include "support/text.h"
#include "support/thread_lock.h"
#include "windows/process_name.h"
#include "windows/wheel_window.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using pw::fuzz::GeneratedCase;
using pw::fuzz::GeneratedSettings;

namespace fs = std::filesystem;

// Virtual time allowed for every timer to run out once the user has let go of everything.
constexpr int kSettleStepMs = 250;
constexpr int kMaxSettleMs = 30000;
// Real time the library's threads may take over one event before the run counts as hung.
constexpr std::chrono::milliseconds kSettleLimit{3000};

constexpr const char* kFinalSettingsFile = "final.xml";

// The folder of this process's settings files and scenario.
const fs::path& WorkFolder() {
    static const fs::path folder = [] {
        fs::path path =
            fs::temp_directory_path() / ("pallawick-scenario-fuzz-" + std::to_string(::getpid()));
        fs::create_directories(path);
        std::atexit([] {
            std::error_code ignored;
            fs::remove_all(WorkFolder(), ignored);
        });
        return path;
    }();
    return folder;
}

void WriteFile(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// A key or mouse button as the injected input names it.
struct Held {
    bool mouse = false;
    int code = 0; // virtual key, or 0 to 4 for left, right, middle, first and second X button
};
bool operator<(const Held& a, const Held& b) {
    return a.mouse != b.mouse ? a.mouse < b.mouse : a.code < b.code;
}

std::string Describe(const Held& held) {
    static constexpr const char* kButtons[] = {"Left", "Right", "Middle", "XLeft", "XRight"};
    return held.mouse ? std::string("mouse ") + kButtons[held.code]
                      : "key " + std::to_string(held.code);
}

// What the library's injected input left pressed: every press without a later release.
std::set<Held> InjectedAndNotReleased(const std::vector<pw::platform::InputRecord>& records) {
    using namespace pw::platform;
    std::set<Held> down;
    auto set = [&down](Held held, bool pressed) {
        if (pressed)
            down.insert(held);
        else
            down.erase(held);
    };
    for (const InputRecord& record : records) {
        if (record.type == InputType::Keyboard) {
            if (record.key.flags & kKeyEventUnicode || record.key.vk == 0)
                continue;
            set({false, record.key.vk}, !(record.key.flags & kKeyEventKeyUp));
            continue;
        }
        if (record.type != InputType::Mouse)
            continue;
        const uint32_t flags = record.mouse.flags;
        const int xButton = record.mouse.mouseData == kXButton2 ? 4 : 3;
        // A record that presses and releases presses first.
        static constexpr struct {
            uint32_t flag;
            int button;
            bool pressed;
        } kFlags[] = {{kMouseEventLeftDown, 0, true},   {kMouseEventRightDown, 1, true},
                      {kMouseEventMiddleDown, 2, true}, {kMouseEventXDown, -1, true},
                      {kMouseEventLeftUp, 0, false},    {kMouseEventRightUp, 1, false},
                      {kMouseEventMiddleUp, 2, false},  {kMouseEventXUp, -1, false}};
        for (const auto& entry : kFlags) {
            if (flags & entry.flag)
                set({true, entry.button < 0 ? xButton : entry.button}, entry.pressed);
        }
    }
    return down;
}

class ScenarioRun {
  public:
    explicit ScenarioRun(const GeneratedCase& generated) : case_(generated) {}

    void Run() {
        WriteFile(WorkFolder() / pw::fuzz::kFirstSettingsFile, case_.first.Xml());
        WriteFile(WorkFolder() / pw::fuzz::kSecondSettingsFile, case_.second.Xml());
        DumpFiles(case_.scenario);
        pw::replay::Replay replay(out_);
        replay_ = &replay;
        replay.SetScenarioFolder(WorkFolder());
        replay.SetSettleLimit(kSettleLimit);
        std::string error;
        if (!replay.LoadSettings((WorkFolder() / pw::fuzz::kFirstSettingsFile).string(), error) ||
            !replay.StartHooks(error))
            Fail("the engine did not start: " + error);
        baselineTimers_ = RunningTimerKinds();

        Play(case_.scenario);
        LetGoOfEverything();
        CheckAfterRelease();
        ReloadWithMouseOver();
        CheckAfterReload();
        CheckMouseOverSwitches();
        replay_ = nullptr;
    }

  private:
    pw::sim::SimulatedDesktop& Desktop() { return replay_->Desktop(); }

    void Play(const std::string& lines) {
        played_ += lines;
        std::istringstream in(lines);
        pw::replay::ScenarioError error;
        auto steps = pw::replay::ParseScenario(in, error);
        if (!steps)
            Fail("generated scenario line " + std::to_string(error.line) + ": " + error.message);
        replay_->Run(*steps);
        const pw::replay::Replay::Troubles& troubles = replay_->TroublesSoFar();
        if (troubles.unsettled > 0)
            Fail("the library's threads did not settle (a hang)");
        if (troubles.cutOff > 0)
            Fail("the library injected without end");
    }

    std::set<uintptr_t> RunningTimerKinds() {
        std::set<uintptr_t> kinds;
        for (uintptr_t kind = pw::runtime::kKeySwitchTimer; kind <= pw::runtime::kJigglerTimer;
             ++kind) {
            if (Desktop().timers.IsRunning(kind))
                kinds.insert(kind);
        }
        return kinds;
    }

    std::array<uint16_t, 8> StickyStates() {
        CThreadLock lock(L"ScenarioFuzzer");
        return g_nStickyState;
    }

    // Timers beyond those running before the scenario; a sticky repeat keeps its own.
    std::set<uintptr_t> ExtraTimers(bool stickyRepeatAllowed) {
        std::set<uintptr_t> extra;
        for (uintptr_t kind : RunningTimerKinds()) {
            if (baselineTimers_.count(kind))
                continue;
            if (kind == pw::runtime::kRepeatTimer && stickyRepeatAllowed)
                continue;
            extra.insert(kind);
        }
        return extra;
    }

    // Every physical button and key up, hooked again, then waits until only the timers
    // that run by design are left (or the virtual-time bound is reached).
    void LetGoOfEverything() {
        std::string lines = "# the end: everything let go\n";
        if (case_.unhooked)
            lines += "hook\n";
        for (const std::string& button : case_.heldButtons)
            lines += "up " + button + "\n";
        for (int key : case_.heldKeys)
            lines += "key up " + std::to_string(key) + "\n";
        Play(lines);
        for (int waited = 0;; waited += kSettleStepMs) {
            const bool stickyRepeat = StickyStates()[5] != 0;
            if (ExtraTimers(stickyRepeat).empty() && Desktop().queueTimers.PendingCount() == 0)
                break;
            if (waited >= kMaxSettleMs)
                Fail("timers still running " + std::to_string(kMaxSettleMs) +
                     " ms after everything was let go:" + TimerList(stickyRepeat));
            Play("wait " + std::to_string(kSettleStepMs) + "\n");
        }
    }

    std::string TimerList(bool stickyRepeat) {
        std::string text;
        for (uintptr_t kind : ExtraTimers(stickyRepeat)) {
            char hex[16];
            std::snprintf(hex, sizeof hex, " 0x%X", static_cast<unsigned>(kind));
            text += hex;
        }
        if (Desktop().queueTimers.PendingCount() > 0)
            text +=
                " and " + std::to_string(Desktop().queueTimers.PendingCount()) + " queue timer(s)";
        return text;
    }

    // Keys and buttons down now that the library pressed, as text; empty when none.
    std::string LeftDown() {
        std::string text;
        for (const Held& held : InjectedAndNotReleased(Desktop().input.Injected()))
            text += " " + Describe(held) + " (pressed, never released)";
        for (int vk = 1; vk < 256; ++vk) {
            if (Desktop().input.AsyncKeyState(vk) & 0x8000)
                text += " vk " + std::to_string(vk) + " (down now)";
        }
        return text;
    }

    void CheckInjectCount() {
        int count = 0;
        {
            CThreadLock lock(L"ScenarioFuzzer");
            count = g_nInjectCount;
        }
        if (count != 0)
            Fail("the inject count is " + std::to_string(count) + ", not 0");
    }

    void CheckAfterRelease() {
        const std::array<uint16_t, 8> sticky = StickyStates();
        // Sticky buttons (0 to 4) and sticky key sets (6) hold what they pressed by design.
        bool holdingByDesign = sticky[6] != 0;
        for (int which = 0; which < 5; ++which)
            holdingByDesign = holdingByDesign || sticky[which] != 0;
        if (!holdingByDesign) {
            const std::string down = LeftDown();
            if (!down.empty())
                Fail("left down after everything was let go:" + down);
        }
        CheckInjectCount();
    }

    // A reload ends every sticky state; the file reloaded is the one in force with
    // mouse-over switching on, for the last check.
    void ReloadWithMouseOver() {
        GeneratedSettings last = case_.Last();
        last.switchOnMouseOver = true;
        finalXml_ = last.Xml();
        WriteFile(WorkFolder() / kFinalSettingsFile, finalXml_);
        Play(std::string("# a reload ends every sticky state\nreload ") + kFinalSettingsFile +
             "\nwait 1000\n");
    }

    void CheckAfterReload() {
        const std::string down = LeftDown();
        if (!down.empty())
            Fail("left down after a reload:" + down);
        CheckInjectCount();
        const std::array<uint16_t, 8> sticky = StickyStates();
        for (int which = 0; which < 8; ++which) {
            if (sticky[which] != 0)
                Fail("sticky state " + std::to_string(which) + " still " +
                     std::to_string(sticky[which]) + " after a reload");
        }
        if (!ExtraTimers(false).empty() || Desktop().queueTimers.PendingCount() > 0)
            Fail("timers running after a reload:" + TimerList(false) + "; " + TimerState());
    }

    // When each extra timer is due, and the layer and profile it may belong to.
    std::string TimerState() {
        std::ostringstream state;
        for (uintptr_t kind : ExtraTimers(false))
            state << "timer 0x" << std::hex << kind << std::dec << " due in "
                  << Desktop().timers.DueIn(kind) << " ms; ";
        CThreadLock lock(L"ScenarioFuzzer");
        state << "layer " << g_nCurrentLayer << "; profile "
              << (g_pCurrentApp && g_pCurrentApp->GetFullName()
                      ? pw::ToUtf8(g_pCurrentApp->GetFullName())
                      : std::string("-"))
              << "; auto-switch id " << g_uAutoSwitchTimer << "; timer thread " << g_dwTimerThreadId
              << "; thread messages lost " << Desktop().messages.UndeliveredPosts();
        return state.str();
    }

    // Resting on a fresh window of another profile switches to it.
    void CheckMouseOverSwitches() {
        if (GetAxisLocks()->Locked()) {
            // A toggled axis lock keeps the cursor from reaching the window by design.
            if (case_.first.Uses({130, 132}) || case_.second.Uses({130, 132}))
                return;
            Fail("an axis is still locked");
        }
        bool onDefault = true;
        {
            CThreadLock lock(L"ScenarioFuzzer");
            onDefault = !g_pCurrentApp || g_pCurrentApp->IsDefault();
        }
        const std::string process = onDefault ? "app1.exe" : "plain.exe";
        Play("# resting on a window of another profile switches to it\n"
             "window probe process=" +
             process + " class=Probe caption=\"Probe\" rect=100,1010,400,60\n");
        // Played a line at a time, noting what the mouse-over road did after each.
        std::string trace;
        std::atomic<int> lookups{0};
        Desktop().windows.SetWindowFromPointObserver([&lookups] { ++lookups; });
        std::mutex postsMutex;
        std::string posts;
        Desktop().messages.SetThreadPostObserver(
            [&](unsigned long thread, unsigned message, bool queued, bool looping) {
                const bool setTimer = message == pw::runtime::Messages().setTimer;
                std::lock_guard guard(postsMutex);
                posts += " " + std::string(setTimer ? "set-timer" : "message") + " to " +
                         std::to_string(thread) + (queued ? "" : " (no queue)") +
                         (looping ? "" : " (no loop)");
            });
        for (const char* line :
             {"move 300 1040", "wait 400", "move 301 1040", "wait 400", "move 302 1040"}) {
            Play(std::string(line) + "\n");
            CThreadLock lock(L"ScenarioFuzzer");
            std::ostringstream step;
            step << "; after " << line << ": timer id " << g_uMouseOverTimer << " running "
                 << Desktop().timers.IsRunning(pw::runtime::kMouseOverTimer) << " lookups "
                 << lookups.load() << " last window " << g_hLastWindow << " buttons "
                 << std::count(g_bButtonDown.begin(), g_bButtonDown.end(), true) << " sticky "
                 << pw::AnyStickyActive() << " repeat " << g_uRepeatTimer << " timer thread "
                 << g_dwTimerThreadId << " posts";
            std::lock_guard guard(postsMutex);
            trace += step.str() + posts;
            posts.clear();
        }
        Desktop().windows.SetWindowFromPointObserver(nullptr);
        Desktop().messages.SetThreadPostObserver(nullptr);
        CThreadLock lock(L"ScenarioFuzzer");
        const bool switched = onDefault ? g_pCurrentApp && !g_pCurrentApp->IsDefault() &&
                                              g_pCurrentApp->GetFullName() &&
                                              pw::ToUtf8(g_pCurrentApp->GetFullName()) == "app1.exe"
                                        : g_pCurrentApp && g_pCurrentApp->IsDefault();
        if (!switched)
            Fail(std::string("resting on a window of ") + process + " did not switch from " +
                 (onDefault ? "the default profile" : "its profile") + " (mouse-over is dead); " +
                 MouseOverState() + trace);
    }

    // What keeps the mouse-over timer from starting or its check from switching; the global
    // lock is held.
    std::string MouseOverState() {
        std::ostringstream state;
        state << "buttons down:";
        for (size_t slot = 0; slot < g_bButtonDown.size(); ++slot) {
            if (g_bButtonDown[slot])
                state << ' ' << slot;
        }
        POINT cursor{};
        Desktop().windows.CursorPos(cursor);
        const pw::windows::WheelTarget& wheel = pw::windows::CachedWheelTarget();
        state << "; sticky active " << pw::AnyStickyActive() << "; repeat timer " << g_uRepeatTimer
              << "; mouse-over timer " << g_uMouseOverTimer << "; movement-to-scroll "
              << MovementToScrollActive() << "; timers" << TimerList(false) << "; cursor "
              << cursor.x << ',' << cursor.y << "; window there "
              << Desktop().windows.WindowFromPoint(cursor) << "; last window " << g_hLastWindow
              << "; wheel target " << wheel.window << " profile "
              << (wheel.profile && wheel.profile->GetFullName()
                      ? pw::ToUtf8(wheel.profile->GetFullName())
                      : std::string("-"))
              << "; last pid " << g_dwLastPid << " name " << pw::ToUtf8(g_szCachedProcess)
              << "; settings switch " << (g_pSettings && g_pSettings->SwitchOnMouseOver())
              << "; timer thread " << g_dwTimerThreadId << "; hook thread " << g_dwHookThreadId
              << "; thread messages lost " << Desktop().messages.UndeliveredPosts();
        return state.str();
    }

    // With PW_SCENARIO_DUMP_DIR set, the files of the run as pallawick-replay reads them:
    // before the run (for a crash) and again at a broken check.
    void DumpFiles(const std::string& scenario) {
        const char* folder = std::getenv("PW_SCENARIO_DUMP_DIR");
        if (!folder)
            return;
        const fs::path to(folder);
        fs::create_directories(to);
        WriteFile(to / pw::fuzz::kFirstSettingsFile, case_.first.Xml());
        WriteFile(to / pw::fuzz::kSecondSettingsFile, case_.second.Xml());
        if (!finalXml_.empty())
            WriteFile(to / kFinalSettingsFile, finalXml_);
        WriteFile(to / "scenario.txt", scenario);
    }

    [[noreturn]] void Fail(const std::string& what) {
        std::string dump = "--- " + std::string(pw::fuzz::kFirstSettingsFile) + " ---\n" +
                           case_.first.Xml() + "--- " + pw::fuzz::kSecondSettingsFile + " ---\n" +
                           case_.second.Xml();
        if (!finalXml_.empty())
            dump += std::string("--- ") + kFinalSettingsFile + " ---\n" + finalXml_;
        dump += "--- scenario.txt ---\n" + played_;
        const std::string output = out_.str();
        const size_t tail = output.size() > 6000 ? output.find('\n', output.size() - 6000) : 0;
        dump +=
            "--- replay output (end) ---\n" + output.substr(tail == std::string::npos ? 0 : tail);
        DumpFiles(played_);
        std::fprintf(stderr, "scenario fuzzer: %s\n%s", what.c_str(), dump.c_str());
        std::fflush(stderr);
        std::abort();
    }

    const GeneratedCase& case_;
    std::ostringstream out_;
    pw::replay::Replay* replay_ = nullptr;
    std::set<uintptr_t> baselineTimers_;
    std::string played_;
    std::string finalXml_;
};

// PW_SCENARIO_FUZZ_WITHOUT: words of steps and action codes to leave out, separated by
// commas ("unhook,reload,49"), to hunt on past a known finding.
const pw::fuzz::GeneratorLimits& Limits() {
    static const pw::fuzz::GeneratorLimits limits = [] {
        pw::fuzz::GeneratorLimits read;
        const char* text = std::getenv("PW_SCENARIO_FUZZ_WITHOUT");
        std::istringstream in(text ? text : "");
        for (std::string item; std::getline(in, item, ',');) {
            if (item.empty())
                continue;
            if (item.find_first_not_of("0123456789") == std::string::npos)
                read.actions.insert(std::stoi(item));
            else
                read.steps.insert(item);
        }
        return read;
    }();
    return limits;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const GeneratedCase generated = pw::fuzz::Generate(data, size, Limits());
    ScenarioRun(generated).Run();
    return 0;
}
