// A program built against the installed SDK alone, through its CMake package (include/
// and lib/libPallawickHook.dll.a), as the main program is: it uses exported functions and
// classes, writes a settings file through CSettings and checks that the file records the
// version the DLL's version resource shows. Prints one line per check; the exit code is
// the number of failed checks.
//
//   sdk_consumer.exe SETTINGS_FILE

#include <PallawickHook/PallawickHook.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

int g_failures = 0;

void Check(bool ok, const char* what) {
    if (!ok)
        ++g_failures;
    std::printf("%s %s\n", ok ? "PASS" : "FAIL", what);
}

// The DLL's version resource as "major.minor.build.revision", or empty when unreadable.
std::string ResourceVersion() {
    HMODULE module = GetModuleHandleW(L"PallawickHook.dll");
    wchar_t path[MAX_PATH] = {};
    if (!module || !GetModuleFileNameW(module, path, MAX_PATH))
        return {};
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeW(path, &ignored);
    std::vector<unsigned char> data(size);
    if (!size || !GetFileVersionInfoW(path, 0, size, data.data()))
        return {};
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &length) || !info)
        return {};
    char text[64];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", HIWORD(info->dwFileVersionMS),
                  LOWORD(info->dwFileVersionMS), HIWORD(info->dwFileVersionLS),
                  LOWORD(info->dwFileVersionLS));
    return text;
}

// The value of attribute name in the first <version> element of the file at path.
std::string VersionAttribute(const std::string& file, const char* name) {
    size_t element = file.find("<version ");
    if (element == std::string::npos)
        return {};
    size_t end = file.find('>', element);
    std::string key = std::string(" ") + name + "=\"";
    size_t start = file.find(key, element);
    if (start == std::string::npos || start > end)
        return {};
    start += key.size();
    return file.substr(start, file.find('"', start) - start);
}

std::string ReadFile(const wchar_t* path) {
    std::string bytes;
    FILE* file = _wfopen(path, L"rb");
    if (!file)
        return bytes;
    char buffer[4096];
    size_t read = 0;
    while ((read = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.append(buffer, read);
    std::fclose(file);
    return bytes;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: sdk_consumer SETTINGS_FILE\n");
        return 2;
    }

    Check(GetOSVersion() != osUnknown, "GetOSVersion names a version");
    SetDebug(true);
    Check(GetDebug(), "SetDebug and GetDebug");
    SetDebug(false);

    Char folder[4096] = {};
    Check(GetSettingsFolder(folder, 4096) == 0 && folder[0] != 0, "GetSettingsFolder");

    CHotkey hotkey(2, 'A');
    Check(hotkey.GetModifier() == 2 && hotkey.GetVirtualKey() == 'A', "CHotkey");

    // The settings object allocated here, with the layout the headers give it.
    CSettings settings;
    Check(settings.MaxLayers() == CSettings::kDefaultMaxLayers, "CSettings default layers");
    Check(settings.SetMaxLayers(5) && settings.MaxLayers() == 5, "CSettings::SetMaxLayers");
    settings.put_SearchURL(L"https://search.invalid/?q=");
    Check(std::wcscmp(settings.get_SearchURL(), L"https://search.invalid/?q=") == 0,
          "CSettings search URL");
    CSettings copy(settings);
    Check(copy.MaxLayers() == 5, "CSettings copy");

    Check(settings.Save(argv[1]), "CSettings::Save");
    std::string file = ReadFile(argv[1]);
    std::string written = VersionAttribute(file, "major") + "." + VersionAttribute(file, "minor") +
                          "." + VersionAttribute(file, "build") + "." +
                          VersionAttribute(file, "revision");
    std::string resource = ResourceVersion();
    std::printf("settings file version %s, version resource %s, headers %s\n", written.c_str(),
                resource.c_str(), PALLAWICK_VERSION_STRING);
    Check(!resource.empty() && written == resource,
          "the settings file records the version resource's version");
    Check(resource == PALLAWICK_VERSION_STRING, "the headers name the DLL's version");
    return g_failures;
}
