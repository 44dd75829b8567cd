#include "hook/library.h"
#include "platform/sim/simulated_desktop.h"
#include "support/logger.h"
#include "support/thread_lock.h"
#include "support/wait_until.h"
#include "windows/window_from_point.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

using pw::sim::SimWindowSpec;

class WindowFromPointTest : public ::testing::Test {
  protected:
    void SetUp() override {
        CLogger::EnableDebug(true);
        UseVersion(6, 3);
    }
    void TearDown() override { CLogger::EnableDebug(false); }

    // The system version and the scaling exports as the library sees them at start-up.
    void UseVersion(unsigned long major, unsigned long minor, bool exports = true) {
        desktop.systemInfo.major = major;
        desktop.systemInfo.minor = minor;
        desktop.SetScalingExportsAvailable(exports);
        InitScalingFunctions();
        pw::windows::ResetRealWindowCache();
    }

    HWND Child(HWND parent, const Char* className, RECT rect, bool visible = true) {
        HWND child = desktop.windows.CreateChild(parent, className, rect);
        desktop.windows.SetVisible(child, visible);
        return child;
    }

    bool Logged(StringView text) { return desktop.diagnostics.DebugOutputContains(text); }

    pw::sim::SimulatedDesktop desktop;
    pw::hook::LibraryScope library;
};

TEST_F(WindowFromPointTest, SmallestWindowContainingThePointWins) {
    HWND frame = desktop.windows.CreateTopLevel(L"Frame", RECT{0, 0, 800, 600}, 100);
    // Created first, so the panel above covers them for the plain lookup.
    HWND button = Child(frame, L"Button", RECT{100, 100, 200, 150});
    HWND hidden = Child(frame, L"Button", RECT{120, 110, 130, 120}, false);
    HWND panel = Child(frame, L"Panel", RECT{0, 0, 800, 600});
    const POINT overButton{125, 115};
    ASSERT_EQ(desktop.windows.WindowFromPoint(overButton), panel);

    EXPECT_EQ(WindowFromPointEx(overButton, 0), button);
    EXPECT_EQ(RealWindowFromPoint(overButton), button);
    // Hidden windows count only when asked for, and are then returned as found.
    EXPECT_EQ(WindowFromPointEx(overButton, 1), hidden);
    // Rectangles exclude their right and bottom edges.
    EXPECT_EQ(WindowFromPointEx(POINT{200, 115}, 0), panel);
    EXPECT_EQ(WindowFromPointEx(POINT{199, 149}, 0), button);
    EXPECT_EQ(WindowFromPointEx(POINT{700, 500}, 0), panel);
    EXPECT_EQ(WindowFromPointEx(POINT{900, 700}, 0), nullptr);

    // An MDI child is the answer itself, whatever lies beneath it.
    desktop.windows.SetStyle(panel, 0, pw::platform::kWsExMdiChild);
    EXPECT_EQ(WindowFromPointEx(overButton, 0), panel);
    desktop.windows.SetStyle(panel, 0, 0);

    // A hidden window found at the point stands for its visible parent's search.
    desktop.windows.SetVisible(panel, false);
    desktop.windows.SetVisible(button, false);
    EXPECT_EQ(WindowFromPointEx(overButton, 0), frame);
}

TEST_F(WindowFromPointTest, EqualRectanglesPreferTheWindowAfterAStaticControl) {
    HWND frame = desktop.windows.CreateTopLevel(L"Dialog", RECT{0, 0, 400, 300}, 100);
    // The last created is enumerated first.
    HWND edit = Child(frame, L"Edit", RECT{10, 10, 110, 40});
    HWND label = Child(frame, L"sTaTiCText", RECT{10, 10, 110, 40});
    (void)label;
    EXPECT_EQ(WindowFromPointEx(POINT{50, 20}, 0), edit);

    // Between two ordinary controls the first one found stays.
    HWND second = Child(frame, L"Button", RECT{10, 100, 110, 130});
    HWND first = Child(frame, L"Button", RECT{10, 100, 110, 130});
    (void)second;
    EXPECT_EQ(WindowFromPointEx(POINT{50, 110}, 0), first);

    // A static control found after an ordinary one does not replace it.
    HWND check = Child(frame, L"Check", RECT{10, 200, 110, 230});
    Child(frame, L"Static", RECT{10, 200, 110, 230});
    desktop.windows.Raise(check);
    EXPECT_EQ(WindowFromPointEx(POINT{50, 210}, 0), check);
}

TEST_F(WindowFromPointTest, TooltipsAreSeenThrough) {
    HWND app = desktop.windows.CreateTopLevel(L"AppWindow", RECT{0, 0, 800, 600}, 100);
    HWND toolbar = Child(app, L"ToolbarWindow32", RECT{0, 400, 800, 500});

    SimWindowSpec owned;
    owned.className = L"tooltips_class32";
    owned.rect = RECT{300, 300, 400, 330};
    owned.owner = app;
    owned.processId = 100;
    owned.style = pw::platform::kWsPopup;
    owned.exStyle = pw::platform::kWsExToolWindow | pw::platform::kWsExTopmost;
    HWND tip = desktop.windows.Create(owned);
    ASSERT_EQ(WindowFromPointEx(POINT{350, 310}, 0), tip);

    EXPECT_EQ(RealWindowFromPoint(POINT{350, 310}), app);
    EXPECT_TRUE(Logged(L"Mouse pointer over toot tip 'tooltips_class32' - trying to get real "
                       L"parent!"));
    // Staying over the tooltip keeps the answer without analysing it again.
    const int classQueries = desktop.windows.ClassNameQueries();
    EXPECT_EQ(RealWindowFromPoint(POINT{360, 320}), app);
    EXPECT_EQ(desktop.windows.ClassNameQueries(), classQueries);

    // A tooltip without an owner stands for the window just above its top edge.
    SimWindowSpec lone = owned;
    lone.className = L"Custom_ToolTip";
    lone.owner = nullptr;
    lone.rect = RECT{500, 500, 600, 530};
    desktop.windows.Create(lone);
    EXPECT_EQ(RealWindowFromPoint(POINT{550, 510}), toolbar);

    // Other tool windows are answers themselves.
    SimWindowSpec palette = owned;
    palette.className = L"Palette";
    palette.rect = RECT{600, 100, 700, 200};
    HWND paletteWindow = desktop.windows.Create(palette);
    EXPECT_EQ(RealWindowFromPoint(POINT{650, 150}), paletteWindow);
    EXPECT_EQ(RealWindowFromPoint(POINT{50, 50}), app);
}

TEST_F(WindowFromPointTest, BusyGlobalLockGivesNoWindowWithoutWaiting) {
    HWND app = desktop.windows.CreateTopLevel(L"AppWindow", RECT{0, 0, 800, 600}, 100);
    // Opening the log file needs the global lock; open it before the lock is taken.
    CLogger::LogMessage(L"start");
    std::atomic<bool> held{false};
    std::atomic<bool> release{false};
    std::thread holder([&] {
        CThreadLock lock(L"Holder");
        held = true;
        // Bounded, so that a lookup that waits for the lock fails instead of hanging.
        pw::test::WaitUntil([&] { return release.load(); });
    });
    ASSERT_TRUE(pw::test::WaitUntil([&] { return held.load(); }));

    EXPECT_EQ(RealWindowFromPoint(POINT{10, 10}), nullptr);
    release = true;
    holder.join();
    EXPECT_TRUE(Logged(L"Unable to enter critical section in RealWindowFromPoint hook as it is "
                       L"locked by 'Holder'"));
    EXPECT_EQ(RealWindowFromPoint(POINT{10, 10}), app);
    EXPECT_EQ(CThreadLock::EntryCount(), 0);

    // The caller's own hold of the lock does not block it.
    CThreadLock lock(L"Caller");
    EXPECT_EQ(RealWindowFromPoint(POINT{10, 10}), app);
}

TEST_F(WindowFromPointTest, PhysicalLookupBeforeWindows81PlainLookupFromThenOn) {
    // The library's process sees half the physical resolution.
    desktop.windows.SetLogicalScale(2.0);
    HWND large = desktop.windows.CreateTopLevel(L"Large", RECT{800, 800, 2000, 2000}, 100);
    HWND small = desktop.windows.CreateTopLevel(L"Small", RECT{1700, 1700, 1900, 1900}, 200);
    const POINT point{900, 900};

    UseVersion(6, 2);
    EXPECT_FALSE(pw::windows::Win81Scaling());
    EXPECT_EQ(WindowFromPhysPoint(point), large);
    EXPECT_EQ(WindowFromPointEx(point, 0), large);

    UseVersion(6, 2, false);
    EXPECT_EQ(WindowFromPhysPoint(point), small);
    EXPECT_EQ(WindowFromPointEx(point, 0), small);

    UseVersion(6, 3);
    EXPECT_TRUE(pw::windows::Win81Scaling());
    EXPECT_EQ(WindowFromPointEx(point, 0), small);
    UseVersion(10, 0);
    EXPECT_EQ(WindowFromPointEx(point, 0), small);
}

TEST_F(WindowFromPointTest, CursorFunctionsFollowTheScalingOfTheSystem) {
    desktop.windows.SetLogicalScale(2.0);
    desktop.windows.SetCursor(POINT{300, 151});
    HMONITOR monitor =
        desktop.windows.MonitorFromPoint(POINT{0, 0}, pw::platform::kMonitorDefaultToNearest);
    desktop.windows.SetMonitorDpi(monitor, 144);

    UseVersion(6, 2);
    POINT pt{300, 151};
    EXPECT_EQ(ScaleWin81CursorPos(&pt), 0);
    EXPECT_EQ(pt.x, 300);
    POINT untouched{-1, -1};
    EXPECT_EQ(GetWin81CursorPos(&untouched), 1);
    EXPECT_EQ(untouched.x, -1);
    POINT cursor{};
    EXPECT_EQ(GetPhysCursorPos(&cursor), 1);
    EXPECT_EQ(cursor.x, 300);
    EXPECT_EQ(cursor.y, 151);

    UseVersion(6, 2, false);
    EXPECT_EQ(GetPhysCursorPos(&cursor), 1);
    EXPECT_EQ(cursor.x, 150);
    EXPECT_EQ(cursor.y, 75);

    UseVersion(6, 3);
    // 144 DPI is a scale of 1.5; the division truncates.
    EXPECT_EQ(ScaleWin81CursorPos(&pt), 1);
    EXPECT_EQ(pt.x, 200);
    EXPECT_EQ(pt.y, 100);
    EXPECT_TRUE(Logged(L"Source point 300, 151  scale 1.5000, 1.5000  Scaled 200, 100  cursor "
                       L"150, 75  DPI 144, 144, hMon 00000001"));
    EXPECT_EQ(GetWin81CursorPos(&untouched), 1);
    EXPECT_EQ(untouched.x, 150);
    EXPECT_EQ(ScaleWin81CursorPos(nullptr), 0);
}

} // namespace
