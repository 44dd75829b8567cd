#pragma once

// A load soak of the whole engine on the simulated desktop: the library's own threads,
// fed a long stream of mouse events at a fixed virtual rate (moves, mapped and unmapped
// buttons, wheel, chords, sticky and repeat actions, profile switches between windows)
// with a settings reload half way. At the end nothing may be held, the inject count must
// be back to 0, no timer may run that did not run before the stream, and the heap must
// not have grown after its warm-up.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace pw::soak {

struct Options {
    uint64_t events = 1'000'000;
    unsigned rateHz = 8000; // virtual events per second
    uint32_t seed = 1;
};

struct Report {
    uint64_t events = 0;
    double seconds = 0;     // real time of the stream
    uint64_t virtualMs = 0; // virtual time of the stream
    long heapGrowth = 0;    // bytes in use at the end less after the warm-up; 0 when unknown
    bool heapMeasured = false;
    size_t timersBefore = 0; // running thread timers before the stream and after it
    size_t timersAfter = 0;
    std::vector<uintptr_t> timerKindsAfter; // the library's timer kinds running at the end
    int injectCount = 0;
    uint64_t injected = 0; // input records the library injected
    std::vector<int> held; // virtual keys and buttons still down
    std::vector<std::string> failures;
};

Report Run(const Options& options);

} // namespace pw::soak
