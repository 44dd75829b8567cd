#include "platform/win32/win32_api.h"

#include "platform/win32/win32_clipboard.h"

#include <cstring>

namespace pw::win32 {

namespace {

// Formats whose data is a handle of another kind than a memory block, or a block that
// holds such a handle.
bool IsMemoryBlockFormat(UINT format) {
    switch (format) {
    case CF_BITMAP:
    case CF_DSPBITMAP:
    case CF_ENHMETAFILE:
    case CF_DSPENHMETAFILE:
    case CF_METAFILEPICT:
    case CF_DSPMETAFILEPICT:
    case CF_PALETTE:
    case CF_OWNERDISPLAY:
        return false;
    default:
        return !(format >= CF_GDIOBJFIRST && format <= CF_GDIOBJLAST);
    }
}

// Copies a clipboard memory block; false when the format's data is not one.
bool CopyBlock(HANDLE data, std::vector<uint8_t>& bytes) {
    if (!data)
        return false;
    const SIZE_T size = ::GlobalSize(data);
    const void* source = ::GlobalLock(data);
    if (!source)
        return false;
    bytes.assign(static_cast<const uint8_t*>(source), static_cast<const uint8_t*>(source) + size);
    ::GlobalUnlock(data);
    return true;
}

} // namespace

bool Win32Clipboard::Open() {
    return ::OpenClipboard(nullptr) != FALSE;
}

void Win32Clipboard::Close() {
    ::CloseClipboard();
}

bool Win32Clipboard::ReadText(String& text) {
    if (!::IsClipboardFormatAvailable(CF_UNICODETEXT))
        return false;
    std::vector<uint8_t> bytes;
    if (!CopyBlock(::GetClipboardData(CF_UNICODETEXT), bytes))
        return false;
    text = platform::TextOfBlock(bytes);
    return true;
}

std::vector<platform::ClipboardFormat> Win32Clipboard::ReadAll() {
    std::vector<platform::ClipboardFormat> formats;
    for (UINT format = ::EnumClipboardFormats(0); format != 0;
         format = ::EnumClipboardFormats(format)) {
        // Text in other encodings and the locale are made again from the Unicode text.
        if (format == CF_TEXT || format == CF_OEMTEXT || format == CF_LOCALE ||
            !IsMemoryBlockFormat(format))
            continue;
        platform::ClipboardFormat saved{format, {}};
        if (CopyBlock(::GetClipboardData(format), saved.bytes))
            formats.push_back(std::move(saved));
    }
    return formats;
}

bool Win32Clipboard::Replace(const std::vector<platform::ClipboardFormat>& formats) {
    if (!::EmptyClipboard())
        return false;
    bool all = true;
    for (const platform::ClipboardFormat& format : formats) {
        HGLOBAL block =
            ::GlobalAlloc(GMEM_MOVEABLE, format.bytes.empty() ? 1 : format.bytes.size());
        if (!block) {
            all = false;
            continue;
        }
        if (void* target = ::GlobalLock(block)) {
            std::memcpy(target, format.bytes.data(), format.bytes.size());
            ::GlobalUnlock(block);
        }
        // The clipboard owns the block once it took it.
        if (!::SetClipboardData(format.format, block)) {
            ::GlobalFree(block);
            all = false;
        }
    }
    return all;
}

} // namespace pw::win32
