#include "settings_reloader.h"

#include "console.h"
#include "library.h"
#include "settings_file.h"

namespace pw::host {

namespace {

ReloadResult Failed(ReloadOutcome outcome, std::wstring reason) {
    ReloadResult result;
    result.outcome = outcome;
    result.reason = std::move(reason);
    return result;
}

bool ReadAgain(const std::wstring& file, const std::string& before) {
    std::string bytes;
    unsigned long error = 0;
    return ReadFileBytes(file, bytes, error) && bytes == before;
}

} // namespace

ReloadResult SettingsReloader::Attempt() {
    const FileStamp stamp = StampOf(m_file);
    if (stamp.kind == FileKind::Missing)
        return Failed(ReloadOutcome::Missing, L"there is no such file");
    if (stamp.kind == FileKind::Folder)
        return Failed(ReloadOutcome::Folder, L"it is a folder, not a settings file");

    std::string before;
    unsigned long error = 0;
    if (!ReadFileBytes(m_file, before, error))
        return Failed(ReloadOutcome::Unreadable, SystemMessage(error));

    CSettings probe;
    bool regionChecking = false;
    if (!probe.Load(m_file.c_str(), regionChecking, false))
        return Failed(ReloadOutcome::Invalid, L"it is not a whole settings file (" +
                                                  std::to_wstring(before.size()) + L" bytes)");
    if (!ReadAgain(m_file, before))
        return Failed(ReloadOutcome::Changing, L"it changed while it was read");

    UpdateSettings();
    if (!ReadAgain(m_file, before))
        return Failed(ReloadOutcome::Changing, L"it changed while the library read it");

    ReloadResult result;
    result.outcome = ReloadOutcome::Loaded;
    result.profiles = probe.GetApplicationCount();
    result.layers = probe.MaxLayers();
    return result;
}

} // namespace pw::host
