#include "support/format.h"

#include <cwchar>
#include <stdio.h>

namespace pw {

int FormatV(Char* buffer, size_t capacity, const Char* format, va_list args) {
    if (!buffer || capacity == 0)
        return -1;
    buffer[0] = 0;
    if (!format)
        return -1;
#if defined(_WIN32)
    // The runtime's own formatter, where "%s" and "%ls" both take wide strings.
    int n = _vsnwprintf(buffer, capacity, format, args);
    if (n < 0 || static_cast<size_t>(n) >= capacity) {
        buffer[0] = 0;
        return -1;
    }
#else
    int n = std::vswprintf(buffer, capacity, format, args);
    if (n < 0) {
        buffer[0] = 0;
        return -1;
    }
#endif
    return n;
}

int Format(Char* buffer, size_t capacity, const Char* format, ...) {
    va_list args;
    va_start(args, format);
    int n = FormatV(buffer, capacity, format, args);
    va_end(args);
    return n;
}

} // namespace pw
