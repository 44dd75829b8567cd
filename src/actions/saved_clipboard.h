#pragma once

// The user's clipboard, kept while the web search borrows the clipboard for the copy of
// the selection, and put back afterwards. Only what can live on in another program is
// kept: the Unicode text always, other formats held in memory blocks up to a total limit.

#include "platform/clipboard.h"

#include <vector>

namespace pw::actions {

// The most bytes kept beside the text.
inline constexpr size_t kSavedClipboardLimit = 16 * 1024 * 1024;

struct SavedClipboard {
    std::vector<platform::ClipboardFormat> formats;
    String text;
};

// Reads the open clipboard. Left out: the text formats the system makes from the Unicode
// text, handles of other kinds, private and display formats, the formats of object
// linking and embedding, and what would pass the limit (each logged).
SavedClipboard SaveClipboard(platform::Clipboard& clipboard);

} // namespace pw::actions
