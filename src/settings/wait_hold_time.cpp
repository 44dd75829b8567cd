#include "settings/wait_hold_time.h"

#include "support/text_compare.h"

#include <climits>
#include <cstdint>
#include <cwchar>

namespace pw::settings {
namespace {

// The tag's number after the word of wordLength characters: one optional ":" then one
// optional "<", then a decimal read the way the C library reads one (leading blanks and a
// sign accepted, no digits gives 0).
int64_t TagNumber(const Char* name, size_t nameLength, size_t wordLength) {
    size_t start = wordLength;
    if (name[wordLength] == L':')
        start = wordLength + 1;
    if (start < nameLength && name[start] == L'<')
        ++start;
    long value = std::wcstol(name + start, nullptr, 10);
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return value;
}

// The time a tag named name adds.
int64_t TagTime(const Char* name, size_t nameLength, int perKeyMs) {
    StringView view(name, nameLength);
    if (StartsWithWord(view, L"HOLDMS") || StartsWithWord(view, L"WAITMS")) {
        if (nameLength < 7)
            return perKeyMs;
        return TagNumber(name, nameLength, 6);
    }
    if (StartsWithWord(view, L"HOLD") || StartsWithWord(view, L"WAIT")) {
        if (nameLength > 4) {
            int64_t seconds = TagNumber(name, nameLength, 4);
            if (seconds != 0)
                return seconds * 1000;
        }
        return kDefaultPauseMs;
    }
    return perKeyMs;
}

int64_t Saturate(int64_t value) {
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return value;
}

} // namespace

int KeystrokesWaitHoldTime(StringView keys, int perKeyMs) {
    int64_t total = 0;
    size_t position = 0;
    while (position < keys.size() && keys[position] != 0) {
        Char c = keys[position++];
        bool opensTag = c == L'{' && !(position < keys.size() && keys[position] == L'{');
        if (!opensTag) {
            // A doubled brace is a literal "{"; the second one is looked at on its own.
            total = Saturate(total + perKeyMs);
            continue;
        }
        Char name[kMaxTagName + 1] = {};
        size_t nameLength = 0;
        size_t taken = 0;
        while (position < keys.size() && keys[position] != 0 && taken < kMaxTagName) {
            Char t = keys[position++];
            ++taken;
            if (t == L'}')
                break;
            name[nameLength++] = t;
        }
        total = Saturate(total + TagTime(name, nameLength, perKeyMs));
    }
    return static_cast<int>(total);
}

} // namespace pw::settings
