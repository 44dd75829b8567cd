// The caches of the profile lookup, driven through the mouse hook: the process names kept
// per window and the application profiles found by name. Each must answer as a fresh
// lookup would after a process id is reused, a window goes or the settings are reloaded.

#include "hook/library.h"
#include "hook/mouse_hook.h"
#include "hook/settings_reload_api.h"
#include "platform/sim/simulated_desktop.h"
#include "runtime/registered_messages.h"
#include "runtime/runtime_state.h"
#include "settings/application_settings.h"
#include "settings/settings.h"
#include "support/action_recorder.h"
#include "support/logger.h"
#include "support/settings_files.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr unsigned kLButtonDown = 0x201;
constexpr unsigned kLButtonUp = 0x202;
constexpr unsigned long kFirstPid = 100;
constexpr unsigned long kSecondPid = 200;
constexpr POINT kLeft{100, 100};
constexpr POINT kRight{700, 100};

class ProfileLookupCacheTest : public ::testing::Test {
  protected:
    void SetUp() override {
        pw::runtime::RegisterMessages();
        g_hMouseHook = reinterpret_cast<HHOOK>(uintptr_t{0x5150});
        AddProcess(kFirstPid, L"C:\\Apps\\viewer.exe");
        AddProcess(kSecondPid, L"C:\\Apps\\calc.exe");
        left = desktop.windows.CreateTopLevel(L"Frame", RECT{0, 0, 500, 500}, kFirstPid);
        right = desktop.windows.CreateTopLevel(L"Frame", RECT{600, 0, 1100, 500}, kSecondPid);
    }
    void TearDown() override { pw::hook::ResetLibraryState(); }

    void AddProcess(unsigned long pid, const Char* path) {
        pw::sim::SimProcess process;
        process.processId = pid;
        process.imagePath = path;
        desktop.processes.Add(process);
    }
    // Stores the profiles and has the library reload them, as the main program does.
    void Reload(const std::string& profiles) {
        ASSERT_TRUE(pw::test::StoreInSettingsFolder(
            desktop, pw::test::SettingsXml("<SwitchOnMouseOver Enable=\"false\"/><Applications>" +
                                           profiles + "</Applications>")));
        UpdateSettings();
    }
    static std::string Profile(const std::string& name, const std::string& description,
                               bool enabled = true) {
        return "<Application Name=\"" + name + "\" Description=\"" + description + "\" Enabled=\"" +
               (enabled ? "true" : "false") + "\"/>";
    }
    // Brings the window at pt to the front and clicks there; the description of the
    // profile the click was carried out in ("default" for the default profile).
    std::string ClickIn(POINT pt) {
        desktop.windows.SetForeground(pt.x < 500 ? left : right);
        for (unsigned message : {kLButtonDown, kLButtonUp}) {
            MSLLHOOKSTRUCT record{pt, 0, 0, ++time, 0};
            pw::MouseHookLLProc(0, message, reinterpret_cast<LPARAM>(&record));
        }
        const CApplicationSettings* source = recorder.Last().source;
        if (!source)
            return "none";
        if (source->IsDefault())
            return "default";
        return pw::ToUtf8(source->GetDescription() ? source->GetDescription() : L"");
    }

    pw::sim::SimulatedDesktop desktop;
    pw::hook::LibraryScope library;
    pw::test::ActionRecorder recorder;
    HWND left = nullptr;
    HWND right = nullptr;
    DWORD time = 0;
};

TEST_F(ProfileLookupCacheTest, ProcessesAreOpenedOnceUntilTheirWindowGoesAndTheIdIsReused) {
    Reload(Profile("viewer.exe", "viewer") + Profile("editor.exe", "editor"));
    EXPECT_EQ(ClickIn(kLeft), "viewer");
    EXPECT_EQ(ClickIn(kRight), "default");
    const int opened = desktop.processes.OpenCount();
    // Going back and forth opens neither process again.
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(ClickIn(kLeft), "viewer");
        EXPECT_EQ(ClickIn(kRight), "default");
    }
    EXPECT_EQ(desktop.processes.OpenCount(), opened);

    // The viewer quits and its id goes to the editor, whose window opens where it was.
    desktop.windows.Destroy(left);
    desktop.processes.Remove(kFirstPid);
    AddProcess(kFirstPid, L"C:\\Apps\\editor.exe");
    left = desktop.windows.CreateTopLevel(L"Frame", RECT{0, 0, 500, 500}, kFirstPid);
    EXPECT_EQ(ClickIn(kLeft), "editor");
    EXPECT_EQ(ClickIn(kRight), "default");
    EXPECT_EQ(ClickIn(kLeft), "editor");

    // A reload forgets the names: the next click asks the system again.
    Reload(Profile("viewer.exe", "viewer") + Profile("editor.exe", "editor"));
    const int beforeReload = desktop.processes.OpenCount();
    EXPECT_EQ(ClickIn(kRight), "default");
    EXPECT_EQ(ClickIn(kLeft), "editor");
    EXPECT_EQ(desktop.processes.OpenCount(), beforeReload + 2);
}

TEST_F(ProfileLookupCacheTest, TheProfileByNameFollowsTheListOrderAndEveryReload) {
    // The first enabled profile of the name wins; the case of the name does not matter.
    Reload(Profile("VIEWER.EXE", "off", false) + Profile("Viewer.exe", "first") +
           Profile("viewer.exe", "second"));
    EXPECT_EQ(ClickIn(kLeft), "first");

    // After a reload the same window gets the new list's answer.
    Reload(Profile("viewer.exe", "renamed") + Profile("calc.exe", "calc"));
    EXPECT_EQ(ClickIn(kRight), "calc");
    EXPECT_EQ(ClickIn(kLeft), "renamed");
    Reload(Profile("viewer.exe", "disabled now", false) + Profile("calc.exe", "calc"));
    EXPECT_EQ(ClickIn(kRight), "calc");
    EXPECT_EQ(ClickIn(kLeft), "default");
    // Two thousand profiles answer as the list does.
    std::string many;
    for (int i = 0; i < 2000; ++i)
        many += Profile("program" + std::to_string(i) + ".exe", "p" + std::to_string(i));
    Reload(many + Profile("viewer.exe", "last"));
    EXPECT_EQ(ClickIn(kRight), "default");
    EXPECT_EQ(ClickIn(kLeft), "last");
}

} // namespace
