#include "actions/action_families.h"
#include "input/send_keys.h"
#include "input/sim_modifiers.h"
#include "input/sim_token.h"
#include "settings/os_version.h"

#include <array>

namespace pw::actions {
namespace {

using input::kModAlt;
using input::kModCtrl;
using input::kModLWin;
using input::kModShift;

enum class On { Down, Up };

// One tapped key: a virtual key, or a character typed in the target's layout.
struct Keystroke {
    _ACTIONS action;
    On on;
    int virtualKey; // 0: type character instead
    Char character;
    bool extended;
    uint32_t modifiers;
};

constexpr int kVkTab = 0x09;
constexpr int kVkReturn = 0x0D;
constexpr int kVkEscape = 0x1B;
constexpr int kVkSpace = 0x20;
constexpr int kVkLeft = 0x25;
constexpr int kVkUp = 0x26;
constexpr int kVkRight = 0x27;
constexpr int kVkDown = 0x28;
constexpr int kVkSnapshot = 0x2C;
constexpr int kVkF1 = 0x70;
constexpr int kVkF4 = 0x73;

constexpr Keystroke Key(_ACTIONS action, On on, int vk, uint32_t modifiers = 0,
                        bool extended = false) {
    return {action, on, vk, 0, extended, modifiers};
}
constexpr Keystroke Character(_ACTIONS action, On on, Char character, uint32_t modifiers) {
    return {action, on, 0, character, false, modifiers};
}

constexpr std::array kKeystrokes{
    Key(actNextWindow, On::Down, kVkEscape, kModAlt),
    Key(actPreviousWindow, On::Down, kVkEscape, kModAlt | kModShift),
    Character(actCopy, On::Up, L'c', kModCtrl),
    Character(actCut, On::Up, L'x', kModCtrl),
    Character(actNew, On::Up, L'n', kModCtrl),
    Character(actOpen, On::Up, L'o', kModCtrl),
    Character(actPaste, On::Up, L'v', kModCtrl),
    Character(actRedo, On::Up, L'y', kModCtrl),
    Character(actUndo, On::Up, L'z', kModCtrl),
    Key(actEnter, On::Up, kVkReturn),
    Character(actShowHideDesktop, On::Down, L'd', kModLWin),
    Key(actMediaMute, On::Down, 0xAD, 0, true),
    Key(actMediaNextTrack, On::Down, 0xB0, 0, true),
    Key(actMediaLastTrack, On::Down, 0xB1, 0, true),
    Key(actMediaStop, On::Down, 0xB2, 0, true),
    Key(actMediaPlayPause, On::Down, 0xB3, 0, true),
    Key(actLaunchEmail, On::Down, 0xB4, 0, true),
    Character(actOpenExplorer, On::Up, L'e', kModLWin),
    Character(actOpenRunCommand, On::Up, L'r', kModLWin),
    Key(actEscape, On::Up, kVkEscape),
    Key(actOpenHelp, On::Up, kVkF1),
    Key(actOpenWebBrowser, On::Up, 0xAC, 0, true),
    Key(actFlip3D, On::Down, kVkTab, kModLWin),
    Key(actPrintScreen, On::Up, kVkSnapshot),
    Key(actPrintActiveWindow, On::Up, kVkSnapshot, kModAlt),
    Key(actShowSidebar, On::Up, kVkSpace, kModLWin),
    Character(actSystemMenu, On::Down, L'x', kModLWin),
    Character(actCharmsBar, On::Down, L'c', kModLWin),
    Character(actPCSettings, On::Down, L'i', kModLWin),
    Character(actSearchCharm, On::Down, L'q', kModLWin),
    Character(actSearchApps, On::Down, L'w', kModLWin),
    Character(actSearchFiles, On::Down, L'f', kModLWin),
    Character(actSnapModernUIRight, On::Down, L'.', kModLWin),
    Character(actSnapModernUILeft, On::Down, L'.', kModLWin | kModShift),
    Key(actSnapWindowLeft, On::Down, kVkLeft, kModLWin, true),
    Key(actSnapWindowRight, On::Down, kVkRight, kModLWin, true),
    Key(actSnapWindowUp, On::Down, kVkUp, kModLWin, true),
    Key(actSnapWindowDown, On::Down, kVkDown, kModLWin, true),
    Character(actVirtualDesktopNew, On::Down, L'D', kModLWin | kModCtrl),
    Key(actVirtualDesktopClose, On::Down, kVkF4, kModLWin | kModCtrl),
    Key(actVirtualDesktopSwitchLeft, On::Down, kVkLeft, kModLWin | kModCtrl, true),
    Key(actVirtualDesktopSwitchRight, On::Down, kVkRight, kModLWin | kModCtrl, true),
};

const Keystroke* FindKeystroke(_ACTIONS action) {
    for (const Keystroke& keystroke : kKeystrokes)
        if (keystroke.action == action)
            return &keystroke;
    return nullptr;
}

void Tap(const Keystroke& keystroke) {
    if (keystroke.virtualKey)
        pw::SendKey(keystroke.virtualKey, keystroke.extended, keystroke.modifiers, 0);
    else
        pw::SendKey(keystroke.character, keystroke.modifiers);
}

} // namespace

bool RunKeystrokeAction(const ActionCall& call) {
    if (call.action == actMediaVolumeUp || call.action == actMediaVolumeDown) {
        if (call.IsDown()) {
            const POINT pt = call.Point();
            pw::SendKeyStateWhileDown(call.action == actMediaVolumeUp ? L"{VOL+}" : L"{VOL-}", &pt,
                                      input::kExecuteWhole);
        }
        return true;
    }
    if (call.action == actAltTab) {
        // Newer systems keep the switcher open only with Control held as well.
        if (call.IsDown())
            pw::SendKey(kVkTab, false, GetOSVersion() < osWindows8 ? kModAlt : kModCtrl | kModAlt,
                        0);
        return true;
    }
    const Keystroke* keystroke = FindKeystroke(call.action);
    if (!keystroke)
        return false;
    if ((keystroke->on == On::Down) == call.IsDown() && (call.IsDown() || call.IsUp()))
        Tap(*keystroke);
    return true;
}

} // namespace pw::actions
