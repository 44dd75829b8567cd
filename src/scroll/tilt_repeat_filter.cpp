#include "scroll/tilt_repeat_filter.h"

#include "support/logger.h"
#include "support/thread_lock.h"

uint32_t g_dwTiltFirst = 0;
uint32_t g_dwTiltLast = 0;

namespace pw::scroll {

namespace {

// A burst is opened by a message at once; the driver's first repeat follows after about
// the repeat delay (within a tenth below, or 50 ms above).
bool RepeatsOpening(uint32_t diffLast, uint32_t repeatDelay) {
    if (diffLast == 0) {
        CLogger::LogDebug(L"    Same and time difference between messages is 0ms, so consider a "
                          L"repeat message");
        return true;
    }
    const int last = static_cast<int>(diffLast);
    if (diffLast < repeatDelay - 10 * (repeatDelay / 100)) {
        CLogger::LogDebug(L"    Same but %dms not within 10%% of initial repeat, so fast enough "
                          L"to be a new message",
                          last);
        return false;
    }
    if (diffLast > repeatDelay + 50) {
        CLogger::LogDebug(L"    Same but %dms slower than initial repeat + 10%% so slow enough to "
                          L"be a new message",
                          last);
        return false;
    }
    CLogger::LogDebug(L"    Same and %dms within 10%% of initial repeat, so consider a repeat "
                      L"message",
                      last);
    return true;
}

// Further repeats come about every repeat delay; a pause of twice that ends the burst.
bool RepeatsRepeat(uint32_t diffLast, uint32_t repeatDelay) {
    if (diffLast == 0) {
        CLogger::LogDebug(L"    Different but time difference between messages is 0ms, so "
                          L"consider a repeat message");
        return true;
    }
    const int last = static_cast<int>(diffLast);
    if (diffLast > 2 * repeatDelay) {
        CLogger::LogDebug(L"    Different but %dms slower than 2 * repeat delay thus considered "
                          L"a new message",
                          last);
        return false;
    }
    CLogger::LogDebug(L"    Different but %dms fast enough to be a repeat message", last);
    return true;
}

} // namespace

bool IsTiltRepeat(uint32_t time, uint32_t repeatDelay) {
    PW_ASSERT_LOCK_HELD();
    const uint32_t diffFirst = time - g_dwTiltFirst;
    const uint32_t diffLast = time - g_dwTiltLast;
    CLogger::LogDebug(L"WM_MOUSEHWHEEL: M:%dms, F:%dms, L:%dms...", static_cast<int>(time),
                      static_cast<int>(g_dwTiltFirst), static_cast<int>(g_dwTiltLast));
    const bool repeat = g_dwTiltFirst == g_dwTiltLast ? RepeatsOpening(diffLast, repeatDelay)
                                                      : RepeatsRepeat(diffLast, repeatDelay);
    if (!repeat) {
        g_dwTiltFirst = time;
        CLogger::LogDebug(L"    Allow tilt (DiffFirst %dms DiffLast %dms).",
                          static_cast<int>(diffFirst), static_cast<int>(diffLast));
        return false;
    }
    CLogger::LogDebug(L"    Ignore tilt repeat (DiffFirst %dms DiffLast %dms).",
                      static_cast<int>(diffFirst), static_cast<int>(diffLast));
    g_dwTiltLast = time;
    return true;
}

} // namespace pw::scroll
