#pragma once

// Chords: what a button does when it is pressed while a chording button is held. A slot
// mapped to action 128 carries a chord set, one chord per partner button.

#include <PallawickHook/platform/text_types.h>
#include <PallawickHook/settings/action_codes.h>
#include <PallawickHook/settings/action_data.h>
#include <PallawickHook/settings/button_grid.h>
#include <PallawickHook/settings/owned_string.h>
#include <PallawickHook/support/export.h>

#include <array>

namespace pugi {
class xml_node;
}
namespace pw::settings {
class LoadDiagnostics;
}
namespace pw::settings::xml {
class XmlTextWriter;
struct SlotValuesToWrite;
} // namespace pw::settings::xml

class CVESKChords;

class PW_API CVESKChord {
  public:
    CVESKChord() = default;
    // Copies carry the persisted fields only; the run-time chording state starts afresh.
    CVESKChord(const CVESKChord& other);
    CVESKChord& operator=(const CVESKChord& other);
    CVESKChord& operator=(const CVESKChord* other);
    // The forms the main program links against; they do as the ones above.
    CVESKChord& operator=(CVESKChord& other);
    CVESKChord& operator=(CVESKChord* other);
    virtual ~CVESKChord();

    _ACTIONS GetAction() const;
    void SetAction(_ACTIONS action);
    const Char* GetKeys() const;
    void SetKeys(const Char* keys);
    int GetKeystrokesWaitHoldTime() const;
    void SetKeystrokesWaitHoldTime(int milliseconds);
    int SendKeyAction() const;
    void SetSendKeyAction(int mode);
    int SendKeyRepeat() const;
    void SetSendKeyRepeat(int milliseconds);
    bool SendKeyWhenActive() const;
    void SetSendKeyWhenActive(bool value);
    bool BlockMouse() const;
    void SetBlockMouse(bool value);
    bool RandomiseDelay() const;
    void SetRandomiseDelay(bool value);
    const Char* GetLaunchApp() const;
    void SetLaunchApp(const Char* path);

    // Run-time chording state, never copied or stored.
    bool GetChordActive() const;
    void SetChordActive(bool value);
    MouseButtons GetChordSourceButton() const;
    void SetChordSourceButton(MouseButtons button);
    MouseButtons GetChordedButton() const;
    void SetChordedButton(MouseButtons button);
    void ClearChordedFlag();
    CVESKChords* GetCurrentChords() const;
    void SetCurrentChords(CVESKChords* chords);

    // Takes over an action record's fields (not its chord set); clears CurrentChords.
    void SetActionData(const CActionData* data);
    void SetActionData(CActionData* data);
    // A new record of this chord's action, without a chord set; the caller deletes it.
    CActionData* GetActionData() const;

    // Settings file form, implemented with the settings reader and writer.
    void Save(pugi::xml_node& element);
    // The same attributes for the element writer has open.
    void SaveAsText(pw::settings::xml::XmlTextWriter& writer) const;
    bool Load(const pugi::xml_node& element, int perKeyDelay);
    // The same, telling diagnostics of values not taken as written.
    bool Load(const pugi::xml_node& element, int perKeyDelay,
              pw::settings::LoadDiagnostics* diagnostics);

  private:
    void CopyPersistedFields(const CVESKChord& other);
    pw::settings::xml::SlotValuesToWrite SlotValues() const;

    _ACTIONS m_Action = actNoChange;
    pw::settings::OwnedString m_Keys;
    int m_nKeystrokesWaitHoldTime = 0;
    int m_nSendKeyAction = 0;
    int m_nSendKeyRepeat = 0;
    bool m_bSendKeyWhenActive = true;
    bool m_bBlockMouse = true;
    bool m_bRandomiseDelay = false;
    pw::settings::OwnedString m_LaunchApp;

    bool m_bChordActive = false;
    MouseButtons m_ChordSourceButton = mbNone;
    MouseButtons m_ChordedButton = mbNone;
    CVESKChords* m_pCurrentChords = nullptr; // not owned
};

class PW_API CVESKChords {
  public:
    CVESKChords() = default;
    CVESKChords(const CVESKChords& other);
    CVESKChords& operator=(const CVESKChords& other);
    // Copies the nine chords but keeps this set's DelayUntilChordKnown.
    CVESKChords& operator=(const CVESKChords* other);
    // The forms the main program links against; they do as the ones above.
    CVESKChords(CVESKChords& other);
    CVESKChords& operator=(CVESKChords& other);
    CVESKChords& operator=(CVESKChords* other);
    virtual ~CVESKChords();

    // The chord of partner button b inside this set; null outside 0 to 8.
    CVESKChord* GetChord(MouseButtons b);
    // Copies c's persisted fields into chord b; ignored outside 0 to 8.
    void SetChord(MouseButtons b, CVESKChord& c);

    bool DelayUntilChordKnown() const;
    void SetDelayUntilChordKnown(bool value);

    // Settings file form, implemented with the settings reader and writer.
    void Save(bool officeMouse, pugi::xml_node& element);
    // Writes the whole "chords" element as a new child of the element writer has open.
    void SaveAsText(bool officeMouse, pw::settings::xml::XmlTextWriter& writer) const;
    bool Load(bool officeMouse, const pugi::xml_node& element, int perKeyDelay);
    bool Load(bool officeMouse, const pugi::xml_node& element, int perKeyDelay,
              pw::settings::LoadDiagnostics* diagnostics);

  private:
    std::array<CVESKChord, pw::settings::kButtonCount> m_Chords;
    bool m_bDelayUntilChordKnown = true;
};
