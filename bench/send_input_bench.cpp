// Enqueue-to-inject latency of the send-input thread: the time from appending one key
// record until the thread has handed it to the system's input call. The batching pause
// runs on the virtual clock, so this is the thread's wake-up and playing cost alone.

#include "hook/library.h"
#include "input/send_input.h"
#include "platform/sim/simulated_desktop.h"
#include "runtime/registered_messages.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

void BM_EnqueueToInject(benchmark::State& state) {
    pw::sim::SimulatedDesktop desktop;
    pw::hook::LibraryScope library;
    pw::runtime::RegisterMessages();
    CSendInput sender(pw::input::SendInputMode::Threaded);
    const pw::platform::InputRecord key = pw::platform::InputRecord::Key('A', false);
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        sender.SendInputThreaded(1, &key, 0, 0, false);
        while (desktop.input.TakePending().empty()) {
        }
        const auto end = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
}
BENCHMARK(BM_EnqueueToInject)->UseManualTime()->Unit(benchmark::kMicrosecond);

} // namespace
