#pragma once

// Scenarios through the replay tool's engine: the library's own hook, timer and
// system-parameter threads on a simulated desktop, fed event by event, with one JSON line
// written per mouse or keyboard event.

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace pw::replay {
class Replay;
}
namespace pw::sim {
class SimulatedDesktop;
}

namespace pw::test {

class ReplayRun {
  public:
    // Loads settings (the text of a settings file) and starts the library's threads; a
    // file the tool refuses fails the calling test.
    explicit ReplayRun(const std::string& settings);
    ~ReplayRun();
    ReplayRun(const ReplayRun&) = delete;
    ReplayRun& operator=(const ReplayRun&) = delete;

    // Writes a file beside the scenario, for its reload steps to name.
    void AddFile(const std::string& name, const std::string& text);

    // Plays the steps of scenario (windows stay from one call to the next) and returns the
    // lines they wrote.
    std::vector<std::string> Play(const std::string& scenario);
    // The simulated desktop the run plays on, for what a scenario line cannot do.
    sim::SimulatedDesktop& Desktop();

  private:
    std::filesystem::path folder_; // the run's own: its settings and the scenario's files
    std::ostringstream out_;
    size_t consumed_ = 0;
    std::unique_ptr<replay::Replay> replay_;
};

// The line of the event written exactly as event, or "" when there is none.
std::string LineOf(const std::vector<std::string>& lines, const std::string& event);

} // namespace pw::test
