#include "support/held_input.h"

#include <cstdint>
#include <regex>

namespace pw::test {

namespace {

// Mouse event flags of an injected record: the down and up flag of each button.
struct ButtonFlags {
    uint32_t down;
    uint32_t up;
};
constexpr ButtonFlags kButtonFlags[] = {{0x2, 0x4}, {0x8, 0x10}, {0x20, 0x40}};
constexpr uint32_t kSideDown = 0x80;
constexpr uint32_t kSideUp = 0x100;

void Apply(std::set<int>& held, int button, bool down) {
    if (down)
        held.insert(button);
    else
        held.erase(button);
}

void ApplyMouse(HeldInput& held, uint32_t flags, int data) {
    for (int button = 0; button < 3; ++button) {
        if (flags & kButtonFlags[button].down)
            Apply(held.buttons, button, true);
        if (flags & kButtonFlags[button].up)
            Apply(held.buttons, button, false);
    }
    const int side = data == 2 ? 4 : 3;
    if (flags & kSideDown)
        Apply(held.buttons, side, true);
    if (flags & kSideUp)
        Apply(held.buttons, side, false);
}

} // namespace

HeldInput HeldAfter(const std::vector<std::string>& lines) {
    static const std::regex record(
        R"re(\{"type":"key","vk":(\d+),"up":(true|false)|\{"type":"mouse","flags":"0x([0-9A-F]+)","data":(-?\d+))re");
    HeldInput held;
    for (const std::string& line : lines) {
        for (std::sregex_iterator it(line.begin(), line.end(), record), end; it != end; ++it) {
            const std::smatch& match = *it;
            if (match[1].matched)
                Apply(held.keys, std::stoi(match[1]), match[2] == "false");
            else
                ApplyMouse(held, static_cast<uint32_t>(std::stoul(match[3], nullptr, 16)),
                           std::stoi(match[4]));
        }
    }
    return held;
}

std::string Describe(const HeldInput& held) {
    std::string text = "keys [";
    for (int key : held.keys)
        text += " " + std::to_string(key);
    text += " ] buttons [";
    for (int button : held.buttons)
        text += " " + std::to_string(button);
    return text + " ]";
}

} // namespace pw::test
