#pragma once

#include "platform/platform.h"

#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace pw::sim {

// Records the priorities and names the library gives its threads and the process, and
// an exit it asked for; nothing is changed on the host.
class SimThreads final : public platform::Threads {
  public:
    explicit SimThreads(platform::Messages& messages) : messages_(messages) {}

    bool SetCurrentThreadPriority(int priority) override;
    bool SetProcessPriorityClass(unsigned long priorityClass) override;
    void NameThread(unsigned long threadId, const char* name) override;
    // A host thread cannot be ended from outside: always false.
    bool TerminateThread(std::thread& thread, unsigned long exitCode) override;
    // Records the exit code; the test process goes on.
    void ExitProcess(unsigned exitCode) override;

    // The priority last set by the thread with this id (SimMessages ids); none when it set
    // none.
    std::optional<int> PriorityOf(unsigned long threadId) const;
    // The name given to a thread; empty when none.
    std::string NameOf(unsigned long threadId) const;
    // Every thread named name so far, oldest first.
    std::vector<unsigned long> ThreadsNamed(const std::string& name) const;
    unsigned long ProcessPriorityClass() const;
    // The exit codes asked for so far.
    std::vector<unsigned> ExitRequests() const;

  private:
    platform::Messages& messages_;
    mutable std::mutex mutex_;
    std::map<unsigned long, int> priorities_;
    std::vector<std::pair<unsigned long, std::string>> names_;
    unsigned long processPriorityClass_ = kNormalPriorityClass;
    std::vector<unsigned> exits_;
};

} // namespace pw::sim
