#include "platform/sim/sim_dialogs.h"

namespace pw::sim {

int SimDialogs::MessageBox(HWND owner, const Char* text, const Char* caption, unsigned int style) {
    std::lock_guard lock(mutex_);
    shown_.push_back({owner, text ? text : L"", caption ? caption : L"", style});
    if (!answers_.empty()) {
        int answer = answers_.front();
        answers_.pop_front();
        return answer;
    }
    return (style & 0xF) == platform::kMbOk ? platform::kIdOk : platform::kIdCancel;
}

void SimDialogs::ScriptAnswer(int answer) {
    std::lock_guard lock(mutex_);
    answers_.push_back(answer);
}

std::vector<SimDialogs::Shown> SimDialogs::ShownBoxes() const {
    std::lock_guard lock(mutex_);
    return shown_;
}

void SimDialogs::Clear() {
    std::lock_guard lock(mutex_);
    shown_.clear();
    answers_.clear();
}

} // namespace pw::sim
