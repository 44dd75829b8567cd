#include "platform/clipboard.h"

#include <cstring>

namespace pw::platform {

std::vector<uint8_t> TextBlock(StringView text) {
    std::vector<uint8_t> bytes((text.size() + 1) * sizeof(Char), 0);
    std::memcpy(bytes.data(), text.data(), text.size() * sizeof(Char));
    return bytes;
}

String TextOfBlock(const std::vector<uint8_t>& bytes) {
    String text(bytes.size() / sizeof(Char), Char{0});
    std::memcpy(text.data(), bytes.data(), text.size() * sizeof(Char));
    const size_t end = text.find(Char{0});
    if (end != String::npos)
        text.resize(end);
    return text;
}

} // namespace pw::platform
