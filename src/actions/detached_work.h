#pragma once

// Work the library hands to a thread of its own and does not wait for (a web search, a
// program launch). Each is counted from its start until it returns, so that the library
// can let such work finish before it goes, and the replay can wait for it.

#include <functional>

namespace pw {

// Runs work on a new thread; whether the thread started.
bool StartDetachedWork(std::function<void()> work);
// Detached work started and not yet returned.
int RunningDetachedWork();
// Waits, at most limitMs of real time, until no detached work runs; whether none does.
bool WaitForDetachedWork(unsigned limitMs);

} // namespace pw
