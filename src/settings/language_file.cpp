#include "settings/folders.h"

#include "settings/settings.h"

namespace pw::folders {

// The language file named by the library's own settings object, if it has one.
const Char* CurrentLanguageFile() {
    return g_pSettings ? g_pSettings->GetLanguage() : nullptr;
}

} // namespace pw::folders
