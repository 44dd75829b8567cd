#pragma once

// The heap strings of the settings model. Each string field owns a NUL-terminated copy
// allocated with new[]; null stands for "no string". ReplaceString and FreeString are
// the two routines behind every string setter; OwnedString wraps one field so that
// copying duplicates it and destruction frees it.

#include "support/text.h"

#include <utility>

namespace pw::settings {

// Replaces target by a fresh copy of source (lower-cased when asked), freeing the old
// string; a null source leaves target null. Source may alias target. Returns target.
Char* ReplaceString(Char*& target, const Char* source, bool lowerCase = false);
// The same for a source that is not NUL-terminated.
Char* ReplaceString(Char*& target, StringView source, bool lowerCase = false);
// Frees target and sets it null; returns null.
Char* FreeString(Char*& target);

// Lower-cases text in place with the C library's wide mapping.
void LowerCaseInPlace(Char* text);

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
