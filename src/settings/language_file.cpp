#include "settings/folders.h"

namespace pw::folders {

// The library's settings object supplies the language file name once it is attached
// here; without one the library has no language file to report.
const Char* CurrentLanguageFile() {
    return nullptr;
}

} // namespace pw::folders
