// Exporting application profiles to a separate file and importing them back, asking
// before a profile of the same name is replaced.

#include "settings/settings.h"

#include "platform/platform.h"
#include "settings/application_settings.h"
#include "settings/profile_edits.h"
#include "settings/xml_file.h"
#include "settings/xml_values.h"
#include "support/logger.h"

#include <pugixml.hpp>

#include <algorithm>
#include <memory>

using namespace pw::settings;

namespace {

constexpr const Char* kDialogCaption = L"Pallawick";
constexpr int kShortNameCapacity = 1024;

// Reads and parses an import file; false with the reason logged when it cannot be used.
bool ParseImportFile(const Char* path, pugi::xml_document& document) {
    std::string bytes;
    uint32_t error = 0;
    pugi::xml_parse_result result;
    switch (xml::ReadWholeFile(path, bytes, error)) {
    case xml::ReadStatus::Ok:
        result = xml::ParseBuffer(document, bytes, L"CSettings::Import", path);
        break;
    case xml::ReadStatus::NotFound:
        result.status = pugi::status_file_not_found;
        break;
    case xml::ReadStatus::TooLarge:
        result.status = pugi::status_out_of_memory;
        break;
    case xml::ReadStatus::Failed:
        result.status = pugi::status_io_error;
        break;
    }
    if (result)
        return true;
    CLogger::LogMessage(L"CSettings::Import: There is a problem with the import XML file: %ls",
                        xml::Describe(result).c_str());
    return false;
}

} // namespace

bool CSettings::Export(CApplicationSettings* profile, const Char* path) {
    if (!path || !path[0]) {
        CLogger::LogMessage(L"Export: No file was given.");
        return false;
    }
    try {
        pugi::xml_document document;
        pugi::xml_node root = document.append_child("root");
        xml::WriteVersion(root);
        pugi::xml_node applications = root.append_child("Applications");
        if (profile) {
            profile->Save(applications);
        } else {
            for (const auto& owned : m_lstApplications) {
                if (owned)
                    owned->Save(applications);
            }
        }
        return xml::WriteFileAtomically(path, xml::SaveToString(document, false), L"Export");
    } catch (...) {
        CLogger::LogMessage(L"Export: Error parsing XML file '%ls'.", path);
    }
    return false;
}

int CSettings::Import(const Char* path, HWND owner, const Char* prompt,
                      CApplicationSettings** lastImported) {
    if (lastImported)
        *lastImported = nullptr;
    int imported = 0;
    try {
        pugi::xml_document document;
        if (!path || !ParseImportFile(path, document))
            return 0;
        pugi::xml_node applications = document.child("root").child("Applications");
        if (!applications) {
            CLogger::LogMessage(L"Attempted to import invalid VESK settings import file.");
            return 0;
        }

        for (pugi::xml_node element = applications.child("Application"); element;
             element = element.next_sibling("Application")) {
            auto profile = std::make_unique<CApplicationSettings>(this, false);
            bool regionChecking = false;
            int layersUsed = 0;
            if (!profile->Load(element, m_options.SimKeyDelay, regionChecking, layersUsed))
                continue;
            if (layersUsed > MaxLayers())
                CLogger::LogMessage(L"Warning: There are more than %d layers defined in the "
                                    L"imported profile. Consider increasing the number of layers "
                                    L"or editing the profile.",
                                    layersUsed);

            CApplicationSettings* existing = GetApplication(profile->GetFullName());
            if (!existing) {
                CApplicationSettings* added = profile.release();
                AddApplication(added);
                if (lastImported)
                    *lastImported = added;
                ++imported;
                continue;
            }

            Char shortName[kShortNameCapacity] = {};
            if (existing->GetShortName(shortName, kShortNameCapacity) != 0)
                shortName[0] = 0;
            String question = String(prompt ? prompt : L"") + L":\n'" + shortName + L"'";
            int answer = pw::platform::GetDialogs().MessageBox(
                owner, question.c_str(), kDialogCaption,
                pw::platform::kMbYesNoCancel | pw::platform::kMbIconQuestion);
            if (answer == pw::platform::kIdNo)
                continue;
            if (answer != pw::platform::kIdYes)
                return imported; // Cancel (or a box that could not be shown) stops the import
            CApplicationSettings* replacement = profile.release();
            ReplaceApplication(existing, replacement);
            if (lastImported)
                *lastImported = replacement;
            ++imported;
        }
    } catch (...) {
        CLogger::LogMessage(L"CSettings::Import: An exception occurred while importing '%ls'.",
                            path ? path : L"");
        return imported;
    }

    if (imported > 0)
        CLogger::LogMessage(L"%d application profile were imported from VESK settings import file.",
                            imported);
    else
        CLogger::LogMessage(
            L"No application profile were imported from VESK settings import file.");
    return imported;
}

void CSettings::ReplaceApplication(CApplicationSettings* existing,
                                   CApplicationSettings* replacement) {
    pw::settings::NoteProfileEdit();
    auto found = std::find_if(m_lstApplications.begin(), m_lstApplications.end(),
                              [existing](const auto& owned) { return owned.get() == existing; });
    if (found == m_lstApplications.end()) {
        m_lstApplications.emplace_back(replacement);
        return;
    }
    // The views point into the list: the profile about to be deleted leaves them first.
    for (ProfileView* view : {&m_vwApplications, &m_vwCustomApplications})
        view->erase(std::remove(view->begin(), view->end(), existing), view->end());
    found->reset(replacement);
}
