#pragma once

// Helpers for tests that read and write settings files on the simulated desktop.

#include "platform/sim/simulated_desktop.h"
#include "settings/folders.h"
#include "settings/settings.h"

#include <array>
#include <string>

namespace pw::test {

inline constexpr const Char* kSettingsPath = L"C:\\x\\VESKSettings.xml";

// A settings document: the XML declaration and a "root" element around body.
inline std::string SettingsXml(const std::string& body) {
    return "<?xml version=\"1.0\"?>\n<root><version build=\"0\" revision=\"0\" minor=\"14\" "
           "major=\"2\"/>" +
           body + "</root>\n";
}

// Loads path into settings; regionChecking receives the loader's answer.
inline bool LoadSettings(CSettings& settings, const Char* path = kSettingsPath,
                         bool* regionChecking = nullptr) {
    bool region = false;
    bool loaded = settings.Load(path, region, false);
    if (regionChecking)
        *regionChecking = region;
    return loaded;
}

inline std::string FileBytes(pw::sim::SimulatedDesktop& desktop, const Char* path = kSettingsPath) {
    std::string bytes;
    desktop.files.ReadFile(path, bytes);
    return bytes;
}

// Writes xml as the settings file of the settings folder, where UpdateSettings reads it.
inline bool StoreInSettingsFolder(pw::sim::SimulatedDesktop& desktop, const std::string& xml) {
    std::array<Char, pw::folders::kMaxPath> folder{};
    if (GetSettingsFolder(folder.data(), folder.size()) != 0 || !CreateFolder(folder.data()))
        return false;
    return desktop.files.WriteFile(String(folder.data()) + L"VESKSettings.xml", xml);
}

} // namespace pw::test
