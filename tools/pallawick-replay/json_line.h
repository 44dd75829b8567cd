#pragma once

// A small writer for one JSON object per line.

#include <cstdint>
#include <string>
#include <string_view>

namespace pw::replay {

class JsonObject {
  public:
    JsonObject& Field(std::string_view name, std::string_view text);
    JsonObject& Field(std::string_view name, const char* text) {
        return Field(name, std::string_view(text));
    }
    JsonObject& Field(std::string_view name, int64_t number);
    JsonObject& Field(std::string_view name, int number) {
        return Field(name, static_cast<int64_t>(number));
    }
    JsonObject& Field(std::string_view name, uint32_t number) {
        return Field(name, static_cast<int64_t>(number));
    }
    JsonObject& Field(std::string_view name, bool value);
    // A value already written as JSON (an array or object).
    JsonObject& RawField(std::string_view name, std::string_view json);
    std::string Finish() const { return text_ + "}"; }

  private:
    void Name(std::string_view name);
    std::string text_ = "{";
};

// Appends text as a JSON string literal.
void AppendJsonString(std::string& out, std::string_view text);

} // namespace pw::replay
