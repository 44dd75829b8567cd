#pragma once

// Moving a settings file from the machine the tool runs on onto a simulated desktop.

#include "platform/sim/simulated_desktop.h"
#include "support/text.h"

#include <string>

namespace pw::replay {

// Reads the file at hostPath whole; false with a message in error when it is missing,
// a directory or unreadable.
bool ReadHostFile(const std::string& hostPath, std::string& bytes, std::string& error);

// Writes bytes to path on desktop, creating folder first.
bool StageFile(sim::SimulatedDesktop& desktop, const Char* folder, const Char* path,
               const std::string& bytes);

} // namespace pw::replay
