#include "hook/library.h"
#include "input/send_input.h"
#include "input/send_keys.h"
#include "platform/sim/simulated_desktop.h"
#include "platform/sim/us_keyboard_layout.h"
#include "runtime/registered_messages.h"
#include "runtime/runtime_state.h"
#include "settings/settings.h"
#include "support/input_timeline.h"
#include "support/logger.h"
#include "windows/process_name.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <vector>

namespace {

using pw::platform::KeyboardLayoutHandle;

const HHOOK kKeyboardHook = reinterpret_cast<HHOOK>(uintptr_t{0x4B4B});
const HHOOK kMouseHook = reinterpret_cast<HHOOK>(uintptr_t{0x4D4D});

// The US layout, with the window's thread on a layout of its own, so that switching to
// the target layout and back can be watched.
class TwoLayouts final : public pw::platform::KeyboardLayout {
  public:
    static inline pw::platform::KeyboardLayoutHandle const kTarget =
        reinterpret_cast<pw::platform::KeyboardLayoutHandle>(uintptr_t{0x04070407});

    int16_t VkKeyScan(Char c) override { return us.VkKeyScan(c); }
    int16_t VkKeyScanEx(Char c, pw::platform::KeyboardLayoutHandle layout) override {
        return us.VkKeyScanEx(c, layout);
    }
    uint32_t OemKeyScan(uint16_t oemChar) override { return us.OemKeyScan(oemChar); }
    unsigned MapVirtualKeyEx(unsigned code, unsigned mapType,
                             pw::platform::KeyboardLayoutHandle layout) override {
        return us.MapVirtualKeyEx(code, mapType, layout);
    }
    int8_t CharToOem(Char c) override { return us.CharToOem(c); }
    pw::platform::KeyboardLayoutHandle CurrentLayout() override { return current; }
    pw::platform::KeyboardLayoutHandle ThreadLayout(unsigned long threadId) override {
        return threadId == windowThread ? kTarget : current;
    }
    pw::platform::KeyboardLayoutHandle
    ActivateLayout(pw::platform::KeyboardLayoutHandle layout) override {
        activated.push_back(layout);
        return std::exchange(current, layout);
    }

    pw::platform::UsKeyboardLayout us;
    pw::platform::KeyboardLayoutHandle current = pw::platform::UsKeyboardLayout::kHandle;
    unsigned long windowThread = 0;
    std::vector<pw::platform::KeyboardLayoutHandle> activated;
};

class KeySending : public ::testing::Test {
  protected:
    KeySending() {
        g_pSettings->SetSimKeyDelay(0);
        g_hKeyboardHook = kKeyboardHook;
        g_hMouseHook = kMouseHook;
        g_pSendInput = new CSendInput(pw::input::SendInputMode::Manual);
    }
    ~KeySending() override {
        delete g_pSendInput;
        g_pSendInput = nullptr;
        pw::hook::ResetLibraryState();
        CLogger::EnableDebug(false);
    }
    std::string Played() {
        g_pSendInput->ProcessQueue();
        return timeline.Take();
    }
    bool Logged(StringView text) { return desktop.diagnostics.DebugOutputContains(text); }

    pw::sim::SimulatedDesktop desktop;
    pw::test::InputTimeline timeline{desktop};
    pw::hook::LibraryScope library;
    const POINT pt{5, 5};
};

TEST_F(KeySending, SendModesOfKeyStrings) {
    // Held for the button's press: down in order at the press, up in reverse at the release.
    EXPECT_TRUE(pw::SendKeyStateWhileDown(mbLeft, L"{CTRL}c", false, &pt));
    EXPECT_EQ(Played(), "0:ka2/1d/8 0:k43/2e/8 end@0");
    EXPECT_TRUE(pw::SendKeyStateWhileDown(mbLeft, L"{CTRL}c", true, &pt));
    EXPECT_EQ(Played(), "0:k43/2e/a 0:ka2/1d/a end@0");

    // Pressed and released: the phase filter of the whole form types "a" at the press
    // and "b" at the release.
    EXPECT_TRUE(pw::SendKeyStateWhileDown(L"{PRESS}a{RELEASE}b", &pt, 1));
    EXPECT_EQ(Played(), "0:k41/1e/8 0:k41/1e/a end@0");
    EXPECT_TRUE(pw::SendKeyStateWhileDown(L"{PRESS}a{RELEASE}b", &pt, 2));
    EXPECT_EQ(Played(), "0:k42/30/8 0:k42/30/a end@0");
    EXPECT_TRUE(pw::SendKeyStateWhileDown(L"x", &pt, 1));
    EXPECT_TRUE(pw::SendKeyStateWhileDown(L"x", &pt, 2));
    EXPECT_EQ(Played(), "0:k58/2d/8 0:k58/2d/a 0:k58/2d/8 0:k58/2d/a end@0");

    // The key delay is also the base hold time: the key stays down for hold + delay,
    // then the release waits the delay. Markers are the hook handles.
    g_pSettings->SetSimKeyDelay(10);
    EXPECT_TRUE(pw::SendKeyStateWhileDown(L"a", nullptr, 0));
    EXPECT_EQ(Played(), "0:k41/1e/8 20:k41/1e/a end@30");
    for (const pw::platform::InputRecord& record : desktop.input.Injected())
        EXPECT_EQ(record.key.extraInfo, reinterpret_cast<uintptr_t>(kKeyboardHook));
}

TEST_F(KeySending, MouseTokensCountInjectedEvents) {
    g_nInjectCount = 0;
    EXPECT_TRUE(pw::SendKeyStateWhileDown(L"{CTRL}{LMB}", &pt, 0));
    EXPECT_EQ(g_nInjectCount, 2);
    EXPECT_EQ(Played(), "0:ka2/1d/8 0:m2/0 0:m4/0 0:ka2/1d/a end@0");
    const std::vector<pw::platform::InputRecord> injected = desktop.input.Injected();
    ASSERT_EQ(injected.size(), 4u);
    EXPECT_EQ(injected[1].mouse.extraInfo, reinterpret_cast<uintptr_t>(kMouseHook));

    HWND osd = desktop.windows.CreateTopLevel(L"OSD", RECT{0, 0, 10, 10});
    g_hVolumeOSDWindow = osd;
    desktop.messages.TakeRecorded();
    EXPECT_TRUE(pw::SendKeyStateWhileDown(L"{VOL+}", &pt, 0));
    int shown = 0;
    for (const pw::sim::SimMessage& message : desktop.messages.TakeRecorded())
        shown += message.window == osd && message.message == pw::runtime::Messages().osdShowWindow;
    EXPECT_EQ(shown, 1);
}

TEST_F(KeySending, BadInputSendsNothing) {
    EXPECT_FALSE(pw::SendKeyStateWhileDown(L"", &pt, 0));
    EXPECT_FALSE(pw::SendKeyStateWhileDown(nullptr, &pt, 0));
    EXPECT_FALSE(pw::SendKeyStateWhileDown(mbLeft, nullptr, true, &pt));
    EXPECT_TRUE(Logged(L"SendKeyStateWhileDown called with an invalid key sequence string!"));

    // A text that does not parse plays none of its tokens, not even those before the fault.
    EXPECT_FALSE(pw::SendKeyStateWhileDown(L"ab{NUM:x}", &pt, 0));
    EXPECT_TRUE(Logged(L"Failed to parse simkey sequence 'ab{NUM:x}'"));
    EXPECT_EQ(Played(), "end@0");

    // A text longer than any buffer still plays and leaves no key held.
    const String longText(5000, L'q');
    pw::SendKeyStateWhileDown(longText.c_str(), &pt, 0);
    g_pSendInput->ProcessQueue();
    EXPECT_EQ(desktop.input.AsyncKeyState('Q'), 0);

    // Without a sender nothing is attempted.
    delete g_pSendInput;
    g_pSendInput = nullptr;
    EXPECT_FALSE(pw::SendKeyStateWhileDown(L"a", &pt, 0));
    EXPECT_TRUE(Logged(L"SendKeyStateWhileDown: SendInput Thread is not available!"));
    EXPECT_FALSE(pw::SendKey(0x41, false, 0, 0));
    EXPECT_TRUE(Logged(L"SendKey: SendInput Thread is not available!"));
    EXPECT_FALSE(pw::SendKey(L'a', 0));
    EXPECT_FALSE(pw::SendAppCommand(nullptr, 1));
    EXPECT_EQ(pw::SendMouseEvent(mbLeft, 1, pt, 0, false, false), 0);
    EXPECT_TRUE(desktop.input.Injected().empty() || desktop.input.AsyncKeyState('Q') == 0);
}

TEST_F(KeySending, SendKeyTapsKeysAndCharacters) {
    EXPECT_TRUE(pw::SendKey(0x2E, true, 0x002, 0));
    EXPECT_EQ(Played(), "0:ka2/1d/8 0:k2e/e053/9 0:k2e/e053/b 0:ka2/1d/a end@0");
    EXPECT_FALSE(pw::SendKey(-1, false, 0, 0));

    // A character goes by its key and OEM scan; its own shift state is not added.
    EXPECT_TRUE(pw::SendKey(L'A', 0));
    EXPECT_EQ(Played(), "0:k41/1e/8 0:k41/1e/a end@0");
    // Outside the OEM code page the character becomes "?", whose key is sent unshifted.
    EXPECT_TRUE(pw::SendKey(L'\u20AC', 0));
    EXPECT_EQ(Played(), "0:kbf/35/8 0:kbf/35/a end@0");

    // The layout of the window under the cursor is used while typing, then given back.
    TwoLayouts layouts;
    pw::platform::ScopedKeyboardLayout installed(layouts);
    pw::sim::SimWindowSpec spec;
    spec.className = L"Target";
    spec.rect = RECT{0, 0, 100, 100};
    spec.threadId = 0x2000;
    g_hLastWindow = desktop.windows.Create(spec);
    layouts.windowThread = 0x2000;
    EXPECT_TRUE(pw::SendKey(L'b', 0));
    EXPECT_TRUE(pw::SendKeyStateWhileDown(L"c", &pt, 0));
    const std::vector<pw::platform::KeyboardLayoutHandle> expected = {
        TwoLayouts::kTarget, pw::platform::UsKeyboardLayout::kHandle, TwoLayouts::kTarget,
        pw::platform::UsKeyboardLayout::kHandle};
    EXPECT_EQ(layouts.activated, expected);
    EXPECT_EQ(layouts.current, pw::platform::UsKeyboardLayout::kHandle);
    g_hLastWindow = nullptr;
}

TEST_F(KeySending, ApplicationCommands) {
    HWND window = desktop.windows.CreateTopLevel(L"Browser", RECT{0, 0, 10, 10});
    desktop.messages.TakeRecorded();
    EXPECT_FALSE(pw::SendAppCommand(window, 1));
    const std::vector<pw::sim::SimMessage> posted = desktop.messages.TakeRecorded();
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].message, 0x0319u);
    EXPECT_EQ(posted[0].wParam, reinterpret_cast<WPARAM>(window));
    EXPECT_EQ(posted[0].lParam, 0x10000);
    EXPECT_EQ(Played(), "end@0");

    // The remote desktop client gets the browser key instead.
    std::wcscpy(g_szLastProcess, L"MSTSC.exe");
    EXPECT_FALSE(pw::SendAppCommand(window, 1));
    EXPECT_EQ(Played(), "0:ka6/e06a/9 0:ka6/e06a/b end@0");
    EXPECT_FALSE(pw::SendAppCommand(window, 500));
    EXPECT_EQ(Played(), "end@0");

    // Store apps get the key for the browser commands, the message for the others.
    g_szLastProcess[0] = 0;
    g_bModernApp = true;
    EXPECT_TRUE(pw::SendAppCommand(window, 2));
    EXPECT_EQ(Played(), "0:ka7/e069/9 0:ka7/e069/b end@0");
    EXPECT_FALSE(pw::SendAppCommand(window, 8));
    EXPECT_EQ(desktop.messages.TakeRecorded().size(), 1u);
}

} // namespace
