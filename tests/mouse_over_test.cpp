#include "support/replay_run.h"
#include "support/settings_files.h"

#include <gtest/gtest.h>

#include <string>
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

TEST(MouseOver, ActivationBringsTheWindowUnderTheCursorForwardButNeverTheTaskbar) {
    ReplayRun run(Settings(true));
    run.Play(kDesktop);
    std::string all = Joined(run.Play("move 1200 400\nwait 400\nmove 1201 400\n"));
    EXPECT_TRUE(Has(all, "\"activated\":[\"viewer\"]")) << all;
    EXPECT_TRUE(Has(all, "\"profile\":\"viewer.exe\"")) << all;

    all = Joined(run.Play("move 500 970\nwait 400\nmove 501 970\n"));
    EXPECT_FALSE(Has(all, "\"activated\"")) << all;
}

} // namespace
