#include "settings/xml_values.h"

#include "support/logger.h"
#include "support/version.h"

#include <cstdint>
#include <cstring>

namespace pw::settings::xml {

String NodeName(const pugi::xml_node& node) {
    return FromUtf8(node.name());
}

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsDigit(char c, bool hex) {
    if (c >= '0' && c <= '9')
        return true;
    return hex && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'));
}

// Whether text is one whole number in the 32-bit range: blanks, an optional sign, then
// decimal digits or "0x" and hexadecimal digits, then blanks. The integer conversion
// reads such text exactly; anything else it reads only in part, or as 0.
bool IsWholeNumber(const char* text) {
    const char* p = text;
    while (IsBlank(*p))
        ++p;
    bool negative = *p == '-';
    if (*p == '+' || *p == '-')
        ++p;
    bool hex = p[0] == '0' && (p[1] == 'x' || p[1] == 'X');
    if (hex)
        p += 2;
    long long value = 0;
    const char* digits = p;
    for (; IsDigit(*p, hex); ++p) {
        int digit = *p <= '9' ? *p - '0' : (*p | 0x20) - 'a' + 10;
        value = value * (hex ? 16 : 10) + digit;
        if (value > 0x100000000ll)
            return false;
    }
    if (p == digits)
        return false;
    while (IsBlank(*p))
        ++p;
    if (*p != 0)
        return false;
    if (negative)
        value = -value;
    // The integer conversion clamps anything larger to the 32-bit range.
    return value >= INT32_MIN && value <= INT32_MAX;
}

bool EqualsIgnoringCase(const char* text, const char* word) {
    for (; *word; ++text, ++word) {
        if ((*text | 0x20) != *word)
            return false;
    }
    return *text == 0;
}

// Whether text is a word that plainly says yes or no.
bool IsBooleanWord(const char* text) {
    for (const char* word : {"true", "false", "yes", "no", "1", "0", "t", "f", "y", "n"}) {
        if (EqualsIgnoringCase(text, word))
            return true;
    }
    return false;
}

} // namespace

void Tell(LoadDiagnostics* diagnostics, const pugi::xml_node& owner,
          const pugi::xml_attribute& attribute, ValueProblem problem, long long used) {
    if (!diagnostics)
        return;
    diagnostics->ValueNotTaken({owner, attribute.name(), attribute.value(), problem, used});
}

bool ReadBool(const pugi::xml_attribute& attribute, bool fallback, const pugi::xml_node& owner,
              LoadDiagnostics* diagnostics) {
    bool value = attribute.as_bool(fallback);
    if (diagnostics && attribute && !IsBooleanWord(attribute.value()))
        Tell(diagnostics, owner, attribute, ValueProblem::NotABoolean, value ? 1 : 0);
    return value;
}

int ReadInt(const pugi::xml_attribute& attribute, int fallback, const pugi::xml_node& owner,
            LoadDiagnostics* diagnostics) {
    int value = attribute.as_int(fallback);
    if (diagnostics && attribute && !IsWholeNumber(attribute.value()))
        Tell(diagnostics, owner, attribute, ValueProblem::NotANumber, value);
    return value;
}

String ReadText(const pugi::xml_attribute& attribute, const pugi::xml_node& owner, size_t limit,
                LoadDiagnostics* diagnostics) {
    return ReadText(attribute.value(), owner, attribute.name(), limit, diagnostics);
}

String ReadText(const char* value, const pugi::xml_node& owner, const char* name, size_t limit,
                LoadDiagnostics* diagnostics) {
    String text = FromUtf8(value ? value : "");
    if (text.size() > limit) {
        CLogger::LogMessage(L"Settings: The attribute '%ls' of <%ls> is %zu characters long; only "
                            L"the first %zu are kept.",
                            FromUtf8(name).c_str(), NodeName(owner).c_str(), text.size(), limit);
        if (diagnostics)
            diagnostics->ValueNotTaken(
                {owner, name, value, ValueProblem::TooLong, static_cast<long long>(limit)});
        text.resize(limit);
    }
    return text;
}

void LogOutOfRange(const pugi::xml_node& owner, const pugi::xml_attribute& attribute,
                   long long value, long long replacement, LoadDiagnostics* diagnostics) {
    CLogger::LogMessage(L"Settings: The attribute '%ls' of <%ls> has the out-of-range value %lld; "
                        L"using %lld.",
                        FromUtf8(attribute.name()).c_str(), NodeName(owner).c_str(), value,
                        replacement);
    Tell(diagnostics, owner, attribute, ValueProblem::OutOfRange, replacement);
}

int ReadNonNegative(const pugi::xml_attribute& attribute, const pugi::xml_node& owner, int fallback,
                    LoadDiagnostics* diagnostics) {
    int value = ReadInt(attribute, fallback, owner, diagnostics);
    if (value >= 0)
        return value;
    LogOutOfRange(owner, attribute, value, fallback, diagnostics);
    return fallback;
}

int ReadInRange(const pugi::xml_attribute& attribute, const pugi::xml_node& owner, int fallback,
                int low, int high, LoadDiagnostics* diagnostics) {
    int value = ReadInt(attribute, fallback, owner, diagnostics);
    if (value >= low && value <= high)
        return value;
    LogOutOfRange(owner, attribute, value, fallback, diagnostics);
    return fallback;
}

pugi::xml_attribute AttributeReader::operator()(const char* name) {
    for (pugi::xml_attribute attribute = next_; attribute; attribute = attribute.next_attribute()) {
        if (SameName(attribute.name(), name)) {
            next_ = attribute.next_attribute();
            return attribute;
        }
    }
    for (pugi::xml_attribute attribute = node_.first_attribute(); attribute && attribute != next_;
         attribute = attribute.next_attribute()) {
        if (SameName(attribute.name(), name)) {
            next_ = attribute.next_attribute();
            return attribute;
        }
    }
    return {};
}

pugi::xml_node ChildOrAppend(pugi::xml_node& parent, const char* name) {
    pugi::xml_node child = parent.child(name);
    return child ? child : parent.append_child(name);
}

pugi::xml_attribute AttributeOrAppend(pugi::xml_node& node, const char* name) {
    pugi::xml_attribute attribute = node.attribute(name);
    return attribute ? attribute : node.append_attribute(name);
}

namespace {

void SetText(pugi::xml_attribute attribute, const Char* text) {
    if (!text || !text[0]) {
        attribute.set_value("");
        return;
    }
    attribute.set_value(ToUtf8(text).c_str());
}

} // namespace

void WriteBool(pugi::xml_node& node, const char* name, bool value) {
    AttributeOrAppend(node, name).set_value(value ? "true" : "false");
}

void WriteInt(pugi::xml_node& node, const char* name, int value) {
    AttributeOrAppend(node, name).set_value(value);
}

void WriteText(pugi::xml_node& node, const char* name, const Char* text) {
    SetText(AttributeOrAppend(node, name), text);
}

void WriteVersion(pugi::xml_node& root) {
    pugi::xml_node version = ChildOrAppend(root, "version");
    // The library's version, as its version resource shows it: major.minor.build.revision.
    WriteInt(version, "build", PALLAWICK_VERSION_PATCH);
    WriteInt(version, "revision", PALLAWICK_VERSION_TWEAK);
    WriteInt(version, "minor", PALLAWICK_VERSION_MINOR);
    WriteInt(version, "major", PALLAWICK_VERSION_MAJOR);
}

String Describe(const pugi::xml_parse_result& result) {
    return FromUtf8(result.description());
}

bool IsValidUtf8(std::string_view bytes) {
    size_t i = 0;
    const size_t n = bytes.size();
    while (i < n) {
        // Settings files are almost all ASCII: skip it 32 bytes at a time, then eight.
        uint64_t blocks[4];
        while (i + sizeof blocks <= n) {
            std::memcpy(blocks, bytes.data() + i, sizeof blocks);
            if (((blocks[0] | blocks[1] | blocks[2] | blocks[3]) & 0x8080808080808080ull) != 0)
                break;
            i += sizeof blocks;
        }
        uint64_t block = 0;
        while (i + sizeof block <= n) {
            std::memcpy(&block, bytes.data() + i, sizeof block);
            if ((block & 0x8080808080808080ull) != 0)
                break;
            i += sizeof block;
        }
        if (i >= n)
            break;
        auto c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        size_t extra = 0;
        uint32_t code = 0;
        if ((c & 0xE0) == 0xC0) {
            extra = 1;
            code = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2;
            code = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3;
            code = c & 0x07;
        } else {
            return false;
        }
        if (i + extra >= n)
            return false;
        for (size_t k = 1; k <= extra; ++k) {
            auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (next & 0x3F);
        }
        static constexpr uint32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
        if (code < kSmallest[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

} // namespace pw::settings::xml
