// pallawick-replay SETTINGS.xml SCENARIO.txt
// pallawick-replay --check SETTINGS.xml [--json]
//
// Runs the hook library on a simulated desktop and prints, for each mouse or keyboard
// event of the scenario, one JSON line with what the library did. With --check, lists
// what in the settings file will not work as written instead.

#include "host_file.h"
#include "replay.h"
#include "scenario.h"
#include "settings_check.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>

namespace {

int Usage(const char* program) {
    std::fprintf(stderr,
                 "usage: %s SETTINGS.xml SCENARIO.txt\n"
                 "       %s --check SETTINGS.xml [--json]\n",
                 program, program);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "--check") == 0) {
        const bool json = argc == 4 && std::strcmp(argv[3], "--json") == 0;
        if (argc != 3 && !json)
            return Usage(argv[0]);
        return pw::replay::RunCheck(argv[2], json, std::cout, std::cerr);
    }
    if (argc != 3)
        return Usage(argv[0]);
    std::ifstream scenarioFile(argv[2]);
    if (!scenarioFile) {
        std::fprintf(stderr, "pallawick-replay: cannot read scenario file '%s'\n", argv[2]);
        return 2;
    }
    pw::replay::ScenarioError error;
    auto steps = pw::replay::ParseScenario(scenarioFile, error);
    if (!steps) {
        std::fprintf(stderr, "pallawick-replay: %s:%d: %s\n", argv[2], error.line,
                     error.message.c_str());
        return 2;
    }

    // The files of reload steps are read when their step comes; one that cannot be read
    // at all ends the run before it starts.
    const std::filesystem::path scenarioFolder = std::filesystem::path(argv[2]).parent_path();
    for (const pw::replay::Step& step : *steps) {
        if (step.kind != pw::replay::StepKind::Reload)
            continue;
        std::string bytes;
        std::string readError;
        if (!pw::replay::ReadHostFile(pw::replay::ScenarioFile(scenarioFolder, step.file), bytes,
                                      readError)) {
            std::fprintf(stderr, "pallawick-replay: %s:%d: %s\n", argv[2], step.line,
                         readError.c_str());
            return 2;
        }
    }

    pw::replay::Replay replay(std::cout);
    replay.SetScenarioFolder(scenarioFolder);
    std::string loadError;
    if (!replay.LoadSettings(argv[1], loadError)) {
        std::fprintf(stderr, "pallawick-replay: %s\n", loadError.c_str());
        return 2;
    }
    if (!replay.StartHooks(loadError)) {
        std::fprintf(stderr, "pallawick-replay: %s\n", loadError.c_str());
        return 2;
    }
    replay.Run(*steps);
    std::cout.flush();
    return std::cout ? 0 : 1;
}
