#include "platform/text.h"

namespace pw {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendCodePoint(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

void AppendWide(String& out, char32_t cp) {
    if constexpr (sizeof(Char) == 2) {
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<Char>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<Char>(0xDC00 + (cp & 0x3FF)));
            return;
        }
    }
    out.push_back(static_cast<Char>(cp));
}

} // namespace

void AppendUtf8(std::string& out, StringView text) {
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t cp = static_cast<char32_t>(text[i]);
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
            continue;
        }
        if constexpr (sizeof(Char) == 2) {
            if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size()) {
                char32_t low = static_cast<char32_t>(text[i + 1]);
                if (low >= 0xDC00 && low <= 0xDFFF) {
                    cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                    ++i;
                }
            }
        }
        if ((cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF)
            cp = kReplacement;
        AppendCodePoint(out, cp);
    }
}

std::string ToUtf8(StringView text) {
    std::string out;
    out.reserve(text.size());
    AppendUtf8(out, text);
    return out;
}

String FromUtf8(std::string_view text) {
    // Settings text is almost all ASCII: a leading ASCII run is widened in one pass.
    size_t ascii = 0;
    while (ascii < text.size() && static_cast<unsigned char>(text[ascii]) < 0x80)
        ++ascii;
    String out(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(ascii));
    if (ascii == text.size())
        return out;
    out.reserve(text.size());
    size_t i = ascii;
    while (i < text.size()) {
        unsigned char lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            out.push_back(static_cast<Char>(lead));
            ++i;
            continue;
        }
        int extra = lead >= 0xF0 && lead < 0xF5 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC2 ? 1 : -1;
        if (lead >= 0xF5)
            extra = -1;
        if (extra < 0 || i + extra >= text.size()) {
            out.push_back(static_cast<Char>(kReplacement));
            ++i;
            continue;
        }
        char32_t cp = lead & (0x3F >> extra);
        bool valid = true;
        for (int k = 1; k <= extra; ++k) {
            unsigned char next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) {
                valid = false;
                break;
            }
            cp = (cp << 6) | (next & 0x3F);
        }
        static constexpr char32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
        if (!valid || cp < kMinimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            out.push_back(static_cast<Char>(kReplacement));
            ++i;
            continue;
        }
        AppendWide(out, cp);
        i += extra + 1;
    }
    return out;
}

size_t BoundedLength(const Char* text, size_t capacity) {
    if (!text)
        return 0;
    size_t n = 0;
    while (n < capacity && text[n])
        ++n;
    return n;
}

} // namespace pw
