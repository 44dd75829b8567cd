#pragma once

// The command line: pallawick-host [SETTINGS.xml] | --stop | --help.

#include <optional>
#include <string>
#include <vector>

namespace pw::host {

enum class Command { Run, Stop, Help };

struct Options {
    Command command = Command::Run;
    // The settings file named on the command line; empty for the library's own.
    std::wstring settingsFile;
};

// The arguments after the program name, as the system splits the command line.
std::vector<std::wstring> CommandLineArguments();

// The options, or nothing with error telling what is wrong.
std::optional<Options> ParseOptions(const std::vector<std::wstring>& arguments,
                                    std::wstring& error);

std::wstring UsageText();

} // namespace pw::host
