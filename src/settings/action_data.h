#pragma once

// One configured action as a self-contained record: the code and everything the action
// needs to run (keystroke text, send mode, repeat, flags, path, chord set). Profiles and
// chords hand out new records; whoever receives one deletes it.

#include <PallawickHook/platform/text_types.h>
#include <PallawickHook/settings/action_codes.h>
#include <PallawickHook/settings/owned_string.h>
#include <PallawickHook/support/export.h>

class CVESKChords;

class PW_API CActionData {
  public:
    // Every factory returns a new record that the caller deletes.
    static CActionData* NewAction(int action);
    // All fields from the arguments; the strings are copied (null stays null) and the
    // chord set is only referred to.
    static CActionData* CustomAction(int action, const Char* keys, int keystrokesWaitHoldTime,
                                     int keyAction, int keyRepeat, bool active, bool blockMouse,
                                     bool randomiseDelay, const Char* application,
                                     CVESKChords* chords);
    // A simulated-keystroke record (action 28).
    static CActionData* KeyAction(const Char* keys, int keystrokesWaitHoldTime, int keyAction,
                                  int keyRepeat, bool active, bool blockMouse, bool randomiseDelay);
    // A chording record (action 128) holding a new copy of chords, which this record does
    // not own: whoever stores the record's chord set takes it over.
    static CActionData* ChordedAction(CVESKChords& chords);
    // Run a program (action 41) or open a folder (action 59).
    static CActionData* AppAction(const Char* path);
    static CActionData* OpenFolderAction(const Char* folder);

    CActionData(const CActionData& other);
    CActionData& operator=(const CActionData& other);
    virtual ~CActionData();

    _ACTIONS Action() const;
    const Char* GetKeys() const;
    const Char* GetApplication() const;
    int KeyAction() const;
    int KeyRepeat() const;
    bool Active() const;
    bool BlockMouse() const;
    bool RandomiseDelay() const;
    // The keystroke text's wait/hold total plus extra milliseconds.
    int GetKeystrokesWaitHoldTime(int extra) const;
    CVESKChords* GetChords() const;

  private:
    CActionData() = default;

    _ACTIONS m_Action = actLeftClick;
    pw::settings::OwnedString m_Keys;
    pw::settings::OwnedString m_Application;
    int m_nKeyAction = 0;
    int m_nKeyRepeat = 0;
    bool m_bActive = true;
    bool m_bBlockMouse = true;
    bool m_bRandomiseDelay = false;
    int m_nKeystrokesWaitHoldTime = 0;
    CVESKChords* m_pChords = nullptr; // never owned
};
