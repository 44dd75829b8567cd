#include "support/action_recorder.h"

#include "settings/application_settings.h"
#include "settings/mouse_buttons.h"
#include "settings/settings.h"

namespace pw::test {

ActionRecorder::ActionRecorder() {
    actions::SetActionObserver(&ActionRecorder::Note, this);
}

ActionRecorder::~ActionRecorder() {
    actions::SetActionObserver(nullptr, nullptr);
}

ActionRequest ActionRecorder::Last() const {
    return requests_.empty() ? ActionRequest{} : requests_.back();
}

std::vector<ActionRequest> ActionRecorder::Take() {
    std::vector<ActionRequest> taken;
    taken.swap(requests_);
    return taken;
}

void ActionRecorder::Note(const actions::ActionCall& call, void* context) {
    ActionRequest request;
    request.button = call.button;
    request.action = call.action;
    request.kind = call.kind;
    request.layer = call.layer;
    request.skipWindowCheck = call.skipWindowCheck;
    request.hwnd = call.hwnd;
    request.source = call.profile;
    static_cast<ActionRecorder*>(context)->requests_.push_back(request);
}

void SwallowEveryButton(CSettings& settings) {
    auto disable = [](CApplicationSettings* profile) {
        if (!profile)
            return;
        for (int layer = 0; layer < 10; ++layer)
            for (int button = mbLeft; button <= mbWheelDown; ++button)
                profile->SetActions(static_cast<MouseButtons>(button), layer, actDisable);
    };
    disable(settings.GetDefaultApp());
    for (int index = 0; settings.GetApplication(index); ++index)
        disable(settings.GetApplication(index));
}

} // namespace pw::test
