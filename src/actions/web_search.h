#pragma once

// Searching the web for the selected text, on a thread of its own: the selection is
// copied through the clipboard with Ctrl+C, the search URL with the text is handed to the
// shell, and the user's clipboard is put back.

namespace pw {

// Starts the search thread; whether it started.
bool StartWebSearch();
// Search threads started and not yet finished.
int RunningWebSearches();
// Waits, at most limitMs of real time, until no search thread runs; whether none does.
bool WaitForWebSearches(unsigned limitMs);

} // namespace pw
