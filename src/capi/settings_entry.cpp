// The C interface's settings objects and their global options.

#include "capi/global_options.h"
#include "capi/result.h"
#include "capi/settings_handle.h"

#include <memory>

using namespace pw::capi;

PWC_API int PWC_CALL PwcSettingsCreate(PwcSettings** settings) {
    return Guarded([&] {
        if (!settings)
            return Fail(PWC_INVALID_ARGUMENT, L"no handle pointer given");
        *settings = new PwcSettings;
        return Succeed();
    });
}

PWC_API int PWC_CALL PwcSettingsLoad(const wchar_t* path, PwcSettings** settings) {
    return Guarded([&] {
        if (!settings || !path)
            return Fail(PWC_INVALID_ARGUMENT, L"no path or handle pointer given");
        *settings = nullptr;
        auto loaded = std::make_unique<PwcSettings>();
        bool regionChecking = false;
        if (!loaded->settings.Load(path, regionChecking, false))
            return Fail(PWC_FILE_ERROR, String(L"cannot load ") + path);
        *settings = loaded.release();
        return Succeed();
    });
}

PWC_API int PWC_CALL PwcSettingsSave(PwcSettings* settings, const wchar_t* path) {
    return Guarded([&] {
        if (!settings || !path)
            return Fail(PWC_INVALID_ARGUMENT, L"no settings object or path given");
        if (!settings->settings.Save(path))
            return Fail(PWC_FILE_ERROR, String(L"cannot save ") + path);
        return Succeed();
    });
}

PWC_API void PWC_CALL PwcSettingsFree(PwcSettings* settings) {
    delete settings;
}

PWC_API int PWC_CALL PwcOptionName(int index, wchar_t* buffer, int* length) {
    const GlobalOption* option = GlobalOptionAt(index);
    if (!option)
        return Fail(PWC_NOT_FOUND, L"no such option");
    return CopyOut(option->name, buffer, length);
}

PWC_API int PWC_CALL PwcGetOption(PwcSettings* settings, const wchar_t* name, int* value) {
    const GlobalOption* option = FindGlobalOption(name);
    if (!settings || !option || !value)
        return Fail(PWC_INVALID_ARGUMENT, L"no settings object, unknown option or no value");
    *value = option->get(settings->settings);
    return Succeed();
}

PWC_API int PWC_CALL PwcSetOption(PwcSettings* settings, const wchar_t* name, int value) {
    const GlobalOption* option = FindGlobalOption(name);
    if (!settings || !option)
        return Fail(PWC_INVALID_ARGUMENT, L"no settings object or unknown option");
    option->set(settings->settings, value);
    return Succeed();
}

namespace {

bool IsOption(const wchar_t* name, const wchar_t* option) {
    return name && String(name) == option;
}

} // namespace

PWC_API int PWC_CALL PwcGetTextOption(PwcSettings* settings, const wchar_t* name, wchar_t* buffer,
                                      int* length) {
    return Guarded([&] {
        if (!settings)
            return Fail(PWC_INVALID_ARGUMENT, L"no settings object given");
        const Char* text = nullptr;
        if (IsOption(name, L"SearchURL"))
            text = settings->settings.get_SearchURL();
        else if (IsOption(name, L"Language"))
            text = settings->settings.GetLanguage();
        else
            return Fail(PWC_INVALID_ARGUMENT, L"unknown text option");
        return CopyOut(text ? text : L"", buffer, length);
    });
}

PWC_API int PWC_CALL PwcSetTextOption(PwcSettings* settings, const wchar_t* name,
                                      const wchar_t* value) {
    return Guarded([&] {
        if (!settings || !value)
            return Fail(PWC_INVALID_ARGUMENT, L"no settings object or value given");
        if (IsOption(name, L"SearchURL"))
            settings->settings.put_SearchURL(value);
        else if (IsOption(name, L"Language"))
            settings->settings.SetLanguage(value);
        else
            return Fail(PWC_INVALID_ARGUMENT, L"unknown text option");
        return Succeed();
    });
}
