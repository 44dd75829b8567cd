// The tilt path: a tilt held as one long press, the repeat filter, the action of the tilt
// button, then the redirection of a tilt no action took.

#include "platform/platform.h"
#include "runtime/precise_sleep.h"
#include "runtime/runtime_state.h"
#include "scroll/movement_to_scroll.h"
#include "scroll/scroll_button_processing.h"
#include "scroll/scroll_timers.h"
#include "scroll/tilt_repeat_filter.h"
#include "scroll/wheel_redirection.h"
#include "settings/application_settings.h"
#include "settings/mouse_buttons.h"
#include "settings/settings.h"
#include "support/logger.h"
#include "support/thread_lock.h"

#include <algorithm>
#include <cstdint>

namespace {

// The extra pause between the halves of a tilt whose action pressed keys.
constexpr unsigned kKeysSentPauseMs = 30;

unsigned NonNegative(int ms) {
    return static_cast<unsigned>(std::max(ms, 0));
}

unsigned HeldTiltTime(const CApplicationSettings& profile) {
    return NonNegative(profile.GetIgnoreHScrollTime());
}

bool HoldsTilt(const CApplicationSettings* profile) {
    return profile && profile->GetIgnoreHScroll();
}

void LogMessage(const MSLLHOOKSTRUCT& record) {
    if (!CLogger::DebugEnabled())
        return;
    CLogger::LogDebug(L"WM_MOUSEHWHEEL: MouseData 0x%08x (%d), Flags 0x%08x, Time %dms, "
                      L"ExtraInfo %d",
                      static_cast<unsigned>(record.mouseData),
                      static_cast<int>(static_cast<int16_t>(record.mouseData >> 16)),
                      static_cast<unsigned>(record.flags), static_cast<int>(record.time),
                      static_cast<int>(record.dwExtraInfo));
}

bool FiltersRepeats() {
    return g_pSettings && g_pSettings->FixTiltRepeat() && !MovementToScrollActive();
}

// The action's "up" half: at once, or, for a tilt held as one long press, from the
// horizontal timer once no tilt has come for the profile's time.
void ReleaseAtOnce(int button, MSLLHOOKSTRUCT& record, bool& passOriginal, bool keysSent,
                   bool& injected) {
    const unsigned delay = g_pSettings ? NonNegative(g_pSettings->SimKeyDelay()) : 1;
    pw::PreciseSleep(keysSent ? delay + kKeysSentPauseMs : delay);
    bool upKeysSent = false;
    pw::scroll::ProcessScrollButton(button, pw::scroll::kEventUp, true, &record, &passOriginal,
                                    &upKeysSent, &injected);
}

void FinishPress(int button, MSLLHOOKSTRUCT& record, bool& passOriginal, bool keysSent,
                 bool& injected) {
    if (!HoldsTilt(g_pCurrentApp)) {
        ReleaseAtOnce(button, record, passOriginal, keysSent, injected);
        return;
    }
    const unsigned delay = g_pSettings ? NonNegative(g_pSettings->SimKeyDelay()) : 1;
    pw::PreciseSleep(keysSent ? delay + kKeysSentPauseMs : delay);
    pw::scroll::EndPendingScroll();
    g_pScrollTimerData = new pw::scroll::ScrollTimerData{pw::scroll::kHorizontalSlot, button,
                                                         record.pt, passOriginal, g_pCurrentApp};
    g_bButtonDown[static_cast<size_t>(button)] = true;
    const unsigned repeatDelay = g_pSettings ? NonNegative(g_pSettings->RepeatTiltDelay()) : 0;
    pw::StartQTTimer(repeatDelay + HeldTiltTime(*g_pCurrentApp), pw::HScrollTimerCallback,
                     pw::scroll::kHorizontalSlot);
}

} // namespace

bool pw::ScrollHorizontal(MSLLHOOKSTRUCT* record, bool& passOriginal) {
    PW_ASSERT_LOCK_HELD();
    if (!record)
        return false;
    LogMessage(*record);
    const int delta = static_cast<int16_t>(record->mouseData >> 16);
    const int button = delta < 0 ? mbTiltLeft : mbTiltRight;

    // While the tilt is held, the pending "up" half is postponed.
    if (HoldsTilt(g_pCurrentApp) && StopQTTimer(scroll::kHorizontalSlot)) {
        StartQTTimer(HeldTiltTime(*g_pCurrentApp), HScrollTimerCallback, scroll::kHorizontalSlot);
        return true;
    }
    // A tilt held in another profile ends before this tilt is processed under the new one.
    if (g_pScrollTimerData && g_pScrollTimerData->type == scroll::kHorizontalSlot)
        scroll::EndPendingScroll();

    const uint32_t time = record->time;
    if (FiltersRepeats() && scroll::IsTiltRepeat(time, NonNegative(g_pSettings->RepeatTiltDelay())))
        return true;

    bool keysSent = false;
    bool injected = false;
    const bool handled = scroll::ProcessScrollButton(button, scroll::kEventDown, false, record,
                                                     &passOriginal, &keysSent, &injected);
    if (handled)
        FinishPress(button, *record, passOriginal, keysSent, injected);
    // Departs from running the "up" half of handled tilts only: an action that lets the
    // tilt through but put keys or buttons down or started a repeat would leave it.
    else if (scroll::PressAwaitsRelease(button))
        ReleaseAtOnce(button, *record, passOriginal, keysSent, injected);
    g_dwTiltLast = time;
    if (handled)
        return true;
    return RedirectHorizontalWheel(record);
}
