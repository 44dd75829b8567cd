#include "platform/sim/simulated_desktop.h"
#include "support/replay_run.h"
#include "support/settings_files.h"
#include "support/thread_lock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <string>
#include <thread>
#include <vector>

namespace {

using pw::test::ReplayRun;
using pw::test::SettingsXml;

std::string Settings(bool activate) {
    return SettingsXml(std::string("<SwitchOnMouseOver Enable=\"true\"/><ActivateOnMouseOver "
                                   "Enable=\"") +
                       (activate ? "true" : "false") +
                       "\"/><Default/><Applications>"
                       "<Application Name=\"editor.exe\" Description=\"Editor\" Enabled=\"true\"/>"
                       "<Application Name=\"viewer.exe\" Description=\"Viewer\" Enabled=\"true\"/>"
                       "</Applications>");
}

const char kDesktop[] =
    "window editor process=editor.exe class=EditorFrame caption=\"E\" rect=0,0,900,900\n"
    "window viewer process=viewer.exe class=ViewerFrame caption=\"V\" rect=1000,0,900,900\n"
    "window tray process=explorer.exe class=Shell_TrayWnd caption=\"\" rect=0,950,1900,50\n"
    "foreground editor\n";

std::string Joined(const std::vector<std::string>& lines) {
    std::string all;
    for (const std::string& line : lines)
        all += line + '\n';
    return all;
}

bool Has(const std::string& line, const std::string& text) {
    return line.find(text) != std::string::npos;
}

// Lines show the state after their event; a wait writes no line of its own unless input
// was injected, so each step ends with a small move that reports what the wait did.
TEST(MouseOver, RestingOverAnotherApplicationSwitchesItsProfileWithoutAClick) {
    ReplayRun run(Settings(false));
    run.Play(kDesktop);
    std::string line = run.Play("move 400 400\nwait 200\nmove 401 400\n").back();
    EXPECT_TRUE(Has(line, "\"profile\":\"editor.exe\"")) << line;

    // Passing over the other application switches nothing; resting there does.
    line = run.Play("move 1200 400\nwait 100\nmove 400 400\nwait 200\nmove 401 400\n").back();
    EXPECT_TRUE(Has(line, "\"profile\":\"editor.exe\"")) << line;
    const std::string all = Joined(run.Play("move 1200 400\nwait 200\nmove 1201 400\n"));
    EXPECT_TRUE(Has(all, "\"profile\":\"viewer.exe\"")) << all;
    EXPECT_FALSE(Has(all, "\"activated\"")) << all;

    // A button held keeps the timer off, so the profile waits for the release.
    line = run.Play("down Left\nmove 400 400\nwait 300\nmove 401 400\n").back();
    EXPECT_TRUE(Has(line, "\"profile\":\"viewer.exe\"")) << line;
    line = run.Play("up Left\nmove 402 400\nwait 200\nmove 403 400\n").back();
    EXPECT_TRUE(Has(line, "\"profile\":\"editor.exe\"")) << line;
}

// At each window-from-point query, another thread takes the global lock when it is free
// and keeps it a moment, as the hook thread does for a wheel notch or a button.
class LockTakenAtEachLookup {
  public:
    explicit LockTakenAtEachLookup(pw::sim::SimWindows& windows) : windows_(windows) {
        windows_.SetWindowFromPointObserver([this] { TakeTheLockElsewhere(); });
    }
    ~LockTakenAtEachLookup() {
        windows_.SetWindowFromPointObserver(nullptr);
        for (std::thread& holder : holders_)
            holder.join();
    }
    int Taken() const { return taken_; }

  private:
    void TakeTheLockElsewhere() {
        std::promise<bool> took;
        std::future<bool> answer = took.get_future();
        holders_.emplace_back([&took] {
            const bool held = CThreadLock::TryEnterCS(L"LockTakenAtEachLookup");
            took.set_value(held);
            if (!held)
                return;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            CThreadLock::LeaveCS();
        });
        if (answer.get())
            ++taken_;
    }

    pw::sim::SimWindows& windows_;
    std::vector<std::thread> holders_;
    int taken_ = 0;
};

// The lock can be busy the moment the timer's check looks the window up: the profile must
// still follow the cursor, not wait for its next movement.
TEST(MouseOver, ALockBusyElsewhereAsTheWindowIsLookedUpDoesNotLoseTheSwitch) {
    ReplayRun run(Settings(false));
    run.Play(kDesktop);
    std::string line = run.Play("move 400 400\nwait 200\nmove 401 400\n").back();
    ASSERT_TRUE(Has(line, "\"profile\":\"editor.exe\"")) << line;
    LockTakenAtEachLookup busy(run.Desktop().windows);
    line = run.Play("move 1200 400\nwait 200\nmove 1201 400\n").back();
    EXPECT_TRUE(Has(line, "\"profile\":\"viewer.exe\"")) << line;
}

TEST(MouseOver, ActivationBringsTheWindowUnderTheCursorForwardButNeverTheTaskbar) {
    ReplayRun run(Settings(true));
    run.Play(kDesktop);
    std::string all = Joined(run.Play("move 1200 400\nwait 400\nmove 1201 400\n"));
    EXPECT_TRUE(Has(all, "\"activated\":[\"viewer\"]")) << all;
    EXPECT_TRUE(Has(all, "\"profile\":\"viewer.exe\"")) << all;

    all = Joined(run.Play("move 500 970\nwait 400\nmove 501 970\n"));
    EXPECT_FALSE(Has(all, "\"activated\"")) << all;
}

// The browser's window is matched by its caption once it shows the mail page, while the
// cursor stays on it: by the next click, and by resting there when the profile follows
// the cursor.
TEST(MouseOver, ACaptionChangeAloneSwitchesTheProfileOfTheSameWindow) {
    for (bool mouseOver : {false, true}) {
        SCOPED_TRACE(mouseOver);
        ReplayRun run(SettingsXml(
            std::string("<SwitchOnMouseOver Enable=\"") + (mouseOver ? "true" : "false") +
            "\"/><Default/><Applications><Application Name=\"W3:Inbox - Mail \\;| * \\;| * "
            "\\;| *\" Description=\"Mail\" Enabled=\"true\"/></Applications>"));
        const std::string step =
            mouseOver ? "move 300 300\nwait 200\nmove 301 300\n" : "down Left\nup Left\n";
        std::string line =
            run.Play("window browser process=firefox.exe class=MozillaWindowClass "
                     "caption=\"Start page\" rect=0,0,900,700\nforeground browser\nmove 300 300\n" +
                     step)
                .back();
        EXPECT_TRUE(Has(line, "\"profile\":\"\"")) << line;
        pw::sim::SimulatedDesktop& desktop = run.Desktop();
        desktop.windows.SetCaption(desktop.windows.WindowFromPoint(POINT{300, 300}),
                                   L"Inbox - Mail");
        line = run.Play(step).back();
        EXPECT_TRUE(Has(line, "\"profile\":\"W3:Inbox")) << line;
    }
}

} // namespace
