// The profile's debug log: one line per layer in use naming each button's action.

#include "settings/application_settings.h"

#include "settings/actions.h"
#include "settings/profile_owner.h"
#include "support/format.h"
#include "support/logger.h"
#include "support/null_object.h"

#include <algorithm>

namespace {

// Room for one slot's text; a long keystroke text is cut to fit.
constexpr size_t kSlotDescription = 255;

const Char* OnOff(bool value) {
    return value ? L"on" : L"off";
}

} // namespace

void CApplicationSettings::DescribeSlot(MouseButtons button, int layer, Char* buffer,
                                        size_t capacity) const {
    _ACTIONS action = GetActions(button, layer);
    const Char* name = pw::settings::ActionDisplayName(action);
    if (action == actSimulatedKeys) {
        const Char* keys = GetKeystrokes(button, layer);
        pw::Format(buffer, capacity, L"%ls: '%.160ls' %ls", name, keys ? keys : L"",
                   pw::settings::SendKeyModeLabel(SendKeyAction(button, layer)));
        return;
    }
    if (action == actRunApplication) {
        const Char* path = GetLaunchApp(button, layer);
        pw::Format(buffer, capacity, L"%ls: '%.180ls'", name, path ? path : L"");
        return;
    }
    pw::Format(buffer, capacity, L"%ls", name);
}

void CApplicationSettings::Log(const Char* name) {
    if (pw::IsNullObject(this)) {
        CLogger::LogMessage(L"Invalid call to Log on null setting object...");
        return;
    }
    if (!CLogger::DebugEnabled())
        return;

    if (m_bIsDefault)
        CLogger::LogDebug(L"Enabling default button settings...");
    else
        CLogger::LogDebug(L"Enabling application specific button settings for '%ls'...",
                          name ? name : L"");

    pw::settings::ProfileOwnerFacts owner = pw::settings::ReadProfileOwner(m_pSettings);
    int layers = std::clamp(owner.maxLayers, 0, pw::settings::kLayerCount);
    Char text[pw::settings::kButtonCount][kSlotDescription];
    for (int layer = 0; layer < layers; ++layer) {
        for (int button = 0; button < pw::settings::kButtonCount; ++button)
            DescribeSlot(static_cast<MouseButtons>(button), layer, text[button], kSlotDescription);
        if (owner.officeMouse) {
            CLogger::LogDebug(L"  Layer %d: Left = %ls, Right = %ls, Middle = %ls, 4th = %ls, "
                              L"5th = %ls Middle2 = %ls Scroll Up = %ls, Scroll Down = %ls",
                              layer, text[mbLeft], text[mbRight], text[mbMiddle], text[mbXLeft],
                              text[mbXRight], text[mbTiltLeft], text[mbWheelUp], text[mbWheelDown]);
        } else {
            CLogger::LogDebug(L"  Layer %d: Left = %ls, Right = %ls, Middle = %ls, 4th = %ls, "
                              L"5th = %ls Scroll Up = %ls, Scroll Down = %ls, Tilt Left = %ls, "
                              L"Tilt Right = %ls",
                              layer, text[mbLeft], text[mbRight], text[mbMiddle], text[mbXLeft],
                              text[mbXRight], text[mbWheelUp], text[mbWheelDown], text[mbTiltLeft],
                              text[mbTiltRight]);
        }
    }

    CLogger::LogDebug(L"  InvertScrolling=%ls InvertHorizontalScrolling=%ls ScrollPages=%ls "
                      L"SwapButtons=%d",
                      OnOff(m_bInvertScrolling), OnOff(m_bInvertHorizontalScrolling),
                      OnOff(m_bScrollPages), static_cast<int>(m_SwapButtons));
}
