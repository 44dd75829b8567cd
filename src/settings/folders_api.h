#pragma once

// The settings and log folders, as the main program asks for them. Every folder ends
// with a backslash.

#include <PallawickHook/platform/text_types.h>
#include <PallawickHook/support/export.h>

#include <cstddef>

// Results are 0 on success or the error code of the bounded copy (see CopyString).
PW_EXTERN_C int GetSettingsFolder(Char* buffer, size_t size);
PW_EXTERN_C int GetLogFolder(Char* buffer, size_t size, bool create);
PW_EXTERN_C int GetLogFile(Char* buffer, size_t size, bool create);
PW_EXTERN_C bool CreateFolder(const Char* path);
PW_EXTERN_C bool GetLanguageFile(Char* buffer, int size);
PW_EXTERN_C void SetPortable(bool portable);
PW_EXTERN_C bool GetPortable();

namespace pw::folders {
// The settings file's name in the settings folder, where the main program writes it.
inline constexpr const Char* kSettingsFileName = L"VESKSettings.xml";
} // namespace pw::folders
