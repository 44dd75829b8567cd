#pragma once

// The sender of all injected input. Producers on any thread append entries to its queue
// and return at once; the send-input thread plays the queue in order: the records go to
// the system's input injection, cursor entries move the cursor, and delays pause.

#include "input/token_output.h"
#include "platform/critical_section.h"
#include "platform/handles.h"
#include "platform/input_record.h"
#include "platform/keyboard_layout.h"
#include "settings/mouse_buttons.h"
#include "support/message_thread.h"

#include <atomic>
#include <cstdint>
#include <list>

// Cursor modes of a cursor entry; 0 marks an input or pause entry.
namespace pw::input {
inline constexpr int32_t kCursorSetX = 1;
inline constexpr int32_t kCursorSetY = 2;
inline constexpr int32_t kCursorAddX = 4;
inline constexpr int32_t kCursorAddY = 8;
} // namespace pw::input

// One entry of the send-input queue: records to inject, a pause, or a cursor move.
class CInputQueue {
  public:
    // An input entry holding a copy of count records (count 0 or no records: a pause).
    CInputQueue(unsigned count, const pw::platform::InputRecord* inputs, uint32_t delay,
                uint32_t time, bool flushable);
    // A cursor entry: mode kCursor... with its coordinate or offset.
    static CInputQueue* Cursor(int32_t value, int32_t mode);
    virtual ~CInputQueue();
    CInputQueue(const CInputQueue&) = delete;
    CInputQueue& operator=(const CInputQueue&) = delete;

    uint32_t m_nDelay = 0;
    uint32_t m_nTime = 0;
    bool m_bFlushable = false;
    int32_t m_nCursorMode = 0;
    uint32_t m_nCount = 0;
    pw::platform::InputRecord* m_pInputs = nullptr; // owned; null for pause and cursor entries
    int32_t m_nCursorValue = 0;
};

namespace pw::input {

enum class SendInputMode {
    Threaded,  // the send-input thread plays the queue (the library's mode)
    Manual,    // nothing plays until the owner calls ProcessQueue on its own thread
    Immediate, // each append plays the queue at once on the appending thread
};

} // namespace pw::input

// Set by FlushQueue so that the batch being played stops after its current entry;
// cleared by the playing loop.
extern std::atomic<bool> g_bFlushInput;

class CSendInput final : public pw::input::TokenOutput, private pw::MessageThread::Handler {
  public:
    explicit CSendInput(pw::input::SendInputMode mode = pw::input::SendInputMode::Threaded);
    ~CSendInput() override;
    CSendInput(const CSendInput&) = delete;
    CSendInput& operator=(const CSendInput&) = delete;

    // Appends an input entry with a copy of count records.
    void SendInputThreaded(unsigned count, const pw::platform::InputRecord* inputs, uint32_t delay,
                           uint32_t time, bool flushable);
    bool SendInputDelay(unsigned ms, uint32_t time) override;
    bool SendPositionThreaded(int value, int mode) override;
    // Drops flushable work: the batch being played stops after its current entry, and
    // flushable entries still queued play as nothing. Whether any queued entry was flushable.
    bool FlushQueue();

    int SendMouse(MouseButtons button, int action, const POINT& pt, unsigned delay, bool razorMouse,
                  bool officeMouse, uintptr_t extraInfo, int holdTime) override;
    bool SendKeyState(int virtualKey, bool extended, uint32_t modifiers, uint32_t scanCode,
                      bool unicode, bool release, unsigned delay, uintptr_t extraInfo,
                      pw::platform::KeyboardLayoutHandle layout, int& holdTime) override;

    // Plays everything queued so far on the calling thread: the send-input thread's work,
    // and the way owners of a Manual sender drain it.
    void ProcessQueue();

    pw::input::SendInputMode Mode() const { return m_mode; }
    // The send-input thread's id; 0 while it does not run (always 0 without a thread).
    unsigned long ThreadId() const { return m_thread.ThreadId(); }
    // Entries waiting to be played.
    size_t QueuedCount();
    // Whether everything queued so far has been played.
    bool Idle();

  private:
    // Appends entry under the lock named name and wakes the player.
    void Append(CInputQueue* entry, const Char* name);
    void StartThreadLocked();
    void StopThread();
    // The send-input thread's work: the queue once at the start, then at each wake-up.
    void OnStarted() override;
    bool OnMessage(const pw::MessageThread::Message& message) override;
    void Play(CInputQueue& entry);
    void Pause(uint32_t ms);
    // Sends only the key and button releases of entries that will not be played, so that
    // stopping never leaves a key or button held.
    static void SendReleasesOf(const CInputQueue& entry);

    pw::input::SendInputMode m_mode;
    pw::MessageThread m_thread;
    pw::platform::CriticalSection m_cs;
    std::list<CInputQueue*> m_Queue;
    std::atomic<bool> m_bStopping{false};
    // A batch taken from the queue is being played; changed under m_cs.
    bool m_bPlaying = false;
};

namespace pw {

// g_pSendInput->SendMouse with the mouse hook handle as extra info and no hold time.
int SendMouseEvent(MouseButtons button, int action, const POINT& pt, unsigned delay,
                   bool razorMouse, bool officeMouse);

} // namespace pw

// The send-input thread object; the hook thread creates and owns it. Null while there is
// none.
extern CSendInput* g_pSendInput;
