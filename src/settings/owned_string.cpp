#include "settings/owned_string.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>

namespace pw::settings {

Char* ReplaceString(Char*& target, StringView source, bool lowerCase) {
    // Copy before freeing, so that a source inside the old string stays readable.
    Char* copy = new Char[source.size() + 1]();
    std::copy(source.begin(), source.end(), copy);
    if (lowerCase)
        LowerCaseInPlace(copy);
    delete[] target;
    target = copy;
    return target;
}

Char* ReplaceString(Char*& target, const Char* source, bool lowerCase) {
    if (!source)
        return FreeString(target);
    return ReplaceString(target, StringView(source), lowerCase);
}

Char* FreeString(Char*& target) {
    delete[] target;
    target = nullptr;
    return nullptr;
}

void LowerCaseInPlace(Char* text) {
    if (!text)
        return;
    for (; *text; ++text)
        *text = static_cast<Char>(std::towlower(static_cast<std::wint_t>(*text)));
}

} // namespace pw::settings
