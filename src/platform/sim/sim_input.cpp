#include "platform/sim/sim_input.h"

#include <utility>

namespace pw::sim {

using platform::InputRecord;
using platform::InputType;

unsigned SimInput::SendInput(const InputRecord* records, unsigned count) {
    if (!records || refuseInput)
        return 0;
    const uint32_t tick = clock_.TickCount();
    std::lock_guard lock(mutex_);
    for (unsigned i = 0; i < count; ++i) {
        injected_.push_back(records[i]);
        pending_.push_back(TimedRecord{tick, records[i]});
        ApplyToKeyState(records[i]);
    }
    return count;
}

LRESULT SimInput::CallNextHook(HHOOK, int, WPARAM, LPARAM) {
    ++nextHookCalls_;
    return 0;
}

short SimInput::AsyncKeyState(int virtualKey) {
    if (virtualKey < 0 || virtualKey >= static_cast<int>(down_.size()))
        return 0;
    return down_[virtualKey] ? static_cast<short>(0x8000) : 0;
}

void SimInput::SetKeyDown(int virtualKey, bool down) {
    if (virtualKey >= 0 && virtualKey < static_cast<int>(down_.size()))
        down_[virtualKey] = down;
}

void SimInput::ApplyToKeyState(const InputRecord& record) {
    if (record.type == InputType::Keyboard) {
        if (record.key.flags & platform::kKeyEventUnicode)
            return;
        const bool down = !(record.key.flags & platform::kKeyEventKeyUp);
        constexpr int kVkC = 'C';
        constexpr int kVkControl = 0x11, kVkLControl = 0xA2, kVkRControl = 0xA3;
        const bool control = down_[kVkControl] || down_[kVkLControl] || down_[kVkRControl];
        if (down && record.key.vk == kVkC && control && !down_[kVkC] && copyHandler_)
            copyHandler_();
        SetKeyDown(record.key.vk, down);
        return;
    }
    const uint32_t flags = record.mouse.flags;
    auto apply = [&](uint32_t downFlag, uint32_t upFlag, int vk) {
        if (flags & downFlag)
            SetKeyDown(vk, true);
        if (flags & upFlag)
            SetKeyDown(vk, false);
    };
    apply(platform::kMouseEventLeftDown, platform::kMouseEventLeftUp, platform::kVkLButton);
    apply(platform::kMouseEventRightDown, platform::kMouseEventRightUp, platform::kVkRButton);
    apply(platform::kMouseEventMiddleDown, platform::kMouseEventMiddleUp, platform::kVkMButton);
    const int xKey = record.mouse.mouseData == platform::kXButton2 ? platform::kVkXButton2
                                                                   : platform::kVkXButton1;
    apply(platform::kMouseEventXDown, platform::kMouseEventXUp, xKey);
}

std::vector<InputRecord> SimInput::Injected() const {
    std::lock_guard lock(mutex_);
    return injected_;
}

void SimInput::ClearInjected() {
    std::lock_guard lock(mutex_);
    injected_.clear();
    pending_.clear();
}

std::vector<InputRecord> SimInput::TakePending() {
    std::vector<InputRecord> records;
    for (TimedRecord& timed : TakePendingTimed())
        records.push_back(timed.record);
    return records;
}

std::vector<SimInput::TimedRecord> SimInput::TakePendingTimed() {
    std::lock_guard lock(mutex_);
    return std::exchange(pending_, {});
}

} // namespace pw::sim
