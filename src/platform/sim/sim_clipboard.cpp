#include "platform/sim/sim_clipboard.h"

#include "platform/platform.h"

namespace pw::sim {

using platform::ClipboardFormat;

bool SimClipboard::Open() {
    std::lock_guard lock(mutex_);
    if (held_ || open_) {
        platform::GetDiagnostics().SetLastError(platform::kErrorAccessDenied);
        return false;
    }
    open_ = true;
    return true;
}

void SimClipboard::Close() {
    std::lock_guard lock(mutex_);
    open_ = false;
}

bool SimClipboard::ReadText(String& text) {
    std::lock_guard lock(mutex_);
    for (const ClipboardFormat& format : content_) {
        if (format.format == platform::kCfUnicodeText) {
            text = platform::TextOfBlock(format.bytes);
            return true;
        }
    }
    return false;
}

std::vector<ClipboardFormat> SimClipboard::ListFormats() {
    std::lock_guard lock(mutex_);
    std::vector<ClipboardFormat> formats;
    for (const ClipboardFormat& format : content_)
        formats.push_back({format.format, {}, format.name});
    return formats;
}

bool SimClipboard::ReadFormat(unsigned format, size_t limit, std::vector<uint8_t>& bytes,
                              size_t& size) {
    std::lock_guard lock(mutex_);
    size = 0;
    formatsRead_.push_back(format);
    for (const ClipboardFormat& held : content_) {
        if (held.format != format)
            continue;
        size = held.bytes.size();
        if (size > limit)
            return false;
        bytes = held.bytes;
        return true;
    }
    return false;
}

std::vector<unsigned> SimClipboard::FormatsRead() const {
    std::lock_guard lock(mutex_);
    return formatsRead_;
}

bool SimClipboard::Replace(const std::vector<ClipboardFormat>& formats) {
    std::lock_guard lock(mutex_);
    if (!open_) {
        platform::GetDiagnostics().SetLastError(platform::kErrorAccessDenied);
        return false;
    }
    content_ = formats;
    ++sequence_;
    return true;
}

void SimClipboard::SetText(StringView text) {
    SetContent({ClipboardFormat{platform::kCfUnicodeText, platform::TextBlock(text), {}}});
}

void SimClipboard::SetContent(std::vector<ClipboardFormat> formats) {
    std::lock_guard lock(mutex_);
    content_ = std::move(formats);
    ++sequence_;
}

void SimClipboard::Clear() {
    SetContent({});
}

std::optional<String> SimClipboard::Text() const {
    std::lock_guard lock(mutex_);
    for (const ClipboardFormat& format : content_)
        if (format.format == platform::kCfUnicodeText)
            return platform::TextOfBlock(format.bytes);
    return std::nullopt;
}

std::vector<ClipboardFormat> SimClipboard::Content() const {
    std::lock_guard lock(mutex_);
    return content_;
}

void SimClipboard::SetHeldByAnotherProgram(bool held) {
    std::lock_guard lock(mutex_);
    held_ = held;
}

bool SimClipboard::IsOpen() const {
    std::lock_guard lock(mutex_);
    return open_;
}

void SimClipboard::SetSelection(std::optional<String> text) {
    std::lock_guard lock(mutex_);
    selection_ = std::move(text);
}

void SimClipboard::CopySelection() {
    std::lock_guard lock(mutex_);
    if (!selection_)
        return;
    content_ = {ClipboardFormat{platform::kCfUnicodeText, platform::TextBlock(*selection_), {}}};
    ++sequence_;
}

uint32_t SimClipboard::SequenceNumber() const {
    std::lock_guard lock(mutex_);
    return sequence_;
}

} // namespace pw::sim
