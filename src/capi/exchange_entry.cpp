// The C interface's profile export and import.

#include "capi/result.h"
#include "capi/settings_handle.h"

using namespace pw::capi;

PWC_API int PWC_CALL PwcExportProfile(PwcSettings* settings, int profile, const wchar_t* path) {
    return Guarded([&] {
        int error = PWC_OK;
        CApplicationSettings* found = FindProfile(settings, profile, error);
        if (!found)
            return error;
        if (profile == 0 || !path)
            return Fail(PWC_INVALID_ARGUMENT, L"the default profile is not exported");
        if (!settings->settings.Export(found, path))
            return Fail(PWC_FILE_ERROR, String(L"cannot export to ") + path);
        return Succeed();
    });
}

PWC_API int PWC_CALL PwcImportProfiles(PwcSettings* settings, const wchar_t* path, void* owner,
                                       const wchar_t* prompt, int* imported) {
    return Guarded([&] {
        if (!settings || !path)
            return Fail(PWC_INVALID_ARGUMENT, L"no settings object or path given");
        int count = settings->settings.Import(path, static_cast<HWND>(owner), prompt, nullptr);
        if (imported)
            *imported = count;
        return Succeed();
    });
}
