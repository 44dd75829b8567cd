#pragma once

// Moving a settings file from the machine the tool runs on onto a simulated desktop.

#include "platform/sim/simulated_desktop.h"
#include "support/text.h"

#include <filesystem>
#include <string>

namespace pw::replay {

// Reads the file at hostPath whole; false with a message in error when it is missing,
// a directory or unreadable.
bool ReadHostFile(const std::string& hostPath, std::string& bytes, std::string& error);

// A file a scenario names: relative to the scenario's folder unless absolute.
std::string ScenarioFile(const std::filesystem::path& scenarioFolder, const std::string& file);

// Writes bytes to path on desktop, creating folder first.
bool StageFile(sim::SimulatedDesktop& desktop, const Char* folder, const Char* path,
               const std::string& bytes);

} // namespace pw::replay
