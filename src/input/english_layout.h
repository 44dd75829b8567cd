#pragma once

// The English keyboard layout key simulation types with (g_hEnglishLayout): one of the
// installed layouts, or US English loaded by the library when none is installed.

// The English layout (an HKL), or null when none was chosen. Guarded by the global lock.
extern void* g_hEnglishLayout;
// The library loaded g_hEnglishLayout itself and must unload it. Guarded by the global
// lock.
extern bool g_bEnglishLayoutLoaded;

namespace pw::input {

// Chooses the layout afresh, unloading one the library loaded before. Run by the hook
// thread at its start.
void ChooseEnglishLayout();
// Unloads the layout if the library loaded it, and forgets the choice.
void ReleaseEnglishLayout();

} // namespace pw::input
