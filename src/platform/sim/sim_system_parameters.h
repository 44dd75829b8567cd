#pragma once

#include "platform/platform.h"

#include <mutex>
#include <vector>

namespace pw::sim {

// One change the library asked of the system.
struct SimParameterChange {
    enum class Kind { ButtonSwap, WheelScrollLines };
    Kind kind = Kind::ButtonSwap;
    unsigned value = 0;
    unsigned updateFlags = 0;
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

    // The system's state as a user would have set it (no change is recorded).
    void Preset(bool swapped, unsigned scrollLines, unsigned scrollChars = 3);
    // Makes the setters fail (the state stays as it is; the call is still recorded).
    void SetFailing(bool failing);
    bool Swapped() const;
    unsigned ScrollLines() const;
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
    bool failing_ = false;
    int cursorReloads_ = 0;
    std::vector<SimParameterChange> changes_;
};

} // namespace pw::sim
