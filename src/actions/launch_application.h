#pragma once

// Starting programs on a short-lived thread of their own, so that the hook never waits
// for the shell.

#include "support/text.h"

namespace pw::actions {

// A command split into the program and its arguments.
struct LaunchCommand {
    String program;
    String arguments;
};

// Splits at the first space after ".exe" (any case); without one the whole command is
// the program.
LaunchCommand SplitLaunchCommand(StringView command);

} // namespace pw::actions

namespace pw {

// Copies command and starts it on the launch thread; whether the thread started.
bool LaunchApplication(const Char* command);

} // namespace pw
