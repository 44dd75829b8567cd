#pragma once

// One profile: the default profile, which applies everywhere, or an application profile
// for one program or one kind of its windows (caption, class, parent class, window
// quarters). It holds the 10 x 9 grid of button slots with each slot's action and data,
// the per-layer settings and the scroll settings.
//
// A profile has no lock of its own; whoever shares it between threads guards it.

#include <PallawickHook/platform/text_types.h>
#include <PallawickHook/settings/action_codes.h>
#include <PallawickHook/settings/action_data.h>
#include <PallawickHook/settings/button_grid.h>
#include <PallawickHook/settings/chord.h>
#include <PallawickHook/settings/owned_chords.h>
#include <PallawickHook/settings/owned_string.h>
#include <PallawickHook/settings/profile_edit_note.h>
#include <PallawickHook/support/export.h>

#include <array>

namespace pugi {
class xml_node;
}
namespace pw::settings::xml {
class XmlTextWriter;
struct SlotValuesToWrite;
} // namespace pw::settings::xml
namespace pw::settings {
class LoadDiagnostics;
// The scroll methods' multiplier of a new profile and of a file that leaves it out.
inline constexpr int kDefaultScrollMultiplier = 1;
} // namespace pw::settings

class CSettings;

class PW_API CApplicationSettings : private pw::settings::ProfileEditNote {
  public:
    CApplicationSettings(CSettings* settings, bool isDefault);
    // Copies duplicate every string and chord set; the owner is shared.
    CApplicationSettings(const CApplicationSettings& other);
    CApplicationSettings& operator=(const CApplicationSettings& other);
    virtual ~CApplicationSettings();
    // The settings object whose global options this profile reads (not owned).
    CSettings* GetOwner() const;
    void SetOwner(CSettings* settings);

    // The string routines of the settings model: CopyString frees target and replaces it
    // by a copy of source (null stays null), lower-cased when asked; ClearString frees it.
    static Char* CopyString(Char*& target, const Char* source, bool lowerCase);
    static Char* ClearString(Char*& target);
    // The default repeat interval of a slot, from the system keyboard repeat speed.
    static unsigned long DefaultRepeat();
    // Total milliseconds that playing keys takes, charging perKey for each key.
    static int CalculateKeystrokesWaitHoldTime(const Char* keys, int perKey);

    // Identity. SetApplication parses a profile string (plain process name, or the W:,
    // W2: and W3: window forms) into the matching fields.
    void SetApplication(const Char* profileString);
    const Char* GetFullName() const;
    const Char* GetDescription() const;
    void SetDescription(const Char* description);
    const Char* GetCaption() const;
    // The application field lower-cased, as the plain matching compares it; and as
    // written, as a pattern compiles it.
    const Char* GetApplication() const;
    const Char* GetApplicationPattern() const;
    const Char* GetClass() const;
    const Char* GetParentClass() const;
    // Matched on more than the process name: class, parent class, caption, quarters,
    // regular expressions or the no-parent rule.
    bool IsCustomWindow() const;
    // The identity string: the application, or "cw;" caption;application;parent;class.
    String GetKey() const;
    // A name for messages: the description, else the application (and class, parent class
    // of a window profile). 0 on success, -1 with no application, else the copy's error.
    int GetShortName(Char* buffer, int size) const;

    // Profile flags and scroll settings.
    bool IsDefault() const;
    bool IsEnabled() const;
    void SetEnableFlag(bool enabled);
    bool RegExMatching() const;
    void SetRegExMatching(bool value);
    bool NoParent() const;
    void SetNoParentFlag(bool value);
    bool InvertedScrolling() const;
    void SetInvertScrolling(bool value);
    bool InvertedHorzScrolling() const;
    void SetInvertHorzScrolling(bool value);
    bool ScrollPages() const;
    void SetScrollPages(bool value);
    bool AxisLocking() const;
    void SetAxisLocking(bool value);
    swapbuttons SwapButtons() const;
    void SetSwapButtons(swapbuttons value);
    int ScrollLines() const;
    void SetScrollLines(int lines);
    bool ForceSPIMessage() const;
    void SetForceSPIMessage(bool value);
    int AdvScrollMethod() const;
    void SetAdvScrollMethod(int method);
    int AdvScrollVertical() const;
    void SetAdvScrollVertical(int factor);
    int AdvScrollHorizontal() const;
    void SetAdvScrollHorizontal(int factor);
    WINDOWMASK GetWindowMask() const;
    void SetWindowMask(WINDOWMASK mask);
    // False when called through a null profile.
    bool GetDisableScrollUnderCursor() const;
    void SetDisableScrollUnderCursor(bool value);
    bool GetIgnoreVScroll() const;
    void SetIgnoreVScroll(bool value);
    bool GetIgnoreHScroll() const;
    void SetIgnoreHScroll(bool value);
    int GetIgnoreVScrollTime() const;
    void SetIgnoreVScrollTime(int milliseconds);
    int GetIgnoreHScrollTime() const;
    void SetIgnoreHScrollTime(int milliseconds);

    // Per-layer settings. A layer outside 0 to 9 reads as the default and is not stored.
    const Char* GetLayerName(int layer) const;
    void SetLayerName(const Char* name, int layer);
    bool GetRevertLayer1(int layer) const;
    void SetRevertLayer1(int layer, bool value);
    int GetAutoSwitchLayer(int layer) const;
    void SetAutoSwitchLayer(int layer, int target);
    int GetAutoSwitchTime(int layer) const;
    void SetAutoSwitchTime(int layer, int time);
    bool GetLayerDisabled(int layer) const;
    void SetLayerDisabled(int layer, bool disabled);
    MouseButtons GetChordButton(int layer) const;
    void SetChordButton(MouseButtons button, int layer);

    // Per-slot settings, (button, layer) with slot = button + 9 * layer. The action and
    // reset-keys accessors log an invalid slot; the others read an invalid slot as the
    // default and ignore writes to it.
    _ACTIONS GetActions(MouseButtons button, int layer) const;
    void SetActions(MouseButtons button, int layer, _ACTIONS action);
    bool GetResetKeys(MouseButtons button, int layer) const;
    void SetResetKeys(MouseButtons button, int layer, bool reset);
    const Char* GetKeystrokes(MouseButtons button, int layer) const;
    void SetKeystrokes(MouseButtons button, int layer, const Char* keys, int sendKeyAction,
                       int sendKeyRepeat, bool sendKeyWhenActive, bool blockMouse,
                       bool randomiseDelay);
    // As above, and recomputes the wait/hold time with perKeyDelay per key.
    void SetKeystrokes(MouseButtons button, int layer, const Char* keys, int sendKeyAction,
                       int sendKeyRepeat, bool sendKeyWhenActive, bool blockMouse,
                       bool randomiseDelay, int perKeyDelay);
    const Char* GetStuckKeys(MouseButtons button, int layer) const;
    void SetStuckKeys(MouseButtons button, int layer, const Char* keys);
    const Char* GetLaunchApp(MouseButtons button, int layer) const;
    void SetLaunchApp(MouseButtons button, int layer, const Char* path);
    CVESKChords* GetChords(MouseButtons button, int layer) const;
    // Takes ownership of chords; a set already in the slot is let go, not deleted.
    void SetChords(MouseButtons button, int layer, CVESKChords* chords);
    // Deletes the slot's set and stores a copy of chords (or none for null).
    void CopyChords(MouseButtons button, int layer, CVESKChords* chords);
    int SendKeyAction(MouseButtons button, int layer) const;
    int SendKeyRepeat(MouseButtons button, int layer) const;
    int GetKeystrokesWaitHoldTime(MouseButtons button, int layer, int ignored) const;
    bool SendKeyWhenActive(MouseButtons button, int layer) const;
    bool BlockMouse(MouseButtons button, int layer) const;
    bool RandomiseDelay(MouseButtons button, int layer) const;
    // A new record of the slot's action and data, referring to the slot's chord set; the
    // caller deletes it. An invalid slot gives a record of action 40.
    CActionData* GetActionData(MouseButtons button, int layer) const;

    // Logs the profile's layers at debug level (when debug logging is on), under name.
    void Log(const Char* name);

    // Settings file form, implemented with the settings reader and writer.
    bool Save(pugi::xml_node& parent);
    // Writes the profile's whole "Application" element as a new child of the element writer
    // has open (or at its top); Save adds this text to parent.
    void SaveAsText(pw::settings::xml::XmlTextWriter& writer) const;
    bool SaveDefault(pugi::xml_node& element);
    bool Load(const pugi::xml_node& element, int perKeyDelay, bool& regionChecking,
              int& layersUsed);
    bool LoadDefault(const pugi::xml_node& element, int perKeyDelay, int& layersUsed);
    // The same, telling diagnostics of values not taken as written.
    bool Load(const pugi::xml_node& element, int perKeyDelay, bool& regionChecking, int& layersUsed,
              pw::settings::LoadDiagnostics* diagnostics);
    bool LoadDefault(const pugi::xml_node& element, int perKeyDelay, int& layersUsed,
                     pw::settings::LoadDiagnostics* diagnostics);

  private:
    void StoreWindowFields(StringView whole, StringView rest);
    // Stores the application both lower-cased and as written; a field of the window
    // forms that is a lone "*" clears it instead.
    void StoreApplication(StringView text);
    void StoreApplicationField(StringView field);
    void ClearApplication();

    struct Layer {
        pw::settings::OwnedString name;
        bool revertLayer1 = false;
        int autoSwitchLayer = 0;
        int autoSwitchTime = 1;
        bool disabled = false;
        MouseButtons chordButton = mbNone; // run-time, not stored
    };

    struct Slot {
        _ACTIONS action = actNoChange;
        bool resetKeys = false; // run-time, not stored
        pw::settings::OwnedString keystrokes;
        pw::settings::OwnedString stuckKeys; // run-time: keys the slot holds down
        pw::settings::OwnedString launchApp;
        pw::settings::OwnedChords chords;
        int sendKeyAction = pw::settings::kDefaultSendKeyAction;
        int sendKeyRepeat = 0;
        int keystrokesWaitHoldTime = 0;
        bool sendKeyWhenActive = true;
        bool blockMouse = true;
        bool randomiseDelay = false;
    };

    // The slot of (button, layer), or null outside the grid.
    Slot* FindSlot(int button, int layer);
    const Slot* FindSlot(int button, int layer) const;
    Layer* FindLayer(int layer);
    const Layer* FindLayer(int layer) const;
    // The slot's text for the profile log, written into buffer.
    void DescribeSlot(MouseButtons button, int layer, Char* buffer, size_t capacity) const;
    void ReleaseEverything();

    // The settings file form of one slot and of one default-profile layer container.
    // The scrolling attributes an application profile and the default profile share.
    void LoadScrollAttributes(const pugi::xml_node& element,
                              pw::settings::LoadDiagnostics* diagnostics);
    void LoadSlot(int button, int layer, const pugi::xml_node& element, int perKeyDelay,
                  bool officeMouse, int& layersUsed, pw::settings::LoadDiagnostics* diagnostics);
    void LoadDefaultLayer(int layer, const pugi::xml_node& container, int perKeyDelay,
                          bool officeMouse, int& layersUsed,
                          pw::settings::LoadDiagnostics* diagnostics);
    // Updates the slot attributes and "chords" child element may already hold, removing a
    // "chords" child the slot no longer has.
    void SaveSlot(int button, int layer, pugi::xml_node& element, bool officeMouse);
    static pw::settings::xml::SlotValuesToWrite SlotValues(const Slot& slot);

    CSettings* m_pSettings = nullptr; // the owner, not owned
    bool m_bIsDefault = false;

    pw::settings::OwnedString m_FullName;
    pw::settings::OwnedString m_Description;
    pw::settings::OwnedString m_Caption;
    pw::settings::OwnedString m_Application;        // always lower case
    pw::settings::OwnedString m_ApplicationPattern; // the same field as written
    pw::settings::OwnedString m_Class;
    pw::settings::OwnedString m_ParentClass;

    bool m_bEnabled = true;
    bool m_bRegExMatching = false;
    bool m_bNoParent = false;
    bool m_bInvertScrolling = false;
    bool m_bInvertHorizontalScrolling = false;
    bool m_bScrollPages = false;
    bool m_bAxisLocking = false;
    swapbuttons m_SwapButtons = swapUnchanged;
    int m_nScrollLines = 3;
    bool m_bForceSPI = false;
    int m_nAdvScrollMethod = 8;
    int m_nAdvScrollVert = pw::settings::kDefaultScrollMultiplier;
    int m_nAdvScrollHorz = pw::settings::kDefaultScrollMultiplier;
    WINDOWMASK m_WindowMask = wmWholeWindow;
    bool m_bDisableScrollUnderCursor = false;
    bool m_bIgnoreVScroll = false;
    bool m_bIgnoreHScroll = false;
    int m_nIgnoreVScrollTime = 200;
    int m_nIgnoreHScrollTime = 400;

    std::array<Layer, pw::settings::kLayerCount> m_Layers;
    std::array<Slot, pw::settings::kSlotCount> m_Slots;
};
