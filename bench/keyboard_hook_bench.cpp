// The keyboard hook's cost for an ordinary key (a letter pressed and released) while all 12
// layer modifier slots are configured and none matches: the path every typed key takes.
// The allocations counter must stay 0: nothing on this path may allocate.

#include "allocation_counter.h"
#include "hook/keyboard_hook.h"
#include "hook/library.h"
#include "platform/sim/simulated_desktop.h"
#include "runtime/registered_messages.h"
#include "settings/layer_modifier_keys.h"
#include "settings/settings.h"
#include "support/logger.h"

#include <benchmark/benchmark.h>

namespace {

constexpr unsigned kKeyDown = 0x100;
constexpr unsigned kKeyUp = 0x101;

void BM_OrdinaryKeyWithTwelveModifierSlots(benchmark::State& state) {
    CLogger::DisableLogging(true);
    pw::runtime::RegisterMessages();
    pw::sim::SimulatedDesktop desktop;
    {
        pw::hook::LibraryScope library;
        g_pSettings->SetMaxLayers(10);
        g_pSettings->SetLayerModifierKeysEnabled(true);
        g_pSettings->put_ResetStickyOnAnyKey(false);
        // Every slot needs Control+Alt with a function key: none holds while typing.
        CLayerModifierKeys* table = g_pSettings->GetLayerModifierKeys();
        for (int slot = lmkFirst; slot <= lmkLast; ++slot) {
            CHotkey* entry = table->GetHotkey(static_cast<ModifierKeys>(slot));
            entry->SetModifier(6);
            entry->SetVirtualKey(static_cast<unsigned short>(0x70 + slot));
        }
        KBDLLHOOKSTRUCT down{'A', 0x1E, 0, 0, 0};
        KBDLLHOOKSTRUCT up{'A', 0x1E, 0x80, 0, 0};
        const long before = pw::bench::AllocationCount();
        for (auto _ : state) {
            benchmark::DoNotOptimize(
                pw::KeyHookLLProc(0, kKeyDown, reinterpret_cast<LPARAM>(&down)));
            benchmark::DoNotOptimize(pw::KeyHookLLProc(0, kKeyUp, reinterpret_cast<LPARAM>(&up)));
        }
        state.counters["allocations"] = static_cast<double>(pw::bench::AllocationCount() - before);
        state.SetItemsProcessed(state.iterations() * 2);
    }
    CLogger::DisableLogging(false);
}
BENCHMARK(BM_OrdinaryKeyWithTwelveModifierSlots)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
