#pragma once

// Where the settings file and the log file live. Every folder ends with a backslash.

#include "settings/folders_api.h"
#include "support/library_files.h"
#include "support/text.h"

#include <cstddef>

namespace pw::folders {
inline constexpr const Char* kLogFileName = L"Pallawick.log";
inline constexpr const Char* kRegistryKey = L"Software\\Orvane Works\\Pallawick";
inline constexpr const Char* kAppDataSuffix = L"\\Orvane Works\\Pallawick\\";
using pw::kAppDisplayName;
using pw::kMaxPath;
// The largest "SettingsFolder" registry value accepted, in bytes.
inline constexpr unsigned long kMaxSettingsFolderBytes = 4096;

// The language file name of the library's own settings object, or null when there is no
// settings object or it names none. Called with the global lock held.
const Char* CurrentLanguageFile();
// The settings file's path (settings folder and file name); 0 on success, as
// GetSettingsFolder.
int GetSettingsFile(Char* buffer, size_t size);
} // namespace pw::folders

// Portable mode: the settings live beside the program. Guarded by the global lock.
extern bool g_bPortable;
