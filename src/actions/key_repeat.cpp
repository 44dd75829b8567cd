#include "actions/key_repeat.h"

#include "actions/action_state.h"
#include "runtime/runtime_state.h"
#include "runtime/thread_timers.h"
#include "settings/action_data.h"
#include "settings/application_settings.h"
#include "settings/settings.h"
#include "support/logger.h"

#include <algorithm>
#include <cstdlib>

namespace pw::actions {
namespace {

unsigned DrawWithRand(unsigned n) {
    return n ? static_cast<unsigned>(std::rand()) % n : 0;
}

} // namespace

unsigned RandomisedInterval(unsigned interval, unsigned (*draw)(unsigned n)) {
    const int r = static_cast<int>(interval / 100) * 10;
    const int m = std::max(r, 3);
    const int shifted =
        static_cast<int>(interval) + static_cast<int>(draw(static_cast<unsigned>(2 * m))) - m;
    return shifted > 0 ? static_cast<unsigned>(shifted) : 0u;
}

unsigned RandomisedInterval(unsigned interval) {
    return RandomisedInterval(interval, DrawWithRand);
}

unsigned KeyRepeatInterval(const CActionData& data, const CApplicationSettings* profile, int button,
                           int layer) {
    const int repeat =
        data.KeyRepeat() > 0 ? data.KeyRepeat() : static_cast<int>(g_dwDefaultKeyRepeat);
    const int delay = g_pSettings ? std::max(g_pSettings->SimKeyDelay(), 0) : 0;
    const int total = std::max(repeat + delay + data.GetKeystrokesWaitHoldTime(0), 0);
    unsigned interval = static_cast<unsigned>(total);
    if (profile && profile->RandomiseDelay(static_cast<MouseButtons>(button), layer)) {
        interval = RandomisedInterval(interval);
        CLogger::LogDebug(L"ProcessButtonAction: Randomised repeat delay is %dms",
                          static_cast<int>(interval));
    }
    return interval;
}

void StartRepeat(int button, unsigned interval) {
    if (const uintptr_t id =
            pw::SetThreadTimer(runtime::kRepeatTimer, interval, pw::RepeatTimerProc))
        g_uRepeatTimer = id;
    g_nRepeatButton = button;
}

void StopRepeat() {
    pw::KillThreadTimer(runtime::kRepeatTimer);
    g_nRepeatButton = -1;
}

} // namespace pw::actions
