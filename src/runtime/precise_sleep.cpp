#include "runtime/precise_sleep.h"

#include "platform/platform.h"

namespace {

// Below this an ordinary sleep may take a whole scheduler tick longer than asked.
constexpr unsigned kBusyWaitBelowMs = 16;

} // namespace

void pw::PreciseSleep(unsigned ms) {
    if (ms == 0)
        return;
    pw::platform::Clock& clock = pw::platform::GetClock();
    const uint64_t frequency = clock.PerformanceFrequency();
    if (ms >= kBusyWaitBelowMs || frequency == 0) {
        clock.Sleep(ms);
        return;
    }
    const uint64_t until = clock.PerformanceCounter() + (frequency / 1000) * ms;
    while (clock.PerformanceCounter() < until) {
    }
}
