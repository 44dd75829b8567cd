#pragma once

// The system clipboard, shaped like its calls: a caller opens it, reads or replaces its
// content, and closes it again. While one program has it open, others cannot open it.

#include "platform/text.h"

#include <cstdint>
#include <vector>

namespace pw::platform {

// The clipboard's Unicode text format.
inline constexpr unsigned kCfUnicodeText = 13;

// One format of the clipboard's content, as the bytes of its memory block.
struct ClipboardFormat {
    unsigned format = 0;
    std::vector<uint8_t> bytes;
    String name; // the registered name; empty for a standard format
};

class Clipboard {
  public:
    virtual ~Clipboard() = default;
    // OpenClipboard with no owner window; false (last error set) when another program
    // holds it open.
    virtual bool Open() = 0;
    // CloseClipboard.
    virtual void Close() = 0;
    // The Unicode text of the open clipboard; false when it holds none.
    virtual bool ReadText(String& text) = 0;
    // The formats the open clipboard offers, in its order, with their names and without
    // their bytes: listing them asks no program to render anything.
    virtual std::vector<ClipboardFormat> ListFormats() = 0;
    // The bytes of one format of the open clipboard when its data is a memory block of at
    // most limit bytes; size is the block's size whenever there is one. False for data
    // held otherwise (bitmap handles and the like), for none, and for a larger block.
    virtual bool ReadFormat(unsigned format, size_t limit, std::vector<uint8_t>& bytes,
                            size_t& size) = 0;
    // EmptyClipboard, then SetClipboardData with a new moveable memory block for each
    // format; false (last error set) when any of it failed.
    virtual bool Replace(const std::vector<ClipboardFormat>& formats) = 0;
};

// Opens the clipboard for the lifetime of the object, when it can be opened.
class ScopedClipboard {
  public:
    explicit ScopedClipboard(Clipboard& clipboard) : clipboard_(clipboard) {
        open_ = clipboard_.Open();
    }
    ~ScopedClipboard() {
        if (open_)
            clipboard_.Close();
    }
    ScopedClipboard(const ScopedClipboard&) = delete;
    ScopedClipboard& operator=(const ScopedClipboard&) = delete;

    bool IsOpen() const { return open_; }

  private:
    Clipboard& clipboard_;
    bool open_ = false;
};

// The bytes of a Unicode text block, terminator included, as the clipboard keeps it.
std::vector<uint8_t> TextBlock(StringView text);
// The text of a Unicode text block, up to its first terminator.
String TextOfBlock(const std::vector<uint8_t>& bytes);

} // namespace pw::platform
