#include "support/held_input.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

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
    static constexpr std::string_view kKey = "{\"type\":\"key\",\"vk\":";
    static constexpr std::string_view kMouse = "{\"type\":\"mouse\",\"flags\":\"0x";
    static constexpr std::string_view kUpFalse = ",\"up\":false";
    HeldInput held;
    for (const std::string& line : lines) {
        const char* text = line.c_str();
        for (size_t at = line.find("{\"type\":"); at != std::string::npos;
             at = line.find("{\"type\":", at + 1)) {
            const std::string_view rest(text + at, line.size() - at);
            char* end = nullptr;
            if (rest.substr(0, kKey.size()) == kKey) {
                const long key = std::strtol(text + at + kKey.size(), &end, 10);
                Apply(held.keys, static_cast<int>(key),
                      std::string_view(end).substr(0, kUpFalse.size()) == kUpFalse);
            } else if (rest.substr(0, kMouse.size()) == kMouse) {
                const unsigned long flags = std::strtoul(text + at + kMouse.size(), &end, 16);
                const char* data = std::strstr(end, "\"data\":");
                ApplyMouse(held, static_cast<uint32_t>(flags),
                           data ? static_cast<int>(std::strtol(data + 7, nullptr, 10)) : 0);
            }
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
