// pallawick-soak [--events N] [--rate HZ] [--seed S]
//
// Runs the load soak on the simulated desktop and prints its figures; exits 1 when a
// check fails (something held, inject count not 0, a timer left running, heap growth).

#include "soak.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Heap the library may add after the warm-up: caches that settle late, not a leak.
constexpr long kHeapSlack = 256 * 1024;

bool ParseNumber(const char* text, uint64_t& value) {
    char* end = nullptr;
    value = std::strtoull(text, &end, 10);
    return end && *end == '\0' && end != text;
}

} // namespace

int main(int argc, char** argv) {
    pw::soak::Options options;
    for (int i = 1; i < argc; i += 2) {
        uint64_t value = 0;
        const bool hasValue = i + 1 < argc && ParseNumber(argv[i + 1], value);
        if (std::strcmp(argv[i], "--events") == 0 && hasValue && value > 0) {
            options.events = value;
        } else if (std::strcmp(argv[i], "--rate") == 0 && hasValue && value >= 1000) {
            options.rateHz = static_cast<unsigned>(value);
        } else if (std::strcmp(argv[i], "--seed") == 0 && hasValue) {
            options.seed = static_cast<uint32_t>(value);
        } else {
            std::fprintf(stderr, "usage: %s [--events N] [--rate HZ (>= 1000)] [--seed S]\n",
                         argv[0]);
            return 2;
        }
    }

    const pw::soak::Report report = pw::soak::Run(options);
    std::vector<std::string> failures = report.failures;
    if (report.failures.empty()) {
        if (!report.held.empty()) {
            std::string keys;
            for (int vk : report.held)
                keys += " " + std::to_string(vk);
            failures.push_back("keys or buttons still down (virtual keys" + keys + ")");
        }
        if (report.injectCount != 0)
            failures.push_back("inject count is " + std::to_string(report.injectCount));
        if (report.timersAfter != report.timersBefore) {
            std::string kinds;
            for (uintptr_t kind : report.timerKindsAfter) {
                char text[16];
                std::snprintf(text, sizeof text, " 0x%04X", static_cast<unsigned>(kind));
                kinds += text;
            }
            failures.push_back("thread timers running: " + std::to_string(report.timersAfter) +
                               ", before the stream " + std::to_string(report.timersBefore) +
                               " (library timer kinds:" + kinds + ")");
        }
        if (report.heapMeasured && report.heapGrowth > kHeapSlack)
            failures.push_back("heap grew by " + std::to_string(report.heapGrowth) +
                               " bytes after the warm-up");
    }

    const double rate = report.seconds > 0 ? report.events / report.seconds : 0;
    std::printf("soak: %llu events (%.0f Hz virtual, %.1f s virtual) in %.2f s: %.0f events/s\n",
                static_cast<unsigned long long>(report.events), static_cast<double>(options.rateHz),
                report.virtualMs / 1000.0, report.seconds, rate);
    std::printf("soak: %llu records injected; heap growth after warm-up %ld bytes%s; timers %zu "
                "before, %zu after; inject count %d; held %zu\n",
                static_cast<unsigned long long>(report.injected), report.heapGrowth,
                report.heapMeasured ? "" : " (not measured)", report.timersBefore,
                report.timersAfter, report.injectCount, report.held.size());
    for (const std::string& failure : failures)
        std::printf("soak: FAIL: %s\n", failure.c_str());
    std::printf("soak: %s\n", failures.empty() ? "passed" : "failed");
    return failures.empty() ? 0 : 1;
}
