#include "scroll/lock_axis.h"

#include "input/send_input.h"
#include "platform/platform.h"
#include "runtime/runtime_state.h"
#include "support/logger.h"
#include "windows/window_from_point.h"

CLockAxis::CLockAxis() = default;

CLockAxis::~CLockAxis() = default;
CLockAxis g_LockAxis;

void CLockAxis::LockX(bool byKey) {
    m_bXLocked = true;
    m_bByKey = byKey;
}

void CLockAxis::LockY(bool byKey) {
    m_bYLocked = true;
    m_bByKey = byKey;
}

void CLockAxis::Unlock(bool byKey) {
    if (byKey != m_bByKey)
        return;
    m_bXLocked = false;
    m_bYLocked = false;
    m_nXPos = 0;
    m_nYPos = 0;
    ResetCursor();
}

void CLockAxis::UnlockX(bool byKey) {
    if (byKey != m_bByKey)
        return;
    m_bXLocked = false;
    m_nXPos = 0;
    if (!m_bYLocked)
        ResetCursor();
}

void CLockAxis::UnlockY(bool byKey) {
    if (byKey != m_bByKey)
        return;
    m_bYLocked = false;
    m_nYPos = 0;
    if (!m_bXLocked)
        ResetCursor();
}

void CLockAxis::ResetCursor() {
    pw::platform::GetSystemParameters().ReloadSystemCursors();
}

bool CLockAxis::Locked() const {
    return m_bXLocked || m_bYLocked;
}

bool CLockAxis::LockedX() const {
    return m_bXLocked;
}

bool CLockAxis::LockedY() const {
    return m_bYLocked;
}

int CLockAxis::XPos() const {
    return m_nXPos;
}

int CLockAxis::YPos() const {
    return m_nYPos;
}

bool CLockAxis::XLocked(int x) {
    if (m_bXLocked && m_nXPos == 0)
        m_nXPos = x;
    return m_bXLocked;
}

bool CLockAxis::YLocked(int y) {
    if (m_bYLocked && m_nYPos == 0)
        m_nYPos = y;
    return m_bYLocked;
}

bool pw::MouseMove(const MSLLHOOKSTRUCT& record, bool xLocked) {
    if (!g_pSendInput) {
        CLogger::LogMessage(L"MouseMove: SendInput Thread is not available!");
        return false;
    }
    POINT cursor{};
    GetPhysCursorPos(&cursor);
    const int32_t dx = xLocked ? 0 : static_cast<int32_t>(record.pt.x - cursor.x);
    const int32_t dy = xLocked ? static_cast<int32_t>(record.pt.y - cursor.y) : 0;
    CLogger::LogDebug(L"MouseMove: MessagePoint X=%d Y=%d. Relative X=%d Y=%d",
                      static_cast<int>(record.pt.x), static_cast<int>(record.pt.y), dx, dy);
    pw::platform::InputRecord move =
        pw::platform::InputRecord::Mouse(pw::platform::kMouseEventMove, record.mouseData, dx, dy);
    move.mouse.time = record.time;
    move.mouse.extraInfo = reinterpret_cast<uintptr_t>(g_hMouseHook);
    g_pSendInput->SendInputThreaded(1, &move, 0, record.time, true);
    return true;
}

namespace pw::scroll {

bool ApplyAxisLock(MSLLHOOKSTRUCT& record) {
    const int x = static_cast<int>(record.pt.x);
    const int y = static_cast<int>(record.pt.y);
    if (g_LockAxis.XLocked(x)) {
        if (g_LockAxis.YLocked(y)) {
            CLogger::LogDebug(L"LockAxis: X=%d, Y=%d, Locking XAxis at %d and YAxis at %d", x, y,
                              g_LockAxis.XPos(), g_LockAxis.YPos());
            record.pt.y = g_LockAxis.YPos();
        } else {
            CLogger::LogDebug(L"LockAxis: X=%d, Y=%d, Locking XAxis at %d", x, y,
                              g_LockAxis.XPos());
        }
        record.pt.x = g_LockAxis.XPos();
        pw::MouseMove(record, true);
        return true;
    }
    if (g_LockAxis.YLocked(y)) {
        CLogger::LogDebug(L"LockAxis: X=%d, Y=%d, Locking YAxis at %d", x, y, g_LockAxis.YPos());
        record.pt.y = g_LockAxis.YPos();
        pw::MouseMove(record, false);
        return true;
    }
    return false;
}

} // namespace pw::scroll
