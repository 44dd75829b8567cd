#include "runtime/runtime_state.h"
#include "support/wheel_desktop.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using pw::test::HandleParam;
using pw::test::PointParam;
using pw::test::WheelDesktop;
using pw::test::WheelParam;
using pw::test::WindowMessage;

using namespace pw::test::wheel;

constexpr unsigned kKeyDown = 0x100;
constexpr unsigned kKeyUp = 0x101;
const std::string kNoMouseOver = "<SwitchOnMouseOver Enable=\"false\"/>";

std::string Method(int method, int vertical = 1, int horizontal = 1) {
    return "Enabled=\"true\" AdvScrollMethod=\"" + std::to_string(method) + "\" AdvScrollVert=\"" +
           std::to_string(vertical) + "\" AdvScrollHorz=\"" + std::to_string(horizontal) + "\"";
}

// The pane under the cursor, with its own vertical bar (own) or a scroll-bar control
// beside it, or none; the control is returned in bar.
HWND Pane(WheelDesktop& wheel, char barKind, HWND& bar,
          pw::platform::ScrollRange range = {0, 10, 5}) {
    const unsigned long style = barKind == 'o' ? kVisible | kVScrollStyle : 0;
    HWND pane = wheel.Window(wheel.app, L"Pane", kPane, style);
    bar = pane;
    if (barKind == 'o')
        wheel.desktop.windows.SetScrollRange(pane, 1, range);
    if (barKind == 'c') {
        bar = wheel.Window(pane, L"ScrollBar", RECT{480, 100, 500, 500}, 0x1);
        wheel.desktop.windows.SetScrollRange(bar, 2, range);
    }
    return pane;
}

TEST(ScrollMethods, EachMethodPostsItsOwnMessages) {
    struct Row {
        const char* name;
        int method;
        char bar; // 'o' own vertical bar, 'c' a scroll-bar control, '-' none
        int delta;
        bool swallowed;
        std::vector<WindowMessage> (*expected)(HWND pane, HWND bar);
    };
    const std::vector<Row> rows = {
        {"line commands, own bar", 0, 'o', -120, true,
         [](HWND p, HWND) {
             return std::vector<WindowMessage>{{p, kVScroll, 1, 0}, {p, kVScroll, 8, 0}};
         }},
        // Part of a line still scrolls one.
        {"line commands, half a notch", 0, 'o', 60, true,
         [](HWND p, HWND) {
             return std::vector<WindowMessage>{{p, kVScroll, 0, 0}, {p, kVScroll, 8, 0}};
         }},
        {"line commands, control", 0, 'c', 240, true,
         [](HWND p, HWND b) {
             const uintptr_t bar = HandleParam(b);
             return std::vector<WindowMessage>{{b, kVScroll, 0, bar}, {p, kVScroll, 0, bar},
                                               {b, kVScroll, 0, bar}, {p, kVScroll, 0, bar},
                                               {b, kVScroll, 8, bar}, {p, kVScroll, 8, bar}};
         }},
        // Without a bar the method fails and the wheel message is posted instead.
        {"line commands, no bar", 0, '-', 120, true,
         [](HWND p, HWND) {
             return std::vector<WindowMessage>{{p, kWheel, WheelParam(120), PointParam(kPoint)}};
         }},
        {"arrow keys, vertical", 2, 'o', 120, true,
         [](HWND p, HWND) {
             return std::vector<WindowMessage>{{p, kVScroll, 0, 0}, {p, kVScroll, 8, 0}};
         }},
        // A third of the amount, with the held keys (Shift) in the low word.
        {"scaled wheel", 3, '-', -120, true,
         [](HWND p, HWND) {
             return std::vector<WindowMessage>{
                 {p, kWheel, WheelParam(-40, 0x4), PointParam(kPoint)}};
         }},
        {"commands at the cursor", 4, '-', 240, true,
         [](HWND p, HWND) {
             return std::vector<WindowMessage>{{p, kVScroll, 0, PointParam(kPoint)},
                                               {p, kVScroll, 0, PointParam(kPoint)}};
         }},
        // Less than a line: nothing, but handled.
        {"commands at the cursor, half a notch", 4, '-', 60, true,
         [](HWND, HWND) { return std::vector<WindowMessage>{}; }},
        {"default", 8, 'o', 120, true,
         [](HWND p, HWND) {
             return std::vector<WindowMessage>{{p, kWheel, WheelParam(120), PointParam(kPoint)}};
         }},
        {"disabled", 9, 'o', 120, true, [](HWND, HWND) { return std::vector<WindowMessage>{}; }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        WheelDesktop wheel;
        ASSERT_TRUE(wheel.Load(Method(row.method), kNoMouseOver));
        HWND bar = nullptr;
        HWND pane = Pane(wheel, row.bar, bar);
        wheel.desktop.input.SetKeyDown(0x10, true);
        wheel.TakeMessages();
        EXPECT_EQ(wheel.Wheel(kPoint, row.delta), row.swallowed);
        EXPECT_EQ(wheel.TakeMessages(), row.expected(pane, bar));
    }
}

TEST(ScrollMethods, ThumbPositionMovesOneLineWithinTheRange) {
    struct Row {
        const char* name;
        char bar; // 'o' the pane's own bar, 'c' a scroll-bar control
        pw::platform::ScrollRange range;
        int delta;
        int position;
        bool horizontal = false;
    };
    // Every bar counts from its start: the wheel up and the tilt left move toward it.
    const std::vector<Row> rows = {
        {"own bar, up", 'o', {0, 10, 5}, 120, 4},
        {"own bar, up at the top", 'o', {0, 10, 0}, 120, 0},
        {"own bar, down at the bottom", 'o', {0, 10, 10}, -120, 10},
        {"own bar, three notches down", 'o', {-5, 10, 0}, -360, 3},
        {"control, up", 'c', {0, 10, 5}, 120, 4},
        {"control, down", 'c', {0, 10, 5}, -240, 7},
        {"own bar, tilt right", 'o', {0, 10, 5}, 120, 6, true},
        {"own bar, tilt left", 'o', {0, 10, 5}, -120, 4, true},
        {"control, tilt right", 'c', {0, 10, 5}, 120, 6, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        WheelDesktop wheel;
        ASSERT_TRUE(wheel.Load(Method(1), kNoMouseOver));
        HWND bar = nullptr;
        if (row.horizontal) {
            HWND pane = wheel.Window(wheel.app, L"Pane", kPane,
                                     row.bar == 'o' ? kVisible | kHScrollStyle : 0);
            bar =
                row.bar == 'o' ? pane : wheel.Window(pane, L"ScrollBar", RECT{100, 480, 500, 500});
            wheel.desktop.windows.SetScrollRange(bar, row.bar == 'o' ? 0 : 2, row.range);
            EXPECT_TRUE(wheel.Tilt(kPoint, row.delta));
        } else {
            Pane(wheel, row.bar, bar, row.range);
            wheel.TakeMessages();
            EXPECT_TRUE(wheel.Wheel(kPoint, row.delta));
        }
        const std::vector<WindowMessage> expected = {
            {bar, row.horizontal ? kHScroll : kVScroll,
             (static_cast<uintptr_t>(static_cast<uint16_t>(row.position)) << 16) | 4,
             row.bar == 'o' ? 0 : HandleParam(bar)}};
        EXPECT_EQ(wheel.TakeMessages(), expected);
    }
}

TEST(ScrollMethods, HorizontalMethodsUseTheirOwnCommands) {
    {
        // Arrow keys: one key press and release per notch, right for a positive tilt.
        WheelDesktop wheel;
        ASSERT_TRUE(wheel.Load(Method(2), kNoMouseOver));
        HWND pane = wheel.Window(wheel.app, L"Pane", kPane);
        EXPECT_TRUE(wheel.Tilt(kPoint, 240));
        const uintptr_t down = 1 + 0x4D * 0x10000;
        const std::vector<WindowMessage> keys = {{pane, kKeyDown, 0x27, down},
                                                 {pane, kKeyUp, 0x27, down + 0xC00000},
                                                 {pane, kKeyDown, 0x27, down},
                                                 {pane, kKeyUp, 0x27, down + 0xC00000}};
        EXPECT_EQ(wheel.TakeMessages(), keys);
        EXPECT_TRUE(wheel.Tilt(kPoint, -60)); // less than a notch: no key
        EXPECT_TRUE(wheel.TakeMessages().empty());
    }
    {
        // Line commands on the horizontal bar: right is SB_LINERIGHT (1).
        WheelDesktop wheel;
        ASSERT_TRUE(wheel.Load(Method(0), kNoMouseOver));
        HWND pane = wheel.Window(wheel.app, L"Pane", kPane, kVisible | kHScrollStyle);
        EXPECT_TRUE(wheel.Tilt(kPoint, 120));
        const std::vector<WindowMessage> lines = {{pane, kHScroll, 1, 0}, {pane, kHScroll, 8, 0}};
        EXPECT_EQ(wheel.TakeMessages(), lines);
        // A vertical bar does not serve sideways: the tilt message is posted instead.
        HWND tall =
            wheel.Window(wheel.app, L"Pane", RECT{500, 100, 900, 500}, kVisible | kVScrollStyle);
        (void)tall;
        EXPECT_TRUE(wheel.Tilt(POINT{600, 200}, 120));
        const std::vector<WindowMessage> posted = {
            {tall, kHWheel, WheelParam(120), PointParam(POINT{600, 200})}};
        EXPECT_EQ(wheel.TakeMessages(), posted);
    }
}

TEST(ScrollMethods, AmountsAndMultipliersAtTheEndsOfTheirRange) {
    struct Row {
        const char* name;
        int method;
        int multiplier;
        int delta;
        std::vector<uintptr_t> wParams; // WM_VSCROLL commands at the cursor, or the wheel
    };
    // Method 4 counts whole lines of the product cut to 16 bits; the posted wheel carries
    // 120 x multiplier with the product's sign, cut to 16 bits as well.
    const std::vector<Row> rows = {
        {"zero delta", 4, 1, 0, {}},
        {"most negative delta", 4, 1, -32768, std::vector<uintptr_t>(273, 1)},
        // 120 x 32767 cut to 16 bits is -120: one line down.
        {"largest multiplier", 4, 32767, 120, {1}},
        // -120 x -32768 cut to 16 bits is 0: less than a line.
        {"smallest multiplier", 4, -32768, -120, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        WheelDesktop wheel;
        ASSERT_TRUE(wheel.Load(Method(row.method, row.multiplier), kNoMouseOver));
        HWND pane = wheel.Window(wheel.app, L"Pane", kPane);
        wheel.TakeMessages();
        EXPECT_TRUE(wheel.Wheel(kPoint, row.delta));
        std::vector<WindowMessage> expected;
        for (uintptr_t command : row.wParams)
            expected.push_back({pane, kVScroll, command, PointParam(kPoint)});
        EXPECT_EQ(wheel.TakeMessages(), expected);
    }
    {
        // The default method posts the event's own delta, whatever the multiplier.
        WheelDesktop wheel;
        ASSERT_TRUE(wheel.Load(Method(8, 32767), kNoMouseOver));
        HWND pane = wheel.Window(wheel.app, L"Pane", kPane);
        wheel.TakeMessages();
        EXPECT_TRUE(wheel.Wheel(kPoint, -32768));
        const std::vector<WindowMessage> posted = {
            {pane, kWheel, WheelParam(-32768), PointParam(kPoint)}};
        EXPECT_EQ(wheel.TakeMessages(), posted);
    }
}

TEST(ScrollMethods, WheelCacheAnswersWithinItsBoxAndFollowsAGoneWindow) {
    WheelDesktop wheel;
    ASSERT_TRUE(wheel.Load(Method(8), kNoMouseOver));
    HWND first = wheel.Window(wheel.app, L"Pane", kPane);
    EXPECT_TRUE(wheel.Wheel(kPoint, 120));
    // A window raised over the point after the lookup: the cached one keeps the wheel
    // while the cursor stays within 4 pixels (right and bottom edges excluded).
    HWND over = wheel.Window(wheel.app, L"Pane", RECT{150, 150, 300, 300});
    wheel.TakeMessages();
    for (POINT pt : {POINT{203, 203}, POINT{196, 196}}) {
        EXPECT_TRUE(wheel.Wheel(pt, 120));
        const std::vector<WindowMessage> cached = {
            {first, kWheel, WheelParam(120), PointParam(pt)}};
        EXPECT_EQ(wheel.TakeMessages(), cached);
    }
    const POINT outside{204, 200};
    EXPECT_TRUE(wheel.Wheel(outside, 120));
    const std::vector<WindowMessage> fresh = {{over, kWheel, WheelParam(120), PointParam(outside)}};
    EXPECT_EQ(wheel.TakeMessages(), fresh);

    // The cached window destroyed: the next notch at the same point goes to what is there.
    wheel.desktop.windows.Destroy(over);
    EXPECT_TRUE(wheel.Wheel(outside, 120));
    const std::vector<WindowMessage> after = {
        {first, kWheel, WheelParam(120), PointParam(outside)}};
    EXPECT_EQ(wheel.TakeMessages(), after);
}

TEST(ScrollMethods, WithoutASettingsFileNothingBreaks) {
    // The library as loaded, no settings file read: the wheel over a pane never leaves a
    // stuck button, and nothing but the pane gets a message.
    WheelDesktop wheel;
    HWND pane = wheel.Window(wheel.app, L"Pane", kPane);
    wheel.Wheel(kPoint, 120);
    wheel.Wheel(kPoint, -120);
    for (const WindowMessage& message : wheel.TakeMessages())
        EXPECT_EQ(message.window, pane);
    for (bool down : g_bButtonDown)
        EXPECT_FALSE(down);
}

} // namespace
