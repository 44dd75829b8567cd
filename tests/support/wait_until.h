#pragma once

// Waiting in tests for a state another thread reaches, without timed sleeps.

#include <chrono>
#include <thread>

namespace pw::test {

// Polls condition until it holds. The real-time limit only turns a hang into a failure;
// tests never depend on it for their timing.
template <typename Condition> bool WaitUntil(Condition condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::yield();
    }
    return true;
}

} // namespace pw::test
