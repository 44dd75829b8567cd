#include "hook/mouse_hook.h"
#include "runtime/runtime_state.h"
#include "support/wheel_desktop.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using pw::test::HandleParam;
using pw::test::PointParam;
using pw::test::WheelDesktop;
using pw::test::WheelParam;
using pw::test::WindowMessage;

using namespace pw::test::wheel;

// Redirection with the profile's default handling, looked up through the wheel cache.
const std::string kRedirect = "Enabled=\"true\" AdvScrollMethod=\"8\" AdvScrollVert=\"1\" "
                              "AdvScrollHorz=\"1\"";
const std::string kNoMouseOver = "<SwitchOnMouseOver Enable=\"false\"/>";

// Windows around the one under the cursor: its parent (of parentClass, inside the
// application's frame) and whatever a row adds.
struct ClassRow {
    const char* name;
    const Char* parentClass;
    const Char* windowClass;
    // Which window gets the wheel message: 'w' the window, 'p' its parent, 'c' its first
    // child, 's' the sibling the row adds, '-' none.
    char to;
    bool swallowed;
    std::string globals = kNoMouseOver;
    std::function<void(WheelDesktop&, HWND parent, HWND window)> extra = {};
    unsigned keys = 0;
};

// Profiles of the same options for the application under the cursor and the one in
// front.
std::string Applications(const std::string& attributes) {
    return "<Applications><Application Name=\"app.exe\" " + attributes +
           "/><Application Name=\"front.exe\" " + attributes + "/></Applications>";
}

HWND AddChild(WheelDesktop& wheel, HWND parent, const Char* className) {
    return wheel.Window(parent, className, RECT{150, 150, 300, 300});
}

TEST(WheelRedirection, ClassTableDecidesWhereTheVerticalWheelGoes) {
    HWND sibling = nullptr;
    const std::vector<ClassRow> rows = {
        {"plain window", L"Pane", L"Edit", 'w', true},
        // The profile follows the cursor on mouse-over: the window comes from the profile
        // detection rather than the cache.
        {"plain window, switch on mouse-over", L"Pane", L"Edit", 'w', true, ""},
        {"tooltip", L"Pane", L"tooltips_class32", '-', false},
        {"store app", L"Pane", L"Windows.UI.Core.CoreWindow", '-', false},
        {"store app input sink", L"Pane", L"ApplicationFrameInputSinkWindow", '-', false},
        {"chrome app without child", L"Chrome_WidgetWin_0", L"Chrome_WidgetWin_1", 'p', true},
        {"chrome widget, lower case", L"Chrome_WidgetWin_0", L"chrome_widgetwin_1", 'c', true,
         kNoMouseOver, [](WheelDesktop& w, HWND, HWND window) { AddChild(w, window, L"Content"); }},
        {"intermediate window", L"Chrome_WidgetWin_1", L"Intermediate D3D Window", 'p', true},
        {"chrome widget elsewhere", L"Pane", L"Chrome_WidgetWin_1", 'w', true},
        {"chrome content with keys", L"Pane", L"Chrome_RenderWidgetHostHWND", 'w', true,
         kNoMouseOver,
         [](WheelDesktop& w, HWND, HWND) {
             w.desktop.input.SetKeyDown(0x10, true);
             w.desktop.input.SetKeyDown(0x12, true);
         },
         0x24},
        {"remote desktop", L"OPContainerClass", L"OPWindowClass", 's', true, kNoMouseOver,
         [&sibling](WheelDesktop& w, HWND parent, HWND) {
             // Above the container in z-order: its previous sibling.
             sibling =
                 w.Window(w.desktop.windows.Parent(parent), L"IHWindowClass", RECT{0, 0, 1, 1});
         }},
        {"remote desktop without input window", L"Pane", L"OPWindowClass", 'w', true},
        {"OneNote", L"OneNote::NavigationUIHost", L"NetUIHWND", 'p', true},
        {"other NetUI", L"Pane", L"NetUIHWND", 'w', true},
        {"WPF without the fix", L"Pane", L"HwndWrapper[DefaultDomain;;1]", 'w', true},
        {"WPF prefix is case-sensitive", L"Pane", L"hwndwrapper[defaultdomain;;1]", 'w', true,
         kNoMouseOver + "<VisualStudio2010 FixScroll=\"true\"/>"},
    };
    for (const ClassRow& row : rows) {
        SCOPED_TRACE(row.name);
        WheelDesktop wheel;
        ASSERT_TRUE(wheel.Load(kRedirect, row.globals));
        HWND parent = wheel.Window(wheel.app, row.parentClass, kPane);
        HWND window = wheel.Window(parent, row.windowClass, RECT{150, 150, 300, 300});
        sibling = nullptr;
        if (row.extra)
            row.extra(wheel, parent, window);
        wheel.TakeMessages();

        EXPECT_EQ(wheel.Wheel(kPoint, -120), row.swallowed);
        std::vector<WindowMessage> expected;
        HWND to = row.to == 'w'   ? window
                  : row.to == 'p' ? parent
                  : row.to == 's' ? sibling
                  : row.to == 'c' ? wheel.desktop.windows.Related(window, 5)
                                  : nullptr;
        if (to)
            expected.push_back({to, kWheel, WheelParam(-120, row.keys), PointParam(kPoint)});
        EXPECT_EQ(wheel.TakeMessages(), expected);
    }
}

TEST(WheelRedirection, ClassTableForcesScrollMethodsOnOldControlsAndWpf) {
    struct Row {
        const char* name;
        const Char* windowClass;
        std::string globals;
        std::vector<uintptr_t> commands; // WM_VSCROLL wParams to the window
        bool atCursor;                   // lParam is the cursor, else 0
        unsigned systemLines = 3;        // the system's wheel lines when the library loads
        int delta = -120;
    };
    constexpr unsigned kPageScroll = 0xFFFFFFFF;
    const std::vector<Row> rows = {
        // Three lines a notch, each a line command, then the end of the scroll.
        {"VB6 list", L"DataComboListWndClass", kNoMouseOver, {1, 1, 1, 8}, false},
        {"drop-down list", L"afx:11660000:880", kNoMouseOver, {1, 1, 1, 8}, false},
        {"WPF with the fix",
         L"HwndWrapper[DefaultDomain;;7]",
         kNoMouseOver + "<VisualStudio2010 FixScroll=\"true\"/>",
         {1, 1, 1},
         true},
        // A screen at a time: one page command a notch, in the wheel's direction.
        {"VB6 list by pages", L"DataComboListWndClass", kNoMouseOver, {3, 8}, false, kPageScroll},
        {"drop-down list by pages, up",
         L"Afx:11660000:880",
         kNoMouseOver,
         {2, 2, 8},
         false,
         kPageScroll,
         240},
        {"WPF by pages",
         L"HwndWrapper[DefaultDomain;;7]",
         kNoMouseOver + "<VisualStudio2010 FixScroll=\"true\"/>",
         {3},
         true,
         kPageScroll},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        WheelDesktop wheel(pw::platform::kIntegrityMedium, row.systemLines);
        ASSERT_TRUE(wheel.Load(kRedirect, row.globals));
        HWND window = wheel.Window(wheel.app, row.windowClass, kPane, kVisible | kVScrollStyle);
        wheel.TakeMessages();
        EXPECT_TRUE(wheel.Wheel(kPoint, row.delta));
        std::vector<WindowMessage> expected;
        // The window's own bar: lParam 0.
        for (uintptr_t command : row.commands)
            expected.push_back({window, kVScroll, command, row.atCursor ? PointParam(kPoint) : 0});
        EXPECT_EQ(wheel.TakeMessages(), expected);
    }
}

TEST(WheelRedirection, HorizontalRedirectionHasItsOwnRules) {
    struct Row {
        const char* name;
        const Char* parentClass;
        const Char* windowClass;
        std::vector<WindowMessage> (*expected)(HWND parent, HWND window);
        bool swallowed;
    };
    const std::vector<Row> rows = {
        {"plain window", L"Pane", L"Edit",
         [](HWND, HWND w) {
             return std::vector<WindowMessage>{{w, kHWheel, WheelParam(120), PointParam(kPoint)}};
         },
         true},
        // No tooltip case sideways: the tooltip gets it like any window.
        {"tooltip", L"Pane", L"tooltips_class32",
         [](HWND, HWND w) {
             return std::vector<WindowMessage>{{w, kHWheel, WheelParam(120), PointParam(kPoint)}};
         },
         true},
        {"store app", L"Pane", L"Windows.UI.Core.CoreWindow",
         [](HWND, HWND) { return std::vector<WindowMessage>{}; }, false},
        {"chrome widget", L"Chrome_WidgetWin_0", L"Chrome_WidgetWin_1",
         [](HWND p, HWND) {
             return std::vector<WindowMessage>{{p, kHWheel, WheelParam(120), PointParam(kPoint)}};
         },
         true},
        // A folder view without a scroll bar: posted like any window.
        {"folder view without bar", L"SHELLDLL_DefView", L"DirectUIHWND",
         [](HWND, HWND w) {
             return std::vector<WindowMessage>{{w, kHWheel, WheelParam(120), PointParam(kPoint)}};
         },
         true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        WheelDesktop wheel;
        ASSERT_TRUE(wheel.Load(kRedirect, kNoMouseOver));
        HWND parent = wheel.Window(wheel.app, row.parentClass, kPane);
        HWND window = wheel.Window(parent, row.windowClass, RECT{150, 150, 300, 300});
        EXPECT_EQ(wheel.Tilt(kPoint, 120), row.swallowed);
        EXPECT_EQ(wheel.TakeMessages(), row.expected(parent, window));
    }

    // A folder view with a horizontal bar scrolls by characters: three line commands.
    WheelDesktop wheel;
    ASSERT_TRUE(wheel.Load(kRedirect, kNoMouseOver));
    HWND parent = wheel.Window(wheel.app, L"SHELLDLL_DefView", kPane);
    HWND view =
        wheel.Window(parent, L"DirectUIHWND", RECT{150, 150, 300, 300}, kVisible | 0x00100000);
    EXPECT_TRUE(wheel.Tilt(kPoint, 120));
    const std::vector<WindowMessage> lines = {{view, kHScroll, 1, 0},
                                              {view, kHScroll, 1, 0},
                                              {view, kHScroll, 1, 0},
                                              {view, kHScroll, 8, 0}};
    EXPECT_EQ(wheel.TakeMessages(), lines);
}

TEST(WheelRedirection, WhenTheWheelIsNotRedirected) {
    {
        // Over the foreground window itself the system delivers it already.
        WheelDesktop wheel;
        ASSERT_TRUE(wheel.Load(kRedirect, kNoMouseOver));
        EXPECT_FALSE(wheel.Wheel(POINT{1200, 300}, 120));
        EXPECT_TRUE(wheel.TakeMessages().empty());
        EXPECT_TRUE(wheel.Logged(L"Not redirecting vertical wheel message as it is over the "
                                 L"active window"));
    }
    {
        // Inverted: redirected there too, turned round.
        WheelDesktop wheel;
        ASSERT_TRUE(wheel.Load(kRedirect + " InvertScrolling=\"true\"", kNoMouseOver));
        EXPECT_TRUE(wheel.Wheel(POINT{1200, 300}, 120));
        const std::vector<WindowMessage> inverted = {
            {wheel.front, kWheel, WheelParam(-120), PointParam(POINT{1200, 300})}};
        EXPECT_EQ(wheel.TakeMessages(), inverted);
    }
    {
        // Control held, redirection off globally, or off for the profile: passed on.
        const std::vector<std::pair<std::string, std::string>> cases = {
            {kRedirect, kNoMouseOver + "<ScrollWheel ScrollWindowUnderCursor=\"false\"/>"},
            {kRedirect,
             kNoMouseOver + Applications(kRedirect + " DisableScrollUnderCursor=\"true\"")},
            {kRedirect, kNoMouseOver}};
        for (size_t i = 0; i < cases.size(); ++i) {
            SCOPED_TRACE(i);
            WheelDesktop wheel;
            ASSERT_TRUE(wheel.Load(cases[i].first, cases[i].second));
            wheel.Window(wheel.app, L"Edit", kPane);
            if (i == 2)
                wheel.desktop.input.SetKeyDown(0x11, true);
            EXPECT_FALSE(wheel.Wheel(kPoint, 120));
            EXPECT_TRUE(wheel.TakeMessages().empty());
        }
    }
    {
        // Scrolling disabled for the application: every notch is swallowed.
        WheelDesktop wheel;
        ASSERT_TRUE(wheel.Load("Enabled=\"true\" AdvScrollMethod=\"9\"", kNoMouseOver));
        wheel.Window(wheel.app, L"Edit", kPane);
        EXPECT_TRUE(wheel.Wheel(kPoint, 120));
        EXPECT_TRUE(wheel.Wheel(kPoint, -120));
        EXPECT_TRUE(wheel.TakeMessages().empty());
    }
}

TEST(WheelRedirection, ProfileMethodStillScrollsTheForegroundWithoutRedirection) {
    // Redirection off for the profile, which scrolls by line commands: the foreground
    // application's pane scrolls, a background one is left to the system.
    const std::string profile = "Enabled=\"true\" DisableScrollUnderCursor=\"true\" "
                                "AdvScrollMethod=\"0\" AdvScrollVert=\"1\"";
    WheelDesktop wheel;
    ASSERT_TRUE(wheel.Load(kRedirect, kNoMouseOver + Applications(profile)));
    HWND pane =
        wheel.Window(wheel.front, L"Pane", RECT{1100, 100, 1500, 500}, kVisible | kVScrollStyle);
    HWND background = wheel.Window(wheel.app, L"Pane", kPane, kVisible | kVScrollStyle);
    EXPECT_TRUE(wheel.Wheel(POINT{1200, 200}, 120));
    const std::vector<WindowMessage> lines = {{pane, kVScroll, 0, 0}, {pane, kVScroll, 8, 0}};
    EXPECT_EQ(wheel.TakeMessages(), lines);
    EXPECT_FALSE(wheel.Wheel(kPoint, 120));
    EXPECT_TRUE(wheel.TakeMessages().empty());
    (void)background;

    // With Control held the system gets it (zoom), even over the foreground.
    wheel.desktop.input.SetKeyDown(0x11, true);
    EXPECT_FALSE(wheel.Wheel(POINT{1200, 200}, 120));
    EXPECT_TRUE(wheel.TakeMessages().empty());
}

TEST(WheelRedirection, MoreprivilegedTargetsAreNeverPostedTo) {
    constexpr unsigned long kAdminPid = 300;
    {
        WheelDesktop wheel;
        ASSERT_TRUE(wheel.Load(kRedirect, kNoMouseOver));
        pw::sim::SimProcess admin;
        admin.processId = kAdminPid;
        admin.imagePath = L"C:\\Apps\\admin.exe";
        admin.integrity = pw::platform::kIntegrityHigh;
        wheel.desktop.processes.Add(admin);
        HWND elevated = wheel.Window(nullptr, L"AdminFrame", kPane, 0, kAdminPid);
        wheel.Window(elevated, L"Edit", RECT{150, 150, 300, 300}, 0, kAdminPid);
        EXPECT_FALSE(wheel.Wheel(kPoint, 120));
        EXPECT_TRUE(wheel.TakeMessages().empty());
        EXPECT_TRUE(wheel.Logged(L"Unable to redirect vertical wheel message 0x00780000"));

        // A scroll method is refused the same way.
        ASSERT_TRUE(
            wheel.Load("Enabled=\"true\" AdvScrollMethod=\"4\" AdvScrollVert=\"1\"", kNoMouseOver));
        EXPECT_FALSE(wheel.Wheel(POINT{210, 200}, 120));
        EXPECT_TRUE(wheel.TakeMessages().empty());
        EXPECT_TRUE(wheel.Logged(L"Unable to send vertical scroll message to elevated process!"));
    }
    {
        // A library running elevated may post anywhere.
        WheelDesktop wheel(pw::platform::kIntegrityHigh);
        ASSERT_TRUE(wheel.Load(kRedirect, kNoMouseOver));
        pw::sim::SimProcess system;
        system.processId = kAdminPid;
        system.imagePath = L"C:\\Apps\\service.exe";
        system.integrity = pw::platform::kIntegritySystem;
        wheel.desktop.processes.Add(system);
        HWND frame = wheel.Window(nullptr, L"ServiceFrame", kPane, 0, kAdminPid);
        HWND edit = wheel.Window(frame, L"Edit", RECT{150, 150, 300, 300}, 0, kAdminPid);
        EXPECT_TRUE(wheel.Wheel(kPoint, 120));
        const std::vector<WindowMessage> posted = {
            {edit, kWheel, WheelParam(120), PointParam(kPoint)}};
        EXPECT_EQ(wheel.TakeMessages(), posted);
    }
}

TEST(WheelRedirection, OwnInjectedWheelGoesToTheWindowUnderTheCursorWhenAllowed) {
    constexpr unsigned long kAdminPid = 300;
    WheelDesktop wheel;
    ASSERT_TRUE(wheel.Load(kRedirect, kNoMouseOver));
    HWND edit = wheel.Window(wheel.app, L"Edit", kPane);
    pw::sim::SimProcess admin;
    admin.processId = kAdminPid;
    admin.imagePath = L"C:\\Apps\\admin.exe";
    admin.integrity = pw::platform::kIntegrityHigh;
    wheel.desktop.processes.Add(admin);
    wheel.Window(nullptr, L"AdminFrame", RECT{600, 600, 900, 900}, 0, kAdminPid);
    HWND sink =
        wheel.Window(wheel.app, L"ApplicationFrameInputSinkWindow", RECT{100, 600, 500, 900});
    (void)sink;

    // The library's own wheel turns carry its marker.
    auto injected = [&](POINT pt) {
        MSLLHOOKSTRUCT record{pt, static_cast<DWORD>(120) << 16, 0x1, 5000,
                              reinterpret_cast<uintptr_t>(g_hMouseHook)};
        const int before = wheel.desktop.input.NextHookCalls();
        pw::MouseHookLLProc(0, kWheel, reinterpret_cast<LPARAM>(&record));
        return wheel.desktop.input.NextHookCalls() == before;
    };
    wheel.TakeMessages();
    EXPECT_TRUE(injected(kPoint));
    const std::vector<WindowMessage> sent = {{edit, kWheel, 120u << 16, PointParam(kPoint)}};
    EXPECT_EQ(wheel.TakeMessages(), sent);
    EXPECT_FALSE(injected(POINT{700, 700}));
    EXPECT_TRUE(wheel.Logged(L"IsInjectedScrollRedirectable: Process integrity 0x00003000 > our "
                             L"integrity 0x00002000 - abort"));
    EXPECT_FALSE(injected(POINT{200, 700}));
    EXPECT_TRUE(wheel.TakeMessages().empty());
}

} // namespace
