#pragma once

// The library's one text type. Wide characters are UTF-16 on Windows and UTF-32 on
// Linux; the core never depends on the width, only on these aliases.

#include <string>
#include <string_view>

using Char = wchar_t;
using String = std::wstring;
using StringView = std::wstring_view;
