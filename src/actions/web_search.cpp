#include "actions/web_search.h"

#include "runtime/runtime_state.h"
#include "settings/settings.h"
#include "support/logger.h"
#include "support/thread_lock.h"

// The search copies the selection through the clipboard, which the platform layer does
// not offer yet: the search URL is checked and the search itself is not made.
bool pw::StartWebSearch() {
    CThreadLock lock(L"SearchThread");
    if (!g_pSettings || !g_pSettings->get_SearchURL() || !*g_pSettings->get_SearchURL()) {
        CLogger::LogMessage(L"SearchThread: No Search URL defined!");
        return false;
    }
    CLogger::LogMessage(L"SearchThread: The clipboard is not available; no search is made.");
    return false;
}
