#include "hook/library.h"
#include "input/sim_token.h"
#include "input/sim_token_list.h"
#include "platform/sim/simulated_desktop.h"
#include "support/sim_token_recorder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

class SimTokenPlay : public ::testing::Test {
  protected:
    SimTokenPlay() { context = recorder.Context(); }

    SimTokenList ParseOrFail(const Char* keys) {
        SimTokenList tokens;
        EXPECT_TRUE(CSimToken::Parse(tokens, keys, POINT{}, 0, environment)) << pw::ToUtf8(keys);
        return tokens;
    }
    // Plays keys whole in mode; the calls made.
    std::string Whole(const Char* keys, int mode = 0) {
        for (auto& token : ParseOrFail(keys))
            mouseEvents += token->Execute(context, mode);
        return recorder.Take();
    }
    // Plays keys by phase, forward at the press and (parsed again) backward at the release.
    std::string Phase(const Char* keys, bool isUp) {
        SimTokenList tokens = ParseOrFail(keys);
        if (!isUp) {
            for (auto& token : tokens)
                mouseEvents += token->ExecutePhase(context, false);
        } else {
            for (auto it = tokens.rbegin(); it != tokens.rend(); ++it)
                mouseEvents += (*it)->ExecutePhase(context, true);
        }
        return recorder.Take();
    }

    pw::sim::SimulatedDesktop desktop;
    pw::hook::LibraryScope library;
    pw::input::SimParseEnvironment environment;
    pw::test::TokenRecorder recorder;
    pw::input::SimTokenContext context;
    int mouseEvents = 0;
};

struct PlayCase {
    const Char* keys;
    const char* whole; // Execute, mode 0
    const char* down;  // ExecutePhase at the press
    const char* up;    // ExecutePhase at the release
};

TEST_F(SimTokenPlay, TableOfPlayedCalls) {
    const PlayCase cases[] = {
        {L"{CTRL}c", "dn43m2 up43m2", "dn43m2", "up43m2"},
        {L"ab", "dn41 up41 dn42 up42", "dn41 dn42", "up42 up41"},
        {L"{PRESS}a", "dn41", "dn41 up41", ""},
        {L"{RELEASE}a", "up41", "", "dn41 up41"},
        // The hold time is spent by the first call of a token.
        {L"{HOLD:1}a", "dn41h1000 up41", "dn41h1000", "up41h1000"},
        {L"{PRESS}{HOLD:1}a", "dn41h1000", "dn41 up41", ""},
        {L"{CTRL}", "dn0m2 up0m2", "dn0m2", "up0m2"},
        {L"{ENTER}{NUM/}", "dnd upd dn6fx up6fx", "dnd dn6fx", "up6fx upd"},
        {L"\u00e9", "dn0u up0u", "dn0u", "up0u"},
        {L"{CTRL}{LMB}", "dn0m2 M0dn M0up up0m2", "dn0m2 M0dn", "M0up up0m2"},
        // A held press lets its button go at the release rather than press it again.
        {L"{LMBD}", "M0dn", "M0dn", "M0up"},
        {L"{SHIFT}{RMBU}", "dn0m1 M1up up0m1", "dn0m1 M1up", "M1up up0m1"},
        {L"{PRESS}{LMB}", "M0dn", "M0dn M0up", ""},
        {L"{PRESS}{CTRL}{LMB}", "dn0m2 M0dn M0up up0m2", "dn0m2 M0dn", "M0up up0m2"},
        {L"{RELEASE}{MMB}", "M2up", "", "M2dn M2up"},
        {L"{PRESS}{LMBU}{RELEASE}{LMBD}", "", "M0dn M0up", "M0dn M0up"},
        {L"{MWUP}", "M7dn M7up", "M7dn", ""},
        {L"{ALT}{TILTL}", "dn0m4 M5dn M5up up0m4", "dn0m4 M5dn up0m4", "up0m4"},
        {L"{MXADD:5}", "cur4:5", "cur4:5", "cur4:5"},
        {L"{PRESS}{MYSET:5}{RELEASE}{MXSET:7}", "cur2:5 cur1:7", "cur2:5", "cur1:7"},
        {L"{WAIT}", "wait250", "wait250", ""},
        {L"{LAYER:2}", "layer1", "layer1 held1", "layer0 held0"},
        {L"{BRI+}{BRI-}", "bri+ bri-", "bri+ bri-", ""},
    };
    for (const PlayCase& c : cases) {
        std::string name = pw::ToUtf8(c.keys);
        EXPECT_EQ(Whole(c.keys), c.whole) << name;
        EXPECT_EQ(Phase(c.keys, false), c.down) << name;
        EXPECT_EQ(Phase(c.keys, true), c.up) << name;
    }
}

TEST_F(SimTokenPlay, ButtonDownAndUpModesSplitTheText) {
    EXPECT_EQ(Whole(L"{PRESS}a{RELEASE}b", 1), "dn41 up41");
    EXPECT_EQ(Whole(L"{PRESS}a{RELEASE}b", 2), "dn42 up42");
    EXPECT_EQ(Whole(L"x", 1), "dn58 up58");
    EXPECT_EQ(Whole(L"x", 2), "dn58 up58");
    EXPECT_EQ(Whole(L"{PRESS}{LMB}", 1), "M0dn M0up");
    EXPECT_EQ(Whole(L"{PRESS}{LMB}", 2), "");
    EXPECT_EQ(Whole(L"x{LMB}{WAIT}{LAYER:3}{MXADD:1}{BRI+}", 3), "");
}

TEST_F(SimTokenPlay, MouseEventsAreCounted) {
    Whole(L"{CTRL}{LMB}");
    EXPECT_EQ(mouseEvents, 2);
    mouseEvents = 0;
    Phase(L"{MWUP}a", false);
    EXPECT_EQ(mouseEvents, 1);
    Phase(L"{MWUP}a", true);
    EXPECT_EQ(mouseEvents, 1);
}

TEST_F(SimTokenPlay, VolumeKeysTellTheDisplayOncePerPlay) {
    context.volumeOsdWindow = reinterpret_cast<HWND>(uintptr_t{0x42});
    EXPECT_EQ(Whole(L"{VOL+}"), "dnafx upafx osd");
    EXPECT_EQ(Phase(L"{MUTE}a", false), "dnadx osd dn41");
    EXPECT_EQ(Phase(L"{VOL-}", true), "upaex osd");
    EXPECT_EQ(Phase(L"{PRESS}{VOL-}", true), "");
    context.volumeOsdWindow = nullptr;
    EXPECT_EQ(Whole(L"{VOL+}"), "dnafx upafx");
}

TEST_F(SimTokenPlay, MissingSenderAndEffectsPlayNothing) {
    context.sender = nullptr;
    context.effects = nullptr;
    context.volumeOsdWindow = reinterpret_cast<HWND>(uintptr_t{0x42});
    EXPECT_EQ(Whole(L"a{LMB}{WAIT}{LAYER:2}{BRI+}{MXADD:1}{VOL+}"), "");
    EXPECT_EQ(mouseEvents, 0);
}

// Fragments for generated key strings: keys, modifiers, press modes, pauses, mouse
// clicks, layers and bad tags. Explicit half clicks ({LMBD}, {LMBU}) are left out: they
// hold or release a button on purpose.
const std::vector<String> kFragments = {
    L"a",
    L"Z",
    L"!",
    L"\u00e9",
    L"{CTRL}",
    L"{SHIFT}",
    L"{RALT}",
    L"{LWIN}",
    L"{APPS}",
    L"{ENTER}",
    L"{PRESS}",
    L"{RELEASE}",
    L"{HOLD:1}",
    L"{WAITMS:5}",
    L"{LMB}",
    L"{RMB}",
    L"{XMB2}",
    L"{MWUP}",
    L"{TILTL}",
    L"{CAPSLOCKON}",
    L"{LAYER:2}",
    L"{LAYER:LAST}",
    L"{MXADD:5}",
    L"{F5}",
    L"{NUM:5}",
    L"{CTRLBREAK}",
    L"{VOL+}",
    L"{{",
    L"{BOGUS}",
    L"{CLEAR}",
    L"{DEL}",
    L"{LAYER:99}",
    L"{WAIT:99999999999}",
    L"}",
    L"{CTRL",
    L"{VKC:300}",
};

std::vector<String> GeneratedKeyStrings() {
    std::vector<String> strings;
    for (const String& a : kFragments) {
        for (const String& b : kFragments)
            strings.push_back(a + b);
    }
    uint32_t seed = 12345;
    for (int i = 0; i < 3000; ++i) {
        String keys;
        seed = seed * 1103515245u + 12345u;
        int count = 1 + static_cast<int>((seed >> 16) % 8);
        for (int j = 0; j < count; ++j) {
            seed = seed * 1103515245u + 12345u;
            keys += kFragments[(seed >> 16) % kFragments.size()];
        }
        strings.push_back(keys);
    }
    return strings;
}

TEST_F(SimTokenPlay, EveryKeyPressedIsReleasedByTheEnd) {
    for (const String& keys : GeneratedKeyStrings()) {
        std::string name = pw::ToUtf8(keys);
        SimTokenList down;
        ASSERT_TRUE(CSimToken::Parse(down, keys.c_str(), POINT{}, 0, environment)) << name;
        for (auto& token : down)
            token->ExecutePhase(context, false);
        SimTokenList up;
        ASSERT_TRUE(CSimToken::Parse(up, keys.c_str(), POINT{}, 0, environment)) << name;
        for (auto it = up.rbegin(); it != up.rend(); ++it)
            (*it)->ExecutePhase(context, true);
        EXPECT_TRUE(recorder.Held().empty()) << "by phase: " << name;

        // The two halves of "(pressed & released)" together.
        for (int mode : {1, 2}) {
            SimTokenList tokens;
            CSimToken::Parse(tokens, keys.c_str(), POINT{}, 0, environment);
            for (auto& token : tokens)
                token->Execute(context, mode);
        }
        EXPECT_TRUE(recorder.Held().empty()) << "pressed & released: " << name;

        // Whole, unless the text asks for a press or a release on its own.
        if (keys.find(L"{PRESS}") == String::npos && keys.find(L"{RELEASE}") == String::npos) {
            SimTokenList tokens;
            CSimToken::Parse(tokens, keys.c_str(), POINT{}, 0, environment);
            for (auto& token : tokens)
                token->Execute(context, 0);
            EXPECT_TRUE(recorder.Held().empty()) << "whole: " << name;
        }
        recorder.Take();
        if (HasFailure())
            break;
    }
}

} // namespace
