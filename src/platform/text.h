#pragma once

// The text type (platform/text_types.h) and its conversions.

#include "platform/text_types.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace pw {

// UTF-8 <-> wide conversions for files and the XML layer. Invalid sequences become U+FFFD.
std::string ToUtf8(StringView text);
// Appends text's UTF-8 form to out.
void AppendUtf8(std::string& out, StringView text);
String FromUtf8(std::string_view text);

// Length of a NUL-terminated wide string bounded by capacity; 0 for null.
size_t BoundedLength(const Char* text, size_t capacity);

} // namespace pw
