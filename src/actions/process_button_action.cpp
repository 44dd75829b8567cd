#include "actions/process_button_action.h"

#include "actions/action_call.h"
#include "actions/action_dispatch.h"
#include "support/thread_lock.h"

namespace {

// Guarded by the global lock, which every caller of ProcessButtonAction holds.
pw::actions::ActionObserver g_observer = nullptr;
void* g_observerContext = nullptr;

} // namespace

bool pw::ProcessButtonAction(int button, int action, CActionData* data,
                             CApplicationSettings* source, int kind, int layer,
                             bool skipWindowCheck, HWND hwnd, MSLLHOOKSTRUCT* record,
                             bool* passOriginal, bool* keysSent, bool* injected) {
    PW_ASSERT_LOCK_HELD();
    pw::actions::ActionCall call;
    call.button = button;
    call.action = static_cast<_ACTIONS>(action);
    call.data = data;
    call.profile = source;
    call.kind = kind;
    call.layer = layer;
    call.skipWindowCheck = skipWindowCheck;
    call.hwnd = hwnd;
    call.record = record;
    call.passOriginal = passOriginal;
    call.keysSent = keysSent;
    call.injected = injected;
    if (g_observer)
        g_observer(call, g_observerContext);
    return pw::actions::DispatchAction(call);
}

namespace pw::actions {

void SetActionObserver(ActionObserver observer, void* context) {
    g_observer = observer;
    g_observerContext = context;
}

} // namespace pw::actions
