#include "actions/sticky_buttons.h"

#include "actions/action_state.h"
#include "actions/send_button.h"
#include "input/send_input.h"
#include "runtime/runtime_state.h"
#include "settings/settings.h"
#include "support/logger.h"

#include <array>

namespace {

using pw::actions::kKindDown;
using pw::actions::kKindUp;
constexpr int kStickyButtons = 5;

void SendStickyButton(POINT pt, int which, int event) {
    pw::actions::SendButton(static_cast<MouseButtons>(which), event, pt);
}

void Start(POINT pt, int which, uint16_t& state, int* change) {
    state = 1;
    SendStickyButton(pt, which, kKindDown);
    *change = 1;
}

} // namespace

namespace pw::actions {

int StickyButtonEntry(_ACTIONS action) {
    switch (action) {
    case actStickyLeftButton:
    case actStickyLeftButtonXAxis:
    case actStickyLeftButtonYAxis:
        return 0;
    case actStickyRightButton:
        return 1;
    case actStickyMiddleButton:
        return 2;
    case actSticky4thButton:
        return 3;
    case actSticky5thButton:
        return 4;
    default:
        return -1;
    }
}

const Char* StickyName(int which) {
    static constexpr std::array<const Char*, 8> kNames{
        L"Left",   L"Right",      L"Middle",   L"XLeft",
        L"XRight", L"Key Repeat", L"Key Hold", L"Movement to Scroll"};
    return which >= 0 && which < 8 ? kNames[static_cast<size_t>(which)] : L"";
}

void ReleaseStickyButton(POINT pt, int which) {
    SendStickyButton(pt, which, kKindUp);
}

} // namespace pw::actions

// The window capture a sticky press could take is not needed: the injected button is
// held by the system, whichever window the cursor is over.
bool pw::Sticky(POINT pt, HWND, int button, int which, int kind, int* change) {
    int ignored = 0;
    if (!change)
        change = &ignored;
    *change = 0;
    if (which < 0 || which >= kStickyButtons)
        return false;
    uint16_t& state = g_nStickyState[static_cast<size_t>(which)];
    const Char* name = pw::actions::StickyName(which);
    if (kind == kKindDown) {
        if (state == 1) {
            CLogger::LogDebug(L"%ls Sticky: Ignore button down", name);
            state = 2;
            return true;
        }
        CLogger::LogDebug(L"%ls Sticky: Button *DOWN*", name);
        Start(pt, which, state, change);
        return true;
    }
    if (kind != kKindUp)
        return false;
    if (!pw::actions::DownWasHandled(button)) {
        CLogger::LogDebug(L"%ls Sticky: Button UP with no button down!", name);
        return false;
    }
    switch (state) {
    case 0:
        // Departs from starting on a release the sticky button never saw: a release is
        // handled by its own press's action, so an idle state means a reset ended it.
        CLogger::LogDebug(L"%ls Sticky: Button up after a reset - nothing to do.", name);
        return true;
    case 1:
        CLogger::LogDebug(L"%ls Sticky: Ignore button up", name);
        return true;
    case 2:
        CLogger::LogDebug(L"%ls Sticky: Button *UP*", name);
        SendStickyButton(pt, which, kKindUp);
        state = 0;
        *change = 2;
        return true;
    default:
        return false;
    }
}
