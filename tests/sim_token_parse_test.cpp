#include "hook/library.h"
#include "input/sim_key_token.h"
#include "input/sim_mouse_token.h"
#include "input/sim_parse_diagnostics.h"
#include "input/sim_token.h"
#include "input/sim_token_list.h"
#include "platform/sim/simulated_desktop.h"
#include "platform/sim/us_keyboard_layout.h"
#include "support/logger.h"
#include "support/sim_token_recorder.h"

#include <gtest/gtest.h>

namespace {

using pw::input::SimParseEnvironment;

constexpr int kVkCapital = 0x14;

class SimTokenParse : public ::testing::Test {
  protected:
    // The text of the tokens parsed from keys; "FAIL" when the parse failed.
    std::string Parse(const Char* keys, int baseHold = 0) {
        SimTokenList tokens;
        if (!CSimToken::Parse(tokens, keys, POINT{5, 6}, baseHold, environment))
            return "FAIL";
        return pw::test::DumpTokens(tokens);
    }
    bool Logged(StringView text) { return desktop.diagnostics.DebugOutputContains(text); }

    pw::sim::SimulatedDesktop desktop;
    pw::hook::LibraryScope library;
    SimParseEnvironment environment;
};

struct ParseCase {
    const Char* keys;
    const char* tokens;
};

TEST_F(SimTokenParse, TableOfKeyStrings) {
    const ParseCase cases[] = {
        {L"", ""},
        {L"abc", "k41/1e k42/30 k43/2e"},
        {L"ABC", "k41/1e k42/30 k43/2e"},
        // The OEM scan's shift state becomes a modifier.
        {L"!", "k131/2m1"},
        {L"}", "k1dd/1bm1"},
        {L"\u00e9", "k0/e9u"},
        {L"{CTRL}c", "k43/2em2"},
        {L"{CTRL}{SHIFT}{ESCAPE}", "k1bm3"},
        {L"{RSHIFT}{RCTRL}{RALT}{LWIN}{RWIN}{APPS}x", "k58/2dm1f8"},
        {L"{CTRL}", "k0m2"},
        {L"{CTRL}{PRESS}", "k0m2p1"},
        {L"{CTRL}{RELEASE}", "k0m2p2"},
        {L"{PRESS}{CTRL}c", "k43/2em2"},
        {L"{CTRL}{WAIT}c", "wait250 k43/2em2"},
        {L"{CTRL}{CLEAR}c", "k43/2e"},
        {L"{PRESS}{LMB}x", "mouse0.0p1 k58/2d"},
        {L"{PRESSED}a{RELEASED}b", "k41/1ep1 k42/30p2"},
        {L"{HOLD:2}a", "k41/1eh2000"},
        {L"{HOLD}{HOLDMS:50}ab", "k41/1eh300 k42/30"},
        {L"{HOLDMS}a", "k41/1e"},
        {L"{WAIT}{WAIT:0}{WAITMS:0}{WAITMS}{WAIT:3}", "wait250 wait250 wait0 wait0 wait3000"},
        {L"{WAIT: 2}{WAIT <2>}{WAIT:<2>}{wait2}{WAITMS75}",
         "wait2000 wait250 wait2000 wait2000 wait75"},
        {L"{NUM:7}{NUM/}{NUM*}{NUM:<.>}{NUMe}{NUMR}", "k67 k6fx k6a k6e kdx kdx"},
        {L"{F12}{f:12}{F:<12>}{F1}{F24}", "k7b k7b k7b k70 k87"},
        {L"{mxset:100}{MXSET:100}{MXADD:-15}{MyAdd:3}", "cur2:100 cur1:100 cur4:-15 cur8:3"},
        {L"{PRESS}{MXADD:1}", "cur4:1p1"},
        {L"{LAYER:3}{LAYER:LAST}", "layer2<0 layer0<2"},
        {L"{layer:last}{LAYER:10}", "layer0<0 layer9<0"},
        {L"{ENTER}{RETURN}{BACKSPACE}{TAB}{SPACE}{PRTSCN}{PAUSE}", "kd kd k8 k9 k20 k2c k13"},
        {L"{INSERT}{DELAY}{Home}{end}{PGUP}{PAGEDOWN}", "k2dx k2ex k24x k23x k21x k22x"},
        {L"{LEFT}{RIGHT}{UP}{DOWN}{BREAK}", "k25x k27x k26x k28x k3x"},
        {L"{SHIFT}{CTRLBREAK}", "k3xm7"},
        {L"{VOL+}{VOL-}{MUTE}", "kafx kaex kadx"},
        {L"{BACK}{FORWARD}{STOP}{REFRESH}{SEARCH}{FAVORITES}{WEBHOME}",
         "ka6x ka7x ka9x ka8x kaax kabx kacx"},
        {L"{NUMLOCK}{SCROLLLOCK}{CAPSLOCK}", "k90 k91 k14"},
        {L"{BRI+}{BRIGHTNESS-}", "bri1 bri2"},
        {L"{CTRL}{LMB}{RMBD}{XMB2U}{MB4}", "mouse0.0m2 mouse1.1 mouse4.2 mouse3.0"},
        {L"{MWUP}{MWDOWN}{TILTL}{TILTRIGHT}", "mouse7.0! mouse8.0! mouse5.0! mouse6.0!"},
        {L"{VKC:65}{EXT:45}{VKC}", "k41 k2dx k0"},
        // Unclosed tags run to the end.
        {L"{CTRL", "k0m2"},
        {L"a{ENTER", "k41/1e kd"},
        // A doubled brace is a literal "{"; the second one then opens a tag.
        {L"{{}", "k0/7bu"},
        {L"{{ENTER}", "k0/7bu kd"},
        {L"{CTRL}{{}x", "k0/7bum2 k58/2dm2"},
        // A 25-character name is complete without its "}", which is then typed.
        {L"{WAITMS:00000000000000005}", "wait5"},
        {L"{WAITMS:000000000000000005}", "wait5 k1dd/1bm1"},
        {L"{ABCDEFGHIJKLMNOPQRSTUVWXYZ12}", "k5a/2c k31/2 k32/3 k1dd/1bm1"},
    };
    for (const ParseCase& c : cases)
        EXPECT_EQ(Parse(c.keys), c.tokens) << pw::ToUtf8(c.keys);
}

TEST_F(SimTokenParse, HoldStartsAtTheBaseAndPendingStateEndsWithEachToken) {
    EXPECT_EQ(Parse(L"{HOLD:2}ab", 20), "k41/1eh2020 k42/30h20");
    EXPECT_EQ(Parse(L"{CTRL}{HOLDMS:5}{WAIT}a", 20), "wait250 k41/1em2h20");
    // Mouse keeps the modifiers and hold; wait, layer and brightness carry none.
    EXPECT_EQ(Parse(L"{ALT}{HOLDMS:7}{LMB}", 0), "mouse0.0m4h7");
    EXPECT_EQ(Parse(L"{ALT}{LAYER:2}", 0), "layer1<0 k0m4");
    EXPECT_EQ(Parse(L"{ALT}{LAYER:2}{BRI+}", 0), "layer1<0 bri1");
}

TEST_F(SimTokenParse, LockTagsDependOnTheLiveLockState) {
    desktop.systemInfo.SetKeyState(kVkCapital, 1);
    EXPECT_EQ(Parse(L"{CAPSLOCKON}"), "");
    EXPECT_EQ(Parse(L"{CTRL}{CAPSLOCKON}a"), "k41/1e");
    EXPECT_EQ(Parse(L"{CAPSLOCKOFF}"), "k14!");
    desktop.systemInfo.SetKeyState(kVkCapital, 0);
    EXPECT_EQ(Parse(L"{CAPSLOCKON}{CAPSLOCKOFF}"), "k14!");
    EXPECT_EQ(Parse(L"{NUMLOCKON}{SCROLLLOCKON}{NUMLOCKOFF}"), "k90! k91!");
}

TEST_F(SimTokenParse, LayersStartFromTheEnvironment) {
    environment.currentLayer = 4;
    environment.savedLayer = 1;
    EXPECT_EQ(Parse(L"{LAYER:LAST}{LAYER:LAST}"), "layer1<4 layer4<1");
    EXPECT_EQ(Parse(L"{LAYER:1}{LAYER:LAST}"), "layer0<4 layer4<0");
}

TEST_F(SimTokenParse, BadInputIsLoggedAndSkipped) {
    struct BadCase {
        const Char* keys;
        const char* tokens;
        const Char* logged;
    };
    const BadCase cases[] = {
        {L"{BOGUS}a", "k41/1e", L"SendKeyStateWhileDown: Invalid/unknown special key tag {BOGUS}"},
        {L"{}", "", L"SendKeyStateWhileDown: Invalid/unknown special key tag {}"},
        {L"{{", "k0/7bu", L"SendKeyStateWhileDown: Invalid/unknown special key tag {}"},
        {L"{ABCDEFGHIJKLMNOPQRSTUVWXYZ}", "k5a/2c k1dd/1bm1",
         L"unknown special key tag {ABCDEFGHIJKLMNOPQRSTUVWXY}"},
        {L"{LAYER:0}{LAYER:11}{LAYER}", "", L"SendKeyStateWhileDown: Layer 11 out of range"},
        {L"{LAYER:-2147483648}", "", L"SendKeyStateWhileDown: Layer -2147483648 out of range"},
        {L"{VKC:300}{EXT:-1}{F:200}x", "k58/2d", L"SendKeyStateWhileDown: Invalid virtual key 311"},
        {L"{WAIT:99999999999}", "wait3600000", L"Time out of range in {WAIT:99999999999}"},
        {L"{WAIT:-5}{WAITMS:-1}", "wait0 wait0", L"Time out of range in {WAITMS:-1}"},
        {L"{HOLDMS:-100}a", "k41/1e", L"Time out of range in {HOLDMS:-100}"},
        {L"{HOLD:3000000}{HOLD:3000000}a", "k41/1eh3600000",
         L"Time out of range in {HOLD:3000000}"},
    };
    for (const BadCase& c : cases) {
        desktop.diagnostics.ClearDebugLines();
        EXPECT_EQ(Parse(c.keys), c.tokens) << pw::ToUtf8(c.keys);
        EXPECT_TRUE(Logged(c.logged)) << pw::ToUtf8(c.keys);
    }
}

TEST_F(SimTokenParse, InvalidKeypadKeyFailsTheWholeParse) {
    for (const Char* keys : {L"{NUM:x}", L"{NUM}", L"ab{NUM:}", L"{NUMLOCKX}"})
        EXPECT_EQ(Parse(keys), "FAIL") << pw::ToUtf8(keys);
    // Tokens parsed before the failure stay for the caller to discard.
    SimTokenList tokens;
    EXPECT_FALSE(CSimToken::Parse(tokens, L"ab{NUM:q}c", POINT{}, 0, environment));
    EXPECT_EQ(pw::test::DumpTokens(tokens), "k41/1e k42/30");
}

TEST_F(SimTokenParse, NullTextFailsAndTokensAreAppended) {
    SimTokenList tokens;
    EXPECT_FALSE(CSimToken::Parse(tokens, nullptr, POINT{}, 0, environment));
    EXPECT_TRUE(Logged(L"SendKeyStateWhileDown called with an invalid key sequence string!"));
    EXPECT_TRUE(CSimToken::Parse(tokens, L"a", POINT{}, 0, environment));
    EXPECT_TRUE(CSimToken::Parse(tokens, L"{LMB}", POINT{7, -8}, 0, environment));
    EXPECT_EQ(pw::test::DumpTokens(tokens), "k41/1e mouse0.0");
    EXPECT_EQ(static_cast<CSimMouseToken*>(tokens[1].get())->m_pt.y, -8);
}

TEST_F(SimTokenParse, LongTextsParseWhole) {
    String keys;
    for (int i = 0; i < 20000; ++i)
        keys += L"{CTRL}a";
    keys += L"{";
    SimTokenList tokens;
    EXPECT_TRUE(CSimToken::Parse(tokens, keys.c_str(), POINT{}, 0, environment));
    // The last "{" opens an empty tag at the end.
    EXPECT_EQ(tokens.size(), 20000u);
}

// A layout where "a" is on the Q key, as in French, while the English layout is US.
class AzertyLikeLayout final : public pw::platform::KeyboardLayout {
  public:
    int16_t VkKeyScan(Char c) override { return c == L'a' ? 0x51 : us.VkKeyScan(c); }
    int16_t VkKeyScanEx(Char c, pw::platform::KeyboardLayoutHandle layout) override {
        return layout == kEnglish ? us.VkKeyScan(c) : VkKeyScan(c);
    }
    uint32_t OemKeyScan(uint16_t c) override { return c == L'a' ? 0x10 : us.OemKeyScan(c); }
    unsigned MapVirtualKeyEx(unsigned code, unsigned type,
                             pw::platform::KeyboardLayoutHandle layout) override {
        return us.MapVirtualKeyEx(code, type, layout);
    }
    int8_t CharToOem(Char c) override { return us.CharToOem(c); }
    pw::platform::KeyboardLayoutHandle CurrentLayout() override { return nullptr; }

    static inline const auto kEnglish = reinterpret_cast<pw::platform::KeyboardLayoutHandle>(1);
    pw::platform::UsKeyboardLayout us;
};

TEST_F(SimTokenParse, PlainCharactersPreferTheEnglishLayout) {
    AzertyLikeLayout layout;
    environment.keyboard = &layout;
    EXPECT_EQ(Parse(L"a"), "k51/10");
    environment.englishLayout = AzertyLikeLayout::kEnglish;
    EXPECT_EQ(Parse(L"a"), "k41/1e");
    // A shifted character has no scan for its whole key value: the OEM scan is used.
    EXPECT_EQ(Parse(L"!"), "k131/2m1");
}

TEST_F(SimTokenParse, CharactersWithoutKeysGetASecondScan) {
    CLogger::EnableDebug(true);
    EXPECT_EQ(Parse(L"{CTRL}\u00e9"), "k-1/ffffffffum2");
    EXPECT_TRUE(Logged(L"still got invalid virtual key -1. Try VkKeyScan"));
    CLogger::EnableDebug(false);
}

// Records each tag the parse reports as "problem@position:name".
class KeyNoteRecorder final : public pw::input::SimParseDiagnostics {
  public:
    void KeyStringProblem(const pw::input::KeyNote& note) override {
        static const char* const kNames[] = {"unknown", "unclosed", "long", "keypad",
                                             "key",     "layer",    "time"};
        if (!notes.empty())
            notes += " ";
        notes += std::string(kNames[static_cast<int>(note.problem)]) + "@" +
                 std::to_string(note.position) + ":" + pw::ToUtf8(note.name);
    }
    std::string notes;
};

TEST_F(SimTokenParse, DiagnosticsNameEachBadTagWithItsPositionAndChangeNoToken) {
    const struct {
        const Char* keys;
        const char* notes;
    } cases[] = {
        {L"{CTRL}{BOGUS}a", "unknown@6:BOGUS"},
        {L"{{}x", "unknown@1:"},
        {L"ab{ENTER", "unclosed@2:ENTER"},
        {L"{ABCDEFGHIJKLMNOPQRSTUVWXYZ}",
         "long@0:ABCDEFGHIJKLMNOPQRSTUVWXY unknown@0:ABCDEFGHIJKLMNOPQRSTUVWXY"},
        {L"{VKC:300}{F:200}", "key@0:VKC:300 key@9:F:200"},
        {L"{LAYER:11}{LAYER:0}", "layer@0:LAYER:11 layer@10:LAYER:0"},
        {L"{WAITMS:-5}{HOLD:4000}a", "time@0:WAITMS:-5 time@11:HOLD:4000"},
        {L"x{NUM:q}", "keypad@1:NUM:q"},
        // Well-formed strings tell nothing.
        {L"{CTRL}{SHIFT}{ESC}{{{ENTER}{WAIT:2}{LAYER:LAST}{NUM:7}{F12}", "unknown@13:ESC"},
        {L"{CTRL}{SHIFT}{ESCAPE}{{{ENTER}{WAIT:2}{LAYER:LAST}{NUM:7}{F12}", ""},
    };
    for (const auto& c : cases) {
        const std::string plain = Parse(c.keys);
        KeyNoteRecorder recorder;
        environment.diagnostics = &recorder;
        EXPECT_EQ(Parse(c.keys), plain) << pw::ToUtf8(c.keys);
        environment.diagnostics = nullptr;
        EXPECT_EQ(recorder.notes, c.notes) << pw::ToUtf8(c.keys);
    }
}

} // namespace
