#include "actions/process_button_action.h"

namespace {

// Guarded by the global lock, which every caller of ProcessButtonAction holds.
std::vector<pw::actions::ActionRequest> g_requests;
bool g_requestAnswer = false;

} // namespace

// Records the request and gives the configured answer; the actions themselves are not
// carried out yet.
bool ProcessButtonAction(int button, int action, CActionData*, CApplicationSettings* source,
                         int kind, int layer, bool skipWindowCheck, HWND hwnd, MSLLHOOKSTRUCT*,
                         bool*, bool*, bool*) {
    pw::actions::ActionRequest request;
    request.button = button;
    request.action = action;
    request.kind = kind;
    request.layer = layer;
    request.skipWindowCheck = skipWindowCheck;
    request.hwnd = hwnd;
    request.source = source;
    g_requests.push_back(request);
    return g_requestAnswer;
}

namespace pw::actions {

const std::vector<ActionRequest>& ActionRequests() {
    return g_requests;
}

void ClearActionRequests() {
    g_requests.clear();
}

void SetRequestAnswer(bool handled) {
    g_requestAnswer = handled;
}

} // namespace pw::actions
