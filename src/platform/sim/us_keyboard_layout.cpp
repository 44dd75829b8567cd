#include "platform/sim/us_keyboard_layout.h"

#include <array>

namespace pw::platform {
namespace {

constexpr int16_t kShift = 0x100;
constexpr int16_t kCtrl = 0x200;

// Punctuation of the US layout: character, virtual key with shift state.
struct CharKey {
    Char c;
    int16_t key;
};
constexpr std::array<CharKey, 32> kPunctuation = {{
    {L')', kShift | 0x30}, {L'!', kShift | 0x31}, {L'@', kShift | 0x32}, {L'#', kShift | 0x33},
    {L'$', kShift | 0x34}, {L'%', kShift | 0x35}, {L'^', kShift | 0x36}, {L'&', kShift | 0x37},
    {L'*', kShift | 0x38}, {L'(', kShift | 0x39}, {L';', 0xBA},          {L':', kShift | 0xBA},
    {L'=', 0xBB},          {L'+', kShift | 0xBB}, {L',', 0xBC},          {L'<', kShift | 0xBC},
    {L'-', 0xBD},          {L'_', kShift | 0xBD}, {L'.', 0xBE},          {L'>', kShift | 0xBE},
    {L'/', 0xBF},          {L'?', kShift | 0xBF}, {L'`', 0xC0},          {L'~', kShift | 0xC0},
    {L'[', 0xDB},          {L'{', kShift | 0xDB}, {L'\\', 0xDC},         {L'|', kShift | 0xDC},
    {L']', 0xDD},          {L'}', kShift | 0xDD}, {L'\'', 0xDE},         {L'"', kShift | 0xDE},
}};

// Set-1 scan codes by virtual key; 0xE0 in the high byte marks an extended key.
constexpr std::array<uint16_t, 256> MakeScanCodes() {
    std::array<uint16_t, 256> scan{};
    constexpr uint8_t letters[26] = {0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17,
                                     0x24, 0x25, 0x26, 0x32, 0x31, 0x18, 0x19, 0x10, 0x13,
                                     0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C};
    for (int i = 0; i < 26; ++i)
        scan[0x41 + i] = letters[i];
    for (int i = 1; i <= 9; ++i)
        scan[0x30 + i] = static_cast<uint16_t>(0x01 + i);
    scan[0x30] = 0x0B;
    // F1 to F10, F11, F12, F13 to F23, F24.
    for (int i = 0; i < 10; ++i)
        scan[0x70 + i] = static_cast<uint16_t>(0x3B + i);
    scan[0x7A] = 0x57;
    scan[0x7B] = 0x58;
    for (int i = 0; i < 11; ++i)
        scan[0x7C + i] = static_cast<uint16_t>(0x64 + i);
    scan[0x87] = 0x76;
    // Keypad digits 0 to 9.
    constexpr uint8_t keypad[10] = {0x52, 0x4F, 0x50, 0x51, 0x4B, 0x4C, 0x4D, 0x47, 0x48, 0x49};
    for (int i = 0; i < 10; ++i)
        scan[0x60 + i] = keypad[i];
    constexpr std::array<std::array<uint16_t, 2>, 61> others = {{
        {0x03, 0xE046}, {0x08, 0x0E},   {0x09, 0x0F},   {0x0D, 0x1C},   {0x10, 0x2A},
        {0x11, 0x1D},   {0x12, 0x38},   {0x13, 0x45},   {0x14, 0x3A},   {0x1B, 0x01},
        {0x20, 0x39},   {0x21, 0xE049}, {0x22, 0xE051}, {0x23, 0xE04F}, {0x24, 0xE047},
        {0x25, 0xE04B}, {0x26, 0xE048}, {0x27, 0xE04D}, {0x28, 0xE050}, {0x2C, 0x54},
        {0x2D, 0xE052}, {0x2E, 0xE053}, {0x5B, 0xE05B}, {0x5C, 0xE05C}, {0x5D, 0xE05D},
        {0x6A, 0x37},   {0x6B, 0x4E},   {0x6D, 0x4A},   {0x6E, 0x53},   {0x6F, 0xE035},
        {0x90, 0x45},   {0x91, 0x46},   {0xA0, 0x2A},   {0xA1, 0x36},   {0xA2, 0x1D},
        {0xA3, 0xE01D}, {0xA4, 0x38},   {0xA5, 0xE038}, {0xA6, 0xE06A}, {0xA7, 0xE069},
        {0xA8, 0xE067}, {0xA9, 0xE068}, {0xAA, 0xE065}, {0xAB, 0xE066}, {0xAC, 0xE032},
        {0xAD, 0xE020}, {0xAE, 0xE02E}, {0xAF, 0xE030}, {0xB0, 0xE019}, {0xB1, 0xE010},
        {0xB2, 0xE024}, {0xB3, 0xE022}, {0xBA, 0x27},   {0xBB, 0x0D},   {0xBC, 0x33},
        {0xBD, 0x0C},   {0xBE, 0x34},   {0xBF, 0x35},   {0xC0, 0x29},   {0xDB, 0x1A},
        {0xDC, 0x2B},
    }};
    for (const auto& entry : others)
        scan[entry[0]] = entry[1];
    scan[0xDD] = 0x1B;
    scan[0xDE] = 0x28;
    return scan;
}

constexpr std::array<uint16_t, 256> kScanCodes = MakeScanCodes();

} // namespace

int16_t UsKeyboardLayout::VkKeyScan(Char c) {
    if (c >= L'a' && c <= L'z')
        return static_cast<int16_t>(0x41 + (c - L'a'));
    if (c >= L'A' && c <= L'Z')
        return static_cast<int16_t>(kShift | (0x41 + (c - L'A')));
    if (c >= L'0' && c <= L'9')
        return static_cast<int16_t>(c);
    switch (c) {
    case L' ':
        return 0x20;
    case L'\b':
        return 0x08;
    case L'\t':
        return 0x09;
    case L'\r':
        return 0x0D;
    case L'\n':
        return kCtrl | 0x0D;
    case 0x1B:
        return 0x1B;
    default:
        break;
    }
    for (const CharKey& entry : kPunctuation) {
        if (entry.c == c)
            return entry.key;
    }
    // Other control characters are typed with Ctrl and a letter.
    if (c >= 0x01 && c <= 0x1A)
        return static_cast<int16_t>(kCtrl | (0x40 + c));
    return -1;
}

int16_t UsKeyboardLayout::VkKeyScanEx(Char c, KeyboardLayoutHandle) {
    return VkKeyScan(c);
}

uint32_t UsKeyboardLayout::OemKeyScan(uint16_t oemChar) {
    if (oemChar >= 0x80)
        return 0xFFFFFFFF;
    int16_t key = VkKeyScan(static_cast<Char>(oemChar));
    // Only keys typed without Ctrl and Alt have an OEM scan.
    if (key == -1 || (key & 0x600) != 0)
        return 0xFFFFFFFF;
    uint32_t scan = kScanCodes[key & 0xFF] & 0xFF;
    if (scan == 0)
        return 0xFFFFFFFF;
    uint32_t shiftState = (static_cast<uint16_t>(key) >> 8) & 0xFF;
    return scan | (shiftState << 16);
}

unsigned UsKeyboardLayout::MapVirtualKeyEx(unsigned code, unsigned mapType, KeyboardLayoutHandle) {
    if (code > 0xFF)
        return 0;
    unsigned scan = kScanCodes[code];
    if (mapType == kMapVkToVscEx)
        return scan;
    if (mapType == kMapVkToVsc)
        return scan & 0xFF;
    return 0;
}

int8_t UsKeyboardLayout::CharToOem(Char c) {
    // Code page 437 keeps ASCII; anything else has no unchanged single-byte form here.
    if (static_cast<uint32_t>(c) < 0x80)
        return static_cast<int8_t>(c);
    return '?';
}

// The simulated desktop's keyboard layout is the US one.
KeyboardLayout& PlatformKeyboardLayout() {
    static UsKeyboardLayout layout;
    return layout;
}

} // namespace pw::platform
