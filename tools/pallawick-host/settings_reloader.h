#pragma once

// Hands the settings file to the library (UpdateSettings) only once the file is whole.
// The file is first loaded into a settings object of the host's own, by the library's
// own loader, and read before and after: a file that does not load, or that changes
// meanwhile, is still being written. The library itself keeps the settings in force
// when the file it reads does not load, so a writer that slips in between costs nothing
// but another try; UpdateSettings never writes the file.

#include <string>

namespace pw::host {

enum class ReloadOutcome {
    Loaded,
    Missing,    // no file at the path
    Folder,     // the path names a folder
    Unreadable, // the file could not be opened or read
    Invalid,    // the library's loader rejects the file
    Changing,   // the file changed while it was being loaded
};

struct ReloadResult {
    ReloadOutcome outcome = ReloadOutcome::Missing;
    int profiles = 0; // application profiles of the loaded file
    int layers = 0;   // layers in use
    std::wstring reason;
};

class SettingsReloader {
  public:
    explicit SettingsReloader(std::wstring file) : m_file(std::move(file)) {}

    // One attempt; only a Loaded result has reached the library.
    ReloadResult Attempt();

    const std::wstring& File() const { return m_file; }

  private:
    std::wstring m_file;
};

} // namespace pw::host
