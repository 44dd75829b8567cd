#include "input/sim_tag_words.h"

#include "input/sim_modifiers.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace pw::input {
namespace {

using K = TagKind;

// clang-format off
constexpr std::array kTagWords = {
    TagWord{L"PRESS", K::Press, 1},          TagWord{L"PRESSED", K::Press, 1},
    TagWord{L"RELEASE", K::Press, 2},        TagWord{L"RELEASED", K::Press, 2},
    TagWord{L"CTRL", K::Modifier, kModCtrl}, TagWord{L"LCTRL", K::Modifier, kModCtrl},
    TagWord{L"RCTRL", K::Modifier, kModRCtrl},
    TagWord{L"ALT", K::Modifier, kModAlt},   TagWord{L"LALT", K::Modifier, kModAlt},
    TagWord{L"RALT", K::Modifier, kModRAlt},
    TagWord{L"SHIFT", K::Modifier, kModShift}, TagWord{L"LSHIFT", K::Modifier, kModShift},
    TagWord{L"RSHIFT", K::Modifier, kModRShift},
    TagWord{L"LWIN", K::Modifier, kModLWin}, TagWord{L"RWIN", K::Modifier, kModRWin},
    TagWord{L"APPS", K::Modifier, kModApps},
    TagWord{L"CLEAR", K::Clear, 0},
    TagWord{L"RETURN", K::Key, 0x0D},        TagWord{L"ENTER", K::Key, 0x0D},
    TagWord{L"ESCAPE", K::Key, 0x1B},        TagWord{L"BACKSPACE", K::Key, 0x08},
    TagWord{L"CAPSLOCK", K::Key, 0x14},
    TagWord{L"CAPSLOCKON", K::LockOn, 0x14}, TagWord{L"CAPSLOCKOFF", K::LockOff, 0x14},
    TagWord{L"NUMLOCK", K::Key, 0x90},
    TagWord{L"NUMLOCKON", K::LockOn, 0x90},  TagWord{L"NUMLOCKOFF", K::LockOff, 0x90},
    TagWord{L"SCROLLLOCK", K::Key, 0x91},
    TagWord{L"SCROLLLOCKON", K::LockOn, 0x91}, TagWord{L"SCROLLLOCKOFF", K::LockOff, 0x91},
    TagWord{L"PRTSCN", K::Key, 0x2C},        TagWord{L"SPACE", K::Key, 0x20},
    TagWord{L"TAB", K::Key, 0x09},
    TagWord{L"HOME", K::Key, 0x24, true},    TagWord{L"END", K::Key, 0x23, true},
    TagWord{L"PGUP", K::Key, 0x21, true},    TagWord{L"PAGEUP", K::Key, 0x21, true},
    TagWord{L"PGDN", K::Key, 0x22, true},    TagWord{L"PAGEDOWN", K::Key, 0x22, true},
    TagWord{L"LEFT", K::Key, 0x25, true},    TagWord{L"RIGHT", K::Key, 0x27, true},
    TagWord{L"UP", K::Key, 0x26, true},      TagWord{L"DOWN", K::Key, 0x28, true},
    TagWord{L"PAUSE", K::Key, 0x13},         TagWord{L"BREAK", K::Key, 0x03, true},
    TagWord{L"CTRLBREAK", K::CtrlBreak, 0x03, true},
    TagWord{L"VOL+", K::Key, 0xAF, true},    TagWord{L"VOL-", K::Key, 0xAE, true},
    TagWord{L"MUTE", K::Key, 0xAD, true},
    TagWord{L"BRIGHTNESS+", K::Brightness, 1}, TagWord{L"BRI+", K::Brightness, 1},
    TagWord{L"BRIGHTNESS-", K::Brightness, 2}, TagWord{L"BRI-", K::Brightness, 2},
    TagWord{L"BACK", K::Key, 0xA6, true},    TagWord{L"FORWARD", K::Key, 0xA7, true},
    TagWord{L"STOP", K::Key, 0xA9, true},    TagWord{L"REFRESH", K::Key, 0xA8, true},
    TagWord{L"SEARCH", K::Key, 0xAA, true},  TagWord{L"FAVORITES", K::Key, 0xAB, true},
    TagWord{L"WEBHOME", K::Key, 0xAC, true},
    TagWord{L"LMB", K::Mouse, 0},  TagWord{L"RMB", K::Mouse, 1},  TagWord{L"MMB", K::Mouse, 2},
    TagWord{L"XMB1", K::Mouse, 3}, TagWord{L"MB4", K::Mouse, 3},
    TagWord{L"XMB2", K::Mouse, 4}, TagWord{L"MB5", K::Mouse, 4},
    TagWord{L"LMBD", K::Mouse, 0, false, 1},  TagWord{L"RMBD", K::Mouse, 1, false, 1},
    TagWord{L"MMBD", K::Mouse, 2, false, 1},
    TagWord{L"XMB1D", K::Mouse, 3, false, 1}, TagWord{L"MB4D", K::Mouse, 3, false, 1},
    TagWord{L"XMB2D", K::Mouse, 4, false, 1}, TagWord{L"MB5D", K::Mouse, 4, false, 1},
    TagWord{L"LMBU", K::Mouse, 0, false, 2},  TagWord{L"RMBU", K::Mouse, 1, false, 2},
    TagWord{L"MMBU", K::Mouse, 2, false, 2},
    TagWord{L"XMB1U", K::Mouse, 3, false, 2}, TagWord{L"MB4U", K::Mouse, 3, false, 2},
    TagWord{L"XMB2U", K::Mouse, 4, false, 2}, TagWord{L"MB5U", K::Mouse, 4, false, 2},
    TagWord{L"MWUP", K::Mouse, 7, false, 0, true},  TagWord{L"MWDN", K::Mouse, 8, false, 0, true},
    TagWord{L"MWDOWN", K::Mouse, 8, false, 0, true},
    TagWord{L"TILTL", K::Mouse, 5, false, 0, true}, TagWord{L"TILTLEFT", K::Mouse, 5, false, 0, true},
    TagWord{L"TILTR", K::Mouse, 6, false, 0, true}, TagWord{L"TILTRIGHT", K::Mouse, 6, false, 0, true},
};
// clang-format on

constexpr size_t kLongestWord = [] {
    size_t longest = 0;
    for (const TagWord& entry : kTagWords)
        longest = std::max(longest, entry.word.size());
    return longest;
}();

// The table's positions grouped by word length, in table order within a length, and where
// each length's group starts: a tag is compared only with the words of its length.
struct ByLength {
    std::array<uint8_t, kTagWords.size()> positions{};
    std::array<uint8_t, kLongestWord + 2> starts{};
};

constexpr ByLength kByLength = [] {
    ByLength index;
    size_t next = 0;
    for (size_t length = 0; length <= kLongestWord; ++length) {
        index.starts[length] = static_cast<uint8_t>(next);
        for (size_t position = 0; position < kTagWords.size(); ++position) {
            if (kTagWords[position].word.size() == length)
                index.positions[next++] = static_cast<uint8_t>(position);
        }
    }
    index.starts[kLongestWord + 1] = static_cast<uint8_t>(next);
    return index;
}();
static_assert(kTagWords.size() < 256);

} // namespace

const TagWord* FindTagWord(StringView name) {
    if (name.empty() || name.size() > kLongestWord)
        return nullptr;
    const Char first = ToUpperAscii(name[0]);
    for (size_t i = kByLength.starts[name.size()]; i < kByLength.starts[name.size() + 1]; ++i) {
        const TagWord& entry = kTagWords[kByLength.positions[i]];
        if (first == entry.word[0] && StartsWithWord(name, entry.word))
            return &entry;
    }
    return nullptr;
}

} // namespace pw::input
