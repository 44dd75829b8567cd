#include "platform/sim/sim_system_parameters.h"

#include <utility>

namespace pw::sim {

bool SimSystemParameters::ButtonsSwapped() {
    std::lock_guard lock(mutex_);
    return swapped_;
}

bool SimSystemParameters::SetButtonSwap(bool swapped, unsigned updateFlags) {
    std::lock_guard lock(mutex_);
    changes_.push_back({SimParameterChange::Kind::ButtonSwap, swapped ? 1u : 0u, updateFlags});
    if (failing_)
        return false;
    swapped_ = swapped;
    return true;
}

bool SimSystemParameters::WheelScrollLines(unsigned& lines) {
    std::lock_guard lock(mutex_);
    lines = scrollLines_;
    return true;
}

bool SimSystemParameters::SetWheelScrollLines(unsigned lines, unsigned updateFlags) {
    std::lock_guard lock(mutex_);
    changes_.push_back({SimParameterChange::Kind::WheelScrollLines, lines, updateFlags});
    if (failing_)
        return false;
    scrollLines_ = lines;
    return true;
}

bool SimSystemParameters::WheelScrollChars(unsigned& chars) {
    std::lock_guard lock(mutex_);
    chars = scrollChars_;
    return true;
}

bool SimSystemParameters::ReloadSystemCursors() {
    std::lock_guard lock(mutex_);
    ++cursorReloads_;
    return true;
}

int SimSystemParameters::CursorReloads() const {
    std::lock_guard lock(mutex_);
    return cursorReloads_;
}

void SimSystemParameters::Preset(bool swapped, unsigned scrollLines, unsigned scrollChars) {
    std::lock_guard lock(mutex_);
    swapped_ = swapped;
    scrollLines_ = scrollLines;
    scrollChars_ = scrollChars;
}

void SimSystemParameters::SetFailing(bool failing) {
    std::lock_guard lock(mutex_);
    failing_ = failing;
}

bool SimSystemParameters::Swapped() const {
    std::lock_guard lock(mutex_);
    return swapped_;
}

unsigned SimSystemParameters::ScrollLines() const {
    std::lock_guard lock(mutex_);
    return scrollLines_;
}

std::vector<SimParameterChange> SimSystemParameters::Changes() const {
    std::lock_guard lock(mutex_);
    return changes_;
}

std::vector<SimParameterChange> SimSystemParameters::TakeChanges() {
    std::lock_guard lock(mutex_);
    return std::exchange(changes_, {});
}

} // namespace pw::sim
