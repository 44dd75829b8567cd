#pragma once

#include "platform/platform.h"

#include <mutex>
#include <vector>

namespace pw::sim {

// One change the library asked of the system.
struct SimParameterChange {
    enum class Kind { ButtonSwap, WheelScrollLines, MouseSpeed, MouseAcceleration };
    Kind kind = Kind::ButtonSwap;
    unsigned value = 0; // the swap state, the lines or the speed
    unsigned updateFlags = 0;
    platform::MouseAcceleration acceleration = {}; // for MouseAcceleration
};

// The system's mouse parameters as plain values, with a recorder of every set call so
// that tests see both what changed and whether a call was made at all. Safe to use from
// the library's threads while a test inspects it.
class SimSystemParameters final : public platform::SystemParameters {
  public:
    bool ButtonsSwapped() override;
    bool SetButtonSwap(bool swapped, unsigned updateFlags) override;
    bool WheelScrollLines(unsigned& lines) override;
    bool SetWheelScrollLines(unsigned lines, unsigned updateFlags) override;
    bool WheelScrollChars(unsigned& chars) override;
    bool ReloadSystemCursors() override;
    bool MouseSpeed(int& speed) override;
    bool SetMouseSpeed(int speed, unsigned updateFlags) override;
    bool SetMouseAcceleration(const platform::MouseAcceleration& acceleration,
                              unsigned updateFlags) override;

    // The system's state as a user would have set it (no change is recorded).
    void Preset(bool swapped, unsigned scrollLines, unsigned scrollChars = 3);
    void PresetMouseSpeed(int speed);
    // Makes the getters fail, as a system that cannot answer the query.
    void SetQueriesFailing(bool failing);
    // Makes the setters fail (the state stays as it is; the call is still recorded).
    void SetFailing(bool failing);
    bool Swapped() const;
    unsigned ScrollLines() const;
    int PointerSpeed() const;
    platform::MouseAcceleration Acceleration() const;
    std::vector<SimParameterChange> Changes() const;
    // Takes the changes recorded so far, leaving none.
    std::vector<SimParameterChange> TakeChanges();
    // How often the system cursors were reloaded.
    int CursorReloads() const;

  private:
    mutable std::mutex mutex_;
    bool swapped_ = false;
    unsigned scrollLines_ = 3;
    unsigned scrollChars_ = 3;
    int mouseSpeed_ = 10;
    // The system's default: enhanced pointer precision on.
    platform::MouseAcceleration acceleration_ = {6, 10, 1};
    bool failing_ = false;
    bool queriesFailing_ = false;
    int cursorReloads_ = 0;
    std::vector<SimParameterChange> changes_;
};

} // namespace pw::sim
