#include "input/sim_brightness_token.h"
#include "input/sim_cursor_token.h"
#include "input/sim_layer_token.h"
#include "input/sim_mouse_token.h"
#include "input/sim_parse_state.h"
#include "input/sim_tag_words.h"
#include "input/sim_token_list.h"
#include "input/sim_wait_token.h"
#include "platform/platform.h"
#include "settings/mouse_buttons.h"
#include "support/logger.h"

#include <climits>
#include <cwchar>

namespace pw::input {
namespace {

constexpr int kDefaultPauseMs = 250;
constexpr int32_t kHighestVirtualKey = 0xFE;
constexpr int kFunctionKeyBase = 111; // F1 is 0x70

// Where the number of a tag starts: after the word, one optional ":" and one optional "<".
size_t ParameterStart(const Char* name, size_t wordLength) {
    size_t start = wordLength;
    if (name[start] == L':')
        ++start;
    if (name[start] == L'<')
        ++start;
    return start;
}

// The tag's number read as the C library reads a decimal (leading blanks and a sign
// accepted, no digits gives 0), kept in the 32-bit range.
int64_t Parameter(const Char* name, size_t wordLength) {
    long long value = std::wcstoll(name + ParameterStart(name, wordLength), nullptr, 10);
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return value;
}

// Seconds of {WAIT} and {HOLD}: the default when there is no number or it is 0.
int64_t SecondsParameter(const Char* name, size_t length) {
    int64_t ms = length > 4 ? Parameter(name, 4) * 1000 : 0;
    return ms == 0 ? kDefaultPauseMs : ms;
}

bool LockIsOn(int virtualKey) {
    return (platform::GetSystemInfo().KeyState(virtualKey) & 1) != 0;
}

void AddMouse(SimParseState& state, const TagWord& tag) {
    auto& token = state.tokens.Append<CSimMouseToken>();
    token.m_nButton = static_cast<MouseButtons>(tag.value);
    token.m_nAction = tag.mouseAction;
    token.m_bOneShot = tag.oneShot;
    token.m_pt = state.pt;
    token.m_nModifiers = state.modifiers;
    token.m_nPressMode = state.pressMode;
    token.m_nHoldTime = state.hold;
}

void AddBrightness(SimParseState& state, uint32_t direction) {
    auto& token = state.tokens.Append<CSimBrightnessToken>();
    token.m_nDirection = direction;
    token.m_pt = state.pt;
}

void AddWait(SimParseState& state, int64_t ms, const Char* name) {
    auto& token = state.tokens.Append<CSimWaitToken>();
    token.m_nWaitTime = state.ClampPause(ms, name);
}

void AddCursor(SimParseState& state, uint32_t mode, int64_t value) {
    auto& token = state.tokens.Append<CSimCursorToken>();
    token.m_nMode = mode;
    token.m_nValue = static_cast<int32_t>(value);
    token.m_nPressMode = state.pressMode;
    token.m_nHoldTime = state.hold;
}

// A key from a tag's number ({EXT}, {VKC}, {F}); out-of-range codes are logged, skipped.
void AddNumberedKey(SimParseState& state, int64_t virtualKey, bool extended, const Char* name) {
    if (virtualKey < 0 || virtualKey > kHighestVirtualKey) {
        CLogger::LogMessage(L"SendKeyStateWhileDown: Invalid virtual key %d in {%ls}",
                            static_cast<int>(virtualKey), name);
        state.Report(KeyProblem::KeyOutOfRange, name);
        return;
    }
    state.AddKey(static_cast<int32_t>(virtualKey), extended);
}

void AddLayer(SimParseState& state, const Char* name) {
    size_t start = ParameterStart(name, 5);
    int64_t target;
    if (StartsWithWord(StringView(name + start), L"LAST"))
        target = state.savedLayer >= 0 ? state.savedLayer : state.currentLayer;
    else
        target = Parameter(name, 5) - 1;
    if (!settings::IsValidLayer(static_cast<int>(target))) {
        CLogger::LogMessage(L"SendKeyStateWhileDown: Layer %d out of range in {%ls}",
                            static_cast<int>(target + 1), name);
        state.Report(KeyProblem::LayerOutOfRange, name);
        return;
    }
    auto& token = state.tokens.Append<CSimLayerToken>();
    token.m_nLayer = static_cast<int32_t>(target);
    token.m_nPreviousLayer = state.currentLayer;
    state.savedLayer = state.currentLayer;
    state.currentLayer = static_cast<int>(target);
}

// {NUM:c}: false for a character that is no keypad key.
bool AddKeypadKey(SimParseState& state, const Char* name) {
    Char c = name[ParameterStart(name, 3)];
    if (c >= L'0' && c <= L'9') {
        state.AddKey(0x60 + (c - L'0'), false);
        return true;
    }
    switch (c) {
    case L'*':
        state.AddKey(0x6A, false);
        return true;
    case L'+':
        state.AddKey(0x6B, false);
        return true;
    case L'-':
        state.AddKey(0x6D, false);
        return true;
    case L'.':
        state.AddKey(0x6E, false);
        return true;
    case L'/':
        state.AddKey(0x6F, true);
        return true;
    case L'E':
    case L'e':
    case L'R':
    case L'r':
        state.AddKey(0x0D, true);
        return true;
    default:
        return false;
    }
}

void ApplyTagWord(SimParseState& state, const TagWord& tag) {
    switch (tag.kind) {
    case TagKind::Press:
        state.pressMode = static_cast<uint32_t>(tag.value);
        return;
    case TagKind::Modifier:
        state.modifiers |= static_cast<uint32_t>(tag.value);
        state.ResetPressAndHold();
        return;
    case TagKind::Clear:
        break;
    case TagKind::Key:
        state.AddKey(tag.value, tag.extended);
        break;
    case TagKind::LockOn:
    case TagKind::LockOff:
        // Only a lock not yet in the wanted state is toggled.
        if (LockIsOn(tag.value) == (tag.kind == TagKind::LockOff))
            state.AddKey(tag.value, false).m_bOneShot = true;
        break;
    case TagKind::CtrlBreak:
        state.modifiers |= kModCtrl | kModAlt;
        state.AddKey(tag.value, tag.extended);
        break;
    case TagKind::Brightness:
        AddBrightness(state, static_cast<uint32_t>(tag.value));
        break;
    case TagKind::Mouse:
        AddMouse(state, tag);
        break;
    }
    state.ClearAll();
}

} // namespace

bool ApplyTag(SimParseState& state, const Char* name, size_t length) {
    StringView view(name, length);
    if (const TagWord* tag = FindTagWord(view)) {
        ApplyTagWord(state, *tag);
        return true;
    }
    if (StartsWithWord(view, L"INS") || StartsWithWord(view, L"DEL")) {
        state.AddKey(StartsWithWord(view, L"INS") ? 0x2D : 0x2E, true);
        state.ClearAll();
        return true;
    }
    if (StartsWithWord(view, L"HOLDMS")) {
        state.AddHold(length > 6 ? Parameter(name, 6) : 0, name);
        return true;
    }
    if (StartsWithWord(view, L"HOLD")) {
        state.AddHold(SecondsParameter(name, length), name);
        return true;
    }
    if (StartsWithWord(view, L"WAITMS")) {
        AddWait(state, length > 6 ? Parameter(name, 6) : 0, name);
        state.ResetPressAndHold();
        return true;
    }
    if (StartsWithWord(view, L"WAIT")) {
        AddWait(state, SecondsParameter(name, length), name);
        state.ResetPressAndHold();
        return true;
    }
    if (StartsWithWord(view, L"EXT") || StartsWithWord(view, L"VKC")) {
        AddNumberedKey(state, Parameter(name, 3), StartsWithWord(view, L"EXT"), name);
        state.ClearAll();
        return true;
    }
    if (StartsWithWord(view, L"LAYER")) {
        AddLayer(state, name);
        state.ResetPressAndHold();
        return true;
    }
    if (StartsWithWord(view, L"NUM")) {
        if (!AddKeypadKey(state, name)) {
            state.Report(KeyProblem::BadKeypadKey, name);
            return false;
        }
        state.ClearAll();
        return true;
    }
    if (length > 0 && (name[0] == L'F' || name[0] == L'f')) {
        AddNumberedKey(state, Parameter(name, 1) + kFunctionKeyBase, false, name);
        state.ClearAll();
        return true;
    }
    bool set = StartsWithWord(view, L"MXSET") || StartsWithWord(view, L"MYSET");
    if (set || StartsWithWord(view, L"MXADD") || StartsWithWord(view, L"MYADD")) {
        bool x = name[1] == L'X';
        uint32_t mode = set ? (x ? CSimCursorToken::kSetX : CSimCursorToken::kSetY)
                            : (x ? CSimCursorToken::kAddX : CSimCursorToken::kAddY);
        AddCursor(state, mode, Parameter(name, 5));
        state.ResetPressAndHold();
        return true;
    }
    CLogger::LogMessage(L"SendKeyStateWhileDown: Invalid/unknown special key tag {%ls}", name);
    state.Report(KeyProblem::UnknownTag, name);
    state.ResetPressAndHold();
    return true;
}

} // namespace pw::input
