#pragma once

// Case rules of window and process names: compared and lower-cased character by
// character, as the system's own case-insensitive comparisons of file names do. And the
// ASCII word matching of keystroke tags.

#include "support/text.h"

#include <cwctype>

namespace pw {

inline Char LowerChar(Char c) {
    // ASCII folds the same in every locale the library runs under; the C library is asked
    // only beyond it.
    if (c < 0x80)
        return (c >= L'A' && c <= L'Z') ? static_cast<Char>(c - L'A' + L'a') : c;
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

inline constexpr Char ToUpperAscii(Char c) {
    return (c >= L'a' && c <= L'z') ? static_cast<Char>(c - L'a' + L'A') : c;
}

// Whether text starts with word (upper-case ASCII), ignoring the case of text.
inline bool StartsWithWord(StringView text, StringView word) {
    if (text.size() < word.size())
        return false;
    for (size_t i = 0; i < word.size(); ++i) {
        if (ToUpperAscii(text[i]) != word[i])
            return false;
    }
    return true;
}
// The same for a literal word, whose length is known without counting.
template <size_t N> inline bool StartsWithWord(StringView text, const Char (&word)[N]) {
    return StartsWithWord(text, StringView(word, N - 1));
}

// The view of a possibly null string.
inline StringView ViewOf(const Char* text) {
    return text ? StringView(text) : StringView();
}
// A possibly null string for a log line.
inline const Char* Printable(const Char* text) {
    return text ? text : L"";
}

} // namespace pw
