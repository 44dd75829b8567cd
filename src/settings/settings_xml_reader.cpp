// Loading the settings file into the settings object.

#include "settings/settings.h"

#include "settings/application_settings.h"
#include "settings/load_diagnostics.h"
#include "settings/profile_edits.h"
#include "settings/reg_key.h"
#include "settings/xml_file.h"
#include "settings/xml_values.h"
#include "support/logger.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>

using namespace pw::settings;

namespace {

constexpr const Char* kDesktopKey = L"Control Panel\\Desktop";
constexpr const Char* kHooksTimeoutValue = L"LowLevelHooksTimeout";
constexpr int kFewestLayersFound = 2;

int Flag(bool value) {
    return value ? 1 : 0;
}

// Reads the file and parses it in place (document refers to bytes from then on); false
// (with the reason logged) when there is nothing to load. An unrecognised tag still loads
// what came before it, unless the file ends there.
bool ParseSettingsFile(const Char* path, xml::FileBuffer& bytes, pugi::xml_document& document) {
    uint32_t error = 0;
    pugi::xml_parse_result result;
    std::optional<xml::TagStartAtEnd> cutOff;
    switch (xml::ReadWholeFile(path, bytes, error)) {
    case xml::ReadStatus::Ok:
        cutOff.emplace(bytes.View());
        result = xml::ParseInPlace(document, bytes, L"CSettings::Load", path);
        break;
    case xml::ReadStatus::NotFound:
        result.status = pugi::status_file_not_found;
        break;
    case xml::ReadStatus::TooLarge:
        CLogger::LogMessage(L"CSettings::Load: The settings file '%ls' is larger than %llu bytes.",
                            path, static_cast<unsigned long long>(xml::kMaxFileBytes));
        result.status = pugi::status_out_of_memory;
        break;
    case xml::ReadStatus::Failed:
        CLogger::LogMessage(L"CSettings::Load: Unable to read the settings file '%ls' (error %u).",
                            path, error);
        result.status = pugi::status_io_error;
        break;
    }
    if (result.status == pugi::status_ok)
        return true;
    CLogger::LogMessage(L"There is a problem with your XML Settings file: %ls",
                        xml::Describe(result).c_str());
    if (result.status != pugi::status_unrecognized_tag)
        return false;
    // A file cut off just after a '<' reads as an unrecognised tag; loading it would drop
    // every setting that came after the cut.
    if (cutOff && cutOff->For(result.encoding)) {
        CLogger::LogMessage(L"CSettings::Load: The settings file '%ls' ends in the middle of a "
                            L"tag; it was cut off and nothing was loaded.",
                            path);
        return false;
    }
    return true;
}

} // namespace

bool CSettings::Load(const Char* path, bool& regionChecking, bool logDetail) {
    return Load(path, regionChecking, logDetail, nullptr);
}

bool CSettings::Load(const Char* path, bool& regionChecking, bool logDetail,
                     LoadDiagnostics* diagnostics) {
    {
        CMyRegKey desktop(kDesktopKey, pw::platform::CurrentUserKey(), pw::platform::kKeyRead);
        unsigned long timeout = 0;
        if (!desktop.IsValid())
            CLogger::LogMessage(
                L"CSettings::Save: Unable to get the Windows hook timeout from the registry.");
        else if (desktop.GetValue(kHooksTimeoutValue, &timeout))
            m_options.HooksTimeout = static_cast<int>(timeout);
    }

    // The profiles this load replaces, and those it brings, are new to the matching.
    pw::settings::NoteProfileEdit();
    struct LoadEnd {
        ~LoadEnd() { pw::settings::NoteProfileEdit(); }
    } loadEnd;
    if (!path || !path[0]) {
        CLogger::LogMessage(L"CSettings::Load: No settings file was given.");
        return false;
    }

    try {
        xml::FileBuffer bytes; // outlives document, which is parsed from it in place
        pugi::xml_document document;
        if (!ParseSettingsFile(path, bytes, document))
            return false;
        pugi::xml_node root = document.child("root");
        if (!root) {
            CLogger::LogMessage(L"CSettings::Load: The settings file '%ls' has no 'root' element; "
                                L"nothing was loaded.",
                                path);
            return false;
        }

        DeleteApplications(true);
        m_options.HasCaptionProfiles = false;

        pugi::xml_node version = root.child("version");
        (void)version.attribute("build");
        (void)version.attribute("revision");
        (void)version.attribute("minor");
        (void)version.attribute("major");

        bool layersGiven = false;
        ReadOptions(root, layersGiven, diagnostics);
        ReadKeyTables(root, diagnostics);

        const int perKeyDelay = m_options.SimKeyDelay;
        int layersFound = kFewestLayersFound;
        if (pugi::xml_node defaultElement = root.child("Default")) {
            m_pDefaultApp = std::make_unique<CApplicationSettings>(this, true);
            int layersUsed = 0;
            m_pDefaultApp->LoadDefault(defaultElement, perKeyDelay, layersUsed, diagnostics);
            layersFound = std::max(layersFound, layersUsed);
        }

        if (pugi::xml_node applications = root.child("Applications")) {
            for (pugi::xml_node element = applications.child("Application"); element;
                 element = element.next_sibling("Application")) {
                auto profile = std::make_unique<CApplicationSettings>(this, false);
                int layersUsed = 0;
                if (!profile->Load(element, perKeyDelay, regionChecking, layersUsed, diagnostics))
                    continue;
                layersFound = std::max(layersFound, layersUsed);
                CApplicationSettings* loaded = profile.get();
                m_lstApplications.push_back(std::move(profile));
                if (loaded->IsCustomWindow()) {
                    m_vwCustomApplications.push_back(loaded);
                    const Char* caption = loaded->GetCaption();
                    if (caption && caption[0])
                        m_options.HasCaptionProfiles = true;
                } else {
                    m_vwApplications.push_back(loaded);
                }
            }
        }

        if (!layersGiven)
            m_options.MaxLayers = layersFound;
        LogLoadedSettings(logDetail);
        return true;
    } catch (...) {
        CLogger::LogMessage(
            L"CSettings::Load: An exception occurred while loading the XML settings file '%ls'",
            path);
    }
    return false;
}

void CSettings::LogLoadedSettings(bool logDetail) const {
    const Options& o = m_options;
    const int total = GetApplicationCount();
    const int normal = static_cast<int>(m_vwApplications.size());
    const int custom = static_cast<int>(m_vwCustomApplications.size());
    if (!logDetail || !CLogger::DebugEnabled()) {
        CLogger::LogMessage(
            L"Loaded %d application specific profiles (%d normal and %d custom window).", total,
            normal, custom);
        return;
    }
    CLogger::LogDebug(L"Loaded the following settings:");
    CLogger::LogDebug(L"  OfficeMouse: %d, RazorMoouse: %d, ScrollUnder: %d, ScrollLockBypass: %d, "
                      L"ScrollLockBypassDisabled: %d, Swap4and5: %d",
                      Flag(o.OfficeMouse), Flag(o.RazorMouse), Flag(o.ScrollWindowUnderCursor),
                      Flag(o.ScrollLockBypass), Flag(o.ScrollLockBypassDisabled),
                      Flag(o.Swap4and5));
    CLogger::LogDebug(L"  Swap4and5inRDP: %d, DisableInRDP: %d, ShowTrayIcon: %d, "
                      L"DisableReinstallOnResume: %d, Notifications: %d (Layer %d), "
                      L"MovementToScrollCursor: %d",
                      Flag(o.Swap4and5inRDP), Flag(o.DisableInRDP), Flag(o.ShowTrayIcon),
                      Flag(o.DisableReinstallOnResume), Flag(o.Notifications),
                      Flag(o.NotificationsLayer), Flag(o.MovementToScrollCursor));
    CLogger::LogDebug(L"  ResetStickyOnAnyButton: %d, ResetStickyOnAnyKey: %d, "
                      L"ResetStickyOnLayerChange: %d, GlobalHotkeys: %d, LayerModifierKeys: %d, "
                      L"ProcessNonClientMsgs: %d",
                      Flag(o.ResetStickyOnAnyButton), Flag(o.ResetStickyOnAnyKey),
                      Flag(o.ResetStickyOnLayerChange), Flag(o.GlobalHotkeysEnabled),
                      Flag(o.LayerModifierKeysEnabled), Flag(o.ProcessNonClientMsgs));
    CLogger::LogDebug(L"  IgnoreNumlock: %d, LeftClickCycleLayers: %d, FixTiltRepeat: %d, "
                      L"InitialTiltDelay: %d, RepeatTiltDelay: %d",
                      Flag(o.IgnoreNumlock), Flag(o.LeftClickCycleLayers), Flag(o.FixTiltRepeat),
                      o.InitialTiltDelay, o.RepeatTiltDelay);
    CLogger::LogDebug(L"  CheckVersion: %d, CheckVersionDays: %d, CheckBetaVersion: %d, "
                      L"MouseOver: %d, ActivateScroll: %d",
                      Flag(o.CheckVersion), o.CheckVersionDays, Flag(o.CheckBetaVersion),
                      Flag(o.SwitchOnMouseOver), Flag(o.ActivateOnScroll));
    CLogger::LogDebug(L"  ActivateOver: %d, FixVS2010: %d, CPUPriority: %d, SimKeyDelay: %d, "
                      L"No. Layers: %d",
                      Flag(o.ActivateOnMouseOver), Flag(o.FixVS2010), o.CPUPriority, o.SimKeyDelay,
                      o.MaxLayers);
    CLogger::LogDebug(L"  EnableOSD: %d, AlwaysShowOSD: %d, LoadUSEnglish: %d, DebounceButtons: "
                      L"%d, DebounceFromUp: %d, DebounceTime: %d",
                      Flag(o.EnableOSD), Flag(o.AlwaysShowOSD), Flag(o.LoadUSEnglish),
                      Flag(o.EnableDebounce), Flag(o.DebounceFromUp), o.DebounceTime);
    CLogger::LogDebug(L"  MouseJiggler: %d, MouseJigglerTimeout: %d, SortActionsAplhabetically: %d",
                      Flag(o.MouseJiggler), o.MouseJigglerTimeout,
                      Flag(o.SortActionsAlphabetically));
    CLogger::LogDebug(L"  SearchURL: '%ls'", o.SearchURL.c_str());
    CLogger::LogDebug(L"  LanguageFile: '%ls'", o.LanguageFile.OrEmpty());
    CLogger::LogDebug(
        L"  There are %d application specific profiles (%d normal and %d custom window).", total,
        normal, custom);
}
