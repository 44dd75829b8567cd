// Parsing a typical long key string: 200 characters with 20 tags of every kind
// (modifiers, named keys, pauses, mouse, cursor, keypad and function keys).

#include "input/sim_token.h"
#include "input/sim_token_list.h"
#include "platform/sim/simulated_desktop.h"

#include <benchmark/benchmark.h>

namespace {

String KeyString() {
    const Char* tags[] = {L"{CTRL}",   L"{SHIFT}",   L"{ENTER}", L"{WAITMS:20}", L"{LMB}",
                          L"{HOLD:1}", L"{F12}",     L"{NUM:7}", L"{MXADD:-15}", L"{PGDN}",
                          L"{ALT}",    L"{TAB}",     L"{VOL+}",  L"{DELETE}",    L"{LAYER:2}",
                          L"{PRESS}",  L"{RELEASE}", L"{MWUP}",  L"{ESCAPE}",    L"{CAPSLOCK}"};
    String keys;
    for (const Char* tag : tags)
        keys += String(tag) + L"Hello";
    keys += L"the quick brown fox jumps over the lazy dog. 0123456789 ABCD";
    keys.resize(200, L'x');
    return keys;
}

void BM_ParseKeyString(benchmark::State& state) {
    pw::sim::SimulatedDesktop desktop;
    String keys = KeyString();
    pw::input::SimParseEnvironment environment;
    for (auto _ : state) {
        SimTokenList tokens;
        bool parsed = CSimToken::Parse(tokens, keys.c_str(), POINT{100, 200}, 10, environment);
        benchmark::DoNotOptimize(parsed);
        benchmark::DoNotOptimize(tokens.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(keys.size()));
}
BENCHMARK(BM_ParseKeyString);

} // namespace
