#pragma once

// Searching the web for the selected text, on a thread of its own: the selection is
// copied through the clipboard with Ctrl+C, the search URL with the text is handed to the
// shell, and the user's clipboard is put back.

namespace pw {

// Starts the search thread, as detached work; whether it started.
bool StartWebSearch();

} // namespace pw
