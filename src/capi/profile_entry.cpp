// The C interface's profiles: the list, identity, options and layers.

#include "capi/profile_options.h"
#include "capi/result.h"
#include "capi/settings_handle.h"

#include <memory>
#include <vector>

using namespace pw::capi;

PWC_API int PWC_CALL PwcProfileCount(PwcSettings* settings, int* count) {
    if (!settings || !count)
        return Fail(PWC_INVALID_ARGUMENT, L"no settings object or count given");
    *count = settings->settings.GetApplicationCount() + 1;
    return Succeed();
}

PWC_API int PWC_CALL PwcFindProfile(PwcSettings* settings, const wchar_t* identity, int* profile) {
    if (!settings || !identity || !profile)
        return Fail(PWC_INVALID_ARGUMENT, L"no settings object, identity or index given");
    CSettings& model = settings->settings;
    for (int i = 0; i < model.GetApplicationCount(); ++i) {
        const Char* name = model.GetApplication(i)->GetFullName();
        if (name && String(name) == identity) {
            *profile = i + 1;
            return Succeed();
        }
    }
    return Fail(PWC_NOT_FOUND, L"no profile of that identity");
}

PWC_API int PWC_CALL PwcAddProfile(PwcSettings* settings, const wchar_t* identity, int* profile) {
    return Guarded([&] {
        if (!settings || !identity || !identity[0])
            return Fail(PWC_INVALID_ARGUMENT, L"no settings object or identity given");
        auto added = std::make_unique<CApplicationSettings>(&settings->settings, false);
        added->SetApplication(identity);
        settings->settings.AddApplication(added.release());
        if (profile)
            *profile = settings->settings.GetApplicationCount();
        return Succeed();
    });
}

PWC_API int PWC_CALL PwcRemoveProfile(PwcSettings* settings, int profile) {
    int error = PWC_OK;
    CApplicationSettings* found = FindProfile(settings, profile, error);
    if (!found)
        return error;
    if (profile == 0)
        return Fail(PWC_INVALID_ARGUMENT, L"the default profile cannot be removed");
    settings->settings.RemoveApplication(found);
    delete found;
    return Succeed();
}

PWC_API int PWC_CALL PwcMoveProfile(PwcSettings* settings, int profile, int position) {
    return Guarded([&] {
        int error = PWC_OK;
        if (!FindProfile(settings, profile, error))
            return error;
        CSettings& model = settings->settings;
        if (profile == 0 || position < 1 || position > model.GetApplicationCount())
            return Fail(PWC_INVALID_ARGUMENT, L"the default profile stays first");
        // The list is rebuilt in the new order; the profiles themselves do not change.
        std::vector<CApplicationSettings*> order;
        for (int i = 0; i < model.GetApplicationCount(); ++i)
            order.push_back(model.GetApplication(i));
        CApplicationSettings* moved = order[profile - 1];
        order.erase(order.begin() + (profile - 1));
        order.insert(order.begin() + (position - 1), moved);
        model.ClearApplications();
        for (CApplicationSettings* each : order)
            model.AddApplication(each);
        return Succeed();
    });
}

PWC_API int PWC_CALL PwcGetProfileText(PwcSettings* settings, int profile, int which,
                                       wchar_t* buffer, int* length) {
    int error = PWC_OK;
    CApplicationSettings* found = FindProfile(settings, profile, error);
    if (!found)
        return error;
    const Char* text = nullptr;
    switch (which) {
    case PWC_PROFILE_IDENTITY:
        text = found->GetFullName();
        break;
    case PWC_PROFILE_DESCRIPTION:
        text = found->GetDescription();
        break;
    case PWC_PROFILE_APPLICATION:
        text = found->GetApplication();
        break;
    case PWC_PROFILE_CLASS:
        text = found->GetClass();
        break;
    case PWC_PROFILE_PARENT_CLASS:
        text = found->GetParentClass();
        break;
    case PWC_PROFILE_CAPTION:
        text = found->GetCaption();
        break;
    default:
        return Fail(PWC_INVALID_ARGUMENT, L"unknown profile text");
    }
    return CopyOut(text ? text : L"", buffer, length);
}

PWC_API int PWC_CALL PwcSetProfileText(PwcSettings* settings, int profile, int which,
                                       const wchar_t* text) {
    return Guarded([&] {
        int error = PWC_OK;
        CApplicationSettings* found = FindProfile(settings, profile, error);
        if (!found)
            return error;
        if (!text)
            return Fail(PWC_INVALID_ARGUMENT, L"no text given");
        if (which == PWC_PROFILE_IDENTITY && profile != 0)
            found->SetApplication(text);
        else if (which == PWC_PROFILE_DESCRIPTION)
            found->SetDescription(text);
        else
            return Fail(PWC_INVALID_ARGUMENT, L"that profile text cannot be set");
        return Succeed();
    });
}

PWC_API int PWC_CALL PwcProfileOptionName(int index, wchar_t* buffer, int* length) {
    const ProfileOption* option = ProfileOptionAt(index);
    if (!option)
        return Fail(PWC_NOT_FOUND, L"no such option");
    return CopyOut(option->name, buffer, length);
}

PWC_API int PWC_CALL PwcGetProfileOption(PwcSettings* settings, int profile, const wchar_t* name,
                                         int* value) {
    int error = PWC_OK;
    CApplicationSettings* found = FindProfile(settings, profile, error);
    if (!found)
        return error;
    const ProfileOption* option = FindProfileOption(name);
    if (!option || !value)
        return Fail(PWC_INVALID_ARGUMENT, L"unknown option or no value");
    *value = option->get(*found);
    return Succeed();
}

PWC_API int PWC_CALL PwcSetProfileOption(PwcSettings* settings, int profile, const wchar_t* name,
                                         int value) {
    int error = PWC_OK;
    CApplicationSettings* found = FindProfile(settings, profile, error);
    if (!found)
        return error;
    const ProfileOption* option = FindProfileOption(name);
    if (!option)
        return Fail(PWC_INVALID_ARGUMENT, L"unknown option");
    option->set(*found, value);
    return Succeed();
}
