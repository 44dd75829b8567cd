#pragma once

// Ctrl+C, Ctrl+Break, closing the console window, logging off and shutting down stop
// the host the way --stop does. For the events after which the system ends the process,
// the handler returns only once the hooks are removed (or a few seconds have passed).

namespace pw::host {

bool InstallConsoleStopHandler();

} // namespace pw::host
