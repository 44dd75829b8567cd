#include "hook/library.h"
#include "hook/settings_reload.h"
#include "platform/sim/simulated_desktop.h"
#include "settings/application_settings.h"
#include "support/logger.h"
#include "support/settings_files.h"
#include "support/thread_lock.h"
#include "windows/profile_matching.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using pw::sim::SimWindowSpec;

enum Target { Frame, ChildEdit, LoneEdit, Browser, Document300, Document256, Taskbar, kTargets };

// An enabled profile element; W: and W3: names make window profiles.
std::string Profile(const std::string& name, const std::string& attributes = "") {
    return "<Application Name=\"" + name + "\" Enabled=\"true\" " + attributes + "/>";
}
const std::string kRegex = "RegExMatching=\"true\"";

struct Case {
    const char* what;
    std::vector<std::string> profiles;
    Target target;
    const Char* process;
    POINT pt;
    const Char* expected; // the full name of the profile found
};

class ProfileMatchingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ClearPatterns();
        windows[Frame] = Window({.className = L"Notepad",
                                 .caption = L"notes.txt - Notepad",
                                 .rect = RECT{0, 0, 400, 400}});
        windows[ChildEdit] = Window({.className = L"Edit",
                                     .caption = L"",
                                     .rect = RECT{10, 10, 390, 390},
                                     .parent = windows[Frame]});
        windows[LoneEdit] =
            Window({.className = L"Edit", .caption = L"", .rect = RECT{500, 0, 700, 200}});
        windows[Browser] = Window({.className = L"MozillaWindowClass",
                                   .caption = L"Start page",
                                   .rect = RECT{800, 0, 1200, 400}});
        windows[Document300] = Window(
            {.className = L"Doc", .caption = String(300, L'x'), .rect = RECT{0, 500, 400, 900}});
        windows[Document256] = Window(
            {.className = L"Doc", .caption = String(256, L'y'), .rect = RECT{500, 500, 900, 900}});
        windows[Taskbar] = Window(
            {.className = L"MSTaskListWClass", .caption = L"", .rect = RECT{0, 1000, 1920, 1040}});
    }
    void TearDown() override {
        g_bQuadrantsUsed = false;
        g_strLastCaption.clear();
        ClearPatterns();
    }

    static void ClearPatterns() {
        CThreadLock lock(L"ProfileMatchingTest");
        pw::windows::ClearPatternCache();
    }

    HWND Window(SimWindowSpec spec) { return desktop.windows.Create(spec); }
    // Loads profiles from the settings folder, as the main program has the library do.
    void Load(const std::vector<std::string>& profiles) {
        std::string elements;
        for (const std::string& profile : profiles)
            elements += profile;
        ASSERT_TRUE(pw::test::StoreInSettingsFolder(
            desktop, pw::test::SettingsXml("<Applications>" + elements + "</Applications>")));
        UpdateSettings();
    }
    String Find(Target target, const Char* process, POINT pt, bool* overTaskbar = nullptr) {
        bool ignored = false;
        CApplicationSettings* found = pw::windows::FindProfile(
            windows[target], process, &pt, overTaskbar ? overTaskbar : &ignored);
        return found && found->GetFullName() ? found->GetFullName() : L"(none)";
    }

    pw::sim::SimulatedDesktop desktop;
    pw::hook::LibraryScope library;
    HWND windows[kTargets] = {};
};

TEST_F(ProfileMatchingTest, WindowProfilesThenApplicationProfilesThenTheDefault) {
    const POINT in{100, 100};
    const Case cases[] = {
        // Class, with and without an application.
        {"class in any process", {Profile("W:*;Edit")}, LoneEdit, L"calc.exe", in, L"W:*;Edit"},
        {"class ignores case", {Profile("W:*;EDIT")}, ChildEdit, L"notepad.exe", in, L"W:*;EDIT"},
        {"class of another process",
         {Profile("W:notepad.exe;Edit")},
         LoneEdit,
         L"calc.exe",
         in,
         L"Default"},
        {"class and process",
         {Profile("W:notepad.exe;Edit")},
         LoneEdit,
         L"NOTEPAD.EXE",
         in,
         L"W:notepad.exe;Edit"},
        {"disabled profile",
         {"<Application Name=\"W:*;Edit\" Enabled=\"false\"/>"},
         LoneEdit,
         L"calc.exe",
         in,
         L"Default"},
        {"first in list order",
         {Profile("W:*;Edit;Notepad"), Profile("W:*;Edit")},
         ChildEdit,
         L"notepad.exe",
         in,
         L"W:*;Edit;Notepad"},

        // Parent class and NoParent.
        {"parent class without a parent",
         {Profile("W:*;Edit;Notepad")},
         LoneEdit,
         L"calc.exe",
         in,
         L"Default"},
        {"NoParent passes a top-level window",
         {Profile("W:*;Edit;Notepad", "NoParent=\"true\"")},
         LoneEdit,
         L"calc.exe",
         in,
         L"W:*;Edit;Notepad"},
        {"NoParent still compares a parent",
         {Profile("W:*;Edit;Notepad", "NoParent=\"true\"")},
         ChildEdit,
         L"notepad.exe",
         in,
         L"W:*;Edit;Notepad"},
        {"pattern NoParent rejects a parent",
         {Profile("W:*;Edit", "NoParent=\"true\" " + kRegex)},
         ChildEdit,
         L"notepad.exe",
         in,
         L"Default"},
        {"pattern NoParent, top-level",
         {Profile("W:*;Edit", "NoParent=\"true\" " + kRegex)},
         LoneEdit,
         L"calc.exe",
         in,
         L"W:*;Edit"},
        {"pattern parent class searched in no parent",
         {Profile("W:*;Edit;Notepad", kRegex)},
         LoneEdit,
         L"calc.exe",
         in,
         L"Default"},

        // Captions: whole and case-insensitive, or a case-sensitive pattern.
        {"caption ignores case",
         {Profile("W3:NOTES.TXT - notepad \\;| * \\;| * \\;| *")},
         Frame,
         L"notepad.exe",
         in,
         L"W3:NOTES.TXT - notepad \\;| * \\;| * \\;| *"},
        {"caption is the whole text",
         {Profile("W3:notes.txt \\;| * \\;| * \\;| *")},
         Frame,
         L"notepad.exe",
         in,
         L"Default"},
        {"caption pattern found in part",
         {Profile("W3:^notes\\.txt \\;| * \\;| * \\;| *", kRegex)},
         Frame,
         L"notepad.exe",
         in,
         L"W3:^notes\\.txt \\;| * \\;| * \\;| *"},
        {"caption pattern keeps case",
         {Profile("W3:NOTES \\;| * \\;| * \\;| *", kRegex)},
         Frame,
         L"notepad.exe",
         in,
         L"Default"},
        {"settings program's captions are not read",
         {Profile("W3:notes.txt - Notepad \\;| * \\;| * \\;| *")},
         Frame,
         L"Pallawick.exe",
         in,
         L"Default"},
        {"300-character caption is not read",
         {Profile("W3:. \\;| * \\;| Doc \\;| *", kRegex)},
         Document300,
         L"word.exe",
         POINT{100, 600},
         L"Default"},
        {"256-character caption is read",
         {Profile("W3:. \\;| * \\;| Doc \\;| *", kRegex)},
         Document256,
         L"word.exe",
         POINT{600, 600},
         L"W3:. \\;| * \\;| Doc \\;| *"},

        // Class and application patterns; an invalid one is skipped.
        {"class pattern found in part",
         {Profile("W:*;Window", kRegex)},
         Browser,
         L"firefox.exe",
         in,
         L"W:*;Window"},
        {"simple class is the whole name",
         {Profile("W:*;Window")},
         Browser,
         L"firefox.exe",
         in,
         L"Default"},
        {"application pattern",
         {Profile("W:fire.*\\.exe;*", kRegex)},
         Browser,
         L"firefox.exe",
         in,
         L"W:fire.*\\.exe;*"},
        // The application pattern keeps its case, so escapes keep their meaning (\D is a
        // non-digit), and is matched without regard to case.
        {"application pattern keeps its escapes",
         {Profile("W:^\\D+\\.exe$;*", kRegex)},
         Browser,
         L"firefox.exe",
         in,
         L"W:^\\D+\\.exe$;*"},
        {"application pattern ignores case",
         {Profile("W:^FIREFOX\\.EXE$;*", kRegex)},
         Browser,
         L"Firefox.exe",
         in,
         L"W:^FIREFOX\\.EXE$;*"},
        {"invalid pattern",
         {Profile("W:*;Edit(", kRegex), Profile("W:*;Edit")},
         LoneEdit,
         L"calc.exe",
         in,
         L"W:*;Edit"},

        // Quarters of the 400 x 400 frame; the centre lines count as top and left.
        {"top right quarter",
         {Profile("W:notepad.exe;Notepad", "WindowMask=\"2\"")},
         Frame,
         L"notepad.exe",
         POINT{300, 100},
         L"W:notepad.exe;Notepad"},
        {"outside the quarter",
         {Profile("W:notepad.exe;Notepad", "WindowMask=\"2\"")},
         Frame,
         L"notepad.exe",
         POINT{100, 100},
         L"Default"},
        {"centre is top left",
         {Profile("W:notepad.exe;Notepad", "WindowMask=\"1\"")},
         Frame,
         L"notepad.exe",
         POINT{200, 200},
         L"W:notepad.exe;Notepad"},
        {"two quarters",
         {Profile("W:notepad.exe;Notepad", "WindowMask=\"9\"")},
         Frame,
         L"notepad.exe",
         POINT{300, 300},
         L"W:notepad.exe;Notepad"},
        {"mask 255 never matches",
         {Profile("W:notepad.exe;Notepad", "WindowMask=\"255\"")},
         Frame,
         L"notepad.exe",
         POINT{300, 300},
         L"Default"},

        // No process name, and application profiles without an application.
        {"no process, any application", {Profile("W:*;Edit")}, LoneEdit, nullptr, in, L"W:*;Edit"},
        {"no process, named application",
         {Profile("W:notepad.exe;Edit"), Profile("notepad.exe")},
         LoneEdit,
         nullptr,
         in,
         L"Default"},
        {"application profile by name",
         {Profile("Calc.exe"), Profile("W:*")},
         Browser,
         L"CALC.EXE",
         in,
         L"Calc.exe"},
        {"application profile without application",
         {Profile("Calc.exe"), Profile("W:*")},
         Browser,
         L"firefox.exe",
         in,
         L"W:*"},
        {"no process, profile without application",
         {Profile("Calc.exe"), Profile("W:*")},
         Browser,
         nullptr,
         in,
         L"W:*"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Load(c.profiles);
        EXPECT_EQ(Find(c.target, c.process, c.pt), String(c.expected));
    }
}

TEST_F(ProfileMatchingTest, WindowFactsAreReadOnlyForWindowProfiles) {
    // Without window profiles no class or caption is asked for.
    Load({Profile("notepad.exe")});
    const int classes = desktop.windows.ClassNameQueries();
    const int texts = desktop.windows.TextQueries();
    bool overTaskbar = true;
    EXPECT_EQ(Find(Taskbar, L"explorer.exe", POINT{10, 1010}, &overTaskbar), L"Default");
    EXPECT_FALSE(overTaskbar);
    EXPECT_EQ(desktop.windows.ClassNameQueries(), classes);
    EXPECT_EQ(desktop.windows.TextQueries(), texts);

    // With one, the taskbar is recognised, and the caption read is kept for the
    // mouse-over check; a caption too long to be one is kept as none.
    Load({Profile("W3:. \\;| * \\;| Doc \\;| *", kRegex)});
    EXPECT_EQ(Find(Taskbar, L"explorer.exe", POINT{10, 1010}, &overTaskbar), L"Default");
    EXPECT_TRUE(overTaskbar);
    Find(Document256, L"word.exe", POINT{600, 600});
    EXPECT_EQ(g_strLastCaption, String(256, L'y'));
    Find(Document300, L"word.exe", POINT{100, 600});
    EXPECT_EQ(g_strLastCaption, L"");
}

// A main program that copies one profile over another, through the profile's own
// assignment, changes which profile a process gets at once.
TEST_F(ProfileMatchingTest, AProfileCopiedOverAnotherChangesTheMatchAtOnce) {
    Load({Profile("viewer.exe"), Profile("calc.exe")});
    EXPECT_EQ(Find(Frame, L"viewer.exe", POINT{200, 200}), L"viewer.exe");
    {
        CThreadLock lock(L"ProfileMatchingTest");
        *g_pSettings->GetApplication(0) = *g_pSettings->GetApplication(1);
    }
    EXPECT_EQ(Find(Frame, L"viewer.exe", POINT{200, 200}), L"Default");
    EXPECT_EQ(Find(Frame, L"calc.exe", POINT{200, 200}), L"calc.exe");
}

} // namespace
