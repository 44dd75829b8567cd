#include "platform/sim/sim_threads.h"

namespace pw::sim {

bool SimThreads::SetCurrentThreadPriority(int priority) {
    const unsigned long self = messages_.CurrentThreadId();
    std::lock_guard lock(mutex_);
    priorities_[self] = priority;
    return true;
}

bool SimThreads::SetProcessPriorityClass(unsigned long priorityClass) {
    std::lock_guard lock(mutex_);
    processPriorityClass_ = priorityClass;
    return true;
}

void SimThreads::NameThread(unsigned long threadId, const char* name) {
    std::lock_guard lock(mutex_);
    names_.emplace_back(threadId, name ? name : "");
}

bool SimThreads::TerminateThread(std::thread&, unsigned long) {
    return false;
}

void SimThreads::ExitProcess(unsigned exitCode) {
    std::lock_guard lock(mutex_);
    exits_.push_back(exitCode);
}

std::optional<int> SimThreads::PriorityOf(unsigned long threadId) const {
    std::lock_guard lock(mutex_);
    auto it = priorities_.find(threadId);
    if (it == priorities_.end())
        return std::nullopt;
    return it->second;
}

std::string SimThreads::NameOf(unsigned long threadId) const {
    std::lock_guard lock(mutex_);
    for (auto it = names_.rbegin(); it != names_.rend(); ++it)
        if (it->first == threadId)
            return it->second;
    return {};
}

std::vector<unsigned long> SimThreads::ThreadsNamed(const std::string& name) const {
    std::lock_guard lock(mutex_);
    std::vector<unsigned long> ids;
    for (const auto& [id, given] : names_)
        if (given == name)
            ids.push_back(id);
    return ids;
}

unsigned long SimThreads::ProcessPriorityClass() const {
    std::lock_guard lock(mutex_);
    return processPriorityClass_;
}

std::vector<unsigned> SimThreads::ExitRequests() const {
    std::lock_guard lock(mutex_);
    return exits_;
}

} // namespace pw::sim
