#include "settings_location.h"

#include "library.h"

namespace pw::host {

namespace {

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool SamePath(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

std::wstring FullPath(const std::wstring& path) {
    const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0)
        return std::wstring();
    std::wstring full(size, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size)
        return std::wstring();
    full.resize(length);
    return full;
}

std::wstring LibrarySettingsFolder() {
    wchar_t folder[MAX_PATH] = {};
    if (GetSettingsFolder(folder, MAX_PATH) != 0)
        return std::wstring();
    return FullPath(folder);
}

std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return std::wstring();
    std::wstring folder(path, length);
    return folder.substr(0, folder.rfind(L'\\') + 1);
}

std::optional<SettingsLocation> LibraryOwnLocation(std::wstring& error) {
    const std::wstring folder = LibrarySettingsFolder();
    if (folder.empty()) {
        error = L"the library does not name a settings folder";
        return std::nullopt;
    }
    if (!IsFolder(folder)) {
        error = L"the settings folder '" + folder +
                L"' does not exist; create it with a VESKSettings.xml, or name a settings file";
        return std::nullopt;
    }
    return SettingsLocation{folder, folder + pw::folders::kSettingsFileName, false};
}

} // namespace

std::optional<SettingsLocation> ResolveSettingsLocation(const std::wstring& given,
                                                        std::wstring& error) {
    if (given.empty())
        return LibraryOwnLocation(error);

    const std::wstring file = FullPath(given);
    const size_t cut = file.rfind(L'\\');
    if (file.empty() || cut == std::wstring::npos) {
        error = L"'" + given + L"' is not a valid path";
        return std::nullopt;
    }
    if (IsFolder(file)) {
        error = L"'" + file + L"' is a folder, not a settings file";
        return std::nullopt;
    }
    const std::wstring folder = file.substr(0, cut + 1);
    if (!IsFolder(folder)) {
        error = L"the folder '" + folder + L"' does not exist";
        return std::nullopt;
    }
    if (!SamePath(file.substr(cut + 1), pw::folders::kSettingsFileName)) {
        error = L"the library reads only files named " +
                std::wstring(pw::folders::kSettingsFileName) + L"; '" + file + L"' is not one";
        return std::nullopt;
    }
    const std::wstring libraryFolder = LibrarySettingsFolder();
    if (!libraryFolder.empty() && SamePath(folder, libraryFolder))
        return SettingsLocation{folder, file, false};
    const std::wstring programFolder = ProgramFolder();
    if (!programFolder.empty() && SamePath(folder, programFolder))
        return SettingsLocation{folder, file, true};
    error = L"'" + file + L"' is neither in the library's settings folder '" + libraryFolder +
            L"' nor beside pallawick-host.exe in '" + programFolder + L"'; move it to one of them";
    return std::nullopt;
}

} // namespace pw::host
