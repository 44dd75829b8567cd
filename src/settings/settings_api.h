#pragma once

// The root of the settings model: the global options, the default profile, the list of
// application profiles and the two key tables. The settings program builds one to edit
// and save; the hook library builds one at load and refills it from the settings file.
//
// Ownership: a CSettings owns its default profile, every profile in its list and both
// key tables. Profiles handed to SetDefaultApp and AddApplication are adopted.

#include <PallawickHook/platform/system_types.h>
#include <PallawickHook/platform/text_types.h>
#include <PallawickHook/settings/owned_string.h>
#include <PallawickHook/support/export.h>
#include <PallawickHook/support/null_object.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace pugi {
class xml_node;
}
namespace pw::settings {
class LoadDiagnostics;
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
    // The same, telling diagnostics of every value not taken as written (a checker's
    // load); the settings come out the same.
    bool Load(const Char* path, bool& regionChecking, bool logDetail,
              pw::settings::LoadDiagnostics* diagnostics);
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

    CApplicationSettings* GetDefaultApp() const;
    // Adopts profile as the default, deleting the previous default (unless it is the same).
    void SetDefaultApp(CApplicationSettings* profile);

    // The plain application profiles and the custom window profiles, as last loaded.
    const ProfileView& GetApplications() const;
    const ProfileView& GetCustomApplications() const;

    // Null only while the tables are being rebuilt.
    CHotKeys* GetHotKeys() const;
    CLayerModifierKeys* GetLayerModifierKeys() const;

    // Number of layers in use. SetMaxLayers is false when n is already the value.
    int MaxLayers() const;
    bool SetMaxLayers(int n);

    // The debounce and sticky-reset getters answer false (and 50 ms) on a null object.
    bool get_EnableDebounce() const;
    void put_EnableDebounce(bool value);
    bool get_DebounceFromUp() const;
    void put_DebounceFromUp(bool value);
    int get_DebounceTime() const;
    void put_DebounceTime(int value);
    bool get_ResetStickyOnAnyButton() const;
    void put_ResetStickyOnAnyButton(bool value);
    bool get_ResetStickyOnAnyKey() const;
    void put_ResetStickyOnAnyKey(bool value);
    bool get_ResetStickyOnLayerChange() const;
    void put_ResetStickyOnLayerChange(bool value);

    // The inactivity limit in milliseconds; 0 while the jiggler is off.
    uint32_t get_MouseJigglerTickTimeout() const;

    // Never null.
    const Char* get_SearchURL() const;
    void put_SearchURL(const Char* url);
    // Null when no language file is set.
    const Char* GetLanguage() const;
    void SetLanguage(const Char* fileName);

    bool OfficeMouse() const;
    void SetOfficeMouse(bool value);
    bool OfficeMouseForced() const;
    bool LoggingDisabled() const;
    void SetLoggingDisabled(bool value);
    bool RazorMouse() const;
    void SetRazorMouse(bool value);
    bool ScrollWindowUnderCursor() const;
    void SetScrollWindowUnderCursor(bool value);
    bool ScrollLockBypass() const;
    void SetScrollLockBypass(bool value);
    bool ScrollLockBypassDisabled() const;
    void SetScrollLockBypassDisabled(bool value);
    bool Swap4and5() const;
    void SetSwap4and5(bool value);
    bool Swap4and5inRDP() const;
    void SetSwap4and5inRDP(bool value);
    bool DisableInRDP() const;
    void SetDisableInRDP(bool value);
    bool ShowTrayIcon() const;
    void SetShowTrayIcon(bool value);
    bool DisableReinstallOnResume() const;
    void SetDisableReinstallOnResume(bool value);
    bool Notifications() const;
    void SetNotifications(bool value);
    bool NotificationsLayer() const;
    void SetNotificationsLayer(bool value);
    bool MovementToScrollCursor() const;
    void SetMovementToScrollCursor(bool value);
    bool GlobalHotkeysEnabled() const;
    void SetGlobalHotkeysEnabled(bool value);
    bool LayerModifierKeysEnabled() const;
    void SetLayerModifierKeysEnabled(bool value);
    bool ProcessNonClientMsgs() const;
    void SetProcessNonClientMsgs(bool value);
    bool IgnoreNumlock() const;
    void SetIgnoreNumlock(bool value);
    bool LeftClickCycleLayers() const;
    void SetLeftClickCycleLayers(bool value);
    bool FixTiltRepeat() const;
    void SetFixTiltRepeat(bool value);
    int InitialTiltDelay() const;
    void SetInitialTiltDelay(int ms);
    int RepeatTiltDelay() const;
    void SetRepeatTiltDelay(int ms);
    bool CheckVersion() const;
    void SetCheckVersion(bool value);
    int CheckVersionDays() const;
    void SetCheckVersionDays(int days);
    bool CheckBetaVersion() const;
    void SetCheckBetaVersion(bool value);
    bool SwitchOnMouseOver() const;
    void SetSwitchOnMouseOver(bool value);
    bool ActivateOnScroll() const;
    void SetActivateOnScroll(bool value);
    bool ActivateOnMouseOver() const;
    void SetActivateOnMouseOver(bool value);
    bool FixVS2010() const;
    void SetFixVS2010(bool value);
    bool EnableOSD() const;
    void SetEnableOSD(bool value);
    bool AlwaysShowOSD() const;
    void SetAlwaysShowOSD(bool value);
    bool SortActionsAlphabetically() const;
    void SetSortActionsAlphabetically(bool value);
    bool MouseJiggler() const;
    void SetMouseJiggler(bool value);
    int MouseJigglerTimeout() const;
    void SetMouseJigglerTimeout(int minutes);
    bool LoadUSEnglish() const;
    void SetLoadUSEnglish(bool value);
    int CPUPriority() const;
    void SetCPUPriority(int priorityClass);
    int SimKeyDelay() const;
    void SetSimKeyDelay(int ms);

    // Kept in the object only, never in the settings file.
    int MouseSpeed() const;
    void SetMouseSpeed(int speed);
    bool EnhancePointerPrecision() const;
    void SetEnhancePointerPrecision(bool value);
    int SystemWheelLines() const;
    int HooksTimeout() const;
    void SetHooksTimeout(int ms);
    bool HasCaptionProfiles() const;

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
        const CSettings* self = pw::NullableSelf(this);
        return self ? self->m_options.*option : nullAnswer;
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
    void ReadOptions(const pugi::xml_node& root, bool& layersGiven,
                     pw::settings::LoadDiagnostics* diagnostics);
    void WriteOptions(pugi::xml_node& root) const;
    void ReadKeyTables(const pugi::xml_node& root, pw::settings::LoadDiagnostics* diagnostics);
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
