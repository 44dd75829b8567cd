#pragma once

// Putting the system's button swap and wheel lines back to the state captured when the
// library was loaded (g_SystemMouseDefaults), when the hooks are removed and when the
// library unloads.

namespace pw::hook {

// The captured button swap, saved to the user profile.
void RestoreButtonSwap();
// The wheel lines, saved to the user profile and announced to every window.
void RestoreWheelLines(unsigned lines);

} // namespace pw::hook
