#include "support/input_timeline.h"

#include <cstdio>

namespace pw::test {

std::string DescribeRecord(const platform::InputRecord& record) {
    char word[64];
    if (record.type == platform::InputType::Keyboard)
        std::snprintf(word, sizeof word, "k%x/%x/%x", unsigned{record.key.vk},
                      unsigned{record.key.scan}, record.key.flags);
    else
        std::snprintf(word, sizeof word, "m%x/%d", record.mouse.flags,
                      static_cast<int32_t>(record.mouse.mouseData));
    return word;
}

InputTimeline::InputTimeline(sim::SimulatedDesktop& desktop)
    : desktop_(desktop), start_(desktop.clock.TickCount()), installed_(*this) {}

InputTimeline::~InputTimeline() = default;

std::string InputTimeline::Take() {
    std::string text;
    for (const std::string& word : words_)
        text += word + " ";
    words_.clear();
    return text + "end@" + std::to_string(desktop_.clock.TickCount() - start_);
}

unsigned InputTimeline::SendInput(const platform::InputRecord* records, unsigned count) {
    if (!records)
        return 0;
    unsigned sent = 0;
    for (unsigned i = 0; i < count; ++i) {
        if (beforeRecord)
            beforeRecord(records[i]);
        if (desktop_.input.SendInput(&records[i], 1) == 0)
            break;
        words_.push_back(std::to_string(desktop_.clock.TickCount() - start_) + ":" +
                         DescribeRecord(records[i]));
        ++sent;
    }
    return sent;
}

LRESULT InputTimeline::CallNextHook(HHOOK hook, int code, WPARAM wParam, LPARAM lParam) {
    return desktop_.input.CallNextHook(hook, code, wParam, lParam);
}

short InputTimeline::AsyncKeyState(int virtualKey) {
    return desktop_.input.AsyncKeyState(virtualKey);
}

} // namespace pw::test
