#pragma once

// What a settings load tells a checker about values it could not take as written. The
// load passes each such value to an optional sink; without a sink it only logs, as before.

#include <pugixml.hpp>

namespace pw::settings {

enum class ValueProblem {
    OutOfRange,   // a number outside what the setting may hold; `used` replaced it
    Ignored,      // a number outside what the setting may hold; the setting is not read
    NotANumber,   // text that is no whole number; the integer conversion read `used`
    NotABoolean,  // text that is no yes/no word; its first character decided `used`
    UnknownValue, // a number that names nothing; kept as read and ignored when used
    TooLong,      // text cut to `used` characters
};

struct ValueNote {
    pugi::xml_node element; // the element holding the attribute
    const char* attribute = "";
    const char* text = ""; // the value as written
    ValueProblem problem = ValueProblem::OutOfRange;
    long long used = 0;
};

class LoadDiagnostics {
  public:
    virtual ~LoadDiagnostics() = default;
    virtual void ValueNotTaken(const ValueNote& note) = 0;
};

} // namespace pw::settings
