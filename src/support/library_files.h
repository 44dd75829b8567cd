#pragma once

// Where the library keeps its files, for the log and the crash report. The folder rules
// belong to the settings layer above; the library start installs them here, and until
// then no file is known.

#include "support/text.h"

#include <cstddef>

namespace pw {

inline constexpr const Char* kAppDisplayName = L"Pallawick";
// Paths and log lines live in buffers of this many characters.
inline constexpr size_t kMaxPath = 4096;

struct LibraryFiles {
    // The log file's path into buffer; create: make its folder. 0 on success.
    int (*logFile)(Char* buffer, size_t size, bool create) = nullptr;
    // The settings file's path into buffer. 0 on success.
    int (*settingsFile)(Char* buffer, size_t size) = nullptr;
};

void InstallLibraryFiles(const LibraryFiles& files);
LibraryFiles InstalledLibraryFiles();

} // namespace pw
