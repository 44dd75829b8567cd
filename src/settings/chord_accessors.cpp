// The one-line accessors, defined here so that the library exports them.

#include "settings/chord.h"

_ACTIONS CVESKChord::GetAction() const {
    return m_Action;
}

void CVESKChord::SetAction(_ACTIONS action) {
    m_Action = action;
}

const Char* CVESKChord::GetKeys() const {
    return m_Keys.Get();
}

void CVESKChord::SetKeys(const Char* keys) {
    m_Keys.Assign(keys);
}

int CVESKChord::GetKeystrokesWaitHoldTime() const {
    return m_nKeystrokesWaitHoldTime;
}

void CVESKChord::SetKeystrokesWaitHoldTime(int milliseconds) {
    m_nKeystrokesWaitHoldTime = milliseconds;
}

int CVESKChord::SendKeyAction() const {
    return m_nSendKeyAction;
}

void CVESKChord::SetSendKeyAction(int mode) {
    m_nSendKeyAction = mode;
}

int CVESKChord::SendKeyRepeat() const {
    return m_nSendKeyRepeat;
}

void CVESKChord::SetSendKeyRepeat(int milliseconds) {
    m_nSendKeyRepeat = milliseconds;
}

bool CVESKChord::SendKeyWhenActive() const {
    return m_bSendKeyWhenActive;
}

void CVESKChord::SetSendKeyWhenActive(bool value) {
    m_bSendKeyWhenActive = value;
}

bool CVESKChord::BlockMouse() const {
    return m_bBlockMouse;
}

void CVESKChord::SetBlockMouse(bool value) {
    m_bBlockMouse = value;
}

bool CVESKChord::RandomiseDelay() const {
    return m_bRandomiseDelay;
}

void CVESKChord::SetRandomiseDelay(bool value) {
    m_bRandomiseDelay = value;
}

const Char* CVESKChord::GetLaunchApp() const {
    return m_LaunchApp.Get();
}

void CVESKChord::SetLaunchApp(const Char* path) {
    m_LaunchApp.Assign(path);
}

bool CVESKChord::GetChordActive() const {
    return m_bChordActive;
}

void CVESKChord::SetChordActive(bool value) {
    m_bChordActive = value;
}

MouseButtons CVESKChord::GetChordSourceButton() const {
    return m_ChordSourceButton;
}

void CVESKChord::SetChordSourceButton(MouseButtons button) {
    m_ChordSourceButton = button;
}

MouseButtons CVESKChord::GetChordedButton() const {
    return m_ChordedButton;
}

void CVESKChord::SetChordedButton(MouseButtons button) {
    m_ChordedButton = button;
}

void CVESKChord::ClearChordedFlag() {
    m_ChordedButton = mbNone;
}

CVESKChords* CVESKChord::GetCurrentChords() const {
    return m_pCurrentChords;
}

void CVESKChord::SetCurrentChords(CVESKChords* chords) {
    m_pCurrentChords = chords;
}

bool CVESKChords::DelayUntilChordKnown() const {
    return m_bDelayUntilChordKnown;
}

void CVESKChords::SetDelayUntilChordKnown(bool value) {
    m_bDelayUntilChordKnown = value;
}
