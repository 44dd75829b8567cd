#include "settings/folders.h"

#include "settings/settings.h"
#include "support/thread_lock.h"

namespace pw::folders {

// The language file named by the library's own settings object, if it has one.
const Char* CurrentLanguageFile() {
    PW_ASSERT_LOCK_HELD();
    return g_pSettings ? g_pSettings->GetLanguage() : nullptr;
}

} // namespace pw::folders
