#include "actions/detached_work.h"

#include <atomic>
#include <chrono>
#include <exception>
#include <thread>

namespace pw {
namespace {
std::atomic<int> g_runningWork{0};
} // namespace

bool StartDetachedWork(std::function<void()> work) {
    // Counted from here, so that whoever waits sees this work at once.
    ++g_runningWork;
    try {
        std::thread([work = std::move(work)] {
            work();
            --g_runningWork;
        }).detach();
        return true;
    } catch (const std::exception&) {
        --g_runningWork;
        return false;
    }
}

int RunningDetachedWork() {
    return g_runningWork.load();
}

bool WaitForDetachedWork(unsigned limitMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
    while (RunningDetachedWork() > 0) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

} // namespace pw
