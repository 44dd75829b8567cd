#include "input/send_input.h"

#include "platform/platform.h"
#include "runtime/precise_sleep.h"
#include "support/logger.h"

using pw::platform::InputRecord;
using pw::platform::InputType;

namespace {

// Pauses of a threaded sender are cut into slices so that a stop ends a long wait.
constexpr uint32_t kPauseSliceMs = 1000;

bool IsRelease(const InputRecord& record) {
    if (record.type == InputType::Keyboard)
        return (record.key.flags & pw::platform::kKeyEventKeyUp) != 0;
    constexpr uint32_t kUps = pw::platform::kMouseEventLeftUp | pw::platform::kMouseEventRightUp |
                              pw::platform::kMouseEventMiddleUp | pw::platform::kMouseEventXUp;
    return (record.mouse.flags & kUps) != 0;
}

void MoveCursor(int32_t value, int32_t mode) {
    pw::platform::Windows& windows = pw::platform::GetWindows();
    POINT pt{};
    windows.CursorPos(pt);
    CLogger::LogDebug(L"CSendInput::ProcessQueue: Moving cursor %d, %d", value, mode);
    switch (mode) {
    case pw::input::kCursorSetX:
        pt.x = value;
        break;
    case pw::input::kCursorSetY:
        pt.y = value;
        break;
    case pw::input::kCursorAddX:
        pt.x += value;
        break;
    case pw::input::kCursorAddY:
        pt.y += value;
        break;
    default:
        return;
    }
    windows.SetCursorPos(pt);
}

void Inject(const CInputQueue& entry) {
    pw::platform::Diagnostics& diagnostics = pw::platform::GetDiagnostics();
    diagnostics.SetLastError(0);
    const unsigned sent = pw::platform::GetInput().SendInput(entry.m_pInputs, entry.m_nCount);
    if (sent >= entry.m_nCount)
        return;
    const uint32_t error = diagnostics.LastError();
    if (error != 0)
        CLogger::LogOSMessage(error,
                              L"CSendInput::ProcessQueue: Failed to send keys. Tried to send %d "
                              L"keystrokes, sent %d keystrokes",
                              entry.m_nCount, sent);
    else
        CLogger::LogMessage(L"CSendInput::ProcessQueue: Failed to send keys due to UIPI "
                            L"protection. Tried to send %d keystrokes, sent %d keystrokes",
                            entry.m_nCount, sent);
}

} // namespace

void CSendInput::ProcessQueue() {
    if (!m_cs.IsInitialized())
        return;
    std::list<CInputQueue*> batch;
    {
        pw::platform::ScopedCriticalSection hold(m_cs);
        try {
            if (m_Queue.empty())
                g_bFlushInput = false;
            else
                batch.splice(batch.end(), m_Queue);
            m_bPlaying = !batch.empty();
        } catch (...) {
            CLogger::LogMessage(L"Unexpected exception in CSendInput::ProcessQueue()");
        }
    }

    auto entry = batch.begin();
    for (; entry != batch.end(); ++entry) {
        if (m_bStopping)
            break;
        Play(**entry);
        delete *entry;
        *entry = nullptr;
        if (g_bFlushInput) {
            ++entry;
            break;
        }
    }
    // Entries cut off by a flush or a stop are dropped, all but their releases, so that
    // no key or button stays down.
    for (; entry != batch.end(); ++entry) {
        SendReleasesOf(**entry);
        delete *entry;
    }
    pw::platform::ScopedCriticalSection hold(m_cs);
    m_bPlaying = false;
    g_bFlushInput = false;
}

void CSendInput::Play(CInputQueue& entry) {
    if (entry.m_nCount != 0) {
        if (entry.m_nCursorMode != 0)
            MoveCursor(entry.m_nCursorValue, entry.m_nCursorMode);
        else if (entry.m_pInputs)
            Inject(entry);
    }
    if (entry.m_nDelay != 0)
        Pause(entry.m_nDelay);
}

void CSendInput::Pause(uint32_t ms) {
    if (m_mode != pw::input::SendInputMode::Threaded) {
        pw::PreciseSleep(ms);
        return;
    }
    while (ms > 0 && !m_bStopping) {
        const uint32_t slice = ms < kPauseSliceMs ? ms : kPauseSliceMs;
        pw::PreciseSleep(slice);
        ms -= slice;
    }
}

void CSendInput::SendReleasesOf(const CInputQueue& entry) {
    if (entry.m_nCursorMode != 0 || !entry.m_pInputs)
        return;
    for (uint32_t i = 0; i < entry.m_nCount; ++i) {
        if (IsRelease(entry.m_pInputs[i]))
            pw::platform::GetInput().SendInput(&entry.m_pInputs[i], 1);
    }
}
