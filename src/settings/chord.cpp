#include "settings/chord.h"

CVESKChord::CVESKChord(const CVESKChord& other) {
    CopyPersistedFields(other);
}

CVESKChord& CVESKChord::operator=(const CVESKChord& other) {
    CopyPersistedFields(other);
    return *this;
}

CVESKChord& CVESKChord::operator=(const CVESKChord* other) {
    if (other)
        CopyPersistedFields(*other);
    return *this;
}

CVESKChord& CVESKChord::operator=(CVESKChord& other) {
    return *this = static_cast<const CVESKChord&>(other);
}

CVESKChord& CVESKChord::operator=(CVESKChord* other) {
    return *this = static_cast<const CVESKChord*>(other);
}

CVESKChord::~CVESKChord() = default;

void CVESKChord::CopyPersistedFields(const CVESKChord& other) {
    if (this == &other)
        return;
    m_Action = other.m_Action;
    m_Keys = other.m_Keys;
    m_nKeystrokesWaitHoldTime = other.m_nKeystrokesWaitHoldTime;
    m_nSendKeyAction = other.m_nSendKeyAction;
    m_nSendKeyRepeat = other.m_nSendKeyRepeat;
    m_bSendKeyWhenActive = other.m_bSendKeyWhenActive;
    m_bBlockMouse = other.m_bBlockMouse;
    m_bRandomiseDelay = other.m_bRandomiseDelay;
    m_LaunchApp = other.m_LaunchApp;
    m_pCurrentChords = nullptr;
}

void CVESKChord::SetActionData(CActionData* data) {
    SetActionData(static_cast<const CActionData*>(data));
}

void CVESKChord::SetActionData(const CActionData* data) {
    if (!data)
        return;
    m_Action = data->Action();
    m_Keys.Assign(data->GetKeys());
    m_nKeystrokesWaitHoldTime = data->GetKeystrokesWaitHoldTime(0);
    m_nSendKeyAction = data->KeyAction();
    m_nSendKeyRepeat = data->KeyRepeat();
    m_bSendKeyWhenActive = data->Active();
    m_bBlockMouse = data->BlockMouse();
    m_bRandomiseDelay = data->RandomiseDelay();
    m_LaunchApp.Assign(data->GetApplication());
    m_pCurrentChords = nullptr;
}

CActionData* CVESKChord::GetActionData() const {
    return CActionData::CustomAction(m_Action, m_Keys.Get(), m_nKeystrokesWaitHoldTime,
                                     m_nSendKeyAction, m_nSendKeyRepeat, m_bSendKeyWhenActive,
                                     m_bBlockMouse, m_bRandomiseDelay, m_LaunchApp.Get(), nullptr);
}

CVESKChords::CVESKChords(const CVESKChords& other)
    : m_Chords(other.m_Chords), m_bDelayUntilChordKnown(other.m_bDelayUntilChordKnown) {}

CVESKChords& CVESKChords::operator=(const CVESKChords& other) {
    m_Chords = other.m_Chords;
    m_bDelayUntilChordKnown = other.m_bDelayUntilChordKnown;
    return *this;
}

CVESKChords& CVESKChords::operator=(const CVESKChords* other) {
    if (other)
        m_Chords = other->m_Chords;
    return *this;
}

CVESKChords::CVESKChords(CVESKChords& other)
    : CVESKChords(static_cast<const CVESKChords&>(other)) {}

CVESKChords& CVESKChords::operator=(CVESKChords& other) {
    return *this = static_cast<const CVESKChords&>(other);
}

CVESKChords& CVESKChords::operator=(CVESKChords* other) {
    return *this = static_cast<const CVESKChords*>(other);
}

CVESKChords::~CVESKChords() = default;

CVESKChord* CVESKChords::GetChord(MouseButtons b) {
    if (!pw::settings::IsValidButton(b))
        return nullptr;
    return &m_Chords[static_cast<size_t>(b)];
}

void CVESKChords::SetChord(MouseButtons b, CVESKChord& c) {
    if (CVESKChord* chord = GetChord(b))
        *chord = c;
}
