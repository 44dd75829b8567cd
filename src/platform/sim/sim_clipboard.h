#pragma once

#include "platform/clipboard.h"

#include <mutex>
#include <optional>

namespace pw::sim {

// An in-memory clipboard. A scenario fills it, holds it open as another program would,
// and sets the text selected in the window in front, which a Ctrl+C typed through the
// simulated input copies into it.
class SimClipboard final : public platform::Clipboard {
  public:
    bool Open() override;
    void Close() override;
    bool ReadText(String& text) override;
    std::vector<platform::ClipboardFormat> ListFormats() override;
    bool ReadFormat(unsigned format, size_t limit, std::vector<uint8_t>& bytes,
                    size_t& size) override;
    bool Replace(const std::vector<platform::ClipboardFormat>& formats) override;

    // The content as another program leaves it: text (the Unicode format) or none.
    void SetText(StringView text);
    void SetContent(std::vector<platform::ClipboardFormat> formats);
    void Clear();
    // The Unicode text; nothing when the clipboard holds no text.
    std::optional<String> Text() const;
    std::vector<platform::ClipboardFormat> Content() const;
    // Another program holds the clipboard open: Open fails with "access denied".
    void SetHeldByAnotherProgram(bool held);
    // Whether the library has it open now.
    bool IsOpen() const;
    // What Ctrl+C copies from the window in front; nothing copies nothing.
    void SetSelection(std::optional<String> text);
    // Ctrl+C in the window in front: the selection, when there is one, replaces the content.
    void CopySelection();
    // Counts every change of the content, as the system's clipboard sequence number.
    uint32_t SequenceNumber() const;
    // The formats whose bytes were asked for, oldest first: asking for one makes a program
    // that delays rendering render it.
    std::vector<unsigned> FormatsRead() const;

  private:
    mutable std::mutex mutex_;
    std::vector<platform::ClipboardFormat> content_;
    std::optional<String> selection_;
    bool held_ = false;
    bool open_ = false;
    uint32_t sequence_ = 0;
    std::vector<unsigned> formatsRead_;
};

} // namespace pw::sim
