#pragma once

// Results of the C interface: the return codes, the calling thread's last error text,
// and copying text out to a caller's buffer with the library's length protocol.

#include "capi/pallawick_c.h"
#include "support/text.h"

namespace pw::capi {

// Records text as the thread's last error and returns code.
int Fail(int code, StringView text);
// Clears the thread's last error and returns PWC_OK.
int Succeed();
// The thread's last error text.
StringView LastError();

// Copies text to buffer (capacity *length characters, terminator included) and sets
// *length to its length: PWC_OK, or PWC_MORE_DATA when buffer is null or too small.
int CopyOut(StringView text, Char* buffer, int* length);

// Runs body, turning an exception into PWC_FAILED: no C++ exception leaves the DLL.
template <typename Body> int Guarded(Body body) {
    try {
        return body();
    } catch (...) {
        return Fail(PWC_FAILED, L"internal error");
    }
}

} // namespace pw::capi
