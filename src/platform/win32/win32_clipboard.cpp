#include "platform/win32/win32_api.h"

#include "platform/win32/win32_clipboard.h"

#include <cstdint>
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

// Copies a clipboard memory block of at most limit bytes; false when the format's data is
// not one or is larger.
bool CopyBlock(HANDLE data, std::vector<uint8_t>& bytes, size_t limit = SIZE_MAX,
               size_t* blockSize = nullptr) {
    if (!data)
        return false;
    const SIZE_T size = ::GlobalSize(data);
    if (blockSize)
        *blockSize = size;
    if (size > limit)
        return false;
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

std::vector<platform::ClipboardFormat> Win32Clipboard::ListFormats() {
    std::vector<platform::ClipboardFormat> formats;
    for (UINT format = ::EnumClipboardFormats(0); format != 0;
         format = ::EnumClipboardFormats(format)) {
        platform::ClipboardFormat listed{format, {}, {}};
        wchar_t name[256] = {};
        const int length = ::GetClipboardFormatNameW(format, name, 256);
        if (length > 0)
            listed.name.assign(name, static_cast<size_t>(length));
        formats.push_back(std::move(listed));
    }
    return formats;
}

bool Win32Clipboard::ReadFormat(unsigned format, size_t limit, std::vector<uint8_t>& bytes,
                                size_t& size) {
    size = 0;
    if (!IsMemoryBlockFormat(format))
        return false;
    return CopyBlock(::GetClipboardData(format), bytes, limit, &size);
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
