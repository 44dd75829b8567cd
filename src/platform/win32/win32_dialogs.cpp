#include "platform/win32/win32_api.h"

#include "platform/win32/win32_dialogs.h"

namespace pw::win32 {

int Win32Dialogs::MessageBox(HWND owner, const Char* text, const Char* caption,
                             unsigned int style) {
    return MessageBoxW(owner, text ? text : L"", caption, style);
}

} // namespace pw::win32
