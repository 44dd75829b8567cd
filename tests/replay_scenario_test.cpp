#include "scenario.h"

#include <gtest/gtest.h>

#include <sstream>

namespace pw::replay {
namespace {

std::optional<std::vector<Step>> Parse(const std::string& text, ScenarioError& error) {
    std::istringstream in(text);
    return ParseScenario(in, error);
}

TEST(ReplayScenarioTest, ReadsEveryStepKindSkippingCommentsAndBlankLines) {
    ScenarioError error;
    auto steps = Parse("# a comment\n"
                       "\n"
                       "window main process=app.exe class=Main caption=\"A \\\"quoted\\\" title\" "
                       "rect=10,20,300,200 dpi=144\n"
                       "  window child parent=main class=Edit rect=15,25,100,50  \n"
                       "foreground child\n"
                       "move -5 +7\n"
                       "down XLeft\n"
                       "up XRight\n"
                       "dblclick Middle\n"
                       "wheel -120\n"
                       "tilt 240\n"
                       "key down 17\n"
                       "wait 500\n"
                       "close main\n",
                       error);
    ASSERT_TRUE(steps) << error.line << ": " << error.message;
    ASSERT_EQ(steps->size(), 12u);
    const Step& window = (*steps)[0];
    EXPECT_EQ(window.kind, StepKind::Window);
    EXPECT_EQ(window.line, 3);
    EXPECT_EQ(window.window.caption, "A \"quoted\" title");
    EXPECT_EQ(window.window.process, "app.exe");
    EXPECT_EQ(window.window.width, 300);
    EXPECT_EQ(window.window.dpi, 144u);
    EXPECT_EQ((*steps)[1].window.parent, "main");
    EXPECT_EQ((*steps)[1].text, "window child parent=main class=Edit rect=15,25,100,50");
    EXPECT_EQ((*steps)[3].x, -5);
    EXPECT_EQ((*steps)[3].y, 7);
    EXPECT_EQ((*steps)[4].button, Button::XLeft);
    EXPECT_EQ((*steps)[6].kind, StepKind::DoubleClick);
    EXPECT_EQ((*steps)[7].delta, -120);
    EXPECT_EQ((*steps)[8].kind, StepKind::Tilt);
    EXPECT_EQ((*steps)[9].virtualKey, 17);
    EXPECT_FALSE((*steps)[9].keyUp);
    EXPECT_EQ((*steps)[10].ms, 500u);
    EXPECT_EQ((*steps)[11].kind, StepKind::Close);
}

TEST(ReplayScenarioTest, ReadsTheStepsThatCallTheLibrary) {
    ScenarioError error;
    auto steps = Parse("caption main \"Saved - Report\"\n"
                       "caption main \"\"\n"
                       "reload next/VESKSettings.xml\n"
                       "layer 10\n"
                       "layer next\n"
                       "layer previous\n"
                       "unhook\n"
                       "hook\n",
                       error);
    ASSERT_TRUE(steps) << error.line << ": " << error.message;
    ASSERT_EQ(steps->size(), 8u);
    EXPECT_EQ((*steps)[0].kind, StepKind::Caption);
    EXPECT_EQ((*steps)[0].target, "main");
    EXPECT_EQ((*steps)[0].content, "Saved - Report");
    EXPECT_EQ((*steps)[1].content, "");
    EXPECT_EQ((*steps)[2].kind, StepKind::Reload);
    EXPECT_EQ((*steps)[2].file, "next/VESKSettings.xml");
    EXPECT_EQ((*steps)[3].kind, StepKind::Layer);
    EXPECT_EQ((*steps)[3].layerChoice, LayerChoice::Set);
    EXPECT_EQ((*steps)[3].layer, 10);
    EXPECT_EQ((*steps)[4].layerChoice, LayerChoice::Next);
    EXPECT_EQ((*steps)[5].layerChoice, LayerChoice::Previous);
    EXPECT_EQ((*steps)[6].kind, StepKind::Unhook);
    EXPECT_EQ((*steps)[7].kind, StepKind::Hook);
}

TEST(ReplayScenarioTest, MalformedLinesNameTheirLineNumber) {
    const struct {
        const char* line;
        const char* message;
    } kCases[] = {
        {"jump 1 2", "unknown step"},
        {"down Back", "unknown button"},
        {"move 1", "expected: move X Y"},
        {"move 1 two", "bad y"},
        {"wheel 40000", "16 bits"},
        {"wheel", "expected"},
        {"key press 17", "key down|up"},
        {"key down 300", "1 to 254"},
        {"wait -5", "bad milliseconds"},
        {"window w process=a.exe class=A", "needs rect"},
        {"window w process=a.exe rect=1,2,3", "X,Y,W,H"},
        {"window w process=a.exe rect=1,2,0,5", "positive"},
        {"window w class=A rect=1,2,3,4", "needs process"},
        {"window w process=a.exe colour=red rect=1,2,3,4", "unknown window attribute"},
        {"window w process=a.exe caption=\"open rect=1,2,3,4", "unterminated"},
        {"caption w", "caption ID"},
        {"reload", "reload FILE"},
        {"reload a.xml b.xml", "reload FILE"},
        {"layer 0", "1 to 10"},
        {"layer 11", "1 to 10"},
        {"layer up", "bad layer"},
        {"hook now", "expected: hook"},
        {"unhook 1", "expected: unhook"},
    };
    for (const auto& testCase : kCases) {
        ScenarioError error;
        auto steps = Parse("# first\nwait 1\n" + std::string(testCase.line) + "\nwait 2\n", error);
        EXPECT_FALSE(steps) << testCase.line;
        EXPECT_EQ(error.line, 3) << testCase.line;
        EXPECT_NE(error.message.find(testCase.message), std::string::npos)
            << testCase.line << " gave: " << error.message;
    }
}

} // namespace
} // namespace pw::replay
