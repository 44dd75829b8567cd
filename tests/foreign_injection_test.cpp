// Another program injecting button events while the library's own injections are still on
// their way back through the hook.

#include "hook/library.h"
#include "hook/mouse_hook.h"
#include "input/send_input.h"
#include "platform/sim/simulated_desktop.h"
#include "runtime/registered_messages.h"
#include "runtime/runtime_state.h"
#include "settings/application_settings.h"
#include "settings/settings.h"
#include "support/logger.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

namespace platform = pw::platform;

constexpr unsigned kRButtonDown = 0x204;
constexpr unsigned kRButtonUp = 0x205;
constexpr unsigned kMButtonDown = 0x207;
constexpr unsigned kMButtonUp = 0x208;
constexpr unsigned kXButtonDown = 0x20B;
constexpr unsigned kXButtonUp = 0x20C;
constexpr DWORD kInjected = 0x1;
// What automation and remote-desktop programs leave in the extra information.
constexpr uintptr_t kForeign = 0;

class ForeignInjectionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        pw::runtime::RegisterMessages();
        CLogger::EnableDebug(true);
        g_hMouseHook = reinterpret_cast<HHOOK>(uintptr_t{0x5150});
        g_pSettings->SetSimKeyDelay(0);
        g_pSendInput = new CSendInput(pw::input::SendInputMode::Manual);
        window = desktop.windows.CreateTopLevel(L"Frame", RECT{0, 0, 1000, 800}, 100);
        desktop.windows.SetForeground(window);
        g_pCurrentApp = g_pSettings->GetDefaultApp();
        g_hLastWindow = window;
    }
    void TearDown() override {
        delete g_pSendInput;
        g_pSendInput = nullptr;
        CLogger::EnableDebug(false);
        pw::hook::ResetLibraryState();
    }

    void Map(MouseButtons button, _ACTIONS action) { g_pCurrentApp->SetActions(button, 0, action); }

    // One injected event through the hook; true when it was swallowed.
    bool Inject(unsigned message, uintptr_t extra, DWORD data = 0) {
        MSLLHOOKSTRUCT record{POINT{100, 100}, data, kInjected, ++time, extra};
        const int before = desktop.input.NextHookCalls();
        pw::MouseHookLLProc(0, message, reinterpret_cast<LPARAM>(&record));
        return desktop.input.NextHookCalls() == before;
    }

    // Sends what the library queued and brings its button events back through the hook, as
    // the system does; false when one of them was swallowed.
    bool DeliverOwn() {
        g_pSendInput->ProcessQueue();
        bool allPassed = true;
        for (const platform::InputRecord& sent : desktop.input.TakePending()) {
            if (sent.type != platform::InputType::Mouse)
                continue;
            const uint32_t flags = sent.mouse.flags;
            const uint32_t data = sent.mouse.mouseData << 16;
            for (const auto [flag, message] : kFlagMessages)
                if (flags & flag)
                    allPassed &= !Inject(message, sent.mouse.extraInfo, data);
        }
        return allPassed;
    }

    int CountSent(uint32_t flag) const {
        int count = 0;
        for (const platform::InputRecord& sent : desktop.input.Injected())
            count += sent.type == platform::InputType::Mouse && (sent.mouse.flags & flag);
        return count;
    }
    bool Held(int virtualKey) { return (desktop.input.AsyncKeyState(virtualKey) & 0x8000) != 0; }
    bool Logged(StringView text) { return desktop.diagnostics.DebugOutputContains(text); }

    struct FlagMessage {
        uint32_t flag;
        unsigned message;
    };
    static constexpr FlagMessage kFlagMessages[] = {
        {platform::kMouseEventMiddleDown, kMButtonDown},
        {platform::kMouseEventMiddleUp, kMButtonUp},
        {platform::kMouseEventXDown, kXButtonDown},
        {platform::kMouseEventXUp, kXButtonUp},
    };

    pw::sim::SimulatedDesktop desktop;
    pw::hook::LibraryScope library;
    HWND window = nullptr;
    DWORD time = 1000;
};

TEST_F(ForeignInjectionTest, ReleaseOfATakenPressIsProcessedWhileOwnEventsAreOnTheirWay) {
    Map(mbRight, actMiddleClick);

    // The press is remapped; its release comes before the middle press got back.
    EXPECT_TRUE(Inject(kRButtonDown, kForeign));
    EXPECT_EQ(g_nInjectCount, 1);
    EXPECT_TRUE(Inject(kRButtonUp, kForeign));
    EXPECT_TRUE(Logged(L"Message was injected by someone else therefore process it. "
                       L"ExtraInfo = 0x00000000, Hook = 0x00005150, Injected count = 1"));
    EXPECT_EQ(g_nInjectCount, 2);

    // A foreign press while own events are announced still counts as ours and passes
    // unprocessed; so does its release, whose press the library did not take.
    EXPECT_FALSE(Inject(kRButtonDown, kForeign));
    EXPECT_EQ(g_nInjectCount, 1);
    EXPECT_TRUE(Logged(L"Inject count = 2 but ExtraInfo is not our hook"));
    EXPECT_FALSE(Inject(kRButtonUp, kForeign));
    EXPECT_EQ(g_nInjectCount, 0);

    // The library's own marked events pass without being processed again.
    EXPECT_TRUE(DeliverOwn());
    EXPECT_EQ(g_nInjectCount, 0);
    EXPECT_EQ(CountSent(platform::kMouseEventMiddleDown), 1);
    EXPECT_EQ(CountSent(platform::kMouseEventMiddleUp), 1);
    EXPECT_FALSE(Held(platform::kVkMButton));

    // A fast stream of clicks, the library's events delivered only now and then.
    for (int click = 0; click < 40; ++click) {
        Inject(kRButtonDown, kForeign);
        Inject(kRButtonUp, kForeign);
        if (click % 3 == 2) {
            EXPECT_TRUE(DeliverOwn());
        }
        EXPECT_GE(g_nInjectCount, 0);
    }
    EXPECT_TRUE(DeliverOwn());
    // Every announced event has been seen once.
    EXPECT_EQ(g_nInjectCount, 0);
    EXPECT_GT(CountSent(platform::kMouseEventMiddleDown), 1);
    EXPECT_EQ(CountSent(platform::kMouseEventMiddleDown), CountSent(platform::kMouseEventMiddleUp));
    EXPECT_FALSE(Held(platform::kVkMButton));
    EXPECT_FALSE(Held(platform::kVkRButton));
}

TEST_F(ForeignInjectionTest, SwappedSideButtonReleaseEndsTheActionOfItsPress) {
    // The first side button is processed as the second one, which clicks the middle button.
    g_pSettings->SetSwap4and5(true);
    Map(mbXRight, actMiddleClick);
    const DWORD first = DWORD{1} << 16;

    EXPECT_TRUE(Inject(kXButtonDown, kForeign, first));
    EXPECT_EQ(g_nInjectCount, 1);
    EXPECT_TRUE(Inject(kXButtonUp, kForeign, first));
    EXPECT_EQ(g_nInjectCount, 2);
    EXPECT_TRUE(DeliverOwn());
    EXPECT_EQ(g_nInjectCount, 0);
    EXPECT_EQ(CountSent(platform::kMouseEventMiddleUp), 1);
    EXPECT_FALSE(Held(platform::kVkMButton));

    // The unmapped side button keeps the counting rule for its release.
    EXPECT_TRUE(Inject(kXButtonDown, kForeign, first));
    EXPECT_FALSE(Inject(kXButtonUp, kForeign, DWORD{2} << 16));
    EXPECT_EQ(g_nInjectCount, 0);
    EXPECT_TRUE(Inject(kXButtonUp, kForeign, first));
    EXPECT_TRUE(DeliverOwn());
    EXPECT_EQ(g_nInjectCount, 0);
    EXPECT_FALSE(Held(platform::kVkMButton));
}

} // namespace
