#pragma once

namespace pw::windows {

// Puts the window layer's state back as the library has it when it is loaded: the
// process-name cache and its flags, the window-from-point cache and the profile-matching
// memory.
void ResetWindowsState();

} // namespace pw::windows
