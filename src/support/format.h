#pragma once

#include "support/text.h"

#include <cstdarg>
#include <cstddef>

namespace pw {

// printf-style formatting into a fixed wide buffer of capacity characters (terminator
// included). Returns the length written, or -1 when the text does not fit or the format
// is bad; the buffer then holds an empty string.
int FormatV(Char* buffer, size_t capacity, const Char* format, va_list args);
int Format(Char* buffer, size_t capacity, const Char* format, ...);

} // namespace pw
