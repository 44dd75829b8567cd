#pragma once

// Writes elements and attributes straight to text, byte for byte as pugixml's indented
// save (tab indent, default flags) writes the same nodes: each element starts on a new
// line at its depth, attributes follow as ` name="value"`, an element without children
// closes with " />". A large save builds its profiles this way instead of through
// hundreds of thousands of document nodes; the text parses back to the nodes it stands for.

#include "support/text.h"

#include <cstddef>
#include <string>
#include <vector>

namespace pw::settings::xml {

class XmlTextWriter {
  public:
    // Appends to out; the first element opened sits at depth (the number of tabs).
    XmlTextWriter(std::string& out, unsigned depth) : out_(out), baseDepth_(depth) {}

    void Open(const char* name);
    // Attributes go to the element opened last, before any child of it.
    void Int(const char* name, int value);
    void Bool(const char* name, bool value);
    // Null text is written as an empty value.
    void Text(const char* name, const Char* text);
    void Close();

  private:
    void EndStartTag();
    void NewLine(size_t depth);

    struct OpenElement {
        const char* name;
        bool hasChildren;
    };

    std::string& out_;
    unsigned baseDepth_;
    std::vector<OpenElement> open_;
    std::string scratch_;
};

// Appends value to out escaped as pugixml escapes an attribute value in double quotes.
void AppendEscapedAttribute(std::string& out, std::string_view value);

} // namespace pw::settings::xml
