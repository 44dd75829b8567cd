#pragma once

// Typing into the window under the cursor with that window's keyboard layout: for the
// lifetime of the object, the calling thread uses the layout of g_hLastWindow's thread.

#include "platform/keyboard_layout.h"

namespace pw::input {

class TargetLayout {
  public:
    TargetLayout();
    ~TargetLayout();
    TargetLayout(const TargetLayout&) = delete;
    TargetLayout& operator=(const TargetLayout&) = delete;

    // The layout of the target window's thread.
    pw::platform::KeyboardLayoutHandle Target() const { return target_; }
    // The calling thread's layout that was replaced; none when nothing changed.
    pw::platform::KeyboardLayoutHandle Replaced() const { return replaced_; }

  private:
    pw::platform::KeyboardLayoutHandle target_ = nullptr;
    pw::platform::KeyboardLayoutHandle replaced_ = nullptr;
};

} // namespace pw::input
