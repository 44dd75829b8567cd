#include "settings/settings.h"

#include "platform/platform.h"
#include "settings/application_settings.h"
#include "settings/hotkeys.h"
#include "settings/layer_modifier_keys.h"
#include "settings/profile_edits.h"
#include "support/logger.h"

#include <algorithm>
#include <cwchar>
#include <limits>

CSettings* g_pSettings = nullptr;

namespace {

constexpr const Char* kDefaultProfileName = L"Default";

// The system's own defaults, for a system that cannot tell its current values.
constexpr int kSystemDefaultMouseSpeed = 10;
constexpr int kSystemDefaultWheelLines = 3;

int ReadSystemMouseSpeed() {
    int speed = 0;
    if (!pw::platform::GetSystemParameters().MouseSpeed(speed)) {
        CLogger::LogMessage(L"CSettings: Unable to read the system pointer speed; using %d.",
                            kSystemDefaultMouseSpeed);
        return kSystemDefaultMouseSpeed;
    }
    return speed;
}

// A system set to scroll a page per notch gives new profiles the default line count.
int ReadSystemWheelLines() {
    unsigned lines = 0;
    if (!pw::platform::GetSystemParameters().WheelScrollLines(lines)) {
        CLogger::LogMessage(L"CSettings: Unable to read the system wheel scroll lines; using %d.",
                            kSystemDefaultWheelLines);
        return kSystemDefaultWheelLines;
    }
    if (lines > static_cast<unsigned>(std::numeric_limits<int>::max()))
        return kSystemDefaultWheelLines;
    return static_cast<int>(lines);
}

} // namespace

CSettings::CSettings(bool officeMouse) {
    m_options.OfficeMouse = officeMouse;
    m_options.OfficeMouseForced = officeMouse;
    m_options.MouseSpeed = ReadSystemMouseSpeed();
    m_options.SystemWheelLines = ReadSystemWheelLines();

    // The default profile reads the wheel lines from its owner, so it comes after them.
    m_pDefaultApp = std::make_unique<CApplicationSettings>(this, true);
    m_pDefaultApp->SetApplication(kDefaultProfileName);
    m_pHotKeys = std::make_unique<CHotKeys>();
    m_pLayerModifierKeys = std::make_unique<CLayerModifierKeys>();
}

CSettings::CSettings(const CSettings& other) {
    CopyFrom(other);
}

CSettings& CSettings::operator=(const CSettings& other) {
    if (this != &other)
        CopyFrom(other);
    return *this;
}

CSettings::~CSettings() = default;

void CSettings::CopyFrom(const CSettings& other) {
    pw::settings::NoteProfileEdit();
    m_options = other.m_options;

    m_pDefaultApp.reset();
    if (other.m_pDefaultApp)
        m_pDefaultApp = std::make_unique<CApplicationSettings>(*other.m_pDefaultApp);
    if (m_pDefaultApp && m_pDefaultApp->GetOwner() == &other)
        m_pDefaultApp->SetOwner(this);

    OwnedProfiles profiles;
    profiles.reserve(other.m_lstApplications.size());
    for (const auto& profile : other.m_lstApplications)
        profiles.push_back(profile ? std::make_unique<CApplicationSettings>(*profile) : nullptr);
    // Copies read this object's options, not the source's.
    for (auto& profile : profiles) {
        if (profile && profile->GetOwner() == &other)
            profile->SetOwner(this);
    }
    m_lstApplications = std::move(profiles);
    m_vwApplications = MapView(other.m_vwApplications, other);
    m_vwCustomApplications = MapView(other.m_vwCustomApplications, other);

    m_pHotKeys = other.m_pHotKeys ? std::make_unique<CHotKeys>(*other.m_pHotKeys) : nullptr;
    m_pLayerModifierKeys = other.m_pLayerModifierKeys
                               ? std::make_unique<CLayerModifierKeys>(*other.m_pLayerModifierKeys)
                               : nullptr;
}

// The views of source, pointing at this object's copies of the same profiles. A view entry
// that source no longer owns (it was removed from the list after loading) is left out.
CSettings::ProfileView CSettings::MapView(const ProfileView& view, const CSettings& source) const {
    ProfileView mapped;
    mapped.reserve(view.size());
    for (CApplicationSettings* profile : view) {
        auto found = std::find_if(source.m_lstApplications.begin(), source.m_lstApplications.end(),
                                  [profile](const auto& owned) { return owned.get() == profile; });
        if (found == source.m_lstApplications.end())
            continue;
        mapped.push_back(m_lstApplications[found - source.m_lstApplications.begin()].get());
    }
    return mapped;
}

int CSettings::GetApplicationCount() const {
    return static_cast<int>(m_lstApplications.size());
}

CApplicationSettings* CSettings::GetApplication(int index) const {
    if (index < 0 || index >= GetApplicationCount())
        return nullptr;
    return m_lstApplications[index].get();
}

CApplicationSettings* CSettings::GetApplication(const Char* name) const {
    if (!name || !name[0])
        return nullptr;
    for (const auto& profile : m_lstApplications) {
        if (!profile)
            continue;
        const Char* fullName = profile->GetFullName();
        if (fullName && std::wcscmp(fullName, name) == 0)
            return profile.get();
    }
    return nullptr;
}

bool CSettings::AddApplication(CApplicationSettings* profile) {
    if (!profile) {
        CLogger::LogMessage(L"CSettings::AddApplication: Ignoring a null profile.");
        return false;
    }
    m_lstApplications.emplace_back(profile);
    pw::settings::NoteProfileEdit();
    return true;
}

bool CSettings::RemoveApplication(CApplicationSettings* profile) {
    auto found = std::find_if(m_lstApplications.begin(), m_lstApplications.end(),
                              [profile](const auto& owned) { return owned.get() == profile; });
    if (!profile || found == m_lstApplications.end())
        return false;
    found->release();
    m_lstApplications.erase(found);
    pw::settings::NoteProfileEdit();
    return true;
}

void CSettings::ClearApplications() {
    // The caller has taken the profiles over; they must outlive the list.
    for (auto& profile : m_lstApplications)
        profile.release();
    m_lstApplications.clear();
    pw::settings::NoteProfileEdit();
}

void CSettings::DeleteApplications(bool recreate) {
    pw::settings::NoteProfileEdit();
    // The views point into the list, so they go first.
    m_vwApplications.clear();
    m_vwCustomApplications.clear();
    m_lstApplications.clear();
    m_pHotKeys.reset();
    m_pLayerModifierKeys.reset();
    if (!recreate)
        return;
    m_pHotKeys = std::make_unique<CHotKeys>();
    m_pLayerModifierKeys = std::make_unique<CLayerModifierKeys>();
}

void CSettings::SetDefaultApp(CApplicationSettings* profile) {
    if (profile == m_pDefaultApp.get())
        return;
    m_pDefaultApp.reset(profile);
    pw::settings::NoteProfileEdit();
}

bool CSettings::SetMaxLayers(int n) {
    if (n == m_options.MaxLayers)
        return false;
    m_options.MaxLayers = n;
    return true;
}

uint32_t CSettings::get_MouseJigglerTickTimeout() const {
    if (!m_options.MouseJiggler || m_options.MouseJigglerTimeout <= 0)
        return 0;
    constexpr uint32_t kMsPerMinute = 60000;
    constexpr uint32_t kLongestMinutes = std::numeric_limits<uint32_t>::max() / kMsPerMinute;
    auto minutes = static_cast<uint32_t>(m_options.MouseJigglerTimeout);
    return std::min(minutes, kLongestMinutes) * kMsPerMinute;
}
