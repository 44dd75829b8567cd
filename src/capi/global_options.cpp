#include "capi/global_options.h"

#include <cwchar>

namespace pw::capi {

namespace {

// SetMaxLayers refuses a count out of range and leaves the count as it was.
void SetLayers(CSettings& settings, int count) {
    settings.SetMaxLayers(count);
}

template <bool (CSettings::*Get)() const, void (CSettings::*Set)(bool)>
constexpr GlobalOption Flag(const Char* name) {
    return {name, [](const CSettings& s) { return (s.*Get)() ? 1 : 0; },
            [](CSettings& s, int value) { (s.*Set)(value != 0); }};
}

template <int (CSettings::*Get)() const, void (CSettings::*Set)(int)>
constexpr GlobalOption Number(const Char* name) {
    return {name, [](const CSettings& s) { return (s.*Get)(); },
            [](CSettings& s, int value) { (s.*Set)(value); }};
}

template <int (CSettings::*Get)() const, void (*Set)(CSettings&, int)>
constexpr GlobalOption Number(const Char* name) {
    return {name, [](const CSettings& s) { return (s.*Get)(); }, Set};
}

// The names are the accessors' names, stable across versions: new options are added at
// the end.
constexpr GlobalOption kOptions[] = {
    Number<&CSettings::MaxLayers, SetLayers>(L"MaxLayers"),
    Flag<&CSettings::get_EnableDebounce, &CSettings::put_EnableDebounce>(L"EnableDebounce"),
    Flag<&CSettings::get_DebounceFromUp, &CSettings::put_DebounceFromUp>(L"DebounceFromUp"),
    Flag<&CSettings::get_ResetStickyOnAnyButton, &CSettings::put_ResetStickyOnAnyButton>(
        L"ResetStickyOnAnyButton"),
    Flag<&CSettings::get_ResetStickyOnAnyKey, &CSettings::put_ResetStickyOnAnyKey>(
        L"ResetStickyOnAnyKey"),
    Flag<&CSettings::get_ResetStickyOnLayerChange, &CSettings::put_ResetStickyOnLayerChange>(
        L"ResetStickyOnLayerChange"),
    Flag<&CSettings::OfficeMouse, &CSettings::SetOfficeMouse>(L"OfficeMouse"),
    Flag<&CSettings::LoggingDisabled, &CSettings::SetLoggingDisabled>(L"LoggingDisabled"),
    Flag<&CSettings::RazorMouse, &CSettings::SetRazorMouse>(L"RazorMouse"),
    Flag<&CSettings::ScrollWindowUnderCursor, &CSettings::SetScrollWindowUnderCursor>(
        L"ScrollWindowUnderCursor"),
    Flag<&CSettings::ScrollLockBypass, &CSettings::SetScrollLockBypass>(L"ScrollLockBypass"),
    Flag<&CSettings::ScrollLockBypassDisabled, &CSettings::SetScrollLockBypassDisabled>(
        L"ScrollLockBypassDisabled"),
    Flag<&CSettings::Swap4and5, &CSettings::SetSwap4and5>(L"Swap4and5"),
    Flag<&CSettings::Swap4and5inRDP, &CSettings::SetSwap4and5inRDP>(L"Swap4and5inRDP"),
    Flag<&CSettings::DisableInRDP, &CSettings::SetDisableInRDP>(L"DisableInRDP"),
    Flag<&CSettings::ShowTrayIcon, &CSettings::SetShowTrayIcon>(L"ShowTrayIcon"),
    Flag<&CSettings::DisableReinstallOnResume, &CSettings::SetDisableReinstallOnResume>(
        L"DisableReinstallOnResume"),
    Flag<&CSettings::Notifications, &CSettings::SetNotifications>(L"Notifications"),
    Flag<&CSettings::NotificationsLayer, &CSettings::SetNotificationsLayer>(L"NotificationsLayer"),
    Flag<&CSettings::MovementToScrollCursor, &CSettings::SetMovementToScrollCursor>(
        L"MovementToScrollCursor"),
    Flag<&CSettings::GlobalHotkeysEnabled, &CSettings::SetGlobalHotkeysEnabled>(
        L"GlobalHotkeysEnabled"),
    Flag<&CSettings::LayerModifierKeysEnabled, &CSettings::SetLayerModifierKeysEnabled>(
        L"LayerModifierKeysEnabled"),
    Flag<&CSettings::ProcessNonClientMsgs, &CSettings::SetProcessNonClientMsgs>(
        L"ProcessNonClientMsgs"),
    Flag<&CSettings::IgnoreNumlock, &CSettings::SetIgnoreNumlock>(L"IgnoreNumlock"),
    Flag<&CSettings::LeftClickCycleLayers, &CSettings::SetLeftClickCycleLayers>(
        L"LeftClickCycleLayers"),
    Flag<&CSettings::FixTiltRepeat, &CSettings::SetFixTiltRepeat>(L"FixTiltRepeat"),
    Flag<&CSettings::CheckVersion, &CSettings::SetCheckVersion>(L"CheckVersion"),
    Flag<&CSettings::CheckBetaVersion, &CSettings::SetCheckBetaVersion>(L"CheckBetaVersion"),
    Flag<&CSettings::SwitchOnMouseOver, &CSettings::SetSwitchOnMouseOver>(L"SwitchOnMouseOver"),
    Flag<&CSettings::ActivateOnScroll, &CSettings::SetActivateOnScroll>(L"ActivateOnScroll"),
    Flag<&CSettings::ActivateOnMouseOver, &CSettings::SetActivateOnMouseOver>(
        L"ActivateOnMouseOver"),
    Flag<&CSettings::FixVS2010, &CSettings::SetFixVS2010>(L"FixVS2010"),
    Flag<&CSettings::EnableOSD, &CSettings::SetEnableOSD>(L"EnableOSD"),
    Flag<&CSettings::AlwaysShowOSD, &CSettings::SetAlwaysShowOSD>(L"AlwaysShowOSD"),
    Flag<&CSettings::SortActionsAlphabetically, &CSettings::SetSortActionsAlphabetically>(
        L"SortActionsAlphabetically"),
    Flag<&CSettings::MouseJiggler, &CSettings::SetMouseJiggler>(L"MouseJiggler"),
    Flag<&CSettings::LoadUSEnglish, &CSettings::SetLoadUSEnglish>(L"LoadUSEnglish"),
    Flag<&CSettings::EnhancePointerPrecision, &CSettings::SetEnhancePointerPrecision>(
        L"EnhancePointerPrecision"),
    Number<&CSettings::get_DebounceTime, &CSettings::put_DebounceTime>(L"DebounceTime"),
    Number<&CSettings::InitialTiltDelay, &CSettings::SetInitialTiltDelay>(L"InitialTiltDelay"),
    Number<&CSettings::RepeatTiltDelay, &CSettings::SetRepeatTiltDelay>(L"RepeatTiltDelay"),
    Number<&CSettings::CheckVersionDays, &CSettings::SetCheckVersionDays>(L"CheckVersionDays"),
    Number<&CSettings::MouseJigglerTimeout, &CSettings::SetMouseJigglerTimeout>(
        L"MouseJigglerTimeout"),
    Number<&CSettings::CPUPriority, &CSettings::SetCPUPriority>(L"CPUPriority"),
    Number<&CSettings::SimKeyDelay, &CSettings::SetSimKeyDelay>(L"SimKeyDelay"),
    Number<&CSettings::MouseSpeed, &CSettings::SetMouseSpeed>(L"MouseSpeed"),
    Number<&CSettings::HooksTimeout, &CSettings::SetHooksTimeout>(L"HooksTimeout"),
};

} // namespace

const GlobalOption* GlobalOptionAt(int index) {
    if (index < 0 || index >= static_cast<int>(std::size(kOptions)))
        return nullptr;
    return &kOptions[index];
}

const GlobalOption* FindGlobalOption(const Char* name) {
    if (!name)
        return nullptr;
    for (const GlobalOption& option : kOptions) {
        if (std::wcscmp(option.name, name) == 0)
            return &option;
    }
    return nullptr;
}

} // namespace pw::capi
