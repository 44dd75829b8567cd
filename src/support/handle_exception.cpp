#include "support/exception_handler.h"

#include "support/format.h"
#include "support/logger.h"

#include <cstdarg>

void pw::handle_exception(const Char* format, ...) {
    Char context[CLogger::kMaxLine] = {};
    va_list args;
    va_start(args, format);
    int length = pw::FormatV(context, CLogger::kMaxLine, format, args);
    va_end(args);
    // An unformattable context still names the place, as far as it fits.
    if (length < 0 && format) {
        size_t n = 0;
        while (n + 1 < CLogger::kMaxLine && format[n]) {
            context[n] = format[n];
            ++n;
        }
        context[n] = 0;
    }
    CLogger::LogMessage(L"Caught an exception in %ls...\n", context);
    throw;
}
