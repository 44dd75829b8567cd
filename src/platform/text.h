#pragma once

// The library's one text type. Wide characters are UTF-16 on Windows and UTF-32 on
// Linux; the core never depends on the width, only on this alias.

#include <string>
#include <string_view>

using Char = wchar_t;
using String = std::wstring;
using StringView = std::wstring_view;

namespace pw {

// UTF-8 <-> wide conversions for files and the XML layer. Invalid sequences become U+FFFD.
std::string ToUtf8(StringView text);
String FromUtf8(std::string_view text);

// Length of a NUL-terminated wide string bounded by capacity; 0 for null.
size_t BoundedLength(const Char* text, size_t capacity);

} // namespace pw
