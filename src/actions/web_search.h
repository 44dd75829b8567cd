#pragma once

// Searching the web for the selected text, on a thread of its own.

namespace pw {

// Starts the search thread; whether it started.
bool StartWebSearch();

} // namespace pw
