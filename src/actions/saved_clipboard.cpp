#include "actions/saved_clipboard.h"

#include "support/logger.h"
#include "support/text_compare.h"

namespace pw::actions {

namespace {

// Standard formats.
constexpr unsigned kCfText = 1;
constexpr unsigned kCfBitmap = 2;
constexpr unsigned kCfMetafilePict = 3;
constexpr unsigned kCfOemText = 7;
constexpr unsigned kCfPalette = 9;
constexpr unsigned kCfEnhMetafile = 14;
constexpr unsigned kCfLocale = 16;
// Display formats, private formats and GDI object formats: ranges of their own.
constexpr unsigned kCfOwnerDisplay = 0x80;
constexpr unsigned kCfDspLast = 0x8E;
constexpr unsigned kCfPrivateFirst = 0x200;
constexpr unsigned kCfGdiObjLast = 0x3FF;

// Object linking and embedding: data objects and descriptions of them that only mean
// something to the program that put them there, and that it often renders on demand.
constexpr StringView kObjectFormats[] = {
    L"DataObject",   L"Ole Private Data", L"Object Descriptor", L"Link Source Descriptor",
    L"Embed Source", L"Link Source",      L"Embedded Object",   L"OwnerLink",
    L"ObjectLink",   L"Native",
};

// Why a format is not kept, or null when it is.
const Char* Skipped(const platform::ClipboardFormat& format) {
    switch (format.format) {
    case kCfText:
    case kCfOemText:
    case kCfLocale:
        return L"made again from the Unicode text";
    case kCfBitmap:
    case kCfMetafilePict:
    case kCfPalette:
    case kCfEnhMetafile:
        return L"a handle, not a memory block";
    default:
        break;
    }
    if (format.format >= kCfOwnerDisplay && format.format <= kCfDspLast)
        return L"a display format";
    // CF_PRIVATEFIRST to CF_PRIVATELAST and CF_GDIOBJFIRST to CF_GDIOBJLAST.
    if (format.format >= kCfPrivateFirst && format.format <= kCfGdiObjLast)
        return L"a private or GDI object format";
    for (StringView name : kObjectFormats)
        if (EqualsIgnoringCase(format.name, name))
            return L"an object linking and embedding format";
    return nullptr;
}

} // namespace

SavedClipboard SaveClipboard(platform::Clipboard& clipboard) {
    SavedClipboard saved;
    clipboard.ReadText(saved.text);
    size_t budget = kSavedClipboardLimit;
    for (platform::ClipboardFormat& format : clipboard.ListFormats()) {
        if (const Char* why = Skipped(format)) {
            CLogger::LogDebug(L"SearchThread: Clipboard format %u '%ls' is not kept: %ls.",
                              format.format, format.name.c_str(), why);
            continue;
        }
        // The user's text is kept whatever its size.
        const bool text = format.format == platform::kCfUnicodeText;
        size_t size = 0;
        if (clipboard.ReadFormat(format.format, text ? SIZE_MAX : budget, format.bytes, size)) {
            if (!text)
                budget -= format.bytes.size();
            saved.formats.push_back(std::move(format));
        } else if (size > budget) {
            CLogger::LogMessage(L"SearchThread: Clipboard format %u '%ls' of %zu bytes is not "
                                L"kept: the clipboard's formats pass %zu MB.",
                                format.format, format.name.c_str(), size,
                                kSavedClipboardLimit / (1024 * 1024));
        }
    }
    return saved;
}

} // namespace pw::actions
