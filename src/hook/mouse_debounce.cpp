#include "hook/mouse_debounce.h"

#include "hook/mouse_messages.h"
#include "settings/mouse_buttons.h"
#include "settings/settings.h"
#include "support/logger.h"

std::array<pw::hook::DebounceEntry, pw::runtime::kButtonCount> g_Debounce{};

namespace pw::hook {

namespace {

struct DebouncedButton {
    int index = -1;
    bool down = false;
};

DebouncedButton ButtonOf(unsigned message, DWORD mouseData) {
    switch (message) {
    case kWmLButtonDown:
        return {mbLeft, true};
    case kWmLButtonUp:
        return {mbLeft, false};
    case kWmRButtonDown:
        return {mbRight, true};
    case kWmRButtonUp:
        return {mbRight, false};
    case kWmMButtonDown:
        return {mbMiddle, true};
    case kWmMButtonUp:
        return {mbMiddle, false};
    case kWmXButtonDown:
        return {XButtonSlot(mouseData), true};
    case kWmXButtonUp:
        return {XButtonSlot(mouseData), false};
    default:
        return {};
    }
}

const Char* NameOf(int button) {
    const Char* name = pw::settings::ButtonElementName(button, false);
    return name ? name : L"";
}

} // namespace

DebounceCheck CheckDebounce(const CSettings& settings, unsigned message,
                            const MSLLHOOKSTRUCT& record) {
    DebounceCheck check;
    if ((record.flags & platform::kLlmhfInjected) || !settings.get_EnableDebounce())
        return check;
    const DebouncedButton button = ButtonOf(message, record.mouseData);
    if (button.index < 0)
        return check;
    DebounceEntry& entry = g_Debounce[static_cast<size_t>(button.index)];
    // A negative setting reads as a huge unsigned one, as the comparison has always been.
    const uint32_t limit = static_cast<uint32_t>(settings.get_DebounceTime());

    if (button.down) {
        // An equal or older time stamp is never a bounce.
        if (record.time > entry.lastTime) {
            check.diff = record.time - entry.lastTime;
            check.bounce = check.diff <= limit;
        }
        entry.bounced = check.bounce;
        entry.lastTime = record.time;
        if (check.bounce)
            CLogger::LogDebug(L"MouseHook: De-Bounce mouse button - ignoring %ls button DOWN as it "
                              L"only %dms since the last time (<%dms)!",
                              NameOf(button.index), static_cast<int>(check.diff),
                              settings.get_DebounceTime());
        return check;
    }

    check.bounce = entry.bounced;
    entry.bounced = false;
    if (settings.get_DebounceFromUp())
        entry.lastTime = record.time;
    if (check.bounce)
        CLogger::LogDebug(L"MouseHook: De-bBounce mouse button - ignoring %ls button UP as the "
                          L"down was de-bounced!",
                          NameOf(button.index));
    return check;
}

void ResetDebounce() {
    g_Debounce.fill(DebounceEntry{});
}

} // namespace pw::hook
