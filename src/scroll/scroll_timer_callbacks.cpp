// The callbacks of the held-scroll timers: once the wheel or the tilt has been quiet for
// the profile's time, the pending record's "up" half runs and the record is freed.

#include "platform/platform.h"
#include "runtime/runtime_state.h"
#include "scroll/scroll_button_processing.h"
#include "scroll/scroll_timers.h"
#include "support/logger.h"
#include "support/report_exception.h"
#include "support/thread_lock.h"

#include <cstdint>

namespace {

struct TimerTexts {
    const Char* name;
    const Char* unableToStop;
    const Char* processing;
};

constexpr TimerTexts kVertical{L"VScrollTimerCallback",
                               L"VScrollTimerCallback: Unable to stop VScrollTimer.\n",
                               L"VScrollTimerCallback: Processing simulated button up.\n"};
constexpr TimerTexts kHorizontal{L"HScrollTimerCallback",
                                 L"HScrollTimerCallback: Unable to stop HScrollTimer.\n",
                                 L"HScrollTimerCallback: Processing simulated button up.\n"};

// Runs the "up" half of the pending record and frees it.
void ReleasePending() {
    pw::scroll::ScrollTimerData& pending = *g_pScrollTimerData;
    MSLLHOOKSTRUCT record{};
    record.pt = pending.pt;
    record.time = pw::platform::TickCount();
    bool keysSent = false;
    bool injected = false;
    pw::scroll::ProcessScrollButton(pending.button, pw::scroll::kEventUp, true, &record,
                                    &pending.passOriginal, &keysSent, &injected);
    // The press that began the held scroll is over.
    if (pending.button >= 0 && pending.button < pw::runtime::kButtonCount)
        g_bButtonDown[static_cast<size_t>(pending.button)] = false;
    pw::scroll::ClearScrollTimerData();
}

// The timer is deleted without waiting, so a callback may come after the hook thread has
// restarted the timer or replaced the record: it works on the record pending now, and
// leaves one of the other kind to that kind's own timer.
void SendPendingUp(const TimerTexts& texts, void* parameter) {
    CThreadLock lock(L"StopQTTimer");
    const int slot = static_cast<int>(reinterpret_cast<intptr_t>(parameter));
    if (!pw::StopQTTimer(slot))
        CLogger::LogDebug(texts.unableToStop);
    if (!g_pScrollTimerData || g_pScrollTimerData->type != slot)
        return;
    CLogger::LogDebug(texts.processing);
    ReleasePending();
}

void Run(const TimerTexts& texts, void* parameter, unsigned char fired) {
    if (!fired)
        return;
    try {
        SendPendingUp(texts, parameter);
    } catch (...) {
        // Nothing may leave a thread of the system's timer queue.
        pw::ReportException(texts.name);
    }
}

} // namespace

void pw::VScrollTimerCallback(void* parameter, unsigned char fired) {
    Run(kVertical, parameter, fired);
}

void pw::HScrollTimerCallback(void* parameter, unsigned char fired) {
    Run(kHorizontal, parameter, fired);
}

void pw::scroll::EndPendingScroll() {
    PW_ASSERT_LOCK_HELD();
    if (!g_pScrollTimerData)
        return;
    StopQTTimer(g_pScrollTimerData->type);
    CLogger::LogDebug(L"EndPendingScroll: Processing simulated button up of %d.",
                      g_pScrollTimerData->button);
    ReleasePending();
}
