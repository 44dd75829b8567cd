// The one-line accessors, defined here so that the library exports them.

#include "settings/hotkeys.h"

unsigned short CHotkey::GetModifier() const {
    return m_wModifier;
}

unsigned short CHotkey::GetVirtualKey() const {
    return m_wVirtualKey;
}

bool CHotkey::IsEmpty() const {
    return m_wModifier == 0 && m_wVirtualKey == 0;
}
