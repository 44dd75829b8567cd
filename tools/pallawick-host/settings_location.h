#pragma once

// Where the settings file the host runs lives, and how the library is pointed at it.
// The library reads only "VESKSettings.xml" of its settings folder: the registry's
// "SettingsFolder" or the user's application data folder, or in portable mode the
// folder of the running program. A file named on the command line must therefore be
// the one of the settings folder, or sit beside pallawick-host.exe, which then runs the
// library in portable mode. The host never copies the file nor changes the registry.

#include <optional>
#include <string>

namespace pw::host {

struct SettingsLocation {
    std::wstring folder; // ends with a backslash
    std::wstring file;   // folder and the settings file name
    bool portable = false;
};

// The location of given (the library's own file when empty), or nothing with error
// telling what is wrong: a folder that does not exist, a file that is a folder, or a
// file the library cannot be pointed at.
std::optional<SettingsLocation> ResolveSettingsLocation(const std::wstring& given,
                                                        std::wstring& error);

} // namespace pw::host
