#pragma once

// The root of the settings model: the global options, the default profile, the list of
// application profiles and the two key tables. The settings program builds one to edit
// and save; the hook library builds one at load and refills it from the settings file.
//
// Ownership: a CSettings owns its default profile, every profile in its list and both
// key tables. Profiles handed to SetDefaultApp and AddApplication are adopted.

#include "platform/handles.h"
#include "settings/owned_string.h"
#include "support/export.h"
#include "support/null_object.h"
#include "support/text.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace pugi {
class xml_node;
}

class CApplicationSettings;
class CHotKeys;
class CLayerModifierKeys;

class PW_API CSettings {
  public:
    // Profiles in file order. Views hold pointers into the owned list.
    using ProfileView = std::vector<CApplicationSettings*>;

    static constexpr int kDefaultMaxLayers = 2;
    static constexpr int kDefaultDebounceTime = 50;
    static constexpr int kDefaultHooksTimeout = 200;
    static constexpr int kDefaultCPUPriority = 128; // the system's high priority class
    static constexpr const Char* kDefaultSearchURL = L"https://www.google.com/search?q=";

    // officeMouse is both the initial OfficeMouse option and OfficeMouseForced.
    explicit CSettings(bool officeMouse = false);
    CSettings(const CSettings& other);
    CSettings& operator=(const CSettings& other);
    ~CSettings();

    // The settings file.
    bool Load(const Char* path, bool& regionChecking, bool logDetail);
    bool Save(const Char* path);
    // Profile export and import files.
    bool Export(CApplicationSettings* profile, const Char* path);
    int Import(const Char* path, HWND owner, const Char* prompt,
               CApplicationSettings** lastImported);

    // The application profile list.
    int GetApplicationCount() const;
    // The profile at index, or null for an index outside the list.
    CApplicationSettings* GetApplication(int index) const;
    // The first profile whose full name equals name exactly; null for null or empty names.
    CApplicationSettings* GetApplication(const Char* name) const;
    // Appends and adopts profile. The views are rebuilt only by the next load.
    bool AddApplication(CApplicationSettings* profile);
    // Takes profile out of the list without deleting it; the caller owns it again.
    bool RemoveApplication(CApplicationSettings* profile);
    // Forgets the whole list without deleting the profiles; the views are left as they are.
    void ClearApplications();

    CApplicationSettings* GetDefaultApp() const { return m_pDefaultApp.get(); }
    // Adopts profile as the default, deleting the previous default (unless it is the same).
    void SetDefaultApp(CApplicationSettings* profile);

    // The plain application profiles and the custom window profiles, as last loaded.
    const ProfileView& GetApplications() const { return m_vwApplications; }
    const ProfileView& GetCustomApplications() const { return m_vwCustomApplications; }

    // Null only while the tables are being rebuilt.
    CHotKeys* GetHotKeys() const { return m_pHotKeys.get(); }
    CLayerModifierKeys* GetLayerModifierKeys() const { return m_pLayerModifierKeys.get(); }

    // Number of layers in use. SetMaxLayers is false when n is already the value.
    int MaxLayers() const { return m_options.MaxLayers; }
    bool SetMaxLayers(int n);

    // The debounce and sticky-reset getters answer false (and 50 ms) on a null object.
    bool get_EnableDebounce() const { return Read(&Options::EnableDebounce, false); }
    void put_EnableDebounce(bool value) { m_options.EnableDebounce = value; }
    bool get_DebounceFromUp() const { return Read(&Options::DebounceFromUp, false); }
    void put_DebounceFromUp(bool value) { m_options.DebounceFromUp = value; }
    int get_DebounceTime() const { return Read(&Options::DebounceTime, kDefaultDebounceTime); }
    void put_DebounceTime(int value) { m_options.DebounceTime = value; }
    bool get_ResetStickyOnAnyButton() const {
        return Read(&Options::ResetStickyOnAnyButton, false);
    }
    void put_ResetStickyOnAnyButton(bool value) { m_options.ResetStickyOnAnyButton = value; }
    bool get_ResetStickyOnAnyKey() const { return Read(&Options::ResetStickyOnAnyKey, false); }
    void put_ResetStickyOnAnyKey(bool value) { m_options.ResetStickyOnAnyKey = value; }
    bool get_ResetStickyOnLayerChange() const {
        return Read(&Options::ResetStickyOnLayerChange, false);
    }
    void put_ResetStickyOnLayerChange(bool value) { m_options.ResetStickyOnLayerChange = value; }

    // The inactivity limit in milliseconds; 0 while the jiggler is off.
    uint32_t get_MouseJigglerTickTimeout() const;

    // Never null.
    const Char* get_SearchURL() const { return m_options.SearchURL.c_str(); }
    void put_SearchURL(const Char* url) { m_options.SearchURL = url ? url : L""; }
    // Null when no language file is set.
    const Char* GetLanguage() const { return m_options.LanguageFile.Get(); }
    void SetLanguage(const Char* fileName) { m_options.LanguageFile.Assign(fileName); }

    bool OfficeMouse() const { return m_options.OfficeMouse; }
    void SetOfficeMouse(bool value) { m_options.OfficeMouse = value; }
    bool OfficeMouseForced() const { return m_options.OfficeMouseForced; }
    bool LoggingDisabled() const { return m_options.LoggingDisabled; }
    void SetLoggingDisabled(bool value) { m_options.LoggingDisabled = value; }
    bool RazorMouse() const { return m_options.RazorMouse; }
    void SetRazorMouse(bool value) { m_options.RazorMouse = value; }
    bool ScrollWindowUnderCursor() const { return m_options.ScrollWindowUnderCursor; }
    void SetScrollWindowUnderCursor(bool value) { m_options.ScrollWindowUnderCursor = value; }
    bool ScrollLockBypass() const { return m_options.ScrollLockBypass; }
    void SetScrollLockBypass(bool value) { m_options.ScrollLockBypass = value; }
    bool ScrollLockBypassDisabled() const { return m_options.ScrollLockBypassDisabled; }
    void SetScrollLockBypassDisabled(bool value) { m_options.ScrollLockBypassDisabled = value; }
    bool Swap4and5() const { return m_options.Swap4and5; }
    void SetSwap4and5(bool value) { m_options.Swap4and5 = value; }
    bool Swap4and5inRDP() const { return m_options.Swap4and5inRDP; }
    void SetSwap4and5inRDP(bool value) { m_options.Swap4and5inRDP = value; }
    bool DisableInRDP() const { return m_options.DisableInRDP; }
    void SetDisableInRDP(bool value) { m_options.DisableInRDP = value; }
    bool ShowTrayIcon() const { return m_options.ShowTrayIcon; }
    void SetShowTrayIcon(bool value) { m_options.ShowTrayIcon = value; }
    bool DisableReinstallOnResume() const { return m_options.DisableReinstallOnResume; }
    void SetDisableReinstallOnResume(bool value) { m_options.DisableReinstallOnResume = value; }
    bool Notifications() const { return m_options.Notifications; }
    void SetNotifications(bool value) { m_options.Notifications = value; }
    bool NotificationsLayer() const { return m_options.NotificationsLayer; }
    void SetNotificationsLayer(bool value) { m_options.NotificationsLayer = value; }
    bool MovementToScrollCursor() const { return m_options.MovementToScrollCursor; }
    void SetMovementToScrollCursor(bool value) { m_options.MovementToScrollCursor = value; }
    bool GlobalHotkeysEnabled() const { return m_options.GlobalHotkeysEnabled; }
    void SetGlobalHotkeysEnabled(bool value) { m_options.GlobalHotkeysEnabled = value; }
    bool LayerModifierKeysEnabled() const { return m_options.LayerModifierKeysEnabled; }
    void SetLayerModifierKeysEnabled(bool value) { m_options.LayerModifierKeysEnabled = value; }
    bool ProcessNonClientMsgs() const { return m_options.ProcessNonClientMsgs; }
    void SetProcessNonClientMsgs(bool value) { m_options.ProcessNonClientMsgs = value; }
    bool IgnoreNumlock() const { return m_options.IgnoreNumlock; }
    void SetIgnoreNumlock(bool value) { m_options.IgnoreNumlock = value; }
    bool LeftClickCycleLayers() const { return m_options.LeftClickCycleLayers; }
    void SetLeftClickCycleLayers(bool value) { m_options.LeftClickCycleLayers = value; }
    bool FixTiltRepeat() const { return m_options.FixTiltRepeat; }
    void SetFixTiltRepeat(bool value) { m_options.FixTiltRepeat = value; }
    int InitialTiltDelay() const { return m_options.InitialTiltDelay; }
    void SetInitialTiltDelay(int ms) { m_options.InitialTiltDelay = ms; }
    int RepeatTiltDelay() const { return m_options.RepeatTiltDelay; }
    void SetRepeatTiltDelay(int ms) { m_options.RepeatTiltDelay = ms; }
    bool CheckVersion() const { return m_options.CheckVersion; }
    void SetCheckVersion(bool value) { m_options.CheckVersion = value; }
    int CheckVersionDays() const { return m_options.CheckVersionDays; }
    void SetCheckVersionDays(int days) { m_options.CheckVersionDays = days; }
    bool CheckBetaVersion() const { return m_options.CheckBetaVersion; }
    void SetCheckBetaVersion(bool value) { m_options.CheckBetaVersion = value; }
    bool SwitchOnMouseOver() const { return m_options.SwitchOnMouseOver; }
    void SetSwitchOnMouseOver(bool value) { m_options.SwitchOnMouseOver = value; }
    bool ActivateOnScroll() const { return m_options.ActivateOnScroll; }
    void SetActivateOnScroll(bool value) { m_options.ActivateOnScroll = value; }
    bool ActivateOnMouseOver() const { return m_options.ActivateOnMouseOver; }
    void SetActivateOnMouseOver(bool value) { m_options.ActivateOnMouseOver = value; }
    bool FixVS2010() const { return m_options.FixVS2010; }
    void SetFixVS2010(bool value) { m_options.FixVS2010 = value; }
    bool EnableOSD() const { return m_options.EnableOSD; }
    void SetEnableOSD(bool value) { m_options.EnableOSD = value; }
    bool AlwaysShowOSD() const { return m_options.AlwaysShowOSD; }
    void SetAlwaysShowOSD(bool value) { m_options.AlwaysShowOSD = value; }
    bool SortActionsAlphabetically() const { return m_options.SortActionsAlphabetically; }
    void SetSortActionsAlphabetically(bool value) { m_options.SortActionsAlphabetically = value; }
    bool MouseJiggler() const { return m_options.MouseJiggler; }
    void SetMouseJiggler(bool value) { m_options.MouseJiggler = value; }
    int MouseJigglerTimeout() const { return m_options.MouseJigglerTimeout; }
    void SetMouseJigglerTimeout(int minutes) { m_options.MouseJigglerTimeout = minutes; }
    bool LoadUSEnglish() const { return m_options.LoadUSEnglish; }
    void SetLoadUSEnglish(bool value) { m_options.LoadUSEnglish = value; }
    int CPUPriority() const { return m_options.CPUPriority; }
    void SetCPUPriority(int priorityClass) { m_options.CPUPriority = priorityClass; }
    int SimKeyDelay() const { return m_options.SimKeyDelay; }
    void SetSimKeyDelay(int ms) { m_options.SimKeyDelay = ms; }

    // Kept in the object only, never in the settings file.
    int MouseSpeed() const { return m_options.MouseSpeed; }
    void SetMouseSpeed(int speed) { m_options.MouseSpeed = speed; }
    bool EnhancePointerPrecision() const { return m_options.EnhancePointerPrecision; }
    void SetEnhancePointerPrecision(bool value) { m_options.EnhancePointerPrecision = value; }
    int SystemWheelLines() const { return m_options.SystemWheelLines; }
    int HooksTimeout() const { return m_options.HooksTimeout; }
    void SetHooksTimeout(int ms) { m_options.HooksTimeout = ms; }
    bool HasCaptionProfiles() const { return m_options.HasCaptionProfiles; }

  private:
    // Every option by value, so that copies take them in one assignment.
    struct Options {
        bool OfficeMouse = false;
        bool OfficeMouseForced = false;
        int MaxLayers = kDefaultMaxLayers;
        bool LoggingDisabled = false;
        bool RazorMouse = false;
        bool ScrollWindowUnderCursor = true;
        bool ScrollLockBypass = true;
        bool ScrollLockBypassDisabled = false;
        bool Swap4and5 = false;
        bool Swap4and5inRDP = false;
        bool DisableInRDP = false;
        bool ShowTrayIcon = true;
        bool DisableReinstallOnResume = false;
        bool Notifications = true;
        bool NotificationsLayer = true;
        bool MovementToScrollCursor = true;
        bool ResetStickyOnAnyButton = false;
        bool ResetStickyOnAnyKey = false;
        bool ResetStickyOnLayerChange = true;
        bool GlobalHotkeysEnabled = false;
        bool LayerModifierKeysEnabled = false;
        bool ProcessNonClientMsgs = true;
        bool IgnoreNumlock = true;
        bool LeftClickCycleLayers = false;
        bool FixTiltRepeat = false;
        int InitialTiltDelay = 200;
        int RepeatTiltDelay = 100;
        bool CheckVersion = true;
        int CheckVersionDays = 5;
        bool CheckBetaVersion = false;
        bool SwitchOnMouseOver = true;
        bool ActivateOnScroll = false;
        bool ActivateOnMouseOver = false;
        bool FixVS2010 = false;
        bool EnableOSD = true;
        bool AlwaysShowOSD = false;
        bool SortActionsAlphabetically = false;
        bool EnableDebounce = false;
        bool DebounceFromUp = false;
        int DebounceTime = kDefaultDebounceTime;
        bool MouseJiggler = false;
        int MouseJigglerTimeout = 30;
        bool LoadUSEnglish = false;
        int CPUPriority = kDefaultCPUPriority;
        int SimKeyDelay = 1;
        String SearchURL = kDefaultSearchURL;
        pw::settings::OwnedString LanguageFile;
        // Not stored in the settings file.
        int MouseSpeed = 0;
        bool EnhancePointerPrecision = true;
        int SystemWheelLines = 0;
        int HooksTimeout = kDefaultHooksTimeout;
        bool HasCaptionProfiles = false;
    };
    template <typename T> T Read(T Options::*option, T nullAnswer) const {
        return pw::IsNullObject(this) ? nullAnswer : m_options.*option;
    }

    using OwnedProfiles = std::vector<std::unique_ptr<CApplicationSettings>>;

    // Deletes every application profile, both views and both tables; with recreate, starts
    // again with empty views and zeroed tables. The default profile is kept.
    void DeleteApplications(bool recreate);

    // The settings file form of the global options and key tables. OptionField is the
    // element and attribute of one option, listed in the order a new file receives them.
    struct OptionField;
    static const OptionField* OptionFields(size_t& count);
    // layersGiven tells whether "Layers"/"Number" held a usable value.
    void ReadOptions(const pugi::xml_node& root, bool& layersGiven);
    void WriteOptions(pugi::xml_node& root) const;
    void ReadKeyTables(const pugi::xml_node& root);
    void WriteKeyTables(pugi::xml_node& root) const;
    void LogLoadedSettings(bool logDetail) const;
    // Applies the pointer speed and precision to the system after a save.
    void ApplyPointerSettings() const;
    // Import: puts replacement where existing is in the list and deletes existing.
    void ReplaceApplication(CApplicationSettings* existing, CApplicationSettings* replacement);
    void CopyFrom(const CSettings& other);
    ProfileView MapView(const ProfileView& view, const CSettings& source) const;

    std::unique_ptr<CApplicationSettings> m_pDefaultApp;
    OwnedProfiles m_lstApplications;
    ProfileView m_vwApplications;
    ProfileView m_vwCustomApplications;
    std::unique_ptr<CHotKeys> m_pHotKeys;
    std::unique_ptr<CLayerModifierKeys> m_pLayerModifierKeys;
    Options m_options;
};
