#include "platform/sim/sim_system_parameters.h"

#include <utility>

namespace pw::sim {

bool SimSystemParameters::ButtonsSwapped() {
    std::lock_guard lock(mutex_);
    return swapped_;
}

bool SimSystemParameters::SetButtonSwap(bool swapped, unsigned updateFlags) {
    std::lock_guard lock(mutex_);
    changes_.push_back({SimParameterChange::Kind::ButtonSwap, swapped ? 1u : 0u, updateFlags, {}});
    if (failing_)
        return false;
    swapped_ = swapped;
    return true;
}

bool SimSystemParameters::WheelScrollLines(unsigned& lines) {
    std::lock_guard lock(mutex_);
    if (queriesFailing_)
        return false;
    lines = scrollLines_;
    return true;
}

bool SimSystemParameters::SetWheelScrollLines(unsigned lines, unsigned updateFlags) {
    std::lock_guard lock(mutex_);
    changes_.push_back({SimParameterChange::Kind::WheelScrollLines, lines, updateFlags, {}});
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

bool SimSystemParameters::MouseSpeed(int& speed) {
    std::lock_guard lock(mutex_);
    if (queriesFailing_)
        return false;
    speed = mouseSpeed_;
    return true;
}

bool SimSystemParameters::SetMouseSpeed(int speed, unsigned updateFlags) {
    std::lock_guard lock(mutex_);
    changes_.push_back(
        {SimParameterChange::Kind::MouseSpeed, static_cast<unsigned>(speed), updateFlags, {}});
    // The system takes speeds from 1 to 20 only.
    if (failing_ || speed < 1 || speed > 20)
        return false;
    mouseSpeed_ = speed;
    return true;
}

bool SimSystemParameters::SetMouseAcceleration(const platform::MouseAcceleration& acceleration,
                                               unsigned updateFlags) {
    std::lock_guard lock(mutex_);
    changes_.push_back({SimParameterChange::Kind::MouseAcceleration, 0, updateFlags, acceleration});
    if (failing_)
        return false;
    acceleration_ = acceleration;
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

void SimSystemParameters::PresetMouseSpeed(int speed) {
    std::lock_guard lock(mutex_);
    mouseSpeed_ = speed;
}

void SimSystemParameters::SetQueriesFailing(bool failing) {
    std::lock_guard lock(mutex_);
    queriesFailing_ = failing;
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

int SimSystemParameters::PointerSpeed() const {
    std::lock_guard lock(mutex_);
    return mouseSpeed_;
}

platform::MouseAcceleration SimSystemParameters::Acceleration() const {
    std::lock_guard lock(mutex_);
    return acceleration_;
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
