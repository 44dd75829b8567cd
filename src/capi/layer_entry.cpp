// The C interface's layers of a profile: the name and the automatic switching.

#include "capi/result.h"
#include "capi/settings_handle.h"

using namespace pw::capi;

namespace {

enum class LayerOption { RevertLayer1, AutoSwitchLayer, AutoSwitchTime, Disabled, Unknown };

LayerOption FindLayerOption(const wchar_t* name) {
    String text = name ? name : L"";
    if (text == L"RevertLayer1")
        return LayerOption::RevertLayer1;
    if (text == L"AutoSwitchLayer")
        return LayerOption::AutoSwitchLayer;
    if (text == L"AutoSwitchTime")
        return LayerOption::AutoSwitchTime;
    if (text == L"Disabled")
        return LayerOption::Disabled;
    return LayerOption::Unknown;
}

} // namespace

PWC_API int PWC_CALL PwcGetLayerName(PwcSettings* settings, int profile, int layer, wchar_t* buffer,
                                     int* length) {
    return Guarded([&] {
        int error = PWC_OK;
        CApplicationSettings* found = FindLayer(settings, profile, layer, error);
        if (!found)
            return error;
        const Char* name = found->GetLayerName(layer);
        return CopyOut(name ? name : L"", buffer, length);
    });
}

PWC_API int PWC_CALL PwcSetLayerName(PwcSettings* settings, int profile, int layer,
                                     const wchar_t* name) {
    return Guarded([&] {
        int error = PWC_OK;
        CApplicationSettings* found = FindLayer(settings, profile, layer, error);
        if (!found)
            return error;
        found->SetLayerName(name, layer);
        return Succeed();
    });
}

PWC_API int PWC_CALL PwcGetLayerOption(PwcSettings* settings, int profile, int layer,
                                       const wchar_t* name, int* value) {
    int error = PWC_OK;
    CApplicationSettings* found = FindLayer(settings, profile, layer, error);
    if (!found)
        return error;
    if (!value)
        return Fail(PWC_INVALID_ARGUMENT, L"no value given");
    switch (FindLayerOption(name)) {
    case LayerOption::RevertLayer1:
        *value = found->GetRevertLayer1(layer) ? 1 : 0;
        break;
    case LayerOption::AutoSwitchLayer:
        *value = found->GetAutoSwitchLayer(layer);
        break;
    case LayerOption::AutoSwitchTime:
        *value = found->GetAutoSwitchTime(layer);
        break;
    case LayerOption::Disabled:
        *value = found->GetLayerDisabled(layer) ? 1 : 0;
        break;
    case LayerOption::Unknown:
        return Fail(PWC_INVALID_ARGUMENT, L"unknown layer option");
    }
    return Succeed();
}

PWC_API int PWC_CALL PwcSetLayerOption(PwcSettings* settings, int profile, int layer,
                                       const wchar_t* name, int value) {
    int error = PWC_OK;
    CApplicationSettings* found = FindLayer(settings, profile, layer, error);
    if (!found)
        return error;
    switch (FindLayerOption(name)) {
    case LayerOption::RevertLayer1:
        found->SetRevertLayer1(layer, value != 0);
        break;
    case LayerOption::AutoSwitchLayer:
        found->SetAutoSwitchLayer(layer, value);
        break;
    case LayerOption::AutoSwitchTime:
        found->SetAutoSwitchTime(layer, value);
        break;
    case LayerOption::Disabled:
        found->SetLayerDisabled(layer, value != 0);
        break;
    case LayerOption::Unknown:
        return Fail(PWC_INVALID_ARGUMENT, L"unknown layer option");
    }
    return Succeed();
}
