#pragma once

// pallawick-replay --check: reads a settings file with the library's own loader and lists
// what in it will not work as written: key strings with unknown or malformed tags, action
// codes that do nothing, buttons mapped past the layers in use, invalid patterns,
// profiles an earlier profile always wins over, and values the loader did not take.

#include <ostream>
#include <string>
#include <vector>

class CSettings;

namespace pw::replay {

struct Finding {
    std::string profile; // the profile's name; empty for settings of the whole file
    int layer = 0;       // 1 to 10; 0 when the finding is not about one layer
    std::string button;  // the button's element name; empty when not about one button
    std::string kind;    // key-string, action, layer, regex, shadowed or value
    std::string detail;
    long position = -1; // character offset in a key string; -1 when none
};

struct CheckResult {
    bool readable = false;
    std::string error; // why the file could not be read
    std::vector<Finding> findings;
};

// Checks the settings file at hostPath. The file is only read: the loader works on a
// copy staged on a simulated desktop of the check's own.
CheckResult CheckSettingsFile(const std::string& hostPath);

// The checks that need only the loaded settings, appended to findings.
void CheckLoadedSettings(const CSettings& settings, std::vector<Finding>& findings);

// One finding as a line of text, or as one JSON object (no line end).
std::string FormatFinding(const Finding& finding);
std::string FindingJson(const Finding& finding);

// Runs the check and writes one line per finding to out (JSON Lines with json), or a
// message to err when the file cannot be read. Returns the exit status: 0 clean, 1 with
// findings, 2 when the file cannot be read.
int RunCheck(const std::string& hostPath, bool json, std::ostream& out, std::ostream& err);

} // namespace pw::replay
