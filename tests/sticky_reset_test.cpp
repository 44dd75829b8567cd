#include "support/replay_run.h"
#include "support/settings_files.h"

#include <gtest/gtest.h>

namespace {

using pw::test::LineOf;
using pw::test::ReplayRun;
using pw::test::SettingsXml;

bool Passed(const std::string& line) {
    return line.find("\"result\":\"passed\"") != std::string::npos;
}

// With sticky states reset on any button, a release also ends an axis lock that no layer
// key owns when some slot holds an axis-locked sticky drag: the drag and the lock actions
// share the one lock.
TEST(StickyReset, ReleaseEndsAnActionsAxisLockBesideAnAxisDrag) {
    ReplayRun run(SettingsXml("<ResetSticky Enabled=\"true\" Key=\"false\" Layer=\"false\"/>"
                              "<Default><Middle action=\"28\" keys=\"a\" keyaction=\"7\"/>"
                              "<XLeft action=\"78\"/>"
                              "<XRight action=\"130\"/></Default>"));
    auto lines = run.Play(R"(
window doc process=editor.exe class=Frame caption="Doc" rect=0,0,1920,1080
foreground doc
move 400 300
down Middle
up Middle
down XRight
move 450 350
up XRight
move 500 400
)");
    // The sticky key is held; the toggle locks X, so movement is corrected.
    EXPECT_FALSE(Passed(LineOf(lines, "move 450 350")));
    // Its release lets the sticky key go, and ends the lock too.
    EXPECT_NE(LineOf(lines, "up XRight").find("\"vk\":65,\"up\":true"), std::string::npos);
    EXPECT_TRUE(Passed(LineOf(lines, "move 500 400")));
}

} // namespace
