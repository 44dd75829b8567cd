#pragma once

// Records every action the engine carries out, through the action observer, for the
// lifetime of the recorder.

#include "actions/action_call.h"
#include "actions/process_button_action.h"

#include <vector>

class CApplicationSettings;
class CSettings;

namespace pw::test {

struct ActionRequest {
    int button = 0;
    int action = 0;
    int kind = 0;
    int layer = 0;
    bool skipWindowCheck = false;
    HWND hwnd = nullptr;
    const CApplicationSettings* source = nullptr;
};

class ActionRecorder {
  public:
    ActionRecorder();
    ~ActionRecorder();
    ActionRecorder(const ActionRecorder&) = delete;
    ActionRecorder& operator=(const ActionRecorder&) = delete;

    const std::vector<ActionRequest>& Requests() const { return requests_; }
    // The last request, or a blank one when there was none.
    ActionRequest Last() const;
    // The requests so far, leaving none.
    std::vector<ActionRequest> Take();
    void Clear() { requests_.clear(); }

  private:
    static void Note(const actions::ActionCall& call, void* context);
    std::vector<ActionRequest> requests_;
};

// Maps every button on every layer of every profile (the default one included) to
// "Disable", so that every button event is swallowed.
void SwallowEveryButton(CSettings& settings);

} // namespace pw::test
