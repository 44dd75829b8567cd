#include "platform/win32/win32_api.h"

#include "platform/win32/module_handle.h"
#include "platform/win32/win32_cursors.h"

namespace pw::win32 {

HINSTANCE Win32Cursors::LibraryModule() {
    return ModuleHandle();
}

HICON Win32Cursors::LoadCursorResource(HINSTANCE module, unsigned resourceId) {
    return static_cast<HICON>(
        LoadImageW(module, MAKEINTRESOURCEW(resourceId), IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE));
}

bool Win32Cursors::DestroyCursor(HICON cursor) {
    return ::DestroyCursor(cursor) != FALSE;
}

bool Win32Cursors::ReplaceSystemCursor(HICON cursor, unsigned long systemId) {
    // SetSystemCursor destroys the cursor it is given, so it gets a copy.
    HCURSOR copy = CopyIcon(cursor);
    if (!copy)
        return false;
    if (SetSystemCursor(copy, systemId))
        return true;
    ::DestroyCursor(copy);
    return false;
}

} // namespace pw::win32
