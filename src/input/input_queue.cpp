#include "input/input_queue.h"

#include <algorithm>

CInputQueue::CInputQueue(unsigned count, const pw::platform::InputRecord* inputs, uint32_t delay,
                         uint32_t time, bool flushable)
    : m_nDelay(delay), m_nTime(time), m_bFlushable(flushable) {
    if (count == 0 || !inputs)
        return;
    m_pInputs = new pw::platform::InputRecord[count];
    std::copy(inputs, inputs + count, m_pInputs);
    m_nCount = count;
}

CInputQueue* CInputQueue::Cursor(int32_t value, int32_t mode) {
    auto* entry = new CInputQueue(0, nullptr, 0, 0, true);
    entry->m_nCount = 1;
    entry->m_nCursorMode = mode;
    entry->m_nCursorValue = value;
    return entry;
}

CInputQueue::~CInputQueue() {
    delete[] m_pInputs;
}
