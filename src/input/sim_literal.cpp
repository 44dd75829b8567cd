#include "input/sim_parse_state.h"
#include "support/logger.h"
#include "support/text_compare.h"

#include <cwctype>

namespace pw::input {
namespace {

constexpr uint32_t kNoOemScan = 0xFFFFFFFF;

// An OEM scan result as a scan code; no key stays -1.
uint32_t ScanOf(uint32_t oemScan) {
    return oemScan == kNoOemScan ? oemScan : (oemScan & 0xFFFF);
}

} // namespace

void AddLiteral(SimParseState& state, Char c) {
    pw::platform::KeyboardLayout& keyboard = state.keyboard;
    // "A" types the same key as "a": capitals need {SHIFT}.
    Char lower = LowerChar(c);
    int8_t oem = keyboard.CharToOem(lower);
    bool plain = static_cast<int32_t>(oem) == static_cast<int32_t>(lower);

    int32_t virtualKey = 0;
    uint32_t scan = 0;
    uint32_t extraShift = 0;
    if (plain) {
        bool found = false;
        Char oemChar = static_cast<Char>(static_cast<uint8_t>(oem));
        if (state.englishLayout) {
            int16_t key = keyboard.VkKeyScanEx(oemChar, state.englishLayout);
            unsigned keyScan =
                keyboard.MapVirtualKeyEx(static_cast<unsigned>(static_cast<int32_t>(key)),
                                         pw::platform::kMapVkToVsc, keyboard.CurrentLayout());
            if (keyScan != 0) {
                virtualKey = key;
                scan = keyScan;
                found = true;
            }
        }
        if (!found) {
            uint32_t oemScan = keyboard.OemKeyScan(static_cast<uint8_t>(oem));
            scan = ScanOf(oemScan);
            if (oemScan != kNoOemScan)
                extraShift = oemScan >> 16;
            virtualKey = keyboard.VkKeyScan(oemChar);
        }
    } else if (state.modifiers == 0) {
        scan = static_cast<uint32_t>(lower);
    } else {
        virtualKey = keyboard.VkKeyScanEx(lower, keyboard.CurrentLayout());
        auto lowByte = static_cast<int8_t>(virtualKey & 0xFF);
        scan = ScanOf(keyboard.OemKeyScan(static_cast<uint16_t>(lowByte)));
    }
    if (virtualKey == -1) {
        CLogger::LogDebug(
            L"SendKeyStateWhileDown '%lc' (%lc) still got invalid virtual key %d. Try VkKeyScan",
            static_cast<wint_t>(c), static_cast<wint_t>(lower), -1);
        virtualKey = keyboard.VkKeyScan(lower);
    }

    CSimKeyToken& token = state.AddKey(virtualKey, false);
    token.m_nScanCode = scan;
    token.m_bUnicode = !plain;
    token.m_nModifiers |= extraShift;
    state.ClearAll();
}

} // namespace pw::input
