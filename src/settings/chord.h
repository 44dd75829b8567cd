#pragma once

// Chords: what a button does when it is pressed while a chording button is held. A slot
// mapped to action 128 carries a chord set, one chord per partner button.

#include "settings/action_data.h"
#include "settings/actions.h"
#include "settings/mouse_buttons.h"
#include "settings/owned_string.h"
#include "support/export.h"
#include "support/text.h"

#include <array>

namespace pugi {
class xml_node;
}

class CVESKChords;

class PW_API CVESKChord {
  public:
    CVESKChord() = default;
    // Copies carry the persisted fields only; the run-time chording state starts afresh.
    CVESKChord(const CVESKChord& other);
    CVESKChord& operator=(const CVESKChord& other);
    CVESKChord& operator=(const CVESKChord* other);
    virtual ~CVESKChord();

    _ACTIONS GetAction() const { return m_Action; }
    void SetAction(_ACTIONS action) { m_Action = action; }
    const Char* GetKeys() const { return m_Keys.Get(); }
    void SetKeys(const Char* keys) { m_Keys.Assign(keys); }
    int GetKeystrokesWaitHoldTime() const { return m_nKeystrokesWaitHoldTime; }
    void SetKeystrokesWaitHoldTime(int milliseconds) { m_nKeystrokesWaitHoldTime = milliseconds; }
    int SendKeyAction() const { return m_nSendKeyAction; }
    void SetSendKeyAction(int mode) { m_nSendKeyAction = mode; }
    int SendKeyRepeat() const { return m_nSendKeyRepeat; }
    void SetSendKeyRepeat(int milliseconds) { m_nSendKeyRepeat = milliseconds; }
    bool SendKeyWhenActive() const { return m_bSendKeyWhenActive; }
    void SetSendKeyWhenActive(bool value) { m_bSendKeyWhenActive = value; }
    bool BlockMouse() const { return m_bBlockMouse; }
    void SetBlockMouse(bool value) { m_bBlockMouse = value; }
    bool RandomiseDelay() const { return m_bRandomiseDelay; }
    void SetRandomiseDelay(bool value) { m_bRandomiseDelay = value; }
    const Char* GetLaunchApp() const { return m_LaunchApp.Get(); }
    void SetLaunchApp(const Char* path) { m_LaunchApp.Assign(path); }

    // Run-time chording state, never copied or stored.
    bool GetChordActive() const { return m_bChordActive; }
    void SetChordActive(bool value) { m_bChordActive = value; }
    MouseButtons GetChordSourceButton() const { return m_ChordSourceButton; }
    void SetChordSourceButton(MouseButtons button) { m_ChordSourceButton = button; }
    MouseButtons GetChordedButton() const { return m_ChordedButton; }
    void SetChordedButton(MouseButtons button) { m_ChordedButton = button; }
    void ClearChordedFlag() { m_ChordedButton = mbNone; }
    CVESKChords* GetCurrentChords() const { return m_pCurrentChords; }
    void SetCurrentChords(CVESKChords* chords) { m_pCurrentChords = chords; }

    // Takes over an action record's fields (not its chord set); clears CurrentChords.
    void SetActionData(const CActionData* data);
    // A new record of this chord's action, without a chord set; the caller deletes it.
    CActionData* GetActionData() const;

    // Settings file form, implemented with the settings reader and writer.
    void Save(pugi::xml_node& element);
    bool Load(const pugi::xml_node& element, int perKeyDelay);

  private:
    void CopyPersistedFields(const CVESKChord& other);

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
    virtual ~CVESKChords();

    // The chord of partner button b inside this set; null outside 0 to 8.
    CVESKChord* GetChord(MouseButtons b);
    // Copies c's persisted fields into chord b; ignored outside 0 to 8.
    void SetChord(MouseButtons b, CVESKChord& c);

    bool DelayUntilChordKnown() const { return m_bDelayUntilChordKnown; }
    void SetDelayUntilChordKnown(bool value) { m_bDelayUntilChordKnown = value; }

    // Settings file form, implemented with the settings reader and writer.
    void Save(bool officeMouse, pugi::xml_node& element);
    bool Load(bool officeMouse, const pugi::xml_node& element, int perKeyDelay);

  private:
    std::array<CVESKChord, pw::settings::kButtonCount> m_Chords;
    bool m_bDelayUntilChordKnown = true;
};
