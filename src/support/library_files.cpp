#include "support/library_files.h"

#include <atomic>

namespace pw {
namespace {

// Read by any thread that logs; set at load, before the library's threads start.
std::atomic<int (*)(Char*, size_t, bool)> g_logFile{nullptr};
std::atomic<int (*)(Char*, size_t)> g_settingsFile{nullptr};

} // namespace

void InstallLibraryFiles(const LibraryFiles& files) {
    g_logFile.store(files.logFile, std::memory_order_release);
    g_settingsFile.store(files.settingsFile, std::memory_order_release);
}

LibraryFiles InstalledLibraryFiles() {
    LibraryFiles files;
    files.logFile = g_logFile.load(std::memory_order_acquire);
    files.settingsFile = g_settingsFile.load(std::memory_order_acquire);
    return files;
}

} // namespace pw
