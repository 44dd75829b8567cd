#include "capi/settings_handle.h"

#include "capi/result.h"
#include "settings/button_grid.h"

namespace pw::capi {

CApplicationSettings* FindProfile(PwcSettings* handle, int index, int& error) {
    if (!handle) {
        error = Fail(PWC_INVALID_ARGUMENT, L"no settings object given");
        return nullptr;
    }
    CApplicationSettings* profile =
        index == 0 ? handle->settings.GetDefaultApp() : handle->settings.GetApplication(index - 1);
    if (!profile)
        error = Fail(PWC_NOT_FOUND, L"no such profile");
    return profile;
}

CApplicationSettings* FindLayer(PwcSettings* handle, int index, int layer, int& error) {
    CApplicationSettings* profile = FindProfile(handle, index, error);
    if (profile && !settings::IsValidLayer(layer)) {
        error = Fail(PWC_NOT_FOUND, L"no such layer");
        return nullptr;
    }
    return profile;
}

CApplicationSettings* FindSlot(PwcSettings* handle, int index, int layer, int button, int& error) {
    CApplicationSettings* profile = FindLayer(handle, index, layer, error);
    if (profile && !settings::IsValidButton(button)) {
        error = Fail(PWC_NOT_FOUND, L"no such button");
        return nullptr;
    }
    return profile;
}

} // namespace pw::capi
