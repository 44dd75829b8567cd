// The replay steps that call the library as the main program does (reload, layer, unhook,
// hook) and the caption step, end to end through the replay tool's engine.

#include "support/replay_run.h"
#include "support/settings_files.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using pw::test::LineOf;
using pw::test::ReplayRun;
using pw::test::SettingsXml;

constexpr const char* kDesktop = R"(
window doc process=editor.exe class=Frame caption="Draft" rect=0,0,1920,1080
foreground doc
move 400 300
)";

bool Has(const std::string& line, const std::string& text) {
    return line.find(text) != std::string::npos;
}

// An injected key record as the lines write it.
std::string KeyRecord(int vk, bool up) {
    return "\"type\":\"key\",\"vk\":" + std::to_string(vk) + ",\"up\":" + (up ? "true" : "false");
}

// XLeft types keys (send mode mode) in the default profile; Middle holds Control while
// pressed.
std::string TypingSettings(const std::string& keys, const std::string& extra = "") {
    return SettingsXml("<Layers Number=\"3\"/>" + extra + "<Default><XLeft action=\"28\" keys=\"" +
                       keys +
                       "\" keyaction=\"0\"/><Middle action=\"28\" keys=\"{CTRL}\" "
                       "keyaction=\"2\"/></Default>");
}

TEST(ReplayLibraryCalls, ReloadTakesTheNewFileKeepsTheOldOneWhenBrokenAndLetsHeldKeysGo) {
    ReplayRun run(TypingSettings("a"));
    run.AddFile("b.xml", TypingSettings("b"));
    run.AddFile("broken.xml", TypingSettings("c").substr(0, 120));
    run.Play(kDesktop);
    auto lines = run.Play(R"(
down XLeft
up XLeft
reload b.xml
down XLeft
up XLeft
down Middle
reload broken.xml
)");
    EXPECT_TRUE(Has(LineOf(lines, "down XLeft"), KeyRecord('A', false)));
    const std::string reloaded = LineOf(lines, "reload b.xml");
    EXPECT_TRUE(Has(reloaded, "\"result\":\"loaded\"")) << reloaded;
    EXPECT_TRUE(Has(reloaded, "\"injected\":[]")) << reloaded;
    EXPECT_TRUE(Has(lines[3], KeyRecord('B', false))) << lines[3];

    // The reload lets Control go before the settings holding it are replaced, even when
    // the new file does not load; the settings in force stay.
    const std::string broken = LineOf(lines, "reload broken.xml");
    EXPECT_TRUE(Has(broken, "\"result\":\"not loaded\"")) << broken;
    EXPECT_TRUE(Has(broken, KeyRecord(162, true))) << broken;
    lines = run.Play("up Middle\ndown XLeft\n");
    EXPECT_TRUE(Has(lines[1], KeyRecord('B', false))) << lines[1];
}

TEST(ReplayLibraryCalls, LayerStepsChooseLayersFromOneAndReleaseHeldKeys) {
    ReplayRun run(TypingSettings("a"));
    run.Play(kDesktop);
    auto lines = run.Play(R"(
layer 2
layer next
layer next
layer previous
layer 9
layer 1
down Middle
layer 3
up Middle
)");
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_TRUE(Has(lines[0], "\"result\":\"called\",\"profile\":\"\",\"layer\":1")) << lines[0];
    EXPECT_TRUE(Has(lines[1], "\"layer\":2")) << lines[1];
    EXPECT_TRUE(Has(lines[2], "\"layer\":0")) << lines[2];
    EXPECT_TRUE(Has(lines[3], "\"layer\":2")) << lines[3];
    // Only three layers are in use: the ninth is refused.
    EXPECT_TRUE(Has(lines[4], "\"layer\":2")) << lines[4];
    // Keys held for a press go up before the layer changes.
    EXPECT_TRUE(Has(lines[6], KeyRecord(162, false))) << lines[6];
    EXPECT_TRUE(Has(lines[7], KeyRecord(162, true)) && Has(lines[7], "\"layer\":2")) << lines[7];
}

TEST(ReplayLibraryCalls, UnhookedInputPassesUntouchedUntilHookedAgain) {
    ReplayRun run(TypingSettings("a"));
    run.Play(kDesktop);
    auto lines = run.Play(R"(
unhook
down XLeft
up XLeft
key down 65
key up 65
unhook
hook
down XLeft
up XLeft
hook
down XLeft
up XLeft
)");
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_TRUE(Has(lines[0], "\"result\":\"unhooked\"")) << lines[0];
    for (int i = 1; i <= 4; ++i)
        EXPECT_TRUE(Has(lines[i], "\"result\":\"passed\"") && Has(lines[i], "\"injected\":[]"))
            << lines[i];
    EXPECT_TRUE(Has(lines[5], "\"result\":\"not hooked\"")) << lines[5];
    EXPECT_TRUE(Has(lines[6], "\"result\":\"hooked\"")) << lines[6];
    EXPECT_TRUE(Has(lines[7], "\"result\":\"swallowed\"") && Has(lines[7], KeyRecord('A', false)))
        << lines[7];
    // Hooking while hooked starts the threads afresh.
    EXPECT_TRUE(Has(lines[9], "\"result\":\"hooked\"")) << lines[9];
    EXPECT_TRUE(Has(lines[10], "\"result\":\"swallowed\"") && Has(lines[10], KeyRecord('A', false)))
        << lines[10];
}

TEST(ReplayLibraryCalls, ACaptionChangeSelectsTheCaptionsProfileOnMouseOver) {
    ReplayRun run(TypingSettings(
        "a", "<SwitchOnMouseOver Enable=\"true\"/><Applications><Application "
             "Name=\"W3:Report \\;| editor.exe \\;| * \\;| *\" Enabled=\"true\"><XLeft "
             "action=\"28\" keys=\"r\" keyaction=\"0\"/></Application></Applications>"));
    run.Play(kDesktop);
    auto lines = run.Play(R"(
down XLeft
up XLeft
caption doc "Report"
move 401 300
wait 200
down XLeft
up XLeft
)");
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_TRUE(Has(lines[0], KeyRecord('A', false))) << lines[0];
    EXPECT_TRUE(Has(lines[3], KeyRecord('R', false))) << lines[3];
    EXPECT_TRUE(Has(lines[3], "\"profile\":\"W3:Report")) << lines[3];
}

} // namespace
