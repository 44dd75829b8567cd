#include "settings/application_settings.h"

#include "platform/platform.h"
#include "settings/actions.h"
#include "settings/profile_edits.h"
#include "settings/profile_owner.h"
#include "settings/wait_hold_time.h"
#include "support/logger.h"
#include "support/null_object.h"

using pw::settings::SlotIndex;

CApplicationSettings::CApplicationSettings(CSettings* settings, bool isDefault)
    : m_pSettings(settings), m_bIsDefault(isDefault) {
    m_nScrollLines = pw::settings::ReadProfileOwner(settings).systemWheelLines;
    int repeat = static_cast<int>(DefaultRepeat());
    for (Slot& slot : m_Slots)
        slot.sendKeyRepeat = repeat;
    if (isDefault)
        m_FullName.Assign(L"Default");
}

CApplicationSettings::CApplicationSettings(const CApplicationSettings& other) = default;

CApplicationSettings& CApplicationSettings::operator=(const CApplicationSettings& other) = default;

CApplicationSettings::~CApplicationSettings() {
    // A profile a list may still name is going.
    pw::settings::NoteProfileEdit();
    try {
        ReleaseEverything();
    } catch (...) {
        CLogger::LogMessage(L"Caught exception in ~CApplicationSettings");
    }
}

void CApplicationSettings::ReleaseEverything() {
    for (auto* text : {&m_FullName, &m_Description, &m_Caption, &m_Application,
                       &m_ApplicationPattern, &m_Class, &m_ParentClass})
        text->Clear();
    for (Layer& layer : m_Layers)
        layer.name.Clear();
    for (Slot& slot : m_Slots) {
        slot.keystrokes.Clear();
        slot.stuckKeys.Clear();
        slot.launchApp.Clear();
        slot.chords.Reset();
    }
}

Char* CApplicationSettings::CopyString(Char*& target, const Char* source, bool lowerCase) {
    return pw::settings::ReplaceString(target, source, lowerCase);
}

Char* CApplicationSettings::ClearString(Char*& target) {
    return pw::settings::FreeString(target);
}

unsigned long CApplicationSettings::DefaultRepeat() {
    return pw::settings::RepeatIntervalForKeyboardSpeed(
        pw::platform::GetSystemInfo().KeyboardSpeed());
}

int CApplicationSettings::CalculateKeystrokesWaitHoldTime(const Char* keys, int perKey) {
    if (!keys)
        return 0;
    int total = pw::settings::KeystrokesWaitHoldTime(keys, perKey);
    CLogger::LogDebug(L"ApplicationSettings; Total wait time for keys '%ls' is %dms", keys, total);
    return total;
}

bool CApplicationSettings::GetDisableScrollUnderCursor() const {
    const CApplicationSettings* self = pw::NullableSelf(this);
    return self ? self->m_bDisableScrollUnderCursor : false;
}

// Per-layer settings.

CApplicationSettings::Layer* CApplicationSettings::FindLayer(int layer) {
    return pw::settings::IsValidLayer(layer) ? &m_Layers[static_cast<size_t>(layer)] : nullptr;
}

const CApplicationSettings::Layer* CApplicationSettings::FindLayer(int layer) const {
    return pw::settings::IsValidLayer(layer) ? &m_Layers[static_cast<size_t>(layer)] : nullptr;
}

const Char* CApplicationSettings::GetLayerName(int layer) const {
    const Layer* found = FindLayer(layer);
    return found ? found->name.Get() : nullptr;
}

void CApplicationSettings::SetLayerName(const Char* name, int layer) {
    if (Layer* found = FindLayer(layer))
        found->name.Assign(name);
}

bool CApplicationSettings::GetRevertLayer1(int layer) const {
    const Layer* found = FindLayer(layer);
    return found && found->revertLayer1;
}

void CApplicationSettings::SetRevertLayer1(int layer, bool value) {
    if (Layer* found = FindLayer(layer))
        found->revertLayer1 = value;
}

int CApplicationSettings::GetAutoSwitchLayer(int layer) const {
    const Layer* found = FindLayer(layer);
    return found ? found->autoSwitchLayer : Layer{}.autoSwitchLayer;
}

void CApplicationSettings::SetAutoSwitchLayer(int layer, int target) {
    if (Layer* found = FindLayer(layer))
        found->autoSwitchLayer = target;
}

int CApplicationSettings::GetAutoSwitchTime(int layer) const {
    const Layer* found = FindLayer(layer);
    return found ? found->autoSwitchTime : Layer{}.autoSwitchTime;
}

void CApplicationSettings::SetAutoSwitchTime(int layer, int time) {
    if (Layer* found = FindLayer(layer))
        found->autoSwitchTime = time;
}

bool CApplicationSettings::GetLayerDisabled(int layer) const {
    const Layer* found = FindLayer(layer);
    return found && found->disabled;
}

void CApplicationSettings::SetLayerDisabled(int layer, bool disabled) {
    if (Layer* found = FindLayer(layer))
        found->disabled = disabled;
}

MouseButtons CApplicationSettings::GetChordButton(int layer) const {
    const Layer* found = FindLayer(layer);
    return found ? found->chordButton : mbNone;
}

void CApplicationSettings::SetChordButton(MouseButtons button, int layer) {
    if (Layer* found = FindLayer(layer))
        found->chordButton = button;
}

// Per-slot settings.

CApplicationSettings::Slot* CApplicationSettings::FindSlot(int button, int layer) {
    int index = SlotIndex(button, layer);
    return index >= 0 ? &m_Slots[static_cast<size_t>(index)] : nullptr;
}

const CApplicationSettings::Slot* CApplicationSettings::FindSlot(int button, int layer) const {
    int index = SlotIndex(button, layer);
    return index >= 0 ? &m_Slots[static_cast<size_t>(index)] : nullptr;
}

_ACTIONS CApplicationSettings::GetActions(MouseButtons button, int layer) const {
    const Slot* slot = FindSlot(button, layer);
    if (!slot) {
        CLogger::LogMessage(L"Invalid call to GetActions(%d, %d)", static_cast<int>(button), layer);
        return actNoChange;
    }
    return slot->action;
}

void CApplicationSettings::SetActions(MouseButtons button, int layer, _ACTIONS action) {
    Slot* slot = FindSlot(button, layer);
    if (!slot) {
        CLogger::LogMessage(L"Invalid call to SetActions(%d, %d, %d)", static_cast<int>(button),
                            layer, static_cast<int>(action));
        return;
    }
    slot->action = action;
}

bool CApplicationSettings::GetResetKeys(MouseButtons button, int layer) const {
    const Slot* slot = FindSlot(button, layer);
    if (!slot) {
        CLogger::LogMessage(L"Invalid call to GetResetKeys(%d, %d)", static_cast<int>(button),
                            layer);
        return false;
    }
    return slot->resetKeys;
}

void CApplicationSettings::SetResetKeys(MouseButtons button, int layer, bool reset) {
    Slot* slot = FindSlot(button, layer);
    if (!slot) {
        CLogger::LogMessage(L"Invalid call to SetResetKeys(%d, %d, %d)", static_cast<int>(button),
                            layer, reset ? 1 : 0);
        return;
    }
    slot->resetKeys = reset;
}

const Char* CApplicationSettings::GetKeystrokes(MouseButtons button, int layer) const {
    const Slot* slot = FindSlot(button, layer);
    return slot ? slot->keystrokes.Get() : nullptr;
}

void CApplicationSettings::SetKeystrokes(MouseButtons button, int layer, const Char* keys,
                                         int sendKeyAction, int sendKeyRepeat,
                                         bool sendKeyWhenActive, bool blockMouse,
                                         bool randomiseDelay) {
    Slot* slot = FindSlot(button, layer);
    if (!slot)
        return;
    slot->keystrokes.Assign(keys);
    slot->sendKeyAction = sendKeyAction;
    slot->sendKeyRepeat = sendKeyRepeat;
    slot->sendKeyWhenActive = sendKeyWhenActive;
    slot->blockMouse = blockMouse;
    slot->randomiseDelay = randomiseDelay;
}

void CApplicationSettings::SetKeystrokes(MouseButtons button, int layer, const Char* keys,
                                         int sendKeyAction, int sendKeyRepeat,
                                         bool sendKeyWhenActive, bool blockMouse,
                                         bool randomiseDelay, int perKeyDelay) {
    Slot* slot = FindSlot(button, layer);
    if (!slot)
        return;
    SetKeystrokes(button, layer, keys, sendKeyAction, sendKeyRepeat, sendKeyWhenActive, blockMouse,
                  randomiseDelay);
    slot->keystrokesWaitHoldTime = keys ? CalculateKeystrokesWaitHoldTime(keys, perKeyDelay) : 0;
}

const Char* CApplicationSettings::GetStuckKeys(MouseButtons button, int layer) const {
    const Slot* slot = FindSlot(button, layer);
    return slot ? slot->stuckKeys.Get() : nullptr;
}

void CApplicationSettings::SetStuckKeys(MouseButtons button, int layer, const Char* keys) {
    if (Slot* slot = FindSlot(button, layer))
        slot->stuckKeys.Assign(keys);
}

const Char* CApplicationSettings::GetLaunchApp(MouseButtons button, int layer) const {
    const Slot* slot = FindSlot(button, layer);
    return slot ? slot->launchApp.Get() : nullptr;
}

void CApplicationSettings::SetLaunchApp(MouseButtons button, int layer, const Char* path) {
    if (Slot* slot = FindSlot(button, layer))
        slot->launchApp.Assign(path);
}

CVESKChords* CApplicationSettings::GetChords(MouseButtons button, int layer) const {
    const Slot* slot = FindSlot(button, layer);
    return slot ? slot->chords.Get() : nullptr;
}

void CApplicationSettings::SetChords(MouseButtons button, int layer, CVESKChords* chords) {
    if (Slot* slot = FindSlot(button, layer))
        slot->chords.Adopt(chords);
}

void CApplicationSettings::CopyChords(MouseButtons button, int layer, CVESKChords* chords) {
    if (Slot* slot = FindSlot(button, layer))
        slot->chords.CopyFrom(chords);
}

int CApplicationSettings::SendKeyAction(MouseButtons button, int layer) const {
    const Slot* slot = FindSlot(button, layer);
    return slot ? slot->sendKeyAction : pw::settings::kDefaultSendKeyAction;
}

int CApplicationSettings::SendKeyRepeat(MouseButtons button, int layer) const {
    const Slot* slot = FindSlot(button, layer);
    return slot ? slot->sendKeyRepeat : static_cast<int>(DefaultRepeat());
}

int CApplicationSettings::GetKeystrokesWaitHoldTime(MouseButtons button, int layer,
                                                    int /*ignored*/) const {
    const Slot* slot = FindSlot(button, layer);
    return slot ? slot->keystrokesWaitHoldTime : 0;
}

bool CApplicationSettings::SendKeyWhenActive(MouseButtons button, int layer) const {
    const Slot* slot = FindSlot(button, layer);
    return slot ? slot->sendKeyWhenActive : true;
}

bool CApplicationSettings::BlockMouse(MouseButtons button, int layer) const {
    const Slot* slot = FindSlot(button, layer);
    return slot ? slot->blockMouse : true;
}

bool CApplicationSettings::RandomiseDelay(MouseButtons button, int layer) const {
    const Slot* slot = FindSlot(button, layer);
    return slot && slot->randomiseDelay;
}

CActionData* CApplicationSettings::GetActionData(MouseButtons button, int layer) const {
    const Slot* slot = FindSlot(button, layer);
    if (!slot)
        return CActionData::NewAction(actNoChange);
    return CActionData::CustomAction(
        slot->action, slot->keystrokes.Get(), slot->keystrokesWaitHoldTime, slot->sendKeyAction,
        slot->sendKeyRepeat, slot->sendKeyWhenActive, slot->blockMouse, slot->randomiseDelay,
        slot->launchApp.Get(), slot->chords.Get());
}
