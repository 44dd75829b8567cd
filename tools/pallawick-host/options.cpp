#include "options.h"

#include <windows.h>

#include <shellapi.h>

namespace pw::host {

std::vector<std::wstring> CommandLineArguments() {
    int count = 0;
    wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> arguments;
    if (!words)
        return arguments;
    for (int i = 1; i < count; ++i)
        arguments.emplace_back(words[i]);
    LocalFree(words);
    return arguments;
}

std::optional<Options> ParseOptions(const std::vector<std::wstring>& arguments,
                                    std::wstring& error) {
    Options options;
    bool stop = false;
    for (const std::wstring& argument : arguments) {
        if (argument == L"--help" || argument == L"-h" || argument == L"/?") {
            options.command = Command::Help;
            return options;
        }
        if (argument == L"--stop") {
            stop = true;
            continue;
        }
        if (argument.empty() || argument[0] == L'-') {
            error = L"unknown option '" + argument + L"'";
            return std::nullopt;
        }
        if (!options.settingsFile.empty()) {
            error = L"more than one settings file given";
            return std::nullopt;
        }
        options.settingsFile = argument;
    }
    if (stop && !options.settingsFile.empty()) {
        error = L"--stop takes no settings file";
        return std::nullopt;
    }
    if (stop)
        options.command = Command::Stop;
    return options;
}

std::wstring UsageText() {
    return L"usage: pallawick-host [SETTINGS.xml] | --stop | --help\n"
           L"\n"
           L"Runs PallawickHook.dll without the main program: loads the settings, hooks the\n"
           L"mouse and keyboard, prints the layer and profile changes and reloads the\n"
           L"settings whenever the file changes. Ctrl+C, logging off or --stop removes the\n"
           L"hooks and ends it.\n"
           L"\n"
           L"  SETTINGS.xml  the settings file to run; it must be VESKSettings.xml in the\n"
           L"                library's settings folder or beside pallawick-host.exe (which\n"
           L"                runs the library in portable mode). Without it, the file of\n"
           L"                the library's settings folder.\n"
           L"  --stop        asks the running pallawick-host to stop and waits for it.\n"
           L"\n"
           L"Exit status: 0 done, 1 --stop found none running, 2 bad command line or\n"
           L"settings location, 3 already running, 4 the hooks could not be started.\n";
}

} // namespace pw::host
