#pragma once

// The value rules of the settings and profile files, on top of pugixml (UTF-8 mode).
//
// Reading: booleans are true when the first character is 1, t, T, y or Y; integers are
// signed decimal or 0x-prefixed hexadecimal; strings are UTF-8 and become wide text. An
// absent attribute gives the caller's default.
// Writing: every write finds the attribute (or child) of that name and replaces its value,
// or appends it when missing, so a save edits an existing document in place.

#include "settings/load_diagnostics.h"
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

// The same reads, telling diagnostics (when given) about text that is no boolean or no
// whole number; the value read is the same either way.
bool ReadBool(const pugi::xml_attribute& attribute, bool fallback, const pugi::xml_node& owner,
              LoadDiagnostics* diagnostics);
int ReadInt(const pugi::xml_attribute& attribute, int fallback, const pugi::xml_node& owner,
            LoadDiagnostics* diagnostics);

// The attribute's text as wide text, cut to limit characters (with a log line naming the
// element and attribute) when it is longer.
String ReadText(const pugi::xml_attribute& attribute, const pugi::xml_node& owner,
                size_t limit = kMaxTextLength, LoadDiagnostics* diagnostics = nullptr);
// The same for a value already taken from owner's attribute called name.
String ReadText(const char* value, const pugi::xml_node& owner, const char* name, size_t limit,
                LoadDiagnostics* diagnostics = nullptr);

// A time or count that must not be negative: a negative value is logged and replaced by
// fallback.
int ReadNonNegative(const pugi::xml_attribute& attribute, const pugi::xml_node& owner, int fallback,
                    LoadDiagnostics* diagnostics = nullptr);
// A value that must lie in [low, high]: anything else is logged and replaced by fallback.
int ReadInRange(const pugi::xml_attribute& attribute, const pugi::xml_node& owner, int fallback,
                int low, int high, LoadDiagnostics* diagnostics = nullptr);

// Logs that value of owner's attribute is outside what it may hold and that replacement
// is used instead, and tells diagnostics.
void LogOutOfRange(const pugi::xml_node& owner, const pugi::xml_attribute& attribute,
                   long long value, long long replacement, LoadDiagnostics* diagnostics);

// Tells diagnostics, when given, that attribute of owner was not taken as written.
void Tell(LoadDiagnostics* diagnostics, const pugi::xml_node& owner,
          const pugi::xml_attribute& attribute, ValueProblem problem, long long used);

// Looks attributes of one element up by name, starting each search after the attribute
// found last. Files written by this library keep the attributes in the order they are
// read, so each lookup is one comparison instead of a scan from the first attribute.
// The typed reads below pass diagnostics on to the read functions above.
class AttributeReader {
  public:
    explicit AttributeReader(const pugi::xml_node& node, LoadDiagnostics* diagnostics = nullptr)
        : node_(node), next_(node.first_attribute()), diagnostics_(diagnostics) {}
    pugi::xml_attribute operator()(const char* name);
    const pugi::xml_node& Node() const { return node_; }

    bool Bool(const char* name, bool fallback) {
        return ReadBool((*this)(name), fallback, node_, diagnostics_);
    }
    int Int(const char* name, int fallback) {
        return ReadInt((*this)(name), fallback, node_, diagnostics_);
    }
    int NonNegative(const char* name, int fallback) {
        return ReadNonNegative((*this)(name), node_, fallback, diagnostics_);
    }
    int InRange(const char* name, int fallback, int low, int high) {
        return ReadInRange((*this)(name), node_, fallback, low, high, diagnostics_);
    }
    String Text(const char* name) {
        return ReadText((*this)(name), node_, kMaxTextLength, diagnostics_);
    }

  private:
    pugi::xml_node node_;
    pugi::xml_attribute next_;
    LoadDiagnostics* diagnostics_ = nullptr;
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
