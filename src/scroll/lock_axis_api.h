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

    // byKey: the lock comes from a layer modifier key, else from an action. The owner flag
    // tells who set the latest lock. Each axis also remembers every owner holding it, and
    // stays locked until all of them let go: with one flag for both, an action's lock taken
    // while a key held one made the key's release leave the axis locked for good.
    void LockX(bool byKey);
    void LockY(bool byKey);
    // Lets go of both axes for the owner byKey.
    void Unlock(bool byKey);
    // Lets go of one axis for the owner byKey.
    void UnlockX(bool byKey);
    void UnlockY(bool byKey);
    // A sticky left drag that follows one axis locks the other as an owner of its own,
    // which an action's unlock also lets go. The sticky left button is one, whichever
    // action pressed it: a plain sticky left click that ends the drag ends its lock too,
    // and an action's or a key's lock stays.
    void LockForDrag(bool x);
    void EndDrag();
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
    // Who holds an axis: bit 0 an action, bit 1 a key, bit 2 an axis drag.
    static constexpr unsigned char kActionOwner = 1;
    static constexpr unsigned char kKeyOwner = 2;
    static constexpr unsigned char kDragOwner = 4;
    // What an unlock by byKey lets go of: a key's lock, or an action's and a drag's.
    static constexpr unsigned char OwnersOf(bool byKey) {
        return byKey ? kKeyOwner : kActionOwner | kDragOwner;
    }
    void Lock(unsigned axes, unsigned char owner);
    // Lets go of the axes of mask (1 X, 2 Y) held by any of owners, then shows what stays
    // locked.
    void Release(unsigned axes, unsigned char owners);
    // The cursor of the axes locked now: both, X or Y; the system cursors when none.
    void ShowLockCursor();

    bool m_bXLocked = false;
    bool m_bYLocked = false;
    bool m_bByKey = false;
    int m_nXPos = 0;
    int m_nYPos = 0;
    HICON m_hXCursor = nullptr;
    HICON m_hYCursor = nullptr;
    HICON m_hXYCursor = nullptr;
    unsigned char m_nXOwners = 0;
    unsigned char m_nYOwners = 0;
};
// Lock an axis for the current profile, when it allows axis locking (not owned by a key).
PW_EXTERN_C void LockXAxisIfPossible();
PW_EXTERN_C void LockYAxisIfPossible();
