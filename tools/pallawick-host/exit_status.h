#pragma once

// The host's exit status, as the usage text lists it.

namespace pw::host {

enum class ExitStatus : int {
    Done = 0,
    NotStopped = 1,     // --stop found no host running, or it did not stop in time
    BadUse = 2,         // a bad command line or settings location
    AlreadyRunning = 3, // another host runs in this session
    Failed = 4,         // the host's windows or the hooks could not be set up
};

} // namespace pw::host
