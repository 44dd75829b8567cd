#include "actions/layers.h"
#include "hook/library.h"
#include "hook/settings_reload.h"
#include "platform/sim/simulated_desktop.h"
#include "support/replay_run.h"
#include "support/settings_files.h"

#include <gtest/gtest.h>

namespace {

using pw::test::LineOf;
using pw::test::ReplayRun;
using pw::test::SettingsXml;

// One window over the whole screen, the cursor in it.
constexpr const char* kDesktop = R"(
window doc process=editor.exe class=Frame caption="Doc" rect=0,0,1920,1080
foreground doc
move 400 300
)";

std::string LayerOf(const std::string& line) {
    const std::string field = "\"layer\":";
    const size_t at = line.find(field);
    return at == std::string::npos ? "?" : line.substr(at + field.size(), 1);
}

// XLeft is "Layer (Next)" and XRight types {LAYER:3} on the first three layers. Layer
// index 1 switches back to the first layer after a second, and so does layer index 2 when
// autoSwitchBack is set; there Middle is the momentary "Layer 2".
std::string TagSettings(bool autoSwitchBack) {
    const std::string buttons =
        "<XLeft action=\"52\"/><XRight action=\"28\" keys=\"{LAYER:3}\" keyaction=\"0\"/>";
    const std::string third =
        autoSwitchBack ? "autoswitchlayer=\"1\" autoswitchtime=\"1\"" : "autoswitchlayer=\"0\"";
    return SettingsXml("<Layers Number=\"4\"/><Default>" + buttons +
                       "<Layer1><Layer autoswitchlayer=\"1\" autoswitchtime=\"1\"/>" + buttons +
                       "</Layer1><Layer2><Layer " + third + "/>" + buttons +
                       "<Middle action=\"55\"/></Layer2></Default>");
}

TEST(LayerSwitching, LayerTagStopsAPendingSwitchBackAndArmsItsOwn) {
    {
        // "Layer (Next)" arms the second layer's one-second switch-back; the tag reaches
        // the third layer, which has none, so nothing switches later.
        ReplayRun run(TagSettings(false));
        auto lines = run.Play(std::string(kDesktop) + R"(
down XLeft
up XLeft
wait 200
down XRight
up XRight
wait 1500
key down 16
)");
        EXPECT_EQ(LayerOf(LineOf(lines, "up XLeft")), "1");
        EXPECT_EQ(LayerOf(LineOf(lines, "down XRight")), "2");
        EXPECT_EQ(LayerOf(LineOf(lines, "key down 16")), "2");
    }
    {
        // Reached by the tag, the third layer's own switch-back runs.
        ReplayRun run(TagSettings(true));
        auto lines = run.Play(std::string(kDesktop) + R"(
down XRight
up XRight
wait 900
key down 16
wait 200
key up 16
)");
        EXPECT_EQ(LayerOf(LineOf(lines, "down XRight")), "2");
        EXPECT_EQ(LayerOf(LineOf(lines, "key down 16")), "2");
        EXPECT_EQ(LayerOf(LineOf(lines, "key up 16")), "0");
    }
}

TEST(LayerSwitching, ARefusedLayerLeavesAPendingSwitchBackOnTime) {
    // Layer index 1 switches back after a second. A tag past the last layer, played once
    // or by a sticky repeat again and again, and the exported call for such a layer are
    // refused: the switch-back armed by "Layer (Next)" still comes a second after it.
    const std::string buttons = "<XLeft action=\"52\"/><XRight action=\"28\" "
                                "keys=\"{LAYER:9}\" keyaction=\"0\"/><Middle action=\"28\" "
                                "keys=\"b{LAYER:9}\" keyaction=\"6\" keyrepeat=\"50\"/>";
    ReplayRun run(SettingsXml("<Layers Number=\"2\"/><Default>" + buttons +
                              "<Layer1><Layer autoswitchlayer=\"1\" autoswitchtime=\"1\"/>" +
                              buttons + "</Layer1></Default>"));
    auto lines = run.Play(std::string(kDesktop) + R"(
down XLeft
up XLeft
wait 300
down XRight
up XRight
wait 300
layer 9
down Middle
up Middle
wait 300
key down 16
wait 200
key up 16
)");
    EXPECT_EQ(LayerOf(LineOf(lines, "up XLeft")), "1");
    EXPECT_EQ(LayerOf(LineOf(lines, "layer 9")), "1");
    EXPECT_EQ(LayerOf(LineOf(lines, "key down 16")), "1");
    EXPECT_EQ(LayerOf(LineOf(lines, "key up 16")), "0");
}

TEST(LayerSwitching, MomentaryReleaseWithoutSavedLayerReturnsToTheFirstLayer) {
    // The tag does not save the layer it leaves, and the press of the "Layer 2" button was
    // never seen: its release still ends the shift, on the first layer.
    ReplayRun run(TagSettings(false));
    auto lines = run.Play(std::string(kDesktop) + R"(
down XRight
up XRight
up Middle
)");
    EXPECT_EQ(LayerOf(LineOf(lines, "up XRight")), "2");
    EXPECT_EQ(LayerOf(LineOf(lines, "up Middle")), "0");
}

// The exported layer calls on settings loaded from the settings folder.
class LayerCycleTest : public ::testing::Test {
  protected:
    void Load(int layers) {
        ASSERT_TRUE(pw::test::StoreInSettingsFolder(
            desktop, SettingsXml("<Layers Number=\"" + std::to_string(layers) + "\"/>")));
        UpdateSettings();
        ASSERT_EQ(MaxLayers(), layers);
    }
    bool Logged(StringView text) { return desktop.diagnostics.DebugOutputContains(text); }

    pw::sim::SimulatedDesktop desktop;
    pw::hook::LibraryScope library;
};

TEST_F(LayerCycleTest, NextAndPreviousWrapAtTheEndsAndRefuseLayersPastTheLast) {
    Load(3);
    SetCurrentLayer(2, false, false, false);
    NextLayer();
    EXPECT_EQ(GetCurrentLayer(), 0);
    PreviousLayer();
    EXPECT_EQ(GetCurrentLayer(), 2);
    PreviousLayer();
    EXPECT_EQ(GetCurrentLayer(), 1);

    // Fewer layers after a reload: the next layer is past the last one and refused, not
    // wrapped; the previous one is still in use.
    SetCurrentLayer(2, false, false, false);
    Load(2);
    EXPECT_EQ(GetCurrentLayer(), 2);
    NextLayer();
    EXPECT_EQ(GetCurrentLayer(), 2);
    EXPECT_TRUE(Logged(L"Attempting to activate layer 3 which is greater than Max layers (2)"));
    PreviousLayer();
    EXPECT_EQ(GetCurrentLayer(), 1);
}

} // namespace
