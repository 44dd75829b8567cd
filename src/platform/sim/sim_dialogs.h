#pragma once

#include "platform/platform.h"

#include <deque>
#include <mutex>
#include <vector>

namespace pw::sim {

// Message boxes that record what they showed and answer what the test scripted.
class SimDialogs final : public platform::Dialogs {
  public:
    struct Shown {
        HWND owner = nullptr;
        String text;
        String caption;
        unsigned int style = 0;
    };

    int MessageBox(HWND owner, const Char* text, const Char* caption, unsigned int style) override;

    // Queues the answer of the next message box. Unscripted boxes answer OK for an
    // OK-only box and Cancel otherwise.
    void ScriptAnswer(int answer);
    std::vector<Shown> ShownBoxes() const;
    void Clear();

  private:
    mutable std::mutex mutex_;
    std::deque<int> answers_;
    std::vector<Shown> shown_;
};

} // namespace pw::sim
