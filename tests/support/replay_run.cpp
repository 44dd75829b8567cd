#include "support/replay_run.h"

#include "replay.h"
#include "scenario.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <unistd.h>

namespace pw::test {

ReplayRun::ReplayRun(const std::string& settings) {
    // The tool reads its settings from the host; each run has a folder of its own.
    static std::atomic<int> counter{0};
    folder_ = std::filesystem::temp_directory_path() /
              ("pallawick-replay-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(folder_);
    AddFile("settings.xml", settings);
    replay_ = std::make_unique<replay::Replay>(out_);
    replay_->SetScenarioFolder(folder_);
    std::string error;
    if (!replay_->LoadSettings((folder_ / "settings.xml").string(), error) ||
        !replay_->StartHooks(error)) {
        ADD_FAILURE() << error;
        replay_.reset();
    }
}

ReplayRun::~ReplayRun() {
    replay_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

void ReplayRun::AddFile(const std::string& name, const std::string& text) {
    std::ofstream(folder_ / name, std::ios::binary) << text;
}

std::vector<std::string> ReplayRun::Play(const std::string& scenario) {
    std::istringstream text(scenario);
    replay::ScenarioError error;
    auto steps = replay::ParseScenario(text, error);
    if (!steps) {
        ADD_FAILURE() << "scenario line " << error.line << ": " << error.message;
        return {};
    }
    if (!replay_)
        return {};
    replay_->Run(*steps);
    const std::string written = out_.str();
    std::istringstream fresh(written.substr(consumed_));
    consumed_ = written.size();
    std::vector<std::string> lines;
    for (std::string line; std::getline(fresh, line);)
        lines.push_back(line);
    return lines;
}

sim::SimulatedDesktop& ReplayRun::Desktop() {
    return replay_->Desktop();
}

std::string LineOf(const std::vector<std::string>& lines, const std::string& event) {
    const std::string field = "\"event\":\"" + event + "\"";
    for (const std::string& line : lines)
        if (line.find(field) != std::string::npos)
            return line;
    return "";
}

} // namespace pw::test
