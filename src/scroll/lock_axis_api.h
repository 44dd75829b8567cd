#pragma once

// Axis locking: keeps the pointer on one horizontal or vertical line while a lock is on.
// Each movement is corrected to the locked coordinate and injected again, and the system
// cursors show which axis is held.

#include <PallawickHook/platform/system_types.h>
#include <PallawickHook/support/export.h>

class PW_API CLockAxis {
  public:
    CLockAxis();
    // Destroys the cursor images and, when there were any, puts the system cursors back.
    virtual ~CLockAxis();

    // Loads the X, Y and both-axes cursor images from module's resources (105 to 107).
    void InitCursors(HINSTANCE module);
    // Destroys the cursor images and puts the system cursors back; the library does it
    // when it is unloaded.
    void DestroyCursors();

    // byKey: the lock comes from a layer modifier key (the owner flag).
    void LockX(bool byKey);
    void LockY(bool byKey);
    // Releases both axes, only when byKey equals the owner flag.
    void Unlock(bool byKey);
    // Releases one axis, only when byKey equals the owner flag.
    void UnlockX(bool byKey);
    void UnlockY(bool byKey);
    bool OwnedByKey() const { return m_bByKey; }

    bool Locked() const;
    bool LockedX() const;
    bool LockedY() const;
    // When the axis is locked and its coordinate not yet captured (0), captures the given
    // value; returns whether the axis is locked.
    bool XLocked(int x);
    bool YLocked(int y);
    int XPos() const;
    int YPos() const;

    // Shows cursor in place of the system cursors (nothing for a null cursor).
    void ChangeCursor(HICON cursor);
    // Puts the system cursors back.
    static void ResetCursor();

  private:
    // The cursor of the axes locked now: both, X or Y.
    void ShowLockCursor();

    bool m_bXLocked = false;
    bool m_bYLocked = false;
    bool m_bByKey = false;
    int m_nXPos = 0;
    int m_nYPos = 0;
    HICON m_hXCursor = nullptr;
    HICON m_hYCursor = nullptr;
    HICON m_hXYCursor = nullptr;
};
// Lock an axis for the current profile, when it allows axis locking (not owned by a key).
PW_EXTERN_C void LockXAxisIfPossible();
PW_EXTERN_C void LockYAxisIfPossible();
