// The mouse hook's cost per event: a movement with no feature active (the most frequent
// event of all), an unmapped button, and a mapped button whose window has to be matched
// among 20, 200 and 2,000 application profiles. Medians of five repetitions are reported;
// the allocations counter of the movement and the unmapped button must stay 0.

#include "allocation_counter.h"
#include "hook/library.h"
#include "hook/mouse_hook.h"
#include "input/send_input.h"
#include "platform/sim/simulated_desktop.h"
#include "runtime/registered_messages.h"
#include "runtime/runtime_state.h"
#include "settings/application_settings.h"
#include "settings/settings.h"
#include "support/logger.h"

#include <benchmark/benchmark.h>

#include <array>
#include <string>

namespace {

constexpr const Char* kPath = L"C:\\bench\\VESKSettings.xml";
constexpr unsigned long kProcessId = 4242;
constexpr unsigned kMouseMove = 0x200;
constexpr unsigned kLButtonDown = 0x201;
constexpr unsigned kXButtonDown = 0x20B;

constexpr int kDefaultProfiles = 200;
// The mapped button drains the keys it queued this often, so that the queue stays short
// without stopping the clock on every press.
constexpr int64_t kDrainEvery = 4096;

// profiles application profiles, each mapping the first side button to simulated keys;
// the window under the cursor belongs to the last one.
void Populate(CSettings& settings, int profiles) {
    for (int i = 0; i < profiles; ++i) {
        auto* profile = new CApplicationSettings(&settings, false);
        profile->SetApplication((L"program" + std::to_wstring(i) + L".exe").c_str());
        profile->SetActions(mbXLeft, 0, actSimulatedKeys);
        profile->SetKeystrokes(mbXLeft, 0, L"{CTRL}t", 0, 0, false, false, false);
        settings.AddApplication(profile);
    }
}

struct BenchEnvironment {
    explicit BenchEnvironment(int profiles = kDefaultProfiles) {
        CLogger::DisableLogging(true);
        pw::runtime::RegisterMessages();
        desktop.files.CreateDirectory(L"C:\\bench");
        {
            CSettings settings;
            Populate(settings, profiles);
            settings.Save(kPath);
        }
        bool regionChecking = false;
        g_pSettings->Load(kPath, regionChecking, false);
        g_pSettings->SetSwitchOnMouseOver(false);
        g_pSettings->SetActivateOnMouseOver(false);
        g_pSettings->SetSimKeyDelay(0);
        pw::sim::SimProcess process;
        process.processId = kProcessId;
        process.imagePath = L"C:\\Apps\\program" + std::to_wstring(profiles - 1) + L".exe";
        desktop.processes.Add(process);
        window = desktop.windows.CreateTopLevel(L"Frame", RECT{0, 0, 1000, 800}, kProcessId);
        desktop.windows.SetForeground(window);
        g_hMouseHook = reinterpret_cast<HHOOK>(uintptr_t{0x5150});
    }
    ~BenchEnvironment() { CLogger::DisableLogging(false); }

    LRESULT Run(unsigned message, MSLLHOOKSTRUCT& record) {
        return pw::MouseHookLLProc(0, message, reinterpret_cast<LPARAM>(&record));
    }

    pw::sim::SimulatedDesktop desktop;
    pw::hook::LibraryScope library;
    HWND window = nullptr;
};

// Every kDrainEvery presses, plays and drops the keys they queued, off the clock.
void DrainNowAndThen(benchmark::State& state, BenchEnvironment& environment, int64_t pressed) {
    if (pressed % kDrainEvery != 0)
        return;
    state.PauseTiming();
    g_pSendInput->ProcessQueue();
    environment.desktop.input.TakePending();
    state.ResumeTiming();
}

void BM_MoveWithNoFeature(benchmark::State& state) {
    BenchEnvironment environment;
    g_pCurrentApp = nullptr;
    MSLLHOOKSTRUCT record{};
    DWORD time = 0;
    const long before = pw::bench::AllocationCount();
    for (auto _ : state) {
        record = MSLLHOOKSTRUCT{POINT{static_cast<long>(time % 800), 300}, 0, 0, ++time, 0};
        benchmark::DoNotOptimize(environment.Run(kMouseMove, record));
    }
    state.counters["allocations"] =
        benchmark::Counter(static_cast<double>(pw::bench::AllocationCount() - before),
                           benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_MoveWithNoFeature)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_UnmappedButton(benchmark::State& state) {
    BenchEnvironment environment;
    // The window's profile is already current: no detection, the default action.
    g_pCurrentApp = g_pSettings->GetDefaultApp();
    g_hLastWindow = environment.window;
    MSLLHOOKSTRUCT record{};
    DWORD time = 0;
    const long before = pw::bench::AllocationCount();
    for (auto _ : state) {
        record = MSLLHOOKSTRUCT{POINT{100, 100}, 0, 0, ++time, 0};
        benchmark::DoNotOptimize(environment.Run(kLButtonDown, record));
    }
    state.counters["allocations"] =
        benchmark::Counter(static_cast<double>(pw::bench::AllocationCount() - before),
                           benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_UnmappedButton)->Repetitions(5)->ReportAggregatesOnly(true);

// Arg: the number of application profiles. The window's profile is looked up on every
// press, as after a window change; its cost must not grow with the number of profiles.
void BM_MappedButtonMatched(benchmark::State& state) {
    BenchEnvironment environment(static_cast<int>(state.range(0)));
    // The keys are queued on a sender that plays only when drained, now and then.
    g_pSendInput = new CSendInput(pw::input::SendInputMode::Manual);
    MSLLHOOKSTRUCT record{};
    DWORD time = 0;
    int64_t pressed = 0;
    for (auto _ : state) {
        // A window change each time, so the profile is looked up again.
        g_hLastWindow = nullptr;
        record = MSLLHOOKSTRUCT{POINT{100, 100}, DWORD{1} << 16, 0, ++time, 0};
        benchmark::DoNotOptimize(environment.Run(kXButtonDown, record));
        DrainNowAndThen(state, environment, ++pressed);
    }
    delete g_pSendInput;
    g_pSendInput = nullptr;
    if (!g_pCurrentApp || g_pCurrentApp->IsDefault())
        state.SkipWithError("the window's profile was not matched");
}
BENCHMARK(BM_MappedButtonMatched)
    ->Arg(20)
    ->Arg(200)
    ->Arg(2000)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// Presses alternating between the windows of two programs, each with its own profile: the
// names of both processes are kept, so neither is opened again (the counter shows the
// process opens per press).
void BM_MappedButtonAlternatingPrograms(benchmark::State& state) {
    BenchEnvironment environment;
    pw::sim::SimProcess other;
    other.processId = kProcessId + 1;
    other.imagePath = L"C:\\Apps\\program0.exe";
    environment.desktop.processes.Add(other);
    HWND second =
        environment.desktop.windows.CreateTopLevel(L"Frame", RECT{0, 0, 1000, 800}, kProcessId + 1);
    const std::array<HWND, 2> windows = {environment.window, second};
    g_pSendInput = new CSendInput(pw::input::SendInputMode::Manual);
    MSLLHOOKSTRUCT record{};
    DWORD time = 0;
    int64_t pressed = 0;
    const int opensBefore = environment.desktop.processes.OpenCount();
    for (auto _ : state) {
        environment.desktop.windows.SetForeground(windows[static_cast<size_t>(pressed % 2)]);
        record = MSLLHOOKSTRUCT{POINT{100, 100}, DWORD{1} << 16, 0, ++time, 0};
        benchmark::DoNotOptimize(environment.Run(kXButtonDown, record));
        DrainNowAndThen(state, environment, ++pressed);
    }
    state.counters["process_opens_per_press"] = benchmark::Counter(
        static_cast<double>(environment.desktop.processes.OpenCount() - opensBefore),
        benchmark::Counter::kAvgIterations);
    delete g_pSendInput;
    g_pSendInput = nullptr;
}
BENCHMARK(BM_MappedButtonAlternatingPrograms)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
