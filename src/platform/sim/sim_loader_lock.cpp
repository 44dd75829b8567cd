#include "platform/sim/sim_loader_lock.h"

#include <condition_variable>
#include <mutex>
#include <utility>

namespace pw::sim {

struct SimLoaderLock::State {
    std::mutex mutex;
    std::condition_variable changed;
    bool held = false;
    size_t waiting = 0;
};

namespace {

// Destroyed at the exit of its thread, after the thread's function has returned.
class ExitWait {
  public:
    void Enrol(std::shared_ptr<SimLoaderLock::State> state) { state_ = std::move(state); }

    ~ExitWait() {
        if (!state_)
            return;
        std::unique_lock lock(state_->mutex);
        ++state_->waiting;
        state_->changed.notify_all();
        state_->changed.wait(lock, [&] { return !state_->held; });
        --state_->waiting;
        state_->changed.notify_all();
    }

  private:
    std::shared_ptr<SimLoaderLock::State> state_;
};

thread_local ExitWait t_exitWait;

} // namespace

SimLoaderLock::SimLoaderLock() : state_(std::make_shared<State>()) {}

SimLoaderLock::~SimLoaderLock() {
    Release();
}

void SimLoaderLock::TakePartInExit() {
    t_exitWait.Enrol(state_);
}

void SimLoaderLock::Hold() {
    std::lock_guard lock(state_->mutex);
    state_->held = true;
}

void SimLoaderLock::Release() {
    std::unique_lock lock(state_->mutex);
    state_->held = false;
    state_->changed.notify_all();
    state_->changed.wait(lock, [&] { return state_->waiting == 0; });
}

size_t SimLoaderLock::WaitingExits() const {
    std::lock_guard lock(state_->mutex);
    return state_->waiting;
}

} // namespace pw::sim
