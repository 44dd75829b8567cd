// Profile import on arbitrary files, with the user's answers to "replace the existing
// profile?" scripted by the input. Whatever the file holds, the settings stay whole: the
// profile reported as imported last is one of them, and they save and load back with
// every profile.
//
// The first byte scripts up to four answers (two bits each: yes, no, cancel, or none
// left); the rest is the import file.

#include "fuzz_desktop.h"
#include "settings/application_settings.h"
#include "settings/settings.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

constexpr const Char* kImportFile = L"C:\\Fuzz\\Profiles.xml";
constexpr const Char* kSaved = L"C:\\Fuzz\\Imported.xml";

void AddProfile(CSettings& settings, const Char* name) {
    auto* profile = new CApplicationSettings(&settings, false);
    profile->SetApplication(name);
    profile->SetActions(mbLeft, 0, actUndo);
    settings.AddApplication(profile);
}

void ScriptAnswers(uint8_t script) {
    constexpr int kAnswers[] = {pw::platform::kIdYes, pw::platform::kIdNo, pw::platform::kIdCancel};
    for (int i = 0; i < 4; ++i, script >>= 2) {
        if ((script & 3) == 3)
            return;
        pw::fuzz::Desktop().dialogs.ScriptAnswer(kAnswers[script & 3]);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace pw::fuzz;
    if (size == 0)
        return 0;
    const std::string input(reinterpret_cast<const char*>(data) + 1, size - 1);
    pw::sim::SimulatedDesktop& desktop = Desktop();
    ForgetRecords();
    desktop.files.WriteFile(kImportFile, input);
    desktop.files.Remove(kSaved);
    ScriptAnswers(data[0]);

    CSettings settings;
    AddProfile(settings, L"a.exe");
    AddProfile(settings, L"W3:Title \\;| b.exe \\;| Cls");
    auto* sentinel = reinterpret_cast<CApplicationSettings*>(&settings);
    CApplicationSettings* last = sentinel;
    const int imported = settings.Import(kImportFile, nullptr, L"Replace", &last);
    if (imported < 0)
        Fail("a negative import count", input);
    if (last == sentinel)
        Fail("the last imported profile was not set", input);
    bool found = last == nullptr;
    for (int i = 0; i < settings.GetApplicationCount(); ++i) {
        if (!settings.GetApplication(i))
            Fail("a null profile in the list", input);
        found |= settings.GetApplication(i) == last;
    }
    if (!found)
        Fail("the last imported profile is not in the list", input);
    if (imported > 0 && !last)
        Fail("profiles were imported but none was reported", input);

    if (!settings.Save(kSaved))
        Fail("the settings did not save after an import", input);
    CSettings reloaded;
    bool regionChecking = false;
    if (!reloaded.Load(kSaved, regionChecking, false))
        Fail("the settings saved after an import did not load", input);
    if (reloaded.GetApplicationCount() != settings.GetApplicationCount())
        Fail("a profile was lost between saving and loading after an import", input);
    return 0;
}
