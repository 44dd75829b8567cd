#pragma once

// The heap strings of the settings model. Each string field owns a NUL-terminated copy
// allocated with new[]; null stands for "no string". ReplaceString and FreeString are
// the two routines behind every string setter; OwnedString wraps one field so that
// copying duplicates it and destruction frees it. The exported settings classes hold
// these fields, so everything here is inline: the header stands on its own.

#include <PallawickHook/platform/text_types.h>

#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <utility>

namespace pw::settings {

// Lower-cases text in place with the C library's wide mapping.
inline void LowerCaseInPlace(Char* text) {
    if (!text)
        return;
    for (; *text; ++text)
        *text = static_cast<Char>(std::towlower(static_cast<std::wint_t>(*text)));
}

// Frees target and sets it null; returns null.
inline Char* FreeString(Char*& target) {
    delete[] target;
    target = nullptr;
    return nullptr;
}

// Replaces target by a fresh copy of source (lower-cased when asked), freeing the old
// string. Source may alias target. Returns target.
inline Char* ReplaceString(Char*& target, StringView source, bool lowerCase = false) {
    // Copy before freeing, so that a source inside the old string stays readable.
    Char* copy = new Char[source.size() + 1]();
    std::copy(source.begin(), source.end(), copy);
    if (lowerCase)
        LowerCaseInPlace(copy);
    delete[] target;
    target = copy;
    return target;
}

// The same for a NUL-terminated source; a null source leaves target null.
inline Char* ReplaceString(Char*& target, const Char* source, bool lowerCase = false) {
    if (!source)
        return FreeString(target);
    return ReplaceString(target, StringView(source), lowerCase);
}

class OwnedString {
  public:
    OwnedString() = default;
    explicit OwnedString(const Char* text) { ReplaceString(text_, text); }
    OwnedString(const OwnedString& other) { ReplaceString(text_, other.text_); }
    OwnedString(OwnedString&& other) noexcept : text_(std::exchange(other.text_, nullptr)) {}
    ~OwnedString() { FreeString(text_); }

    OwnedString& operator=(const OwnedString& other) {
        ReplaceString(text_, other.text_);
        return *this;
    }
    OwnedString& operator=(OwnedString&& other) noexcept {
        if (this != &other) {
            FreeString(text_);
            text_ = std::exchange(other.text_, nullptr);
        }
        return *this;
    }

    void Assign(const Char* text, bool lowerCase = false) { ReplaceString(text_, text, lowerCase); }
    void Assign(StringView text, bool lowerCase = false) { ReplaceString(text_, text, lowerCase); }
    void Clear() { FreeString(text_); }

    const Char* Get() const { return text_; }
    bool IsSet() const { return text_ != nullptr; }
    // The text, or an empty string when there is none (for formatting).
    const Char* OrEmpty() const { return text_ ? text_ : L""; }

  private:
    Char* text_ = nullptr;
};

} // namespace pw::settings
