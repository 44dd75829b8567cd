#include "settings/xml_text_writer.h"

#include <charconv>

namespace pw::settings::xml {

void AppendEscapedAttribute(std::string& out, std::string_view value) {
    size_t plainStart = 0;
    for (size_t i = 0; i < value.size(); ++i) {
        const auto c = static_cast<unsigned char>(value[i]);
        if (c >= 32 && c != '&' && c != '<' && c != '"')
            continue;
        out.append(value.data() + plainStart, i - plainStart);
        plainStart = i + 1;
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default: // a control character, as two decimal digits
            out += "&#";
            out += static_cast<char>('0' + c / 10);
            out += static_cast<char>('0' + c % 10);
            out += ';';
            break;
        }
    }
    out.append(value.data() + plainStart, value.size() - plainStart);
}

void XmlTextWriter::NewLine(size_t depth) {
    out_ += '\n';
    out_.append(baseDepth_ + depth, '\t');
}

void XmlTextWriter::EndStartTag() {
    if (open_.empty() || open_.back().hasChildren)
        return;
    open_.back().hasChildren = true;
    out_ += '>';
}

void XmlTextWriter::Open(const char* name) {
    EndStartTag();
    NewLine(open_.size());
    out_ += '<';
    out_ += name;
    open_.push_back({name, false});
}

void XmlTextWriter::Int(const char* name, int value) {
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out_ += ' ';
    out_ += name;
    out_ += "=\"";
    out_.append(digits, end);
    out_ += '"';
}

void XmlTextWriter::Bool(const char* name, bool value) {
    out_ += ' ';
    out_ += name;
    out_ += value ? "=\"true\"" : "=\"false\"";
}

void XmlTextWriter::Text(const char* name, const Char* text) {
    out_ += ' ';
    out_ += name;
    out_ += "=\"";
    if (text && text[0]) {
        scratch_.clear();
        AppendUtf8(scratch_, text);
        AppendEscapedAttribute(out_, scratch_);
    }
    out_ += '"';
}

void XmlTextWriter::Close() {
    if (open_.empty())
        return;
    const OpenElement element = open_.back();
    open_.pop_back();
    if (!element.hasChildren) {
        out_ += " />";
        return;
    }
    NewLine(open_.size());
    out_ += "</";
    out_ += element.name;
    out_ += '>';
}

} // namespace pw::settings::xml
