// Wheel redirection's cost: a burst of 100 notches at one point over a window that is not
// in front, each posted to that window, beside an unmapped button. The wheel target is
// evaluated once per burst (the 8 x 8 box around the point answers the other notches);
// the evaluation opens the window's process once, which the counter shows.

#include "hook/library.h"
#include "hook/mouse_hook.h"
#include "platform/sim/simulated_desktop.h"
#include "runtime/registered_messages.h"
#include "runtime/runtime_state.h"
#include "settings/settings.h"
#include "support/logger.h"
#include "support/thread_lock.h"
#include "windows/wheel_window.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr const Char* kPath = L"C:\\bench\\VESKSettings.xml";
constexpr unsigned long kAppPid = 4242;
constexpr unsigned long kFrontPid = 4343;
constexpr unsigned kMouseWheel = 0x20A;
constexpr unsigned kLButtonDown = 0x201;
constexpr int kNotches = 100;

struct WheelEnvironment {
    WheelEnvironment() {
        CLogger::DisableLogging(true);
        pw::runtime::RegisterMessages();
        desktop.files.CreateDirectory(L"C:\\bench");
        const std::string xml = "<?xml version=\"1.0\"?><root><version build=\"0\" revision=\"0\" "
                                "minor=\"14\" major=\"2\"/><SwitchOnMouseOver Enable=\"false\"/>"
                                "<Default Enabled=\"true\" AdvScrollMethod=\"8\" "
                                "AdvScrollVert=\"1\"/></root>";
        desktop.files.WriteFile(kPath, xml);
        bool regionChecking = false;
        g_pSettings->Load(kPath, regionChecking, false);
        g_pSettings->SetSimKeyDelay(0);
        for (auto [pid, path] : {std::pair{kAppPid, L"C:\\Apps\\viewer.exe"},
                                 std::pair{kFrontPid, L"C:\\Apps\\editor.exe"}}) {
            pw::sim::SimProcess process;
            process.processId = pid;
            process.imagePath = path;
            desktop.processes.Add(process);
        }
        HWND viewer = desktop.windows.CreateTopLevel(L"Viewer", RECT{0, 0, 900, 800}, kAppPid);
        pane = desktop.windows.CreateChild(viewer, L"Pane", RECT{10, 10, 890, 790});
        HWND editor =
            desktop.windows.CreateTopLevel(L"Editor", RECT{1000, 0, 1900, 800}, kFrontPid);
        desktop.windows.SetForeground(editor);
    }
    ~WheelEnvironment() { CLogger::DisableLogging(false); }

    LRESULT Run(unsigned message, MSLLHOOKSTRUCT& record) {
        return pw::MouseHookLLProc(0, message, reinterpret_cast<LPARAM>(&record));
    }

    pw::sim::SimulatedDesktop desktop;
    pw::hook::LibraryScope library;
    HWND pane = nullptr;
};

void BM_WheelBurstRedirected(benchmark::State& state) {
    WheelEnvironment environment;
    DWORD time = 0;
    int opens = 0;
    for (auto _ : state) {
        state.PauseTiming();
        // Each burst starts with nothing cached, as after the cursor moved away.
        CWheel::Reset();
        environment.desktop.messages.TakeRecorded();
        const int before = environment.desktop.processes.OpenCount();
        time += 1000;
        state.ResumeTiming();
        for (int i = 0; i < kNotches; ++i) {
            MSLLHOOKSTRUCT record{POINT{300, 300},
                                  static_cast<DWORD>(static_cast<uint16_t>(-120)) << 16, 0,
                                  time += 10, 0};
            benchmark::DoNotOptimize(environment.Run(kMouseWheel, record));
        }
        state.PauseTiming();
        opens += environment.desktop.processes.OpenCount() - before;
        if (environment.desktop.messages.TakeRecorded().size() < kNotches)
            state.SkipWithError("the notches were not posted to the pane");
        state.ResumeTiming();
    }
    state.counters["ns_per_notch"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kNotches,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["process_opens_per_burst"] =
        static_cast<double>(opens) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_WheelBurstRedirected)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_UnmappedButtonBesideTheWheel(benchmark::State& state) {
    WheelEnvironment environment;
    DWORD time = 0;
    for (auto _ : state) {
        MSLLHOOKSTRUCT record{POINT{300, 300}, 0, 0, time += 10, 0};
        benchmark::DoNotOptimize(environment.Run(kLButtonDown, record));
    }
}
BENCHMARK(BM_UnmappedButtonBesideTheWheel)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
