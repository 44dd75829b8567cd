#include "hook/library.h"
#include "input/send_input.h"
#include "platform/sim/simulated_desktop.h"
#include "runtime/registered_messages.h"
#include "runtime/runtime_state.h"
#include "support/input_timeline.h"
#include "support/logger.h"
#include "support/wait_until.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using pw::input::SendInputMode;
using pw::platform::InputRecord;

constexpr uintptr_t kKeyMarker = 0x4B4B;
constexpr uintptr_t kMouseMarker = 0x4D4D;

class SendInputTest : public ::testing::Test {
  protected:
    ~SendInputTest() override { CLogger::EnableDebug(false); }

    bool Press(int vk, uint32_t modifiers, unsigned delay, int hold = 0, bool extended = false) {
        return sender.SendKeyState(vk, extended, modifiers, 0, false, false, delay, kKeyMarker,
                                   nullptr, hold);
    }
    bool Release(int vk, uint32_t modifiers, unsigned delay, int hold = 0, bool extended = false) {
        return sender.SendKeyState(vk, extended, modifiers, 0, false, true, delay, kKeyMarker,
                                   nullptr, hold);
    }
    std::string Play() {
        sender.ProcessQueue();
        return timeline.Take();
    }
    bool Logged(StringView text) { return desktop.diagnostics.DebugOutputContains(text); }

    pw::sim::SimulatedDesktop desktop;
    pw::test::InputTimeline timeline{desktop};
    pw::hook::LibraryScope library;
    CSendInput sender{SendInputMode::Manual};
};

TEST_F(SendInputTest, KeyPressAndReleaseRecords) {
    const uint32_t t = desktop.clock.TickCount();
    EXPECT_TRUE(Press('A', 0x002, 10));
    EXPECT_TRUE(Release('A', 0x002, 10));
    EXPECT_EQ(sender.QueuedCount(), 4u);
    EXPECT_EQ(Play(), "0:ka2/1d/8 10:k41/1e/8 20:k41/1e/a 30:ka2/1d/a end@40");

    // Consecutive stamps with the hold, the delay and one more between modifiers and key.
    const std::vector<InputRecord> injected = desktop.input.Injected();
    ASSERT_EQ(injected.size(), 4u);
    EXPECT_EQ(injected[0].key.time, t + 1);
    EXPECT_EQ(injected[1].key.time, t + 1 + 11 + 1);
    for (const InputRecord& record : injected)
        EXPECT_EQ(record.key.extraInfo, kKeyMarker);

    // A Ctrl already held is not pressed again, but is released.
    desktop.input.SetKeyDown(0x11, true);
    Press('A', 0x002, 10);
    Release('A', 0x002, 10);
    EXPECT_EQ(Play(), "40:k41/1e/8 50:k41/1e/a 60:ka2/1d/a end@70");
    desktop.input.SetKeyDown(0x11, false);

    // Modifiers alone; all nine in their press and release orders and flags.
    Press(0, 0x1FF, 0);
    Release(0, 0x1FF, 0);
    EXPECT_EQ(Play(), "70:ka0/2a/8 70:ka1/36/8 70:ka2/1d/8 70:ka3/1d/0 70:ka4/38/8 70:ka5/38/0 "
                      "70:k5b/5b/9 70:k5c/5c/9 70:k5d/5d/9 70:k5d/5d/b 70:k5c/5c/b 70:k5b/5b/b "
                      "70:ka5/38/2 70:ka4/38/a 70:ka3/1d/2 70:ka2/1d/a 70:ka1/36/a 70:ka0/2a/a "
                      "end@70");
}

TEST_F(SendInputTest, KeyModesHoldAndInvalidKeys) {
    // Extended keys; a key without a scan code goes by virtual key; Unicode by character.
    Press(0x2E, 0, 0, 0, true);
    Release(0x2E, 0, 0, 0, true);
    Press(0xFF, 0, 0);
    int hold = 0;
    sender.SendKeyState(0, false, 0, 0xE9, true, false, 0, kKeyMarker, nullptr, hold);
    EXPECT_EQ(Play(), "0:k2e/e053/9 0:k2e/e053/b 0:kff/0/0 0:k0/e9/4 end@0");

    // The hold time is spent by the first call: the press waits it, the release does not.
    hold = 100;
    sender.SendKeyState('A', false, 0x001, 0, false, false, 5, kKeyMarker, nullptr, hold);
    EXPECT_EQ(hold, 0);
    sender.SendKeyState('A', false, 0x001, 0, false, true, 5, kKeyMarker, nullptr, hold);
    EXPECT_EQ(Play(), "0:ka0/2a/8 105:k41/1e/8 210:k41/1e/a 215:ka0/2a/a end@220");

    // Virtual key -1 is refused and queues nothing.
    CLogger::EnableDebug(true);
    EXPECT_FALSE(Press(-1, 0x002, 10));
    EXPECT_EQ(sender.QueuedCount(), 0u);
    EXPECT_TRUE(Logged(L"Invalid virtual key code sent to SendKeyState: 0xFFFFFFFF function: "
                       L"0x0002 Scan code: 0x00000000 "));
}

TEST_F(SendInputTest, MouseRecords) {
    const POINT pt{10, 20};
    auto send = [&](MouseButtons button, int action, bool razor = false) {
        return sender.SendMouse(button, action, pt, 7, razor, false, kMouseMarker, 3);
    };
    EXPECT_EQ(send(mbWheelUp, 1), 1);
    EXPECT_EQ(send(mbWheelUp, 2), 0);
    // The record waits the hold time, the pause after it the delay.
    EXPECT_EQ(Play(), "0:m800/120 end@17");

    EXPECT_EQ(send(mbLeft, 1), 1);
    EXPECT_EQ(send(mbLeft, 2), 1);
    EXPECT_EQ(send(mbXRight, 1), 1);
    EXPECT_EQ(send(mbTiltLeft, 1), 1);
    EXPECT_EQ(send(mbWheelDown, 1), 1);
    EXPECT_EQ(Play(), "17:m2/0 27:m4/0 37:m80/2 47:m1000/-120 57:m800/-120 end@67");

    const uint32_t t = desktop.clock.TickCount();
    desktop.input.ClearInjected();
    EXPECT_EQ(send(mbXLeft, 3), 4);
    EXPECT_EQ(send(mbLeft, 3, true), 2);
    EXPECT_EQ(send(mbWheelUp, 3), 0);
    EXPECT_EQ(Play(), "67:m80/1 67:m100/1 67:m80/1 67:m100/1 70:m4/0 70:m2/0 end@73");
    const std::vector<InputRecord> injected = desktop.input.Injected();
    ASSERT_EQ(injected.size(), 6u);
    for (uint32_t i = 0; i < 4; ++i)
        EXPECT_EQ(injected[i].mouse.time, t + i);
    EXPECT_EQ(injected[4].mouse.time, t + 1);
    for (const InputRecord& record : injected) {
        EXPECT_EQ(record.mouse.extraInfo, kMouseMarker);
        EXPECT_EQ(record.mouse.dx, 0);
    }

    // Unknown buttons and actions only pause.
    EXPECT_EQ(send(static_cast<MouseButtons>(42), 1), 0);
    EXPECT_EQ(send(mbLeft, 9), 0);
    EXPECT_EQ(send(mbNone, 3), 0);
    EXPECT_EQ(Play(), "end@87");
}

TEST_F(SendInputTest, QueueOrderCursorAndPauses) {
    desktop.windows.SetCursor(POINT{100, 200});
    InputRecord a = InputRecord::Key('A', false);
    InputRecord b = InputRecord::Key('B', false);
    sender.SendInputThreaded(1, &a, 5, 0, false);
    sender.SendPositionThreaded(30, 1);
    sender.SendInputDelay(20, 0);
    sender.SendPositionThreaded(-5, 8);
    sender.SendPositionThreaded(9, 3); // no such mode: nothing moves
    sender.SendInputThreaded(1, &b, 0, 0, false);
    sender.SendInputThreaded(0, nullptr, 0, 0, false);
    EXPECT_EQ(Play(), "0:k41/0/0 25:k42/0/0 end@25");
    POINT cursor{};
    desktop.windows.CursorPos(cursor);
    EXPECT_EQ(cursor.x, 30);
    EXPECT_EQ(cursor.y, 195);

    // A huge pause is played on the virtual clock without trouble.
    sender.SendInputDelay(0xFFFFFFFFu, 0);
    const uint32_t before = desktop.clock.TickCount();
    sender.ProcessQueue();
    EXPECT_EQ(desktop.clock.TickCount() - before, 0xFFFFFFFFu);
}

TEST_F(SendInputTest, FlushDropsFlushableWork) {
    InputRecord a = InputRecord::Key('A', false);
    InputRecord b = InputRecord::Key('B', false);
    InputRecord c = InputRecord::Key('C', false);
    InputRecord aUp = InputRecord::Key('A', true);

    // Queued flushable entries play as nothing; with no batch playing, the flush does not
    // cut the next one short.
    EXPECT_FALSE(sender.FlushQueue());
    EXPECT_FALSE(g_bFlushInput);
    EXPECT_EQ(Play(), "end@0");
    sender.SendInputThreaded(1, &a, 10, 0, true);
    sender.SendInputThreaded(1, &b, 10, 0, false);
    EXPECT_TRUE(sender.FlushQueue());
    EXPECT_EQ(Play(), "0:k42/0/0 end@10");
    sender.SendInputThreaded(1, &b, 10, 0, true);
    EXPECT_EQ(Play(), "10:k42/0/0 end@20");

    // A flush while a batch plays: the entry being played finishes, its pause included,
    // and the rest of the batch is dropped but for its releases, so no key stays down.
    sender.SendInputThreaded(1, &a, 10, 0, false);
    sender.SendInputThreaded(1, &b, 10, 0, false);
    sender.SendInputThreaded(1, &c, 10, 0, false);
    sender.SendInputThreaded(1, &aUp, 10, 0, false);
    timeline.beforeRecord = [&](const InputRecord& record) {
        if (record.key.vk == 'B')
            sender.FlushQueue();
    };
    EXPECT_EQ(Play(), "20:k41/0/0 30:k42/0/0 40:k41/0/2 end@40");
    EXPECT_EQ(sender.QueuedCount(), 0u);
    EXPECT_FALSE(g_bFlushInput);
}

TEST_F(SendInputTest, RefusedInputIsLoggedAndConsumed) {
    desktop.input.refuseInput = true;
    const InputRecord records[] = {InputRecord::Key('A', false), InputRecord::Key('A', true),
                                   InputRecord::Key('B', false)};
    sender.SendInputThreaded(3, records, 0, 0, false);
    sender.ProcessQueue();
    EXPECT_TRUE(Logged(L"CSendInput::ProcessQueue: Failed to send keys due to UIPI protection. "
                       L"Tried to send 3 keystrokes, sent 0 keystrokes"));
    EXPECT_EQ(sender.QueuedCount(), 0u);
}

TEST_F(SendInputTest, ImmediateModePlaysOnAppend) {
    CSendInput immediate(SendInputMode::Immediate);
    EXPECT_EQ(immediate.ThreadId(), 0u);
    int hold = 0;
    immediate.SendKeyState('A', false, 0, 0, false, false, 4, kKeyMarker, nullptr, hold);
    EXPECT_EQ(timeline.Take(), "0:k41/1e/8 end@4");
    EXPECT_EQ(immediate.QueuedCount(), 0u);
}

TEST_F(SendInputTest, ThreadPlaysQueueAndStops) {
    auto threaded = std::make_unique<CSendInput>(SendInputMode::Threaded);
    ASSERT_TRUE(pw::test::WaitUntil([&] { return threaded->ThreadId() != 0; }));
    int hold = 0;
    threaded->SendKeyState('A', false, 0x002, 0, false, false, 1, kKeyMarker, nullptr, hold);
    threaded->SendKeyState('A', false, 0x002, 0, false, true, 1, kKeyMarker, nullptr, hold);
    ASSERT_TRUE(pw::test::WaitUntil([&] { return desktop.input.Injected().size() == 4; }));
    const unsigned long threadId = threaded->ThreadId();
    threaded.reset();
    bool quitPosted = false;
    for (const pw::sim::SimMessage& message : desktop.messages.Recorded())
        quitPosted |= message.threadId == threadId && message.message == 0x0012;
    EXPECT_TRUE(quitPosted);

    // Stopping with work still queued leaves no key down: releases are sent regardless.
    threaded = std::make_unique<CSendInput>(SendInputMode::Threaded);
    threaded->SendKeyState('B', false, 0x001, 0, false, false, 0, kKeyMarker, nullptr, hold);
    threaded->SendInputDelay(0xFFFFFFFFu, 0);
    threaded->SendKeyState('B', false, 0x001, 0, false, true, 0, kKeyMarker, nullptr, hold);
    threaded.reset();
    EXPECT_EQ(desktop.input.AsyncKeyState('B'), 0);
    EXPECT_EQ(desktop.input.AsyncKeyState(0xA0), 0);
}

} // namespace
