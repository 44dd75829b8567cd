#include "scroll/lock_axis.h"

#include "input/send_input.h"
#include "platform/platform.h"
#include "runtime/runtime_state.h"
#include "settings/application_settings.h"
#include "support/logger.h"
#include "support/report_exception.h"
#include "support/thread_lock.h"
#include "windows/window_from_point.h"

#include <array>

namespace {

// The system cursors an axis lock stands in for: normal select, working in background,
// and the others in the order they are replaced.
constexpr std::array<unsigned long, 16> kSystemCursorIds = {
    32650, 32512, 32515, 32649, 32651, 32513, 32648, 32646,
    32643, 32645, 32642, 32644, 32516, 32514, 32631, 32663};

void Destroy(HICON& cursor) {
    if (!cursor)
        return;
    pw::platform::GetCursors().DestroyCursor(cursor);
    cursor = nullptr;
}

} // namespace

CLockAxis::CLockAxis() = default;

CLockAxis::~CLockAxis() {
    DestroyCursors();
}

CLockAxis g_LockAxis;

void CLockAxis::InitCursors(HINSTANCE module) {
    DestroyCursors();
    pw::platform::Cursors& cursors = pw::platform::GetCursors();
    m_hXCursor = cursors.LoadCursorResource(module, pw::scroll::kXLockCursorId);
    m_hYCursor = cursors.LoadCursorResource(module, pw::scroll::kYLockCursorId);
    m_hXYCursor = cursors.LoadCursorResource(module, pw::scroll::kXYLockCursorId);
    if (!m_hXCursor || !m_hYCursor || !m_hXYCursor)
        CLogger::LogOSMessage(pw::platform::GetDiagnostics().LastError(),
                              L"CLockAxis: Unable to load the axis lock cursors.");
}

// Without cursor images the system cursors were never replaced, and the platform may
// already be gone when a static instance is destroyed.
void CLockAxis::DestroyCursors() {
    if (!m_hXCursor && !m_hYCursor && !m_hXYCursor)
        return;
    Destroy(m_hXCursor);
    Destroy(m_hYCursor);
    Destroy(m_hXYCursor);
    ResetCursor();
}

void CLockAxis::ShowLockCursor() {
    if (m_bXLocked && m_bYLocked)
        ChangeCursor(m_hXYCursor);
    else if (m_bXLocked)
        ChangeCursor(m_hXCursor);
    else if (m_bYLocked)
        ChangeCursor(m_hYCursor);
    else
        ResetCursor();
}

void CLockAxis::ChangeCursor(HICON cursor) {
    if (!cursor)
        return;
    pw::platform::Cursors& cursors = pw::platform::GetCursors();
    for (unsigned long id : kSystemCursorIds)
        cursors.ReplaceSystemCursor(cursor, id);
}

void CLockAxis::Lock(unsigned axes, unsigned char owner) {
    if (axes & 1) {
        m_bXLocked = true;
        m_nXOwners |= owner;
    }
    if (axes & 2) {
        m_bYLocked = true;
        m_nYOwners |= owner;
    }
    m_bByKey = owner == kKeyOwner;
    ShowLockCursor();
}

void CLockAxis::LockX(bool byKey) {
    Lock(1, byKey ? kKeyOwner : kActionOwner);
}

void CLockAxis::LockY(bool byKey) {
    Lock(2, byKey ? kKeyOwner : kActionOwner);
}

void CLockAxis::LockForDrag(bool x) {
    Lock(x ? 1 : 2, kDragOwner);
}

void CLockAxis::Release(unsigned axes, unsigned char owners) {
    bool changed = false;
    if ((axes & 1) && (m_nXOwners & owners)) {
        m_nXOwners &= static_cast<unsigned char>(~owners);
        changed = true;
        if (m_nXOwners == 0) {
            m_bXLocked = false;
            m_nXPos = 0;
        }
    }
    if ((axes & 2) && (m_nYOwners & owners)) {
        m_nYOwners &= static_cast<unsigned char>(~owners);
        changed = true;
        if (m_nYOwners == 0) {
            m_bYLocked = false;
            m_nYPos = 0;
        }
    }
    if (!changed)
        return;
    // What stays locked belongs to the other owner now.
    if (m_nXOwners != 0 || m_nYOwners != 0)
        m_bByKey = ((m_nXOwners | m_nYOwners) & kKeyOwner) != 0;
    ShowLockCursor();
}

void CLockAxis::Unlock(bool byKey) {
    Release(1 | 2, OwnersOf(byKey));
}

void CLockAxis::UnlockX(bool byKey) {
    Release(1, OwnersOf(byKey));
}

void CLockAxis::UnlockY(bool byKey) {
    Release(2, OwnersOf(byKey));
}

void CLockAxis::EndDrag() {
    Release(1 | 2, kDragOwner);
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

namespace {

void LockIfPossible(const Char* name, bool x) {
    try {
        CThreadLock lock(name);
        if (!g_pCurrentApp || !g_pCurrentApp->AxisLocking())
            return;
        if (x)
            g_LockAxis.LockX(false);
        else
            g_LockAxis.LockY(false);
    } catch (...) {
        pw::ReportException(name);
    }
}

} // namespace

void LockXAxisIfPossible() {
    LockIfPossible(L"LockXAxisIfPossible", true);
}

void LockYAxisIfPossible() {
    LockIfPossible(L"LockYAxisIfPossible", false);
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
