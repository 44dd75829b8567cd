#include "reload_schedule.h"

#include <array>

namespace pw::host {

namespace {

// A program saving the file usually does so in one go: a short wait lets it finish.
constexpr uint32_t kSettleMs = 50;
// The waits before each retry: about one and a half seconds in all.
constexpr std::array<uint32_t, 4> kBackOffMs = {100, 200, 400, 800};

} // namespace

void ReloadSchedule::Changed(uint32_t now) {
    m_pending = true;
    m_tries = 0;
    m_delay = kSettleMs;
    m_due = now + kSettleMs;
}

bool ReloadSchedule::Retry(uint32_t now) {
    ++m_tries;
    if (m_tries > static_cast<int>(kBackOffMs.size())) {
        m_pending = false;
        return false;
    }
    m_pending = true;
    m_delay = kBackOffMs[static_cast<size_t>(m_tries - 1)];
    m_due = now + m_delay;
    return true;
}

uint32_t ReloadSchedule::WaitMs(uint32_t now) const {
    // Wrapping tick counts: the signed difference tells whether the time has come.
    const auto left = static_cast<int32_t>(m_due - now);
    return left > 0 ? static_cast<uint32_t>(left) : 0;
}

} // namespace pw::host
