#include "windows/windows_state.h"

#include "support/thread_lock.h"
#include "windows/process_name.h"
#include "windows/profile_matching.h"
#include "windows/window_from_point.h"

namespace pw::windows {

void ResetWindowsState() {
    ResetProcessNameState();
    ResetRealWindowCache();
    g_bQuadrantsUsed = false;
    g_strLastCaption.clear();
    CThreadLock lock(L"ResetWindowsState");
    ClearPatternCache();
}

} // namespace pw::windows
