#include "capi/result.h"

#include <cwchar>

namespace pw::capi {

namespace {

// Each thread sees its own last error, as with the system's GetLastError.
String& LastErrorText() {
    thread_local String text;
    return text;
}

} // namespace

int Fail(int code, StringView text) {
    LastErrorText().assign(text);
    return code;
}

int Succeed() {
    LastErrorText().clear();
    return PWC_OK;
}

StringView LastError() {
    return LastErrorText();
}

int CopyOut(StringView text, Char* buffer, int* length) {
    if (!length)
        return Fail(PWC_INVALID_ARGUMENT, L"no length given");
    int n = static_cast<int>(text.size());
    if (!buffer || *length < n) {
        *length = n;
        return PWC_MORE_DATA;
    }
    std::wmemcpy(buffer, text.data(), text.size());
    // A buffer of exactly n characters gets the text without its terminator, as
    // GetCurrentProcessName does.
    if (*length > n)
        buffer[n] = 0;
    *length = n;
    return PWC_OK;
}

} // namespace pw::capi

PWC_API int PWC_CALL PwcLastError(wchar_t* buffer, int* length) {
    return pw::capi::CopyOut(pw::capi::LastError(), buffer, length);
}
