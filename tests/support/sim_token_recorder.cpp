#include "support/sim_token_recorder.h"

#include "input/sim_brightness_token.h"
#include "input/sim_cursor_token.h"
#include "input/sim_key_token.h"
#include "input/sim_layer_token.h"
#include "input/sim_mouse_token.h"
#include "input/sim_wait_token.h"

#include <array>
#include <cstdio>

namespace pw::test {
namespace {

std::string Hex(int64_t value) {
    char text[32];
    if (value < 0)
        std::snprintf(text, sizeof text, "-%llx", static_cast<unsigned long long>(-value));
    else
        std::snprintf(text, sizeof text, "%llx", static_cast<unsigned long long>(value));
    return text;
}

std::string Common(const CSimToken& token) {
    std::string text;
    if (token.m_nPressMode != 0)
        text += "p" + std::to_string(token.m_nPressMode);
    if (token.m_nHoldTime != 0)
        text += "h" + std::to_string(token.m_nHoldTime);
    return text;
}

std::string Modifiers(uint32_t modifiers) {
    return modifiers ? "m" + Hex(modifiers) : "";
}

std::string DumpToken(const CSimToken& token) {
    if (auto* key = dynamic_cast<const CSimKeyToken*>(&token)) {
        std::string text = "k" + Hex(key->m_nVirtualKey);
        if (key->m_nScanCode != 0)
            text += "/" + Hex(key->m_nScanCode);
        if (key->m_bUnicode)
            text += "u";
        if (key->m_bExtended)
            text += "x";
        if (key->m_bOneShot)
            text += "!";
        return text + Modifiers(key->m_nModifiers) + Common(token);
    }
    if (auto* mouse = dynamic_cast<const CSimMouseToken*>(&token)) {
        std::string text = "mouse" + std::to_string(mouse->m_nButton) + "." +
                           std::to_string(mouse->m_nAction) + (mouse->m_bOneShot ? "!" : "");
        return text + Modifiers(mouse->m_nModifiers) + Common(token);
    }
    if (auto* cursor = dynamic_cast<const CSimCursorToken*>(&token))
        return "cur" + std::to_string(cursor->m_nMode) + ":" + std::to_string(cursor->m_nValue) +
               Common(token);
    if (auto* wait = dynamic_cast<const CSimWaitToken*>(&token))
        return "wait" + std::to_string(wait->m_nWaitTime) + Common(token);
    if (auto* layer = dynamic_cast<const CSimLayerToken*>(&token))
        return "layer" + std::to_string(layer->m_nLayer) + "<" +
               std::to_string(layer->m_nPreviousLayer);
    if (auto* brightness = dynamic_cast<const CSimBrightnessToken*>(&token))
        return "bri" + std::to_string(brightness->m_nDirection);
    return "?";
}

// The keys a modifier set holds, in the order of the bits.
constexpr std::array<const char*, 9> kModifierKeys = {"LShift", "LCtrl",  "LAlt",  "LWin", "RWin",
                                                      "Apps",   "RShift", "RCtrl", "RAlt"};

} // namespace

std::string DumpTokens(const SimTokenList& tokens) {
    std::string text;
    for (const auto& token : tokens) {
        if (!text.empty())
            text += " ";
        text += DumpToken(*token);
    }
    return text;
}

void TokenRecorder::Add(const std::string& word) {
    calls_.push_back(word);
}

std::string TokenRecorder::Take() {
    std::string text;
    for (const std::string& call : calls_)
        text += (text.empty() ? "" : " ") + call;
    calls_.clear();
    return text;
}

input::SimTokenContext TokenRecorder::Context() {
    input::SimTokenContext context;
    context.sender = this;
    context.effects = this;
    context.simKeyDelay = 10;
    return context;
}

bool TokenRecorder::SendKeyState(int virtualKey, bool extended, uint32_t modifiers,
                                 uint32_t scanCode, bool unicode, bool release, unsigned, uintptr_t,
                                 pw::platform::KeyboardLayoutHandle, int& holdTime) {
    std::string word = (release ? "up" : "dn") + Hex(virtualKey) + (extended ? "x" : "") +
                       (unicode ? "u" : "") + Modifiers(modifiers);
    if (holdTime != 0)
        word += "h" + std::to_string(holdTime);
    Add(word);
    holdTime = 0;
    if (virtualKey == -1)
        return false;
    // The key itself, by virtual key, else by scan code (Unicode characters).
    std::string key;
    if ((virtualKey & 0xFF) != 0)
        key = "vk" + Hex(virtualKey & 0xFF);
    else if (scanCode != 0)
        key = "sc" + Hex(scanCode);
    for (size_t bit = 0; bit < kModifierKeys.size(); ++bit) {
        if (!(modifiers & (1u << bit)))
            continue;
        if (release)
            held_.erase(kModifierKeys[bit]);
        else
            held_.insert(kModifierKeys[bit]);
    }
    if (!key.empty()) {
        if (release)
            held_.erase(key);
        else
            held_.insert(key);
    }
    return true;
}

int TokenRecorder::SendMouse(MouseButtons button, int action, const POINT&, unsigned, bool, bool,
                             uintptr_t, int holdTime) {
    std::string word = "M" + std::to_string(button) + (action == 1 ? "dn" : "up");
    if (holdTime != 0)
        word += "h" + std::to_string(holdTime);
    Add(word);
    std::string name = "button" + std::to_string(button);
    if (button <= mbXRight) {
        if (action == 1)
            held_.insert(name);
        else
            held_.erase(name);
        return 1;
    }
    // Wheel and tilt steps have no release.
    return action == 1 ? 1 : 0;
}

bool TokenRecorder::SendPositionThreaded(int value, int mode) {
    Add("cur" + std::to_string(mode) + ":" + std::to_string(value));
    return true;
}

bool TokenRecorder::SendInputDelay(unsigned ms, uint32_t) {
    Add("wait" + std::to_string(ms));
    return true;
}

void TokenRecorder::SwitchLayer(int layer) {
    Add("layer" + std::to_string(layer));
}

void TokenRecorder::SetLayerHeld(bool held) {
    Add(held ? "held1" : "held0");
}

void TokenRecorder::StepBrightness(bool brighter, const POINT&) {
    Add(brighter ? "bri+" : "bri-");
}

void TokenRecorder::ShowVolumeOsd(HWND) {
    Add("osd");
}

} // namespace pw::test
