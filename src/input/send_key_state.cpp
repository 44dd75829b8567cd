#include "input/map_virtual_key.h"
#include "input/send_input.h"
#include "input/sim_modifiers.h"
#include "platform/platform.h"
#include "support/logger.h"

#include <array>

using namespace pw::input;
using pw::platform::InputRecord;

namespace {

// A modifier bit, its key, the key that shows it already held, and its record flags.
struct ModifierKey {
    uint32_t bit;
    uint16_t vk;
    int heldKey; // 0: never treated as held
    uint32_t pressFlags;
    uint32_t releaseFlags;
};

// In the order the keys go down; they come up in the reverse order.
constexpr std::array<ModifierKey, 9> kModifierKeys = {{
    {kModShift, 0xA0, 0x10, 0x8, 0xA},
    {kModRShift, 0xA1, 0xA1, 0x8, 0xA},
    {kModCtrl, 0xA2, 0x11, 0x8, 0xA},
    {kModRCtrl, 0xA3, 0xA3, 0x0, 0x2},
    {kModAlt, 0xA4, 0x12, 0x8, 0xA},
    {kModRAlt, 0xA5, 0xA5, 0x0, 0x2},
    {kModLWin, 0x5B, 0x5B, 0x9, 0xB},
    {kModRWin, 0x5C, 0x5C, 0x9, 0xB},
    {kModApps, 0x5D, 0, 0x9, 0xB},
}};

constexpr uint32_t kSendByVirtualKey = 0;
constexpr uint32_t kNoScanCode = 0xFFFFFFFF;

// Builds records with consecutive time stamps.
class RecordBuilder {
  public:
    RecordBuilder(uint32_t start, uintptr_t extraInfo) : time_(start), extraInfo_(extraInfo) {}

    InputRecord Next(uint16_t vk, uint16_t scan, uint32_t flags) {
        InputRecord record = InputRecord::Key(vk, false, flags);
        record.key.scan = scan;
        record.key.time = ++time_;
        record.key.extraInfo = extraInfo_;
        return record;
    }
    void Advance(uint32_t ms) { time_ += ms; }
    uint32_t Time() const { return time_; }

  private:
    uint32_t time_;
    uintptr_t extraInfo_;
};

uint16_t ModifierScan(uint16_t vk, pw::platform::KeyboardLayoutHandle layout) {
    return static_cast<uint16_t>(MapVirtualKeyLayout(vk, pw::platform::kMapVkToVsc, layout));
}

// The modifiers that still need a press: those whose key is not down already.
uint32_t ModifiersNotHeld(uint32_t modifiers) {
    pw::platform::Input& input = pw::platform::GetInput();
    for (const ModifierKey& key : kModifierKeys) {
        if ((modifiers & key.bit) && key.heldKey && (input.AsyncKeyState(key.heldKey) & 0x8000))
            modifiers &= ~key.bit;
    }
    return modifiers;
}

} // namespace

bool CSendInput::SendKeyState(int virtualKey, bool extended, uint32_t modifiers, uint32_t scanCode,
                              bool unicode, bool release, unsigned delay, uintptr_t extraInfo,
                              pw::platform::KeyboardLayoutHandle layout, int& holdTime) {
    if (virtualKey == -1) {
        if (CLogger::DebugEnabled())
            CLogger::LogMessage(L"Invalid virtual key code sent to SendKeyState: 0x%08X function: "
                                L"0x%04X Scan code: 0x%08X %ls",
                                static_cast<unsigned>(virtualKey), modifiers, scanCode,
                                unicode ? L"Unicode" : L"");
        return false;
    }
    uint32_t scan = scanCode;
    if (scan == 0 && virtualKey != 0)
        scan = MapVirtualKeyLayout(static_cast<unsigned>(virtualKey), pw::platform::kMapVkToVscEx,
                                   layout);
    uint32_t sendMode = unicode ? pw::platform::kKeyEventUnicode : pw::platform::kKeyEventScanCode;
    if (scan == 0 || scan == kNoScanCode) {
        scan = 0;
        sendMode = unicode ? pw::platform::kKeyEventUnicode : kSendByVirtualKey;
    }
    CLogger::LogDebug(L"SendInput::SendKeyState: VKCode=0x%x Scan code=0x%x SendMode=0x%x "
                      L"Flags=0x%x Release=%d:",
                      static_cast<unsigned>(virtualKey), scan, sendMode, modifiers,
                      release ? 1 : 0);

    const uint32_t hold = holdTime > 0 ? static_cast<uint32_t>(holdTime) : 0u;
    const bool hasKey = virtualKey != 0 || scan != 0;
    const uint16_t keyVk = static_cast<uint16_t>(virtualKey);
    const uint16_t keyScan = static_cast<uint16_t>(scan);
    RecordBuilder builder(pw::platform::TickCount(), extraInfo);
    std::array<InputRecord, kModifierKeys.size()> modifierRecords;
    unsigned modifierCount = 0;
    InputRecord keyRecord;

    if (!release) {
        const uint32_t pressed = ModifiersNotHeld(modifiers);
        for (const ModifierKey& key : kModifierKeys) {
            if (pressed & key.bit)
                modifierRecords[modifierCount++] =
                    builder.Next(key.vk, ModifierScan(key.vk, layout), key.pressFlags);
        }
        if (modifierCount > 0)
            builder.Advance(hold + 1 + delay);
        if (hasKey)
            keyRecord = builder.Next(
                keyVk, keyScan, (extended ? pw::platform::kKeyEventExtendedKey : 0) | sendMode);
        const uint32_t wait = hold + delay;
        if (modifierCount > 0)
            SendInputThreaded(modifierCount, modifierRecords.data(), wait, builder.Time(), false);
        if (hasKey)
            SendInputThreaded(1, &keyRecord, wait, builder.Time(), false);
    } else {
        if (hasKey)
            keyRecord = builder.Next(keyVk, keyScan,
                                     (extended ? 0x3u : pw::platform::kKeyEventKeyUp) | sendMode);
        builder.Advance(hold + delay);
        for (auto key = kModifierKeys.rbegin(); key != kModifierKeys.rend(); ++key) {
            if (modifiers & key->bit)
                modifierRecords[modifierCount++] =
                    builder.Next(key->vk, ModifierScan(key->vk, layout), key->releaseFlags);
        }
        if (hasKey)
            SendInputThreaded(1, &keyRecord, modifierCount > 0 ? hold + delay : delay,
                              builder.Time(), false);
        if (modifierCount > 0)
            SendInputThreaded(modifierCount, modifierRecords.data(), delay, builder.Time(), false);
    }
    holdTime = 0;
    return true;
}
