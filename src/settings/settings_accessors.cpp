// The one-line accessors, defined here so that the library exports them.

#include "settings/settings.h"

CApplicationSettings* CSettings::GetDefaultApp() const {
    return m_pDefaultApp.get();
}

const CSettings::ProfileView& CSettings::GetApplications() const {
    return m_vwApplications;
}

const CSettings::ProfileView& CSettings::GetCustomApplications() const {
    return m_vwCustomApplications;
}

CHotKeys* CSettings::GetHotKeys() const {
    return m_pHotKeys.get();
}

CLayerModifierKeys* CSettings::GetLayerModifierKeys() const {
    return m_pLayerModifierKeys.get();
}

int CSettings::MaxLayers() const {
    return m_options.MaxLayers;
}

bool CSettings::get_EnableDebounce() const {
    return Read(&Options::EnableDebounce, false);
}

void CSettings::put_EnableDebounce(bool value) {
    m_options.EnableDebounce = value;
}

bool CSettings::get_DebounceFromUp() const {
    return Read(&Options::DebounceFromUp, false);
}

void CSettings::put_DebounceFromUp(bool value) {
    m_options.DebounceFromUp = value;
}

int CSettings::get_DebounceTime() const {
    return Read(&Options::DebounceTime, kDefaultDebounceTime);
}

void CSettings::put_DebounceTime(int value) {
    m_options.DebounceTime = value;
}

void CSettings::put_ResetStickyOnAnyButton(bool value) {
    m_options.ResetStickyOnAnyButton = value;
}

bool CSettings::get_ResetStickyOnAnyKey() const {
    return Read(&Options::ResetStickyOnAnyKey, false);
}

void CSettings::put_ResetStickyOnAnyKey(bool value) {
    m_options.ResetStickyOnAnyKey = value;
}

void CSettings::put_ResetStickyOnLayerChange(bool value) {
    m_options.ResetStickyOnLayerChange = value;
}

const Char* CSettings::get_SearchURL() const {
    return m_options.SearchURL.c_str();
}

void CSettings::put_SearchURL(const Char* url) {
    m_options.SearchURL = url ? url : L"";
}

const Char* CSettings::GetLanguage() const {
    return m_options.LanguageFile.Get();
}

void CSettings::SetLanguage(const Char* fileName) {
    m_options.LanguageFile.Assign(fileName);
}

bool CSettings::OfficeMouse() const {
    return m_options.OfficeMouse;
}

void CSettings::SetOfficeMouse(bool value) {
    m_options.OfficeMouse = value;
}

bool CSettings::OfficeMouseForced() const {
    return m_options.OfficeMouseForced;
}

bool CSettings::LoggingDisabled() const {
    return m_options.LoggingDisabled;
}

void CSettings::SetLoggingDisabled(bool value) {
    m_options.LoggingDisabled = value;
}

bool CSettings::RazorMouse() const {
    return m_options.RazorMouse;
}

void CSettings::SetRazorMouse(bool value) {
    m_options.RazorMouse = value;
}

bool CSettings::ScrollWindowUnderCursor() const {
    return m_options.ScrollWindowUnderCursor;
}

void CSettings::SetScrollWindowUnderCursor(bool value) {
    m_options.ScrollWindowUnderCursor = value;
}

bool CSettings::ScrollLockBypass() const {
    return m_options.ScrollLockBypass;
}

void CSettings::SetScrollLockBypass(bool value) {
    m_options.ScrollLockBypass = value;
}

bool CSettings::ScrollLockBypassDisabled() const {
    return m_options.ScrollLockBypassDisabled;
}

void CSettings::SetScrollLockBypassDisabled(bool value) {
    m_options.ScrollLockBypassDisabled = value;
}

bool CSettings::Swap4and5() const {
    return m_options.Swap4and5;
}

void CSettings::SetSwap4and5(bool value) {
    m_options.Swap4and5 = value;
}

bool CSettings::Swap4and5inRDP() const {
    return m_options.Swap4and5inRDP;
}

void CSettings::SetSwap4and5inRDP(bool value) {
    m_options.Swap4and5inRDP = value;
}

bool CSettings::DisableInRDP() const {
    return m_options.DisableInRDP;
}

void CSettings::SetDisableInRDP(bool value) {
    m_options.DisableInRDP = value;
}

bool CSettings::ShowTrayIcon() const {
    return m_options.ShowTrayIcon;
}

void CSettings::SetShowTrayIcon(bool value) {
    m_options.ShowTrayIcon = value;
}

bool CSettings::DisableReinstallOnResume() const {
    return m_options.DisableReinstallOnResume;
}

void CSettings::SetDisableReinstallOnResume(bool value) {
    m_options.DisableReinstallOnResume = value;
}

bool CSettings::Notifications() const {
    return m_options.Notifications;
}

void CSettings::SetNotifications(bool value) {
    m_options.Notifications = value;
}

bool CSettings::NotificationsLayer() const {
    return m_options.NotificationsLayer;
}

void CSettings::SetNotificationsLayer(bool value) {
    m_options.NotificationsLayer = value;
}

bool CSettings::MovementToScrollCursor() const {
    return m_options.MovementToScrollCursor;
}

void CSettings::SetMovementToScrollCursor(bool value) {
    m_options.MovementToScrollCursor = value;
}

bool CSettings::GlobalHotkeysEnabled() const {
    return m_options.GlobalHotkeysEnabled;
}

void CSettings::SetGlobalHotkeysEnabled(bool value) {
    m_options.GlobalHotkeysEnabled = value;
}

bool CSettings::LayerModifierKeysEnabled() const {
    return m_options.LayerModifierKeysEnabled;
}

void CSettings::SetLayerModifierKeysEnabled(bool value) {
    m_options.LayerModifierKeysEnabled = value;
}

bool CSettings::ProcessNonClientMsgs() const {
    return m_options.ProcessNonClientMsgs;
}

void CSettings::SetProcessNonClientMsgs(bool value) {
    m_options.ProcessNonClientMsgs = value;
}

bool CSettings::IgnoreNumlock() const {
    return m_options.IgnoreNumlock;
}

void CSettings::SetIgnoreNumlock(bool value) {
    m_options.IgnoreNumlock = value;
}

bool CSettings::LeftClickCycleLayers() const {
    return m_options.LeftClickCycleLayers;
}

void CSettings::SetLeftClickCycleLayers(bool value) {
    m_options.LeftClickCycleLayers = value;
}

bool CSettings::FixTiltRepeat() const {
    return m_options.FixTiltRepeat;
}

void CSettings::SetFixTiltRepeat(bool value) {
    m_options.FixTiltRepeat = value;
}

int CSettings::InitialTiltDelay() const {
    return m_options.InitialTiltDelay;
}

void CSettings::SetInitialTiltDelay(int ms) {
    m_options.InitialTiltDelay = ms;
}

int CSettings::RepeatTiltDelay() const {
    return m_options.RepeatTiltDelay;
}

void CSettings::SetRepeatTiltDelay(int ms) {
    m_options.RepeatTiltDelay = ms;
}

bool CSettings::CheckVersion() const {
    return m_options.CheckVersion;
}

void CSettings::SetCheckVersion(bool value) {
    m_options.CheckVersion = value;
}

int CSettings::CheckVersionDays() const {
    return m_options.CheckVersionDays;
}

void CSettings::SetCheckVersionDays(int days) {
    m_options.CheckVersionDays = days;
}

bool CSettings::CheckBetaVersion() const {
    return m_options.CheckBetaVersion;
}

void CSettings::SetCheckBetaVersion(bool value) {
    m_options.CheckBetaVersion = value;
}

bool CSettings::SwitchOnMouseOver() const {
    return m_options.SwitchOnMouseOver;
}

void CSettings::SetSwitchOnMouseOver(bool value) {
    m_options.SwitchOnMouseOver = value;
}

bool CSettings::ActivateOnScroll() const {
    return m_options.ActivateOnScroll;
}

void CSettings::SetActivateOnScroll(bool value) {
    m_options.ActivateOnScroll = value;
}

bool CSettings::ActivateOnMouseOver() const {
    return m_options.ActivateOnMouseOver;
}

void CSettings::SetActivateOnMouseOver(bool value) {
    m_options.ActivateOnMouseOver = value;
}

bool CSettings::FixVS2010() const {
    return m_options.FixVS2010;
}

void CSettings::SetFixVS2010(bool value) {
    m_options.FixVS2010 = value;
}

bool CSettings::EnableOSD() const {
    return m_options.EnableOSD;
}

void CSettings::SetEnableOSD(bool value) {
    m_options.EnableOSD = value;
}

bool CSettings::AlwaysShowOSD() const {
    return m_options.AlwaysShowOSD;
}

void CSettings::SetAlwaysShowOSD(bool value) {
    m_options.AlwaysShowOSD = value;
}

bool CSettings::SortActionsAlphabetically() const {
    return m_options.SortActionsAlphabetically;
}

void CSettings::SetSortActionsAlphabetically(bool value) {
    m_options.SortActionsAlphabetically = value;
}

bool CSettings::MouseJiggler() const {
    return m_options.MouseJiggler;
}

void CSettings::SetMouseJiggler(bool value) {
    m_options.MouseJiggler = value;
}

int CSettings::MouseJigglerTimeout() const {
    return m_options.MouseJigglerTimeout;
}

void CSettings::SetMouseJigglerTimeout(int minutes) {
    m_options.MouseJigglerTimeout = minutes;
}

bool CSettings::LoadUSEnglish() const {
    return m_options.LoadUSEnglish;
}

void CSettings::SetLoadUSEnglish(bool value) {
    m_options.LoadUSEnglish = value;
}

int CSettings::CPUPriority() const {
    return m_options.CPUPriority;
}

void CSettings::SetCPUPriority(int priorityClass) {
    m_options.CPUPriority = priorityClass;
}

int CSettings::SimKeyDelay() const {
    return m_options.SimKeyDelay;
}

void CSettings::SetSimKeyDelay(int ms) {
    m_options.SimKeyDelay = ms;
}

int CSettings::MouseSpeed() const {
    return m_options.MouseSpeed;
}

void CSettings::SetMouseSpeed(int speed) {
    m_options.MouseSpeed = speed;
}

bool CSettings::EnhancePointerPrecision() const {
    return m_options.EnhancePointerPrecision;
}

void CSettings::SetEnhancePointerPrecision(bool value) {
    m_options.EnhancePointerPrecision = value;
}

int CSettings::SystemWheelLines() const {
    return m_options.SystemWheelLines;
}

int CSettings::HooksTimeout() const {
    return m_options.HooksTimeout;
}

void CSettings::SetHooksTimeout(int ms) {
    m_options.HooksTimeout = ms;
}

bool CSettings::HasCaptionProfiles() const {
    return m_options.HasCaptionProfiles;
}

bool CSettings::get_ResetStickyOnAnyButton() const {
    return Read(&Options::ResetStickyOnAnyButton, false);
}

bool CSettings::get_ResetStickyOnLayerChange() const {
    return Read(&Options::ResetStickyOnLayerChange, false);
}
