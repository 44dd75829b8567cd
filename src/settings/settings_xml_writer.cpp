// Saving the settings object to the settings file. A save edits the existing document in
// place, so elements and attributes this version does not know survive; the file is
// replaced in one step, so a failed save leaves the previous file whole.

#include "settings/settings.h"

#include "platform/platform.h"
#include "settings/application_settings.h"
#include "settings/reg_key.h"
#include "settings/xml_file.h"
#include "settings/xml_text_writer.h"
#include "settings/xml_values.h"
#include "support/logger.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>

using namespace pw::settings;

namespace {

constexpr const Char* kDesktopKey = L"Control Panel\\Desktop";
constexpr const Char* kHooksTimeoutValue = L"LowLevelHooksTimeout";
constexpr const Char* kOperation = L"CSettings::Save";

void UpdateHooksTimeout(int hooksTimeout) {
    CMyRegKey desktop(kDesktopKey, pw::platform::CurrentUserKey(), pw::platform::kKeyAllAccess);
    unsigned long current = 0;
    bool ok = desktop.IsValid() && desktop.GetValue(kHooksTimeoutValue, &current);
    if (ok && current != static_cast<unsigned long>(hooksTimeout)) {
        CLogger::LogMessage(L"Updating Windows hook timeout: %d", hooksTimeout);
        ok = desktop.SetValue(kHooksTimeoutValue, static_cast<unsigned long>(hooksTimeout));
    }
    if (!ok)
        CLogger::LogMessage(
            L"CSettings::Save: Unable to set the Windows hook timeout from the registry.");
}

// Whether the document's top level holds anything but the one "root" element, so that
// adding to it would make a file that no reader accepts.
bool HasForeignTopLevel(const pugi::xml_document& document) {
    for (pugi::xml_node child = document.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_element && std::strcmp(child.name(), "root") != 0)
            return true;
    }
    return false;
}

enum class Existing { None, Parsed, Damaged, Unreadable };

// Loads the file at path into document, which parses bytes in place and so must not
// outlive them. A damaged file leaves whatever could be parsed.
Existing ReadExisting(const Char* path, pugi::xml_document& document, xml::FileBuffer& bytes) {
    uint32_t error = 0;
    switch (xml::ReadWholeFile(path, bytes, error)) {
    case xml::ReadStatus::NotFound:
        CLogger::LogMessage(
            L"There is no existing settings file. Attempting to creating a new one.");
        return Existing::None;
    case xml::ReadStatus::TooLarge:
    case xml::ReadStatus::Failed:
        CLogger::LogMessage(L"CSettings::Save: Unable to read the existing settings file '%ls' "
                            L"(error %u); it was left as it is.",
                            path, error);
        return Existing::Unreadable;
    case xml::ReadStatus::Ok:
        break;
    }
    pugi::xml_parse_result result = xml::ParseInPlace(document, bytes, kOperation, path);
    if (!result) {
        CLogger::LogMessage(L"There is a problem with your existing XML Settings file '%ls': %ls",
                            path, xml::Describe(result).c_str());
        return Existing::Damaged;
    }
    if (HasForeignTopLevel(document)) {
        CLogger::LogMessage(L"CSettings::Save: The existing settings file '%ls' is not a settings "
                            L"file; starting a new one.",
                            path);
        document.reset();
        return Existing::Damaged;
    }
    return Existing::Parsed;
}

// Damaged originals kept beside the settings file: path.bad is the newest, path.bad.1 to
// path.bad.4 the older ones.
constexpr int kDamagedCopies = 5;

String DamagedCopyName(const Char* path, int age) {
    String name = String(path) + L".bad";
    if (age > 0)
        name += L"." + std::to_wstring(age);
    return name;
}

// Moves each kept copy one place older, dropping the oldest; false when one could not be
// moved, so that the newest copy must not be overwritten.
bool AgeDamagedCopies(const Char* path) {
    auto& files = pw::platform::GetFileSystem();
    for (int age = kDamagedCopies - 1; age > 0; --age) {
        String newer = DamagedCopyName(path, age - 1);
        if (!files.Exists(newer.c_str()))
            continue;
        String older = DamagedCopyName(path, age);
        if (!files.Replace(newer.c_str(), older.c_str())) {
            CLogger::LogMessage(L"CSettings::Save: Unable to move the damaged settings file copy "
                                L"'%ls' to '%ls'.",
                                newer.c_str(), older.c_str());
            return false;
        }
    }
    return true;
}

// Keeps the damaged original beside path before it is replaced, so that a save never
// loses what the user had; earlier copies are kept too, up to five, oldest dropped. The
// file is read again, as the parse rewrote the bytes read before.
bool KeepDamagedCopy(const Char* path) {
    std::string bytes;
    uint32_t error = 0;
    const xml::ReadStatus status = xml::ReadWholeFile(path, bytes, error);
    if (status == xml::ReadStatus::NotFound || (status == xml::ReadStatus::Ok && bytes.empty()))
        return true; // nothing to lose
    String copy = DamagedCopyName(path, 0);
    if (status != xml::ReadStatus::Ok) {
        CLogger::LogMessage(L"CSettings::Save: Unable to read the damaged settings file '%ls' "
                            L"again (error %u); it was left as it is.",
                            path, error);
        return false;
    }
    if (!AgeDamagedCopies(path) || !xml::WriteFileAtomically(copy.c_str(), bytes, kOperation)) {
        CLogger::LogMessage(L"CSettings::Save: Unable to keep a copy of the damaged settings file "
                            L"'%ls'; it was left as it is.",
                            path);
        return false;
    }
    CLogger::LogMessage(L"CSettings::Save: Kept a copy of the damaged settings file as '%ls'.",
                        copy.c_str());
    return true;
}

// Stands where the profiles go in the document's text while it is saved.
constexpr const char* kProfilesPlaceholder = "pallawick-profiles";

// The document's text with the profiles written by writeProfiles(text, depth) as the
// children of applications, a child of root. The profiles are written straight to text in
// the place the document's save leaves for them, as the same nodes would be saved: tens of
// thousands of document nodes would cost more to build and save than the parse of the
// whole file. Should the placeholder's text turn up anywhere else (CDATA or a processing
// instruction of the user's), the profiles go through the document instead.
template <typename WriteProfiles>
std::string SaveWithProfiles(pugi::xml_document& document, pugi::xml_node applications,
                             size_t expectedSize, WriteProfiles writeProfiles) {
    constexpr unsigned kProfileDepth = 2; // root, Applications, Application
    pugi::xml_node placeholder = applications.append_child(pugi::node_pi);
    placeholder.set_name(kProfilesPlaceholder);
    const std::string skeleton = xml::SaveToString(document, true);
    const std::string marker = std::string("\n\t\t<?") + kProfilesPlaceholder + "?>";
    const size_t at = skeleton.find(marker);
    if (at != std::string::npos && skeleton.find(marker, at + 1) == std::string::npos) {
        std::string text;
        text.reserve(expectedSize);
        text.append(skeleton, 0, at);
        writeProfiles(text, kProfileDepth);
        text.append(skeleton, at + marker.size());
        return text;
    }
    applications.remove_child(placeholder);
    std::string profiles;
    writeProfiles(profiles, 0);
    if (!applications.append_buffer(profiles.data(), profiles.size(), pugi::parse_default,
                                    pugi::encoding_utf8))
        throw std::runtime_error("the profiles' text did not parse");
    return xml::SaveToString(document, true, expectedSize);
}

} // namespace

bool CSettings::Save(const Char* path) {
    UpdateHooksTimeout(m_options.HooksTimeout);
    if (!path || !path[0]) {
        CLogger::LogMessage(L"CSettings::Save: No settings file was given.");
        return false;
    }

    bool saved = false;
    try {
        xml::FileBuffer existing; // outlives the document, which points into it
        pugi::xml_document document;
        switch (ReadExisting(path, document, existing)) {
        case Existing::Unreadable:
            return false;
        case Existing::Damaged:
            if (!KeepDamagedCopy(path))
                return false;
            break;
        case Existing::None:
        case Existing::Parsed:
            break;
        }
        // The new text is about as long as the old one.
        const size_t expectedSize = existing.Size() + existing.Size() / 8;

        pugi::xml_node root = xml::ChildOrAppend(document, "root");
        xml::WriteVersion(root);
        WriteOptions(root);

        pugi::xml_node defaultElement = xml::ChildOrAppend(root, "Default");
        if (m_pDefaultApp)
            m_pDefaultApp->SaveDefault(defaultElement);

        root.remove_child("Applications");
        pugi::xml_node applications = root.append_child("Applications");

        WriteKeyTables(root);
        root.remove_child("FixScrollWindows");
        root.remove_child("ScrollWindows");

        std::string bytes;
        auto writeProfiles = [this](std::string& text, unsigned depth) {
            xml::XmlTextWriter writer(text, depth);
            for (const auto& profile : m_lstApplications) {
                if (profile)
                    profile->SaveAsText(writer);
            }
        };
        const bool anyProfile = std::any_of(m_lstApplications.begin(), m_lstApplications.end(),
                                            [](const auto& profile) { return profile != nullptr; });
        if (!anyProfile)
            bytes = xml::SaveToString(document, true, expectedSize);
        else
            bytes = SaveWithProfiles(document, applications, expectedSize, writeProfiles);
        saved = xml::WriteFileAtomically(path, bytes, kOperation);
        if (saved)
            ApplyPointerSettings();
    } catch (...) {
        CLogger::LogMessage(L"CSettings::Save: Unable to save XML Settings file '%ls'.", path);
    }
    return saved;
}

void CSettings::ApplyPointerSettings() const {
    using pw::platform::SystemParameters;
    SystemParameters& system = pw::platform::GetSystemParameters();
    constexpr unsigned kUpdateFlags =
        SystemParameters::kUpdateIniFile | SystemParameters::kSendChange;
    if (!system.SetMouseSpeed(m_options.MouseSpeed, kUpdateFlags))
        CLogger::LogMessage(L"CSettings::Save: The system did not take the pointer speed %d.",
                            m_options.MouseSpeed);
    pw::platform::MouseAcceleration acceleration;
    if (m_options.EnhancePointerPrecision)
        acceleration = {6, 10, 1};
    int result = system.SetMouseAcceleration(acceleration, kUpdateFlags) ? 1 : 0;
    CLogger::LogDebug(L"Result of SystemParametersInfo(SPI_SETMOUSESPEED) = %d\n", result);
}
