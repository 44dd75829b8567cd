#include "json_line.h"

#include <cstdio>

namespace pw::replay {

void AppendJsonString(std::string& out, std::string_view text) {
    out += '"';
    for (unsigned char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                out += escaped;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    out += '"';
}

void JsonObject::Name(std::string_view name) {
    if (text_.size() > 1)
        text_ += ',';
    AppendJsonString(text_, name);
    text_ += ':';
}

JsonObject& JsonObject::Field(std::string_view name, std::string_view text) {
    Name(name);
    AppendJsonString(text_, text);
    return *this;
}

JsonObject& JsonObject::Field(std::string_view name, int64_t number) {
    Name(name);
    text_ += std::to_string(number);
    return *this;
}

JsonObject& JsonObject::Field(std::string_view name, bool value) {
    Name(name);
    text_ += value ? "true" : "false";
    return *this;
}

JsonObject& JsonObject::RawField(std::string_view name, std::string_view json) {
    Name(name);
    text_ += json;
    return *this;
}

} // namespace pw::replay
