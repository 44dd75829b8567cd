#include "hook/keyboard_hook.h"

#include "actions/keyboard_app_switch.h"
#include "actions/layers.h"
#include "actions/sticky_keys.h"
#include "platform/platform.h"
#include "runtime/registered_messages.h"
#include "runtime/runtime_state.h"
#include "runtime/thread_timers.h"
#include "scroll/lock_axis.h"
#include "settings/layer_modifier_keys.h"
#include "settings/settings.h"
#include "support/library_files.h"
#include "support/logger.h"
#include "support/report_exception.h"
#include "support/thread_lock.h"
#include "windows/window_from_point.h"

std::array<uint8_t, 256> g_KeyState{};
int g_nLayerBeforeModifier = -1;

namespace {

constexpr uint8_t kDown = 0x80;
constexpr int kLockXSlot = 5;
constexpr int kLockYSlot = 6;

// The state of Shift, Control and Alt: the table entry of the side key that changed last.
struct ModifierSummary {
    uint8_t shift = 0;
    uint8_t control = 0;
    uint8_t alt = 0;
};
ModifierSummary g_Modifiers;

bool IsDown(int virtualKey) {
    return (g_KeyState[static_cast<size_t>(virtualKey)] & kDown) != 0;
}

enum class Modifier { None, Shift, Control, Alt };

// The left side key of each modifier; the right one is the next code.
constexpr int kVkLShift = 0xA0;
constexpr int kVkLControl = 0xA2;
constexpr int kVkLMenu = 0xA4;

// The hook reports the side keys; input another program injects with the generic code
// (0x10 to 0x12) reaches it unchanged, so both name the same modifier.
Modifier ModifierOf(DWORD virtualKey) {
    switch (virtualKey) {
    case pw::platform::kVkShift:
    case kVkLShift:
    case kVkLShift + 1:
        return Modifier::Shift;
    case pw::platform::kVkControl:
    case kVkLControl:
    case kVkLControl + 1:
        return Modifier::Control;
    case pw::platform::kVkMenu:
    case kVkLMenu:
    case kVkLMenu + 1:
        return Modifier::Alt;
    default:
        return Modifier::None;
    }
}

// Whether a key is held; a generic Shift, Control or Alt code (a layer key slot may name
// one) is held through either side key, since those are what the hook sees.
bool KeyHeld(int virtualKey) {
    if (IsDown(virtualKey))
        return true;
    int left = 0;
    switch (virtualKey) {
    case pw::platform::kVkShift:
        left = kVkLShift;
        break;
    case pw::platform::kVkControl:
        left = kVkLControl;
        break;
    case pw::platform::kVkMenu:
        left = kVkLMenu;
        break;
    default:
        return false;
    }
    return IsDown(left) || IsDown(left + 1);
}

// Whether the modifier code of a slot holds. Codes 1 to 7 combine Shift (1), Control (2)
// and Alt (4), each of the three up when its bit is clear; any other code is no condition.
bool ModifierHolds(unsigned code) {
    switch (code) {
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
    case 7:
        return (g_Modifiers.shift != 0) == ((code & 1) != 0) &&
               (g_Modifiers.control != 0) == ((code & 2) != 0) &&
               (g_Modifiers.alt != 0) == ((code & 4) != 0);
    case 0x08:
        return IsDown(pw::platform::kVkLWin);
    case 0x10:
        return IsDown(pw::platform::kVkRWin);
    case 0x20:
        return IsDown(pw::platform::kVkApps);
    default:
        return true;
    }
}

bool SlotMatches(const CHotkey& slot) {
    const unsigned modifier = slot.GetModifier();
    const unsigned key = slot.GetVirtualKey();
    if (modifier == 0 && key == 0)
        return false;
    if (!ModifierHolds(modifier))
        return false;
    return key == 0 || (key < g_KeyState.size() && KeyHeld(static_cast<int>(key)));
}

// The layer of a layer slot: slots 0 to 4 are layers 0 to 4, slots 7 to 11 layers 5 to 9.
int LayerOfSlot(int slot) {
    return slot < kLockXSlot ? slot : slot - 2;
}

void UpdateModifierSummary(DWORD virtualKey) {
    const uint8_t state = g_KeyState[virtualKey];
    switch (ModifierOf(virtualKey)) {
    case Modifier::Shift:
        g_Modifiers.shift = state;
        break;
    case Modifier::Control:
        g_Modifiers.control = state;
        break;
    case Modifier::Alt:
        g_Modifiers.alt = state;
        break;
    case Modifier::None:
        break;
    }
}

void StartKeySwitchTimer(DWORD virtualKey) {
    pw::SetThreadTimer(pw::runtime::kKeySwitchTimer, pw::hook::kKeySwitchDelayMs,
                       &pw::KeySwitchTimerProc);
    CLogger::LogDebug(L"KeyHookLLProc: ALT (0x%X) released, Started 200ms KeySwitchTimer ID: "
                      L"0x%08X",
                      static_cast<unsigned>(virtualKey), static_cast<unsigned>(g_uKeySwitchTimer));
}

// Switches to the layer of a held modifier combination of table (none when null), locks
// the axis of one, and undoes both once no combination is held. True when the layer
// changed.
bool ApplyLayerModifiers(const CLayerModifierKeys* table) {
    bool layerMatch = false;
    bool axisMatch = false;
    bool switched = false;
    for (int slot = lmkFirst; table && slot <= lmkLast; ++slot) {
        const CHotkey* entry = table->GetHotkey(static_cast<ModifierKeys>(slot));
        if (!entry || !SlotMatches(*entry))
            continue;
        if (slot == kLockXSlot) {
            CLogger::LogDebug(L"KeyHookLLProc: Modified key - Locking X axis.");
            g_LockAxis.LockX(true);
            axisMatch = true;
        } else if (slot == kLockYSlot) {
            CLogger::LogDebug(L"KeyHookLLProc: Modified key - Locking Y axis.");
            g_LockAxis.LockY(true);
            axisMatch = true;
        } else {
            const int target = LayerOfSlot(slot);
            if (target != g_nCurrentLayer && target < g_pSettings->MaxLayers()) {
                if (g_nLayerBeforeModifier == -1)
                    g_nLayerBeforeModifier = g_nCurrentLayer;
                CLogger::LogDebug(L"KeyHookLLProc: Modified key - switching layer to %d from %d.",
                                  target, g_nCurrentLayer);
                pw::ChangeLayer(target, true);
                switched = true;
            }
            layerMatch = true;
        }
        break;
    }
    if (!layerMatch && g_nLayerBeforeModifier != -1) {
        CLogger::LogDebug(L"KeyHookLLProc: Resetting layer to %d from %d.", g_nLayerBeforeModifier,
                          g_nCurrentLayer);
        pw::ChangeLayer(g_nLayerBeforeModifier, false);
        g_nLayerBeforeModifier = -1;
        switched = true;
    }
    // Only a lock in force is undone: reloading the system cursors on every key would be
    // slow and would take away the cursor of a running movement-to-scroll.
    if (!axisMatch && g_LockAxis.Locked())
        g_LockAxis.Unlock(true);
    return switched;
}

void ExamineKey(WPARAM message, const KBDLLHOOKSTRUCT& record) {
    CThreadLock lock(L"KeyHookLLProc 2");
    g_dwLastInputTick = pw::platform::TickCount();
    g_bInputSeen = true;

    UpdateModifierSummary(record.vkCode);
    const bool released = (record.flags & pw::platform::kLlkhfUp) != 0;
    if (released && ModifierOf(record.vkCode) == Modifier::Alt)
        StartKeySwitchTimer(record.vkCode);
    if (!g_pSettings)
        return;

    // Departs from looking at the modifier keys only while they are on: a reload that turned
    // them off while a combination was held must still undo its layer and axis lock.
    const CLayerModifierKeys* table =
        g_pSettings->LayerModifierKeysEnabled() ? g_pSettings->GetLayerModifierKeys() : nullptr;
    if (ApplyLayerModifiers(table))
        return;

    const bool keyUp = message == pw::platform::kWmKeyUp || message == pw::platform::kWmSysKeyUp;
    if (!g_pSettings->get_ResetStickyOnAnyKey() || !keyUp)
        return;
    CLogger::LogDebug(L"KeyHookLLProc: ResetStickyOnAnyKey");
    POINT pt{};
    if (GetPhysCursorPos(&pt))
        pw::ResetOtherSticky(pt, -1, ModifierOf(record.vkCode) == Modifier::Control);
}

// A code beyond the key table means the hook is in a bad state: it is installed again.
void RequestReinstall(DWORD virtualKey) {
    CLogger::LogMessage(L"***********************************************************************");
    CLogger::LogMessage(L"WARNING: KBDhook: VKCode=%d (>255) which should not happen.",
                        static_cast<int>(virtualKey));
    CLogger::LogMessage(L"         Keyboard hook will be reset.");
    CLogger::LogMessage(
        L"************************************************************************");
    pw::platform::Messages& messages = pw::platform::GetMessages();
    messages.PostThreadMessage(messages.CurrentThreadId(), pw::runtime::Messages().resetHook,
                               pw::runtime::kWpKeyHook, 0);
}

} // namespace

LRESULT pw::KeyHookLLProc(int nCode, WPARAM wParam, LPARAM lParam) {
    const auto* record = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    if (nCode >= 0 && record) {
        try {
            if (record->vkCode >= g_KeyState.size()) {
                RequestReinstall(record->vkCode);
            } else {
                g_KeyState[record->vkCode] = (record->flags & platform::kLlkhfUp) ? 0 : kDown;
                const bool own =
                    (record->flags & platform::kLlkhfInjected) &&
                    record->dwExtraInfo == reinterpret_cast<uintptr_t>(g_hKeyboardHook);
                if (own)
                    CLogger::LogDebug(L"Ignoring key injected by %ls", pw::kAppDisplayName);
                else
                    ExamineKey(wParam, *record);
            }
        } catch (...) {
            pw::ReportException(L"KeyHookLLProc");
        }
    }
    return platform::GetInput().CallNextHook(g_hKeyboardHook, nCode, wParam, lParam);
}

namespace pw::hook {

void ClearKeyState() {
    g_KeyState.fill(0);
    g_Modifiers = ModifierSummary{};
}

void ForgetHeldModifiers() {
    ClearKeyState();
    // The keys that held them are forgotten, so a modifier layer and a key-owned axis lock
    // end with them: their release, seen by no hook, would never end them.
    if (g_nLayerBeforeModifier != -1) {
        pw::ChangeLayer(g_nLayerBeforeModifier, false);
        g_nLayerBeforeModifier = -1;
    }
    if (g_LockAxis.Locked())
        g_LockAxis.Unlock(true);
}

void ResetKeyboardHookState() {
    ClearKeyState();
    g_nLayerBeforeModifier = -1;
}

} // namespace pw::hook
