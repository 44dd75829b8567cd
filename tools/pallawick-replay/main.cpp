// pallawick-replay SETTINGS.xml SCENARIO.txt
//
// Runs the hook library on a simulated desktop and prints, for each mouse or keyboard
// event of the scenario, one JSON line with what the library did.

#include "replay.h"
#include "scenario.h"

#include <cstdio>
#include <fstream>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SETTINGS.xml SCENARIO.txt\n", argv[0]);
        return 2;
    }
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
