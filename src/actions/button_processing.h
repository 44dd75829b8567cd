#pragma once

// The steps of ProcessButton: which window an event concerns, the profile detection
// that follows a change of window or quarter, the action resolution and its log line,
// and the messages to the setup window. All run with the global lock held.

#include "platform/handles.h"

#include <array>
#include <cstdint>
#include <memory>

class CActionData;
class CApplicationSettings;

namespace pw::actions {

// The low 32 bits of a handle, as log lines show handles.
inline unsigned Low32(const void* handle) {
    return static_cast<unsigned>(reinterpret_cast<uintptr_t>(handle));
}

// The window an event concerns and its process id (0 when not known).
struct EventWindow {
    HWND hwnd = nullptr;
    unsigned long pid = 0;
    // The window is the last one and the cursor moved into another quarter of it.
    bool quadrantChanged = false;
    // The window is the last one and its caption is no longer the one last matched.
    bool captionChanged = false;
};

// The window of the event at pt: under the cursor with SwitchOnMouseOver, else the
// foreground window's focus window. Also notes the quarter of the last window, and whether
// its caption changed when some profile matches captions.
EventWindow ChooseEventWindow(POINT pt);

// Finds the profile of window and makes it current, unless the switch must wait because
// button is being released with a different action in the new profile. window.hwnd
// becomes the root window of a store app's input window. May set *passOriginal for the
// event that leaves a process needing it.
void DetectProfile(EventWindow& window, POINT pt, int button, int kind, bool* passOriginal);

// The action an event resolves to.
struct ResolvedAction {
    int action = 0;
    int original = 0; // the slot's own action on the current layer
    int layer = 0;
    CApplicationSettings* source = nullptr;
    std::unique_ptr<CActionData> data;
    // A second chorded button pressed while the first is held: swallow the event.
    bool swallow = false;
};

// Where a slot's action comes from once the "Same as Layer 1" and "Same as Default Profile"
// indirections are followed.
struct SlotOrigin {
    CApplicationSettings* profile = nullptr;
    int layer = 0;
    int action = 0;
};
SlotOrigin FollowSlot(CApplicationSettings* profile, int button, int layer);

// A press and how it was resolved, kept until its release. Departs from resolving every
// event on the current layer and profile: the release is handled by what handled the
// press, so a layer change, a profile switch or a reload in between cannot hand it to
// another action and leave what the press put down held.
struct HeldPress {
    bool held = false;      // a press was processed and its release was not
    bool swallowed = false; // the system never saw the press
    bool ended = false;     // the release half already ran (reload, hooks removed)
    ResolvedAction resolved;
};

// The held press of each button; guarded by the global lock.
std::array<HeldPress, 9>& HeldPresses();
// Forgets every held press, as at load.
void ForgetHeldPresses();

// Resolves button on layer of profile, following the layer-1 and default-profile
// indirections and the chord being played.
ResolvedAction ResolveAction(int button, int kind, CApplicationSettings* profile, int layer);
// The debug line naming button, kind and the resolution.
void LogResolution(int button, int kind, const ResolvedAction& resolved);

// Whether the setup window is set and still exists.
bool SetupWindowLives();
// Tells a live setup window that the profile of hwnd changed (waiting at most 50 ms).
void NotifyProfileChanged(HWND hwnd, CApplicationSettings* profile);
// Tells a live setup window that a button event was processed.
void NotifyButtonProcessed(int button, int kind);

// The virtual key of button for the key-state test; 0 when it has none.
int ButtonVirtualKey(int button);

} // namespace pw::actions
