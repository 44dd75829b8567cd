#pragma once

// When the next attempt to reload the settings is due. A change on disk waits a short
// while for the writer to finish (more changes restart the wait); an attempt that finds
// the file unfinished or broken is retried with a growing back-off, a few times only.

#include <cstdint>

namespace pw::host {

class ReloadSchedule {
  public:
    // The file changed at now (ms).
    void Changed(uint32_t now);
    // The attempt due at now failed; true when another is scheduled, false when the
    // tries are used up.
    bool Retry(uint32_t now);
    // The attempt was the last one needed.
    void Done() { m_pending = false; }

    bool Pending() const { return m_pending; }
    // Ms from now until the attempt is due (0 when it is); only while Pending.
    uint32_t WaitMs(uint32_t now) const;
    // The delay before the attempt scheduled last, in ms.
    uint32_t LastDelayMs() const { return m_delay; }
    // Tries made since the last change.
    int Tries() const { return m_tries; }

  private:
    bool m_pending = false;
    uint32_t m_due = 0;
    uint32_t m_delay = 0;
    int m_tries = 0;
};

} // namespace pw::host
