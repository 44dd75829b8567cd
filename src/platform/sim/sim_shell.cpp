#include "platform/sim/sim_shell.h"

#include <chrono>

namespace pw::sim {

bool SimShell::Execute(const Char* operation, const Char* file, const Char* parameters, int show) {
    return Record(
        {operation ? operation : L"", file ? file : L"", parameters ? parameters : L"", show});
}

bool SimShell::ExecuteEx(const Char* verb, const Char* file, const Char* parameters, int show) {
    return Record(
        {verb ? verb : L"", file ? file : L"", parameters ? parameters : L"", show, true});
}

void SimShell::HoldStarts(bool hold) {
    {
        std::lock_guard lock(mutex_);
        holding_ = hold;
    }
    released_.notify_all();
}

bool SimShell::Record(Execution execution) {
    bool result = true;
    {
        std::unique_lock lock(mutex_);
        released_.wait_for(lock, std::chrono::seconds(10), [this] { return !holding_; });
        executions_.push_back(std::move(execution));
        result = executeResult_;
    }
    // A refused start reports the shell's usual reason: the program was not found.
    if (!result)
        platform::GetDiagnostics().SetLastError(platform::kErrorFileNotFound);
    return result;
}

bool SimShell::LockWorkStation() {
    std::lock_guard lock(mutex_);
    ++locks_;
    return true;
}

void SimShell::Beep(unsigned) {
    std::lock_guard lock(mutex_);
    ++beeps_;
}

std::vector<SimShell::Execution> SimShell::Executions() const {
    std::lock_guard lock(mutex_);
    return executions_;
}

int SimShell::LockCount() const {
    std::lock_guard lock(mutex_);
    return locks_;
}

int SimShell::BeepCount() const {
    std::lock_guard lock(mutex_);
    return beeps_;
}

void SimShell::SetExecuteResult(bool result) {
    std::lock_guard lock(mutex_);
    executeResult_ = result;
}

} // namespace pw::sim
