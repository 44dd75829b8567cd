// pallawick-replay SETTINGS.xml SCENARIO.txt
// pallawick-replay --check SETTINGS.xml [--json]
//
// Runs the hook library on a simulated desktop and prints, for each mouse or keyboard
// event of the scenario, one JSON line with what the library did. With --check, lists
// what in the settings file will not work as written instead.

#include "replay.h"
#include "scenario.h"
#include "settings_check.h"

#include <cstdio>
#include <cstring>
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

    pw::replay::Replay replay(std::cout);
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
