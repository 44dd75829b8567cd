#pragma once

// The value rules of the settings and profile files, on top of pugixml (UTF-8 mode).
//
// Reading: booleans are true when the first character is 1, t, T, y or Y; integers are
// signed decimal or 0x-prefixed hexadecimal; strings are UTF-8 and become wide text. An
// absent attribute gives the caller's default.
// Writing: every write finds the attribute (or child) of that name and replaces its value,
// or appends it when missing, so a save edits an existing document in place.

#include "support/text.h"

#include <pugixml.hpp>

#include <cstddef>
#include <string>

namespace pw::settings::xml {

// Longest text kept from the file: paths, names and URLs live in buffers of 4096
// characters; keystroke texts may be longer.
inline constexpr size_t kMaxTextLength = 4095;
inline constexpr size_t kMaxKeystrokesLength = 32767;

inline bool ReadBool(const pugi::xml_attribute& attribute, bool fallback) {
    return attribute.as_bool(fallback);
}
inline int ReadInt(const pugi::xml_attribute& attribute, int fallback) {
    return attribute.as_int(fallback);
}

// The attribute's text as wide text, cut to limit characters (with a log line naming the
// element and attribute) when it is longer.
String ReadText(const pugi::xml_attribute& attribute, const pugi::xml_node& owner,
                size_t limit = kMaxTextLength);

// A time or count that must not be negative: a negative value is logged and replaced by
// fallback.
int ReadNonNegative(const pugi::xml_attribute& attribute, const pugi::xml_node& owner,
                    int fallback);
// A value that must lie in [low, high]: anything else is logged and replaced by fallback.
int ReadInRange(const pugi::xml_attribute& attribute, const pugi::xml_node& owner, int fallback,
                int low, int high);

// Logs that value of owner's attribute is outside what it may hold and that replacement
// is used instead.
void LogOutOfRange(const pugi::xml_node& owner, const char* attribute, long long value,
                   long long replacement);

// Looks attributes of one element up by name, starting each search after the attribute
// found last. Files written by this library keep the attributes in the order they are
// read, so each lookup is one comparison instead of a scan from the first attribute.
class AttributeReader {
  public:
    explicit AttributeReader(const pugi::xml_node& node)
        : node_(node), next_(node.first_attribute()) {}
    pugi::xml_attribute operator()(const char* name);
    const pugi::xml_node& Node() const { return node_; }

  private:
    pugi::xml_node node_;
    pugi::xml_attribute next_;
};

// Whether two NUL-terminated names are equal (inlined: these compare short names).
inline bool SameName(const char* a, const char* b) {
    while (*a && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b;
}

pugi::xml_node ChildOrAppend(pugi::xml_node& parent, const char* name);
pugi::xml_attribute AttributeOrAppend(pugi::xml_node& node, const char* name);

void WriteBool(pugi::xml_node& node, const char* name, bool value);
void WriteInt(pugi::xml_node& node, const char* name, int value);
// Null text is written as an empty value.
void WriteText(pugi::xml_node& node, const char* name, const Char* text);

// Writes the "version" child of root: build 0, revision 0, minor 14, major 2.
void WriteVersion(pugi::xml_node& root);

// The parser's description of a result, as wide text.
String Describe(const pugi::xml_parse_result& result);
// Wide text of an element's name for log lines.
String NodeName(const pugi::xml_node& node);

// Whether bytes form valid UTF-8.
bool IsValidUtf8(std::string_view bytes);

} // namespace pw::settings::xml
