#include "scenario.h"
#include "support/replay_run.h"
#include "support/settings_files.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using pw::test::LineOf;
using pw::test::ReplayRun;
using pw::test::SettingsXml;

std::string Field(const std::string& line, const std::string& name) {
    const std::string key = "\"" + name + "\":";
    const size_t at = line.find(key);
    if (at == std::string::npos)
        return "";
    const size_t start = at + key.size();
    if (line[start] == '"')
        return line.substr(start, line.find('"', start + 1) - start + 1);
    // Arrays run to their closing bracket at the same depth.
    int depth = 0;
    for (size_t i = start; i < line.size(); ++i) {
        if (line[i] == '[' || line[i] == '{')
            ++depth;
        if (line[i] == ']' || line[i] == '}')
            --depth;
        if (depth == 0)
            return line.substr(start, i - start + 1);
    }
    return line.substr(start);
}

// An editor in front and a viewer behind it, each a frame with a pane; the viewer's pane
// has its own vertical scroll bar and the viewer's process runs elevated or not.
std::string Desktop(const std::string& viewerIntegrity) {
    return "window editor process=editor.exe class=EditorFrame caption=\"E\" rect=0,0,900,900\n"
           "window text parent=editor class=Edit caption=\"\" rect=10,10,880,880\n"
           "window viewer process=viewer.exe class=ViewerFrame caption=\"V\" "
           "rect=1000,0,900,900 integrity=" +
           viewerIntegrity +
           "\n"
           "window page parent=viewer class=Page caption=\"\" rect=1010,10,880,880 "
           "vscroll=0,100,50\n"
           "foreground editor\n";
}

TEST(WheelReplay, ScrollingABackgroundWindowActivatesItWhenAsked) {
    const std::string settings = SettingsXml("<SwitchOnMouseOver Enable=\"false\"/>"
                                             "<ActivateOnScroll Enable=\"true\"/>");
    {
        ReplayRun run(settings);
        auto lines = run.Play(Desktop("medium") + "move 1200 300\nwheel -120\nwheel -120\n");
        const std::string first = LineOf(lines, "wheel -120");
        EXPECT_EQ(Field(first, "activated"), "[\"page\"]");
        EXPECT_EQ(Field(first, "posted"), "[{\"window\":\"page\",\"message\":\"WM_MOUSEWHEEL\","
                                          "\"wParam\":\"0xFF880000\",\"lParam\":\"0x12C04B0\"}]");
        // Now in front: the next notch is the system's, and nothing is activated again.
        EXPECT_EQ(Field(lines.back(), "activated"), "");
        EXPECT_EQ(Field(lines.back(), "result"), "\"swallowed\"");
    }
    {
        // A root with the no-activate style, or a topmost one, is never activated.
        for (const char* style : {"exstyle=0x8000000", "exstyle=0x8"}) {
            SCOPED_TRACE(style);
            ReplayRun run(settings);
            auto lines =
                run.Play("window editor process=editor.exe class=EditorFrame caption=\"E\" "
                         "rect=0,0,900,900\n"
                         "window palette process=viewer.exe class=Palette caption=\"P\" "
                         "rect=1000,0,900,900 " +
                         std::string(style) +
                         "\n"
                         "window grid parent=palette class=Grid caption=\"\" rect=1010,10,880,880\n"
                         "foreground editor\nmove 1200 300\nwheel 120\n");
            const std::string line = LineOf(lines, "wheel 120");
            EXPECT_EQ(Field(line, "activated"), "");
            EXPECT_NE(Field(line, "posted").find("\"window\":\"grid\""), std::string::npos);
        }
    }
}

TEST(WheelReplay, ScrollingABrowsersContentActivatesItUnlessItsBrowserIsInFront) {
    // Activation on scroll reads the class of the window under the cursor and compares
    // threads with the window in front: a browser behind the editor comes forward, while
    // scrolling its content under a window of the same browser activates nothing.
    const std::string desktop =
        "window editor process=editor.exe class=EditorFrame caption=\"E\" rect=0,0,900,900\n"
        "window browser process=chrome.exe class=Chrome_WidgetWin_1 caption=\"B\" "
        "rect=1000,0,900,900\n"
        "window content parent=browser class=Chrome_RenderWidgetHostHWND caption=\"\" "
        "rect=1000,0,900,900\n"
        "window popup process=chrome.exe class=Chrome_WidgetWin_1 caption=\"P\" "
        "rect=0,950,300,100\n";
    for (const char* front : {"editor", "popup"}) {
        SCOPED_TRACE(front);
        ReplayRun run(SettingsXml("<SwitchOnMouseOver Enable=\"false\"/>"
                                  "<ActivateOnScroll Enable=\"true\"/>"));
        auto lines = run.Play(desktop + "foreground " + front + "\nmove 1200 300\nwheel -120\n");
        EXPECT_EQ(Field(LineOf(lines, "wheel -120"), "activated"),
                  std::string(front) == "editor" ? "[\"content\"]" : "");
    }
}

TEST(WheelReplay, WheelActionActivatesTheWindowUnderTheCursorFirst) {
    // XLeft is "Mouse Wheel Up": with activation on scroll the viewer comes to the front
    // before the turn is injected; without, nothing is activated.
    for (bool activate : {true, false}) {
        SCOPED_TRACE(activate);
        ReplayRun run(SettingsXml(std::string("<SwitchOnMouseOver Enable=\"false\"/>"
                                              "<ActivateOnScroll Enable=\"") +
                                  (activate ? "true" : "false") +
                                  "\"/><Default><XLeft action=\"42\"/></Default>"));
        auto lines = run.Play(Desktop("medium") + "move 1200 300\ndown XLeft\n");
        const std::string down = LineOf(lines, "down XLeft");
        EXPECT_NE(Field(down, "injected").find("\"flags\":\"0x800\",\"data\":120"),
                  std::string::npos);
        EXPECT_EQ(Field(down, "activated"), activate ? "[\"page\"]" : "");
    }
}

TEST(WheelReplay, ScrollWindowActionsScrollTheWindowUnderTheCursor) {
    // XLeft scrolls the window under the cursor up, XRight down, by the pane's own bar.
    const std::string settings =
        SettingsXml("<SwitchOnMouseOver Enable=\"false\"/>"
                    "<Default Enabled=\"true\" AdvScrollMethod=\"0\" AdvScrollVert=\"1\">"
                    "<XLeft action=\"67\"/><XRight action=\"68\"/></Default>");
    {
        ReplayRun run(settings);
        auto lines = run.Play(Desktop("medium") + "move 1200 300\ndown XLeft\nup XLeft\n");
        const std::string down = LineOf(lines, "down XLeft");
        EXPECT_EQ(Field(down, "result"), "\"swallowed\"");
        const std::string posted = Field(down, "posted");
        EXPECT_NE(posted.find("{\"window\":\"page\",\"message\":\"WM_VSCROLL\",\"wParam\":\"0x0\""),
                  std::string::npos)
            << posted;
        EXPECT_NE(posted.find("\"wParam\":\"0x8\",\"lParam\":\"0x0\""), std::string::npos)
            << posted;
    }
    {
        // Over an elevated viewer nothing is posted at all.
        ReplayRun run(settings);
        auto lines = run.Play(Desktop("high") + "move 1200 300\ndown XRight\nup XRight\n");
        EXPECT_EQ(Field(LineOf(lines, "down XRight"), "posted"), "[]");
    }
}

TEST(WheelReplay, InvertedScrollingTurnsTheWheelRoundOnceOnEveryRoad) {
    // The viewer's pane has a vertical bar only: the line-command method scrolls it up
    // and down; sideways it fails and the tilt message is posted instead. The editor's
    // text has no bar at all, so the wheel is posted to it as well.
    const std::string settings = SettingsXml(
        "<SwitchOnMouseOver Enable=\"false\"/>"
        "<Default Enabled=\"true\" AdvScrollMethod=\"0\" AdvScrollVert=\"1\" "
        "AdvScrollHorz=\"1\" InvertScrolling=\"true\" InvertHorizontalScrolling=\"true\"/>");
    ReplayRun run(settings);
    auto lines = run.Play(Desktop("medium") +
                          "move 1200 300\nwheel -120\ntilt 120\nmove 300 300\nwheel 120\n");
    // Down turned up: a line up (0) on the pane's bar.
    EXPECT_NE(Field(LineOf(lines, "wheel -120"), "posted")
                  .find("\"message\":\"WM_VSCROLL\",\"wParam\":\"0x0\""),
              std::string::npos)
        << LineOf(lines, "wheel -120");
    EXPECT_EQ(Field(LineOf(lines, "tilt 120"), "posted"),
              "[{\"window\":\"page\",\"message\":\"WM_MOUSEHWHEEL\",\"wParam\":\"0xFF880000\","
              "\"lParam\":\"0x12C04B0\"}]");
    EXPECT_EQ(Field(LineOf(lines, "wheel 120"), "posted"),
              "[{\"window\":\"text\",\"message\":\"WM_MOUSEWHEEL\",\"wParam\":\"0xFF880000\","
              "\"lParam\":\"0x12C012C\"}]");
}

TEST(WheelReplay, CommandsToAWindowsOwnBarCarryNoHandle) {
    // Both scroll-bar methods on the viewer's pane, which has a bar of its own: every
    // command's lParam is 0.
    for (const char* method : {"0", "1"}) {
        SCOPED_TRACE(method);
        ReplayRun run(SettingsXml("<SwitchOnMouseOver Enable=\"false\"/><Default Enabled=\"true\" "
                                  "AdvScrollVert=\"1\" AdvScrollMethod=\"" +
                                  std::string(method) + "\"/>"));
        auto lines = run.Play(Desktop("medium") + "move 1200 300\nwheel -120\n");
        const std::string posted = Field(LineOf(lines, "wheel -120"), "posted");
        EXPECT_NE(posted.find("WM_VSCROLL"), std::string::npos) << posted;
        for (size_t at = posted.find("\"lParam\":"); at != std::string::npos;
             at = posted.find("\"lParam\":", at + 1))
            EXPECT_EQ(posted.substr(at, 14), "\"lParam\":\"0x0\"") << posted;
    }
}

TEST(WheelReplay, WindowAttributesAreCheckedWhenTheScenarioIsRead) {
    struct Row {
        const char* line;
        const char* message; // empty: accepted
    };
    const Row rows[] = {
        {"window a process=a.exe class=A rect=0,0,9,9 style=0x10200000 exstyle=8 "
         "vscroll=0,10,3 hscroll=-5,5,0 integrity=high",
         ""},
        {"window a process=a.exe class=ScrollBar rect=0,0,9,9 vbar=0,1,1 integrity=0x1000", ""},
        {"window a process=a.exe class=A rect=0,0,9,9 vscroll=0,10", "vscroll must be MIN,MAX,POS"},
        {"window a process=a.exe class=A rect=0,0,9,9 vbar=5,1,3", "vbar needs MIN <= POS <= MAX"},
        {"window a process=a.exe class=A rect=0,0,9,9 style=zz", "bad style 'zz'"},
        {"window a process=a.exe class=A rect=0,0,9,9 integrity=root", "bad integrity 'root'"},
        {"window a parent=b class=A rect=0,0,9,9 integrity=low",
         "integrity belongs to a window with process=NAME"},
        {"window a process=a.exe class=A rect=0,0,9,9 vbar=0,1,1 hbar=0,1,1",
         "either vbar or hbar"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        std::istringstream in(row.line);
        pw::replay::ScenarioError error;
        const auto steps = pw::replay::ParseScenario(in, error);
        if (*row.message == 0) {
            ASSERT_TRUE(steps.has_value()) << error.message;
            continue;
        }
        EXPECT_FALSE(steps.has_value());
        EXPECT_NE(error.message.find(row.message), std::string::npos) << error.message;
    }
}

} // namespace
