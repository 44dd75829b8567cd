// The settings loader on arbitrary files. Loading never changes the file it reads, and a
// file that loads saves to a fixed point: saving, loading that save and saving again
// gives the same bytes.

#include "fuzz_desktop.h"
#include "settings/settings.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

constexpr const Char* kInput = L"C:\\Fuzz\\VESKSettings.xml";
constexpr const Char* kFirstSave = L"C:\\Fuzz\\first.xml";
constexpr const Char* kSecondSave = L"C:\\Fuzz\\second.xml";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace pw::fuzz;
    const std::string input(reinterpret_cast<const char*>(data), size);
    pw::sim::SimulatedDesktop& desktop = Desktop();
    ForgetRecords();
    desktop.files.WriteFile(kInput, input);
    // Save keeps what it does not know of the file it replaces, so each save starts afresh.
    desktop.files.Remove(kFirstSave);
    desktop.files.Remove(kSecondSave);

    CSettings settings;
    bool regionChecking = false;
    const bool loaded = settings.Load(kInput, regionChecking, true);
    if (FileBytes(kInput) != input)
        Fail("loading changed the settings file", input);
    if (!loaded)
        return 0;
    if (!settings.Save(kFirstSave))
        Fail("a loaded file did not save", input);

    CSettings reloaded;
    if (!reloaded.Load(kFirstSave, regionChecking, false))
        Fail("a saved file did not load", input);
    if (!reloaded.Save(kSecondSave))
        Fail("a reloaded file did not save", input);
    if (FileBytes(kFirstSave) != FileBytes(kSecondSave))
        Fail("saving a reloaded file gave other bytes", input);
    return 0;
}
