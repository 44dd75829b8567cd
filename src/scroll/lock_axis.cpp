#include "scroll/lock_axis.h"

#include "hook/hook_state.h"
#include "support/logger.h"

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

void CLockAxis::ChangeCursor(HICON) {}

bool MouseMove(const MSLLHOOKSTRUCT&, bool) {
    return false;
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
        MouseMove(record, true);
        return true;
    }
    if (g_LockAxis.YLocked(y)) {
        CLogger::LogDebug(L"LockAxis: X=%d, Y=%d, Locking YAxis at %d", x, y, g_LockAxis.YPos());
        record.pt.y = g_LockAxis.YPos();
        MouseMove(record, false);
        return true;
    }
    return false;
}

} // namespace pw::scroll
