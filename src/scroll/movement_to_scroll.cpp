#include "scroll/movement_to_scroll.h"

#include "input/send_input.h"
#include "platform/input_record.h"
#include "platform/platform.h"
#include "runtime/runtime_state.h"
#include "scroll/lock_axis.h"
#include "settings/settings.h"
#include "support/logger.h"

#include <array>
#include <cmath>

pw::scroll::MovementToScrollState g_MovementToScroll;
HICON g_hScrollCursor = nullptr;
HICON g_hHorizontalScrollCursor = nullptr;
HICON g_hVerticalScrollCursor = nullptr;

namespace pw::scroll {

namespace {

void DestroyCursor(HICON& cursor) {
    if (cursor)
        platform::GetCursors().DestroyCursor(cursor);
    cursor = nullptr;
}

} // namespace

void LoadScrollCursors(HINSTANCE module) {
    DestroyScrollCursors();
    platform::Cursors& cursors = platform::GetCursors();
    g_hScrollCursor = cursors.LoadCursorResource(module, kScrollCursorId);
    g_hHorizontalScrollCursor = cursors.LoadCursorResource(module, kHorizontalScrollCursorId);
    g_hVerticalScrollCursor = cursors.LoadCursorResource(module, kVerticalScrollCursorId);
}

void DestroyScrollCursors() {
    DestroyCursor(g_hScrollCursor);
    DestroyCursor(g_hHorizontalScrollCursor);
    DestroyCursor(g_hVerticalScrollCursor);
}

void StartMovementToScroll(POINT pt) {
    g_MovementToScroll.active = true;
    g_MovementToScroll.start = pt;
    g_MovementToScroll.offsetX = 0;
    g_MovementToScroll.offsetY = 0;
    g_MovementToScroll.factor = 0.0;
}

} // namespace pw::scroll

namespace {

using pw::scroll::MovementAxisLock;

constexpr int kStepsPerPixel = 5;

void ShowLockCursor(HICON cursor) {
    if (g_pSettings && g_pSettings->MovementToScrollCursor())
        g_LockAxis.ChangeCursor(cursor);
}

// Locks to the dominant axis once the movement shows one, and shows that axis's cursor.
void LockToDominantAxis(double& rows, double& columns) {
    auto& state = g_MovementToScroll;
    if (state.lockState == MovementAxisLock::None) {
        if (std::fabs(columns) < 3.0 && std::fabs(rows) > 2.0) {
            state.lockState = MovementAxisLock::VerticalOnly;
            ShowLockCursor(g_hVerticalScrollCursor);
        } else if (std::fabs(columns) >= 3.0 && std::fabs(rows) <= 3.0) {
            state.lockState = MovementAxisLock::HorizontalOnly;
            ShowLockCursor(g_hHorizontalScrollCursor);
        }
    }
    if (state.lockState == MovementAxisLock::VerticalOnly)
        columns = 0;
    else if (state.lockState == MovementAxisLock::HorizontalOnly)
        rows = 0;
}

} // namespace

// Events with the same time stamp arrive in a burst: they are added up and speed up the
// next step; every step is measured from where scrolling began.
void pw::ScrollByMovement(const MSLLHOOKSTRUCT& record) {
    auto& state = g_MovementToScroll;
    if (record.time == state.lastTime) {
        state.offsetY += static_cast<int32_t>(record.pt.y - state.start.y);
        state.offsetX += static_cast<int32_t>(record.pt.x - state.start.x);
        state.factor = state.factor == 0.0 ? 1.0 : state.factor + 0.25;
        return;
    }
    state.lastTime = record.time;
    double rows = static_cast<double>(state.start.y - record.pt.y - state.offsetY);
    double columns = static_cast<double>(record.pt.x - state.start.x + state.offsetX);
    state.offsetX = 0;
    state.offsetY = 0;
    rows *= state.factor;
    columns *= state.factor;
    state.factor = 0.0;
    if (state.axisLocking)
        LockToDominantAxis(rows, columns);
    CLogger::LogDebug(L"MovementToScroll: Lock = %d start pt(%d,%d) current pt(%d,%d) "
                      L"Rows=%.3lf, Columns=%.3f",
                      static_cast<int>(state.lockState), static_cast<int>(state.start.x),
                      static_cast<int>(state.start.y), static_cast<int>(record.pt.x),
                      static_cast<int>(record.pt.y), rows, columns);
    const int wheel = static_cast<int>(rows) * (state.inverted ? -kStepsPerPixel : kStepsPerPixel);
    pw::MovementToScroll(wheel, static_cast<int>(columns) * kStepsPerPixel);
}

void pw::MovementToScroll(int wheel, int tilt) {
    if (!g_pSendInput) {
        CLogger::LogMessage(L"MovementToScroll: SendInput Thread is not available!");
        return;
    }
    const uint32_t start = pw::platform::TickCount();
    std::array<pw::platform::InputRecord, 2> records;
    unsigned count = 0;
    auto add = [&](uint32_t flags, int amount) {
        if (!amount)
            return;
        pw::platform::InputRecord& record = records[count++];
        record = pw::platform::InputRecord::Mouse(flags, static_cast<uint32_t>(amount));
        record.mouse.time = start;
        record.mouse.extraInfo = reinterpret_cast<uintptr_t>(g_hMouseHook);
    };
    add(pw::platform::kMouseEventWheel, wheel);
    add(pw::platform::kMouseEventHWheel, tilt);
    if (count) {
        CLogger::LogDebug(L"SendInput - count = %d", static_cast<int>(count));
        g_pSendInput->SendInputThreaded(count, records.data(), 0, start, true);
    }
    CLogger::LogDebug(L"MovementToScroll result 0x%08X time %dms", count,
                      static_cast<int>(pw::platform::TickCount() - start));
}
