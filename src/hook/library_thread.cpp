#include "hook/library_thread.h"

#include "platform/platform.h"

#include <chrono>
#include <system_error>

namespace pw::hook {

namespace {
constexpr auto kStartTimeout = std::chrono::milliseconds(5000);
} // namespace

void LibraryThread::StartSignal::Started() {
    std::lock_guard lock(state_->mutex);
    state_->started = true;
    state_->changed.notify_all();
}

LibraryThread::~LibraryThread() {
    Forget();
}

bool LibraryThread::Start(Body body, uint32_t& error) {
    Forget();
    auto state = std::make_shared<State>();
    try {
        thread_ = std::thread([body, state] {
            StartSignal start(state);
            const unsigned long code = body(start);
            std::lock_guard lock(state->mutex);
            state->exited = true;
            state->exitCode = code;
            state->changed.notify_all();
        });
    } catch (const std::system_error&) {
        error = platform::GetDiagnostics().LastError();
        return false;
    }
    state_ = state;
    std::unique_lock lock(state->mutex);
    state->changed.wait_for(lock, kStartTimeout, [&] { return state->started || state->exited; });
    return true;
}

bool LibraryThread::WaitForExit(unsigned ms, unsigned long& exitCode) {
    if (!thread_.joinable())
        return true;
    {
        std::unique_lock lock(state_->mutex);
        if (!state_->changed.wait_for(lock, std::chrono::milliseconds(ms),
                                      [&] { return state_->exited; }))
            return false;
        exitCode = state_->exitCode;
    }
    thread_.join();
    state_.reset();
    return true;
}

void LibraryThread::Terminate(unsigned long exitCode) {
    if (!thread_.joinable())
        return;
    if (platform::GetThreads().TerminateThread(thread_, exitCode))
        thread_.join();
    else
        thread_.detach();
    state_.reset();
}

void LibraryThread::Forget() {
    if (thread_.joinable())
        thread_.detach();
    state_.reset();
}

} // namespace pw::hook
