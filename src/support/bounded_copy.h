#pragma once

#include "support/text.h"

#include <cstddef>

namespace pw {

inline constexpr int kCopyInvalid = 22; // EINVAL
inline constexpr int kCopyRange = 34;   // ERANGE

// Copies source with its terminator into dest of capacity characters. A source that does
// not fit (or a null argument) leaves dest empty, is reported as an invalid parameter and
// returns kCopyRange (kCopyInvalid); success returns 0.
int CopyString(Char* dest, size_t capacity, const Char* source);
int CopyString(Char* dest, size_t capacity, StringView source);
// Appends source to the string in dest, with the same rules.
int AppendString(Char* dest, size_t capacity, StringView source);

} // namespace pw
