#include "actions/saved_clipboard.h"
#include "hook/flag_functions.h"
#include "hook/hook_control.h"
#include "hook/library.h"
#include "hook/settings_reload.h"
#include "input/send_input.h"
#include "platform/sim/simulated_desktop.h"
#include "runtime/registered_messages.h"
#include "runtime/runtime_state.h"
#include "scenario.h"
#include "settings/settings.h"
#include "support/logger.h"
#include "support/replay_run.h"
#include "support/settings_files.h"
#include "support/thread_lock.h"
#include "support/wait_until.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

using pw::platform::WmiStep;
using pw::test::LineOf;
using pw::test::ReplayRun;
using pw::test::SettingsXml;
using pw::test::WaitUntil;

// The simulated desktop a replay runs on: installed as the current platform while the
// run lives, so that a test can script what the scenario language does not reach.
pw::sim::SimulatedDesktop& ReplayDesktop() {
    return static_cast<pw::sim::SimulatedDesktop&>(pw::platform::Current());
}

bool Has(const std::string& line, const std::string& part) {
    return line.find(part) != std::string::npos;
}

String ClipboardText() {
    return ReplayDesktop().clipboard.Text().value_or(L"<no text>");
}

bool Logged(StringView text) {
    return ReplayDesktop().diagnostics.DebugOutputContains(text);
}

constexpr const char* kEditor = R"(
window pad process=notepad.exe class=Notepad caption="notes.txt" rect=0,0,900,1000
foreground pad
move 300 300
)";

// XLeft searches the web for the selection.
std::string SearchSettings(const std::string& url) {
    return SettingsXml("<Search url=\"" + url + "\"/><Default><XLeft action=\"127\"/></Default>");
}

std::string Search(ReplayRun& run, const std::string& before) {
    return LineOf(run.Play(before + "\ndown XLeft\nup XLeft\n"), "up XLeft");
}

TEST(WebSearch, CopiesTheSelectionOpensTheSearchAndPutsTheClipboardBack) {
    ReplayRun run(SearchSettings("https://search.example/?q="));
    run.Play(kEditor);

    // The copy goes through the send-input queue; the search target is quoted whole.
    std::string line = Search(run, "clipboard \"user text\"\nselect \"pallawick hook\"");
    EXPECT_TRUE(Has(line, R"("opened":["\"https://search.example/?q=pallawick hook\""])")) << line;
    EXPECT_TRUE(Has(line, R"({"type":"key","vk":67,"up":false})")) << line;
    EXPECT_TRUE(Has(line, R"("clipboard":"user text")")) << line;
    EXPECT_EQ(ClipboardText(), L"user text");
    EXPECT_FALSE(ReplayDesktop().clipboard.IsOpen());
    for (int control : {0x11, 0xA2, 0xA3})
        EXPECT_EQ(ReplayDesktop().input.AsyncKeyState(control), 0) << control;

    // Nothing selected: the clipboard keeps its text, which is searched for.
    line = Search(run, "select");
    EXPECT_TRUE(Has(line, R"("opened":["\"https://search.example/?q=user text\""])")) << line;

    // An empty clipboard and nothing selected: nothing to search for, nothing opened.
    line = Search(run, "clipboard");
    EXPECT_FALSE(Has(line, "opened")) << line;
    EXPECT_TRUE(Logged(L"SearchThread: The clipboard holds no text; nothing to search for."));

    // A selection over 1023 characters is not searched; the user's text comes back.
    line = Search(run, "clipboard \"kept\"\nselect \"" + std::string(1024, 'x') + "\"");
    EXPECT_FALSE(Has(line, "opened")) << line;
    EXPECT_TRUE(Logged(L"more than 1023; no search is made."));
    EXPECT_EQ(ClipboardText(), L"kept");
    line = Search(run, "select \"" + std::string(1023, 'y') + "\"");
    EXPECT_TRUE(Has(line, "opened")) << line;
}

TEST(WebSearch, NeverLosesTheUsersClipboard) {
    ReplayRun run(SearchSettings("https://search.example/?q="));
    run.Play(kEditor);
    pw::sim::SimClipboard& clipboard = ReplayDesktop().clipboard;

    // A picture on the clipboard: the selection is searched and the picture put back.
    const std::vector<pw::platform::ClipboardFormat> picture = {{8, {1, 2, 3, 4}, {}}};
    clipboard.SetContent(picture);
    std::string line = Search(run, "select \"word\"");
    EXPECT_TRUE(Has(line, "q=word")) << line;
    ASSERT_EQ(clipboard.Content().size(), 1u);
    EXPECT_EQ(clipboard.Content()[0].format, 8u);
    EXPECT_EQ(clipboard.Content()[0].bytes, picture[0].bytes);

    // Held open by another program: no copy keys, no search, the clipboard untouched.
    clipboard.SetText(L"mine");
    clipboard.SetHeldByAnotherProgram(true);
    const uint32_t sequence = clipboard.SequenceNumber();
    line = Search(run, "select \"other\"");
    EXPECT_FALSE(Has(line, "opened")) << line;
    EXPECT_FALSE(Has(line, "\"vk\":67")) << line;
    EXPECT_EQ(clipboard.SequenceNumber(), sequence);
    EXPECT_TRUE(Logged(L"SearchThread: Unable to open the clipboard to save it"));
    clipboard.SetHeldByAnotherProgram(false);
}

TEST(WebSearch, KeepsOnlyTheFormatsThatCanLiveOnAndAtMostTheLimit) {
    ReplayRun run(SearchSettings("https://search.example/?q="));
    run.Play(kEditor);
    pw::sim::SimClipboard& clipboard = ReplayDesktop().clipboard;
    using Format = pw::platform::ClipboardFormat;
    const Format text{13, pw::platform::TextBlock(L"mine"), L""};
    const Format html{0xC001, {'<', 'b', '>'}, L"HTML Format"};
    const Format picture{8, std::vector<uint8_t>(1024, 7), L""};
    // Past the limit beside the others: the picture before it is kept, the text always.
    const Format huge{0xC004, std::vector<uint8_t>(pw::actions::kSavedClipboardLimit, 1), L"PNG"};
    clipboard.SetContent({{0xC002, {1}, L"DataObject"},
                          {0xC003, {2}, L"Ole Private Data"},
                          text,
                          {0x200, {3}, L""},
                          {0x3FF, {4}, L""},
                          picture,
                          html,
                          huge,
                          {1, {'m', 0}, L""}});
    const std::string line = Search(run, "select \"word\"");
    EXPECT_TRUE(Has(line, "q=word")) << line;
    EXPECT_TRUE(Has(line, R"("clipboard":"mine")")) << line;

    std::vector<unsigned> kept;
    for (const Format& format : clipboard.Content())
        kept.push_back(format.format);
    EXPECT_EQ(kept, (std::vector<unsigned>{13, 8, 0xC001}));
    EXPECT_EQ(clipboard.Content()[2].bytes, html.bytes);
    // The formats left out were never asked for, so no program had to render them.
    for (unsigned format : clipboard.FormatsRead())
        EXPECT_TRUE(format == 13 || format == 8 || format == 0xC001 || format == 0xC004) << format;
    EXPECT_TRUE(Logged(L"Clipboard format 49156 'PNG' of 16777216 bytes is not kept"));
}

TEST(WebSearch, BadSearchUrls) {
    {
        // A file cannot empty the URL; the main program can, through the settings object.
        ReplayRun run(SearchSettings("https://search.example/?q="));
        {
            CThreadLock lock(L"AuxiliaryWorkersTest");
            g_pSettings->put_SearchURL(L"");
        }
        run.Play(kEditor);
        const std::string line = Search(run, "clipboard \"mine\"\nselect \"word\"");
        EXPECT_FALSE(Has(line, "opened")) << line;
        EXPECT_FALSE(Has(line, "\"vk\":67")) << line;
        EXPECT_TRUE(Logged(L"SearchThread: No Search URL defined!"));
    }
    {
        // Quotes cannot stand inside the quoted target; blanks can.
        ReplayRun run(SearchSettings("https://search.example/a b?q=&quot;"));
        run.Play(kEditor);
        const std::string line = Search(run, "select \"say \\\"hi\\\"\"");
        EXPECT_TRUE(Has(line, R"("opened":["\"https://search.example/a b?q=say hi\""])")) << line;
        EXPECT_TRUE(Logged(L"SearchThread: Double quotes were left out of the search target."));
    }
}

// XLeft and XRight are Brightness Up and Down; Middle types both brightness tags.
constexpr const char* kBrightnessSettings =
    "<Default><XLeft action=\"92\"/><XRight action=\"93\"/>"
    "<Middle action=\"28\" keys=\"{BRI+}{BRI+}{BRI-}\" keyaction=\"0\"/></Default>";

class BrightnessTest : public ::testing::Test {
  protected:
    void SetUp() override {
        run.Play(kEditor);
        pw::sim::SimWindowSpec spec;
        spec.className = L"BrightnessOSD";
        osd = ReplayDesktop().windows.Create(spec);
        SetHookBrightnessOSDWindow(osd);
    }
    void TearDown() override { SetHookBrightnessOSDWindow(nullptr); }

    // The levels posted to the display since the last call (0x10000: failed), as the
    // replay's lines report them.
    std::vector<LPARAM> OsdPosts() {
        const std::string prefix =
            "{\"window\":\"" + Hex(reinterpret_cast<uintptr_t>(osd)) + "\",\"message\":\"" +
            Hex(pw::runtime::Messages().osdShowWindow) + "\",\"wParam\":\"0x1\",\"lParam\":\"";
        std::vector<LPARAM> posts;
        for (size_t at = output.find(prefix); at != std::string::npos;
             at = output.find(prefix, at + 1))
            posts.push_back(
                static_cast<LPARAM>(std::stoul(output.substr(at + prefix.size()), nullptr, 16)));
        output.clear();
        return posts;
    }
    static std::string Hex(uintptr_t value) {
        char text[24];
        std::snprintf(text, sizeof text, "0x%X", static_cast<unsigned>(value));
        return text;
    }
    std::vector<std::string> Play(const std::string& lines) {
        std::vector<std::string> played = run.Play(lines);
        for (const std::string& line : played)
            output += line + '\n';
        return played;
    }
    std::string Press(const std::string& button) {
        return LineOf(Play("down " + button + "\nup " + button + "\n"), "down " + button);
    }

    ReplayRun run{SettingsXml(kBrightnessSettings)};
    HWND osd = nullptr;
    std::string output;
};

TEST_F(BrightnessTest, StepsByTenWithinTheRangeAndTellsTheDisplay) {
    pw::sim::SimMonitorBrightness& monitor = ReplayDesktop().brightness;
    OsdPosts();
    run.Play("brightness 95");
    EXPECT_TRUE(Has(Press("XLeft"), "\"brightness\":100"));
    EXPECT_TRUE(Has(Press("XLeft"), "\"brightness\":100"));
    run.Play("brightness 5");
    EXPECT_TRUE(Has(Press("XRight"), "\"brightness\":0"));
    EXPECT_EQ(OsdPosts(), (std::vector<LPARAM>{100, 100, 0}));

    // The tags step the same way, in order.
    run.Play("brightness 40");
    Press("Middle");
    EXPECT_EQ(monitor.Level(), 50);
    EXPECT_EQ(OsdPosts(), (std::vector<LPARAM>{50, 60, 50}));
}

TEST_F(BrightnessTest, EveryFailingStepIsLoggedAndShownAsAFailure) {
    pw::sim::SimMonitorBrightness& monitor = ReplayDesktop().brightness;
    run.Play("brightness 30");
    OsdPosts();
    const std::vector<std::pair<WmiStep, StringView>> reads = {
        {WmiStep::CreateLocator, L"Brightness: Failed to create CLSID_WbemLocator"},
        {WmiStep::Connect, L"Brightness: Failed to connect to WMI server"},
        {WmiStep::SetProxyBlanket, L"Brightness: Failed to set proxy blanket"},
        {WmiStep::ExecQuery, L"Brightness: Failed to execute WMI query"},
        {WmiStep::NoInstance, L"Brightness: Failed to find a monitor with brightness control"},
        {WmiStep::GetValue, L"Brightness: Failed to get value of CurrentBrightness"},
    };
    for (const auto& [step, text] : reads) {
        monitor.FailReadAt(step);
        Press("XLeft");
        EXPECT_TRUE(Logged(text)) << pw::ToUtf8(text);
        EXPECT_EQ(OsdPosts(), std::vector<LPARAM>{0x10000}) << pw::ToUtf8(text);
    }
    monitor.FailReadAt(WmiStep::None);
    EXPECT_EQ(monitor.Writes(), 0);

    const std::vector<std::pair<WmiStep, StringView>> writes = {
        {WmiStep::GetMethod, L"Brightness: Failed to get method WmiSetBrightness"},
        {WmiStep::SpawnArguments,
         L"Brightness: Failed to create the arguments of WmiSetBrightness"},
        {WmiStep::PutTimeout, L"Brightness: Failed to set argument Timeout"},
        {WmiStep::PutBrightness, L"Brightness: Failed to set argument Brightness"},
        {WmiStep::ExecMethod, L"Brightness: Failed to execute method WmiSetBrightness"},
    };
    for (const auto& [step, text] : writes) {
        monitor.FailWriteAt(step);
        Press("XRight");
        EXPECT_TRUE(Logged(text)) << pw::ToUtf8(text);
        EXPECT_EQ(OsdPosts(), std::vector<LPARAM>{20 + 0x10000}) << pw::ToUtf8(text);
    }
    EXPECT_TRUE(Logged(L"Brightness: Failed to set brightness to 20"));
    EXPECT_EQ(monitor.Level(), 30);
}

// The library's own threads over settings in its settings folder, with the mouse hook
// the hook thread installed.
class HookedDesktopTest : public ::testing::Test {
  protected:
    void SetUp() override {
        pw::runtime::RegisterMessages();
        CLogger::EnableDebug(true);
        desktop.clock.SetTickCount(500000);
    }
    void TearDown() override {
        RemoveMouseHook(false);
        CLogger::EnableDebug(false);
    }
    void Hook(const std::string& body) {
        ASSERT_TRUE(pw::test::StoreInSettingsFolder(desktop, SettingsXml(body)));
        ASSERT_TRUE(SetMouseHook());
        ASSERT_TRUE(WaitUntil([&] { return MouseProc() != nullptr; }));
        UpdateSettings();
    }
    pw::platform::Hooks::Proc MouseProc() const {
        for (const auto& hook : desktop.hooks.InstalledHooks())
            if (hook.kind == pw::platform::Hooks::Kind::MouseLowLevel)
                return hook.proc;
        return nullptr;
    }
    void Move(long x, long y, DWORD flags = 0, uintptr_t extra = 0) {
        MSLLHOOKSTRUCT record{POINT{x, y}, 0, flags, desktop.clock.TickCount(), extra};
        MouseProc()(0, pw::platform::kWmMouseMove, reinterpret_cast<LPARAM>(&record));
    }
    static pw::runtime::TimerId JigglerTimer() {
        CThreadLock lock(L"AuxiliaryWorkersTest");
        return g_uJigglerTimer;
    }
    // The (0, 0) movements injected so far, each fed back through the hook as the system
    // would.
    size_t Jiggles() {
        size_t count = 0;
        for (const pw::platform::InputRecord& record : desktop.input.Injected()) {
            if (record.type != pw::platform::InputType::Mouse ||
                record.mouse.flags != pw::platform::kMouseEventMove)
                continue;
            ++count;
            EXPECT_EQ(record.mouse.dx, 0);
            EXPECT_EQ(record.mouse.dy, 0);
        }
        for (const pw::platform::InputRecord& record : desktop.input.TakePending())
            if (record.type == pw::platform::InputType::Mouse)
                Move(0, 0, pw::platform::kLlmhfInjected, record.mouse.extraInfo);
        return count;
    }
    // Advances by one check and waits for the sender to have played what it queued.
    size_t JigglesAfterCheck() {
        desktop.timers.AdvanceAndFire(10000);
        WaitUntil([] {
            CThreadLock lock(L"AuxiliaryWorkersTest");
            return !g_pSendInput || g_pSendInput->Idle();
        });
        return Jiggles();
    }

    pw::sim::SimulatedDesktop desktop;
    pw::hook::LibraryScope library;
};

TEST_F(HookedDesktopTest, JigglerKeepsTheSessionAwakeUntilTheLimitAndResumesOnInput) {
    Hook("<InactivityTimer Disable=\"true\" Timeout=\"1\"/>");
    ASSERT_TRUE(WaitUntil([] { return JigglerTimer() != 0; }));

    // Recent input: one movement per check. The movements themselves are not activity.
    Move(100, 100);
    EXPECT_EQ(JigglesAfterCheck(), 1u);
    EXPECT_EQ(JigglesAfterCheck(), 2u);
    EXPECT_TRUE(desktop.diagnostics.DebugOutputContains(
        L"JigglerTimerProc: Jiggling the mouse... (simulating activity)"));
    for (int i = 0; i < 4; ++i)
        JigglesAfterCheck();
    EXPECT_EQ(Jiggles(), 6u);

    // Past the minute without real input it stops, and stays stopped.
    EXPECT_EQ(JigglesAfterCheck(), 6u);
    EXPECT_TRUE(desktop.diagnostics.DebugOutputContains(
        L"JigglerTimerProc: No activity for some time. Re-enabling inactivity timer."));
    EXPECT_EQ(JigglesAfterCheck(), 6u);

    // A real movement starts it again.
    Move(120, 100);
    EXPECT_EQ(JigglesAfterCheck(), 7u);
}

TEST_F(HookedDesktopTest, JigglerDoesNotStartWhenOffOrWithoutALimit) {
    for (const char* body : {"<InactivityTimer Disable=\"false\" Timeout=\"1\"/>",
                             "<InactivityTimer Disable=\"true\" Timeout=\"0\"/>"}) {
        Hook(body);
        Move(100, 100);
        EXPECT_EQ(JigglerTimer(), 0u) << body;
        EXPECT_EQ(JigglesAfterCheck(), 0u) << body;
        RemoveMouseHook(false);
    }
    EXPECT_TRUE(desktop.diagnostics.DebugOutputContains(
        L"HookDLL: Inactivity timeout of 0 minutes; the mouse jiggler does not run."));
}

void RecordSendSas(int asUser);
int g_sendSasCalls = 0;
int g_sendSasArgument = -1;
void RecordSendSas(int asUser) {
    ++g_sendSasCalls;
    g_sendSasArgument = asUser;
}

TEST_F(HookedDesktopTest, SecureAttentionIsEnabledWhereTheLibraryExistsAndNeverStopsTheStart) {
    // Without "SAS.dll" the hook thread starts all the same and says why.
    Hook("");
    EXPECT_TRUE(desktop.diagnostics.DebugOutputContains(L"SAS.DLL in not available"));
    EXPECT_TRUE(desktop.diagnostics.DebugOutputContains(
        L"Unable to enable secure attention sequence (SAS)"));
    RemoveMouseHook(false);

    g_sendSasCalls = 0;
    desktop.libraries.AddExport(L"sas.dll", "SendSAS", reinterpret_cast<void*>(&RecordSendSas));
    desktop.diagnostics.ClearDebugLines();
    Hook("");
    EXPECT_EQ(g_sendSasCalls, 1);
    EXPECT_EQ(g_sendSasArgument, 1);
    EXPECT_EQ(desktop.libraries.LoadedCount(), 0);
    EXPECT_TRUE(desktop.diagnostics.DebugOutputContains(L"Called SendSAS"));
    EXPECT_FALSE(desktop.diagnostics.DebugOutputContains(L"Unable to enable secure attention"));
    RemoveMouseHook(false);

    // A compatibility layer's stand-in is loaded and freed, but its SendSAS never called.
    desktop.libraries.SetStandIn(L"SAS.dll", true);
    Hook("");
    EXPECT_EQ(g_sendSasCalls, 1);
    EXPECT_EQ(desktop.libraries.LoadedCount(), 0);
    EXPECT_TRUE(desktop.diagnostics.DebugOutputContains(L"SendSAS is not called."));
}

TEST_F(HookedDesktopTest, BrightnessObjectLivesWithTheHookThreadAndOwnsItsComInitialisation) {
    // The display window given before the hook thread runs is not remembered.
    pw::sim::SimWindowSpec spec;
    spec.className = L"BrightnessOSD";
    HWND osd = desktop.windows.Create(spec);
    SetHookBrightnessOSDWindow(osd);
    Hook("");
    EXPECT_EQ(desktop.brightness.ComUsers(), 1);
    {
        CThreadLock lock(L"AuxiliaryWorkersTest");
        EXPECT_EQ(g_hBrightnessOSDWindow, nullptr);
    }
    RemoveMouseHook(false);
    EXPECT_EQ(desktop.brightness.ComUsers(), 0);

    // COM refused: logged, and the hook thread still starts.
    desktop.brightness.SetComResult(static_cast<int32_t>(0x80004005));
    Hook("");
    EXPECT_TRUE(desktop.diagnostics.DebugOutputContains(L"Brightness: Unable to initialise COM"));
    EXPECT_EQ(desktop.brightness.ComUsers(), 0);
}

TEST(ReplayScenario, ClipboardSelectionAndBrightnessLines) {
    auto parse = [](const std::string& text, pw::replay::ScenarioError& error) {
        std::istringstream in(text);
        return pw::replay::ParseScenario(in, error);
    };
    pw::replay::ScenarioError error;
    auto steps = parse("clipboard \"a b\"\nclipboard\nselect \"\"\nbrightness 0\n", error);
    ASSERT_TRUE(steps);
    ASSERT_EQ(steps->size(), 4u);
    EXPECT_EQ((*steps)[0].content, std::optional<std::string>("a b"));
    EXPECT_FALSE((*steps)[1].content);
    EXPECT_EQ((*steps)[2].content, std::optional<std::string>(""));
    EXPECT_EQ((*steps)[3].level, 0);
    for (const char* bad :
         {"clipboard a b", "select \"x", "brightness 101", "brightness", "brightness -1"}) {
        EXPECT_FALSE(parse(bad, error)) << bad;
        EXPECT_EQ(error.line, 1) << bad;
    }
}

} // namespace
