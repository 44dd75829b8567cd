#pragma once

// Case rules of window and process names: compared and lower-cased character by
// character, as the system's own case-insensitive comparisons of file names do.

#include "support/text.h"

#include <cwctype>

namespace pw::windows {

inline Char LowerChar(Char c) {
    return static_cast<Char>(std::towlower(static_cast<std::wint_t>(c)));
}

inline bool EqualsIgnoringCase(StringView left, StringView right) {
    if (left.size() != right.size())
        return false;
    for (size_t i = 0; i < left.size(); ++i) {
        if (LowerChar(left[i]) != LowerChar(right[i]))
            return false;
    }
    return true;
}

inline bool StartsWithIgnoringCase(StringView text, StringView prefix) {
    return text.size() >= prefix.size() &&
           EqualsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

inline void LowerInPlace(Char* text) {
    for (; text && *text; ++text)
        *text = LowerChar(*text);
}

// The view of a possibly null string.
inline StringView ViewOf(const Char* text) {
    return text ? StringView(text) : StringView();
}
// A possibly null string for a log line.
inline const Char* Printable(const Char* text) {
    return text ? text : L"";
}

} // namespace pw::windows
