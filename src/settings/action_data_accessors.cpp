// The one-line accessors, defined here so that the library exports them.

#include "settings/action_data.h"

_ACTIONS CActionData::Action() const {
    return m_Action;
}

const Char* CActionData::GetKeys() const {
    return m_Keys.Get();
}

const Char* CActionData::GetApplication() const {
    return m_Application.Get();
}

int CActionData::KeyAction() const {
    return m_nKeyAction;
}

int CActionData::KeyRepeat() const {
    return m_nKeyRepeat;
}

bool CActionData::Active() const {
    return m_bActive;
}

bool CActionData::BlockMouse() const {
    return m_bBlockMouse;
}

bool CActionData::RandomiseDelay() const {
    return m_bRandomiseDelay;
}

int CActionData::GetKeystrokesWaitHoldTime(int extra) const {
    return m_nKeystrokesWaitHoldTime + extra;
}

CVESKChords* CActionData::GetChords() const {
    return m_pChords;
}
