#include "input/library_token_effects.h"
#include "input/send_input.h"
#include "input/send_keys.h"
#include "input/target_layout.h"
#include "runtime/runtime_state.h"
#include "support/logger.h"

using namespace pw::input;

namespace {

constexpr int16_t kNoKey = -1;
constexpr uint32_t kNoOemScan = 0xFFFFFFFF;

} // namespace

bool pw::SendKey(int virtualKey, bool extended, uint32_t modifiers, uint32_t scan) {
    if (!g_pSendInput) {
        CLogger::LogMessage(L"SendKey: SendInput Thread is not available!");
        return false;
    }
    const SimTokenContext context = LibraryTokenContext();
    int hold = 0;
    if (!g_pSendInput->SendKeyState(virtualKey, extended, modifiers, scan, false, false,
                                    context.simKeyDelay, context.keyboardMarker,
                                    context.englishLayout, hold)) {
        CLogger::LogDebug(L"SendKey: g_pSendInput->SendKeyState returned false.");
        return false;
    }
    hold = 0;
    return g_pSendInput->SendKeyState(virtualKey, extended, modifiers, scan, false, true,
                                      context.simKeyDelay, context.keyboardMarker,
                                      context.englishLayout, hold);
}

bool pw::SendKey(Char character, uint32_t modifiers) {
    TargetLayout layout;
    pw::platform::KeyboardLayout& keyboard = pw::platform::CurrentKeyboardLayout();
    const int8_t oemChar = keyboard.CharToOem(character);
    const Char oemWide = static_cast<Char>(static_cast<uint8_t>(oemChar));
    const uint32_t oem = keyboard.OemKeyScan(static_cast<uint8_t>(oemChar));
    const int16_t vk = keyboard.VkKeyScan(oemWide);
    const int16_t vkTarget = keyboard.VkKeyScanEx(character, layout.Target());
    const int16_t vkOther = keyboard.VkKeyScanEx(character, layout.Replaced());
    auto logKeys = [&](bool information, int16_t shownTarget) {
        const Char* format = L"Key: '%lc', szOEM = '%lc', OEM = %X Ext = %X vk = %X vkEx = %X, "
                             L"nVKEx2 = %X, HKLCur %X, HKLSel %X";
        const auto replaced = static_cast<unsigned>(reinterpret_cast<uintptr_t>(layout.Replaced()));
        const auto target = static_cast<unsigned>(reinterpret_cast<uintptr_t>(layout.Target()));
        if (information)
            CLogger::LogMessage(format, static_cast<wint_t>(character),
                                static_cast<wint_t>(oemWide), oem, oem >> 16, static_cast<int>(vk),
                                static_cast<int>(shownTarget), static_cast<int>(vkOther), replaced,
                                target);
        else
            CLogger::LogDebug(format, static_cast<wint_t>(character), static_cast<wint_t>(oemWide),
                              oem, oem >> 16, static_cast<int>(vk), static_cast<int>(shownTarget),
                              static_cast<int>(vkOther), replaced, target);
    };
    if (CLogger::DebugEnabled())
        logKeys(false, vkTarget);

    int16_t chosen = vk;
    uint32_t scan = oem & 0xFFFF;
    if (vk == kNoKey || oem == kNoOemScan) {
        scan = 0;
        chosen = vkTarget;
        if (chosen == kNoKey) {
            logKeys(true, kNoKey);
            chosen = vkOther;
        }
    }
    if (chosen == kNoKey) {
        CLogger::LogMessage(L"SendKey: No key types the character 0x%04X.",
                            static_cast<unsigned>(character));
        return false;
    }
    // The keyboard-scan result carries its shift state in the high byte; the key is the
    // low byte, and the shift state is not added to the modifiers.
    return pw::SendKey(chosen & 0xFF, false, modifiers, scan);
}
