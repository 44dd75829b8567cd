// The C interface's slots (a button on a layer of a profile) and their chords.

#include "capi/result.h"
#include "capi/settings_handle.h"
#include "settings/button_grid.h"

using namespace pw::capi;

namespace {

MouseButtons Button(int button) {
    return static_cast<MouseButtons>(button);
}

} // namespace

PWC_API int PWC_CALL PwcGetSlotValue(PwcSettings* settings, int profile, int layer, int button,
                                     int field, int* value) {
    int error = PWC_OK;
    CApplicationSettings* found = FindSlot(settings, profile, layer, button, error);
    if (!found)
        return error;
    if (!value)
        return Fail(PWC_INVALID_ARGUMENT, L"no value given");
    MouseButtons b = Button(button);
    switch (field) {
    case PWC_SLOT_ACTION:
        *value = found->GetActions(b, layer);
        break;
    case PWC_SLOT_SEND_MODE:
        *value = found->SendKeyAction(b, layer);
        break;
    case PWC_SLOT_REPEAT:
        *value = found->SendKeyRepeat(b, layer);
        break;
    case PWC_SLOT_WHEN_ACTIVE:
        *value = found->SendKeyWhenActive(b, layer) ? 1 : 0;
        break;
    case PWC_SLOT_BLOCK_MOUSE:
        *value = found->BlockMouse(b, layer) ? 1 : 0;
        break;
    case PWC_SLOT_RANDOMISE_DELAY:
        *value = found->RandomiseDelay(b, layer) ? 1 : 0;
        break;
    default:
        return Fail(PWC_INVALID_ARGUMENT, L"unknown slot field");
    }
    return Succeed();
}

PWC_API int PWC_CALL PwcGetSlotText(PwcSettings* settings, int profile, int layer, int button,
                                    int field, wchar_t* buffer, int* length) {
    int error = PWC_OK;
    CApplicationSettings* found = FindSlot(settings, profile, layer, button, error);
    if (!found)
        return error;
    const Char* text = nullptr;
    if (field == PWC_SLOT_KEYS)
        text = found->GetKeystrokes(Button(button), layer);
    else if (field == PWC_SLOT_APPLICATION)
        text = found->GetLaunchApp(Button(button), layer);
    else
        return Fail(PWC_INVALID_ARGUMENT, L"unknown slot text");
    return CopyOut(text ? text : L"", buffer, length);
}

PWC_API int PWC_CALL PwcSetSlotAction(PwcSettings* settings, int profile, int layer, int button,
                                      int action) {
    int error = PWC_OK;
    CApplicationSettings* found = FindSlot(settings, profile, layer, button, error);
    if (!found)
        return error;
    found->SetActions(Button(button), layer, static_cast<_ACTIONS>(action));
    return Succeed();
}

PWC_API int PWC_CALL PwcSetSlotKeys(PwcSettings* settings, int profile, int layer, int button,
                                    const wchar_t* keys, int sendMode, int repeat, int whenActive,
                                    int blockMouse, int randomiseDelay) {
    return Guarded([&] {
        int error = PWC_OK;
        CApplicationSettings* found = FindSlot(settings, profile, layer, button, error);
        if (!found)
            return error;
        found->SetKeystrokes(Button(button), layer, keys, sendMode, repeat, whenActive != 0,
                             blockMouse != 0, randomiseDelay != 0,
                             settings->settings.SimKeyDelay());
        return Succeed();
    });
}

PWC_API int PWC_CALL PwcSetSlotApplication(PwcSettings* settings, int profile, int layer,
                                           int button, const wchar_t* path) {
    return Guarded([&] {
        int error = PWC_OK;
        CApplicationSettings* found = FindSlot(settings, profile, layer, button, error);
        if (!found)
            return error;
        found->SetLaunchApp(Button(button), layer, path);
        return Succeed();
    });
}

namespace {

// The chord of the slot for chordedButton, or null (no chords, or no such button).
CVESKChord* FindChord(PwcSettings* settings, int profile, int layer, int button, int chordedButton,
                      int& error) {
    CApplicationSettings* found = FindSlot(settings, profile, layer, button, error);
    if (!found)
        return nullptr;
    if (!pw::settings::IsValidButton(chordedButton)) {
        error = Fail(PWC_NOT_FOUND, L"no such chorded button");
        return nullptr;
    }
    CVESKChords* chords = found->GetChords(Button(button), layer);
    CVESKChord* chord = chords ? chords->GetChord(Button(chordedButton)) : nullptr;
    if (!chord)
        error = Fail(PWC_NOT_FOUND, L"the slot has no chords");
    return chord;
}

} // namespace

PWC_API int PWC_CALL PwcGetChord(PwcSettings* settings, int profile, int layer, int button,
                                 int chordedButton, int* action) {
    int error = PWC_OK;
    CVESKChord* chord = FindChord(settings, profile, layer, button, chordedButton, error);
    if (!chord)
        return error;
    if (!action)
        return Fail(PWC_INVALID_ARGUMENT, L"no action given");
    *action = chord->GetAction();
    return Succeed();
}

PWC_API int PWC_CALL PwcGetChordKeys(PwcSettings* settings, int profile, int layer, int button,
                                     int chordedButton, wchar_t* buffer, int* length) {
    int error = PWC_OK;
    CVESKChord* chord = FindChord(settings, profile, layer, button, chordedButton, error);
    if (!chord)
        return error;
    const Char* keys = chord->GetKeys();
    return CopyOut(keys ? keys : L"", buffer, length);
}

PWC_API int PWC_CALL PwcSetChord(PwcSettings* settings, int profile, int layer, int button,
                                 int chordedButton, int action, const wchar_t* keys) {
    return Guarded([&] {
        int error = PWC_OK;
        CApplicationSettings* found = FindSlot(settings, profile, layer, button, error);
        if (!found)
            return error;
        if (!pw::settings::IsValidButton(chordedButton))
            return Fail(PWC_NOT_FOUND, L"no such chorded button");
        // The slot's chords are copied, changed and copied back, as the settings program
        // edits them.
        CVESKChords* current = found->GetChords(Button(button), layer);
        CVESKChords chords = current ? CVESKChords(*current) : CVESKChords();
        CVESKChord chord = *chords.GetChord(Button(chordedButton));
        chord.SetAction(static_cast<_ACTIONS>(action));
        chord.SetKeys(keys);
        chords.SetChord(Button(chordedButton), chord);
        found->CopyChords(Button(button), layer, &chords);
        return Succeed();
    });
}
