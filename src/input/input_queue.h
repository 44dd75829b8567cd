#pragma once

// One entry of the send-input queue: records to inject, a pause, or a cursor move.

#include "platform/input_record.h"

#include <cstdint>

// Cursor modes of a cursor entry; 0 marks an input or pause entry.
namespace pw::input {
inline constexpr int32_t kCursorSetX = 1;
inline constexpr int32_t kCursorSetY = 2;
inline constexpr int32_t kCursorAddX = 4;
inline constexpr int32_t kCursorAddY = 8;
} // namespace pw::input

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
