#pragma once

// What the library's injected input left pressed, read from the replay tool's lines: every
// injected key and mouse button that went down and did not come up again.

#include <set>
#include <string>
#include <vector>

namespace pw::test {

struct HeldInput {
    std::set<int> keys;    // virtual-key codes
    std::set<int> buttons; // 0 left, 1 right, 2 middle, 3 first side button, 4 second
    bool Empty() const { return keys.empty() && buttons.empty(); }
};

HeldInput HeldAfter(const std::vector<std::string>& lines);

// "keys [..] buttons [..]", for failure messages.
std::string Describe(const HeldInput& held);

} // namespace pw::test
