#include "actions/button_processing.h"
#include "actions/process_button.h"
#include "runtime/runtime_state.h"
#include "settings/actions.h"
#include "settings/application_settings.h"
#include "settings/mouse_buttons.h"
#include "settings/settings.h"
#include "support/logger.h"
#include "support/thread_lock.h"

#include <array>

namespace pw::actions {

namespace {

const Char* ButtonName(int button) {
    bool officeMouse = g_pSettings && g_pSettings->OfficeMouse();
    const Char* name = settings::ButtonElementName(button, officeMouse);
    return name ? name : L"";
}

const Char* KindName(int kind) {
    static constexpr std::array<const Char*, 4> kNames = {L"Unknown", L"Down", L"Up", L"DblClick"};
    if (kind < 0 || kind >= static_cast<int>(kNames.size()))
        return kNames[0];
    return kNames[static_cast<size_t>(kind)];
}

const Char* Text(const Char* text) {
    return text ? text : L"";
}

bool UsesPath(int action) {
    return action == actRunApplication || action == actOpenExplorerAtFolder;
}

} // namespace

void LogResolution(int button, int kind, const ResolvedAction& resolved) {
    PW_ASSERT_LOCK_HELD();
    if (!CLogger::DebugEnabled() || !resolved.source)
        return;
    const CApplicationSettings& source = *resolved.source;
    const auto slotButton = static_cast<MouseButtons>(button);
    const Char* buttonName = ButtonName(button);
    const Char* kindName = KindName(kind);
    const unsigned keyState = pw::GetKeyStateFlags();
    const int action = resolved.action;
    const int original = resolved.original;
    const Char* name = settings::ActionDisplayName(action);
    const Char* originalName = settings::ActionDisplayName(original);
    const Char* keys = Text(source.GetKeystrokes(slotButton, resolved.layer));
    const Char* mode = settings::SendKeyModeLabel(source.SendKeyAction(slotButton, resolved.layer));
    const Char* path = Text(source.GetLaunchApp(slotButton, resolved.layer));

    if (action == original) {
        if (action == actSimulatedKeys)
            CLogger::LogDebug(
                L"Translating %ls Button %ls Key state 0x%X: Action %d [%ls '%ls' %ls]", buttonName,
                kindName, keyState, action, name, keys, mode);
        else if (UsesPath(action))
            CLogger::LogDebug(L"Translating %ls Button %ls Key state 0x%X: Action %d [%ls '%ls']",
                              buttonName, kindName, keyState, action, name, path);
        else
            CLogger::LogDebug(L"Translating %ls Button %ls Key state 0x%X: Action %d [%ls]",
                              buttonName, kindName, keyState, action, name);
        return;
    }
    if (action == actSimulatedKeys)
        CLogger::LogDebug(L"Translating %ls Button %ls Key state 0x%X: Action %d (%ls) becomes "
                          L"Action %d [%ls '%ls' %ls]",
                          buttonName, kindName, keyState, original, originalName, action, name,
                          keys, mode);
    else if (UsesPath(action))
        CLogger::LogDebug(L"Translating %ls Button %ls Key state 0x%X: Action %d (%ls) becomes "
                          L"Action %d [%ls '%ls']",
                          buttonName, kindName, keyState, original, originalName, action, name,
                          path);
    else if (action == actButtonChording)
        CLogger::LogDebug(L"Chording %ls Button %ls Key state 0x%X: Action %d [%ls '%ls']",
                          buttonName, kindName, keyState, action, name, path);
    else
        CLogger::LogDebug(L"Translating %ls Button %ls Key state 0x%X: Action %d (%ls) becomes "
                          L"Action %d [%ls]",
                          buttonName, kindName, keyState, original, originalName, action, name);
}

} // namespace pw::actions
