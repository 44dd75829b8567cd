#include "scenario.h"

#include <charconv>
#include <limits>
#include <map>

namespace pw::replay {

namespace {

struct LineError {
    std::string message;
};

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// Splits on blanks; a double-quoted part (with \" and \\ escapes) may hold blanks.
std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    bool quoted = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '\\' && i + 1 < text.size() && (text[i + 1] == '"' || text[i + 1] == '\\')) {
                word += text[++i];
            } else if (c == '"') {
                quoted = false;
            } else {
                word += c;
            }
            continue;
        }
        if (c == ' ' || c == '\t') {
            if (inWord)
                words.push_back(std::move(word));
            word.clear();
            inWord = false;
            continue;
        }
        inWord = true;
        if (c == '"')
            quoted = true;
        else
            word += c;
    }
    if (quoted)
        throw LineError{"unterminated quoted value"};
    if (inWord)
        words.push_back(std::move(word));
    return words;
}

template <typename T> T Number(const std::string& text, const char* what) {
    T value{};
    const char* begin = text.data();
    const char* end = begin + text.size();
    if (!text.empty() && *begin == '+')
        ++begin;
    auto [ptr, ec] = std::from_chars(begin, end, value);
    if (text.empty() || ec != std::errc() || ptr != end)
        throw LineError{std::string("bad ") + what + " '" + text + "'"};
    return value;
}

Button ParseButton(const std::string& name) {
    static const std::map<std::string, Button> kButtons = {{"Left", Button::Left},
                                                           {"Right", Button::Right},
                                                           {"Middle", Button::Middle},
                                                           {"XLeft", Button::XLeft},
                                                           {"XRight", Button::XRight}};
    auto it = kButtons.find(name);
    if (it == kButtons.end())
        throw LineError{"unknown button '" + name + "' (Left Right Middle XLeft XRight)"};
    return it->second;
}

void ExpectCount(const std::vector<std::string>& words, size_t count, const char* usage) {
    if (words.size() != count)
        throw LineError{std::string("expected: ") + usage};
}

void ParseRect(const std::string& text, WindowSpec& window) {
    long parts[4];
    size_t start = 0;
    for (int i = 0; i < 4; ++i) {
        const size_t comma = text.find(',', start);
        const bool last = i == 3;
        if (last != (comma == std::string::npos))
            throw LineError{"rect must be X,Y,W,H"};
        parts[i] = Number<long>(text.substr(start, last ? std::string::npos : comma - start),
                                "rect value");
        start = comma + 1;
    }
    if (parts[2] <= 0 || parts[3] <= 0)
        throw LineError{"rect width and height must be positive"};
    window.x = parts[0];
    window.y = parts[1];
    window.width = parts[2];
    window.height = parts[3];
}

unsigned long Hex(const std::string& text, const char* what) {
    std::string digits = text;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X'))
        digits = digits.substr(2);
    unsigned long value = 0;
    const char* end = digits.data() + digits.size();
    auto [ptr, ec] = std::from_chars(digits.data(), end, value, 16);
    if (digits.empty() || ec != std::errc() || ptr != end || value > 0xFFFFFFFFul)
        throw LineError{std::string("bad ") + what + " '" + text + "' (hexadecimal)"};
    return value;
}

ScrollBarSpec ParseScrollBar(const std::string& text, const std::string& name) {
    const size_t first = text.find(',');
    const size_t second = first == std::string::npos ? first : text.find(',', first + 1);
    if (second == std::string::npos || text.find(',', second + 1) != std::string::npos)
        throw LineError{name + " must be MIN,MAX,POS"};
    ScrollBarSpec bar;
    bar.min = Number<int>(text.substr(0, first), "scroll bar value");
    bar.max = Number<int>(text.substr(first + 1, second - first - 1), "scroll bar value");
    bar.pos = Number<int>(text.substr(second + 1), "scroll bar value");
    if (bar.min > bar.max || bar.pos < bar.min || bar.pos > bar.max)
        throw LineError{name + " needs MIN <= POS <= MAX"};
    return bar;
}

unsigned long ParseIntegrity(const std::string& text) {
    static const std::map<std::string, unsigned long> kLevels = {{"untrusted", 0x0},
                                                                 {"low", 0x1000},
                                                                 {"medium", 0x2000},
                                                                 {"high", 0x3000},
                                                                 {"system", 0x4000}};
    auto it = kLevels.find(text);
    return it != kLevels.end() ? it->second : Hex(text, "integrity");
}

void ParseWindow(const std::vector<std::string>& words, Step& step) {
    if (words.size() < 2)
        throw LineError{"expected: window ID process=NAME class=CLASS caption=\"TEXT\" "
                        "[parent=ID] rect=X,Y,W,H [dpi=N] [style=HEX] [exstyle=HEX] "
                        "[vscroll|hscroll|vbar|hbar=MIN,MAX,POS] [integrity=LEVEL]"};
    WindowSpec& window = step.window;
    window.id = words[1];
    bool hasRect = false;
    for (size_t i = 2; i < words.size(); ++i) {
        const std::string& word = words[i];
        const size_t equals = word.find('=');
        if (equals == std::string::npos)
            throw LineError{"expected NAME=VALUE, got '" + word + "'"};
        const std::string name = word.substr(0, equals);
        const std::string value = word.substr(equals + 1);
        if (name == "process") {
            window.process = value;
        } else if (name == "class") {
            window.className = value;
        } else if (name == "caption") {
            window.caption = value;
        } else if (name == "parent") {
            window.parent = value;
        } else if (name == "rect") {
            ParseRect(value, window);
            hasRect = true;
        } else if (name == "dpi") {
            window.dpi = Number<unsigned>(value, "dpi");
            if (window.dpi == 0)
                throw LineError{"dpi must be positive"};
        } else if (name == "style") {
            window.style = Hex(value, "style");
        } else if (name == "exstyle") {
            window.exStyle = Hex(value, "exstyle");
        } else if (name == "vscroll") {
            window.vscroll = ParseScrollBar(value, name);
        } else if (name == "hscroll") {
            window.hscroll = ParseScrollBar(value, name);
        } else if (name == "vbar") {
            window.vbar = ParseScrollBar(value, name);
        } else if (name == "hbar") {
            window.hbar = ParseScrollBar(value, name);
        } else if (name == "integrity") {
            window.integrity = ParseIntegrity(value);
        } else {
            throw LineError{"unknown window attribute '" + name + "'"};
        }
    }
    if (!hasRect)
        throw LineError{"window needs rect=X,Y,W,H"};
    if (window.process.empty() && window.parent.empty())
        throw LineError{"a top-level window needs process=NAME"};
    if (window.integrity && window.process.empty())
        throw LineError{"integrity belongs to a window with process=NAME"};
    if (window.vbar && window.hbar)
        throw LineError{"a scroll-bar control is either vbar or hbar"};
}

Step ParseLine(const std::string& text) {
    const std::vector<std::string> words = Words(text);
    Step step;
    const std::string& verb = words[0];
    if (verb == "window") {
        step.kind = StepKind::Window;
        ParseWindow(words, step);
    } else if (verb == "foreground" || verb == "close") {
        ExpectCount(words, 2, verb == "close" ? "close ID" : "foreground ID");
        step.kind = verb == "close" ? StepKind::Close : StepKind::Foreground;
        step.target = words[1];
    } else if (verb == "move") {
        ExpectCount(words, 3, "move X Y");
        step.kind = StepKind::Move;
        step.x = Number<long>(words[1], "x");
        step.y = Number<long>(words[2], "y");
    } else if (verb == "down" || verb == "up" || verb == "dblclick") {
        ExpectCount(words, 2, "down|up|dblclick BUTTON");
        step.kind = verb == "down" ? StepKind::Down
                    : verb == "up" ? StepKind::Up
                                   : StepKind::DoubleClick;
        step.button = ParseButton(words[1]);
    } else if (verb == "wheel" || verb == "tilt") {
        ExpectCount(words, 2, "wheel|tilt DELTA");
        step.kind = verb == "wheel" ? StepKind::Wheel : StepKind::Tilt;
        step.delta = Number<int>(words[1], "delta");
        if (step.delta < std::numeric_limits<int16_t>::min() ||
            step.delta > std::numeric_limits<int16_t>::max())
            throw LineError{"delta must fit in 16 bits (-32768 to 32767)"};
    } else if (verb == "key") {
        ExpectCount(words, 3, "key down|up VK");
        if (words[1] != "down" && words[1] != "up")
            throw LineError{"expected: key down|up VK"};
        step.kind = StepKind::Key;
        step.keyUp = words[1] == "up";
        step.virtualKey = Number<int>(words[2], "virtual key");
        if (step.virtualKey < 1 || step.virtualKey > 254)
            throw LineError{"virtual key must be 1 to 254"};
    } else if (verb == "clipboard" || verb == "select") {
        if (words.size() > 2)
            throw LineError{"expected: " + verb + " [\"TEXT\"]"};
        step.kind = verb == "clipboard" ? StepKind::Clipboard : StepKind::Selection;
        if (words.size() == 2)
            step.content = words[1];
    } else if (verb == "brightness") {
        ExpectCount(words, 2, "brightness PERCENT");
        step.kind = StepKind::Brightness;
        step.level = Number<int>(words[1], "brightness");
        if (step.level < 0 || step.level > 100)
            throw LineError{"brightness must be 0 to 100"};
    } else if (verb == "caption") {
        ExpectCount(words, 3, "caption ID \"TEXT\"");
        step.kind = StepKind::Caption;
        step.target = words[1];
        step.content = words[2];
    } else if (verb == "reload") {
        ExpectCount(words, 2, "reload FILE");
        step.kind = StepKind::Reload;
        step.file = words[1];
    } else if (verb == "layer") {
        ExpectCount(words, 2, "layer N|next|previous");
        step.kind = StepKind::Layer;
        if (words[1] == "next") {
            step.layerChoice = LayerChoice::Next;
        } else if (words[1] == "previous") {
            step.layerChoice = LayerChoice::Previous;
        } else {
            step.layer = Number<int>(words[1], "layer");
            if (step.layer < 1 || step.layer > 10)
                throw LineError{"layer must be 1 to 10, next or previous"};
        }
    } else if (verb == "unhook" || verb == "hook") {
        ExpectCount(words, 1, verb == "hook" ? "hook" : "unhook");
        step.kind = verb == "hook" ? StepKind::Hook : StepKind::Unhook;
    } else if (verb == "wait") {
        ExpectCount(words, 2, "wait MS");
        step.kind = StepKind::Wait;
        step.ms = Number<uint32_t>(words[1], "milliseconds");
    } else {
        throw LineError{"unknown step '" + verb + "'"};
    }
    return step;
}

} // namespace

std::optional<std::vector<Step>> ParseScenario(std::istream& in, ScenarioError& error) {
    std::vector<Step> steps;
    std::string raw;
    int number = 0;
    while (std::getline(in, raw)) {
        ++number;
        const std::string text = Trim(raw);
        if (text.empty() || text[0] == '#')
            continue;
        try {
            Step step = ParseLine(text);
            step.line = number;
            step.text = text;
            steps.push_back(std::move(step));
        } catch (const LineError& lineError) {
            error = {number, lineError.message};
            return std::nullopt;
        }
    }
    return steps;
}

const char* ButtonName(Button button) {
    switch (button) {
    case Button::Left:
        return "Left";
    case Button::Right:
        return "Right";
    case Button::Middle:
        return "Middle";
    case Button::XLeft:
        return "XLeft";
    case Button::XRight:
        return "XRight";
    }
    return "";
}

} // namespace pw::replay
