#pragma once

#include "platform/platform.h"

#include <map>
#include <mutex>

namespace pw::sim {

class SimSystemParameters;

// Cursor images as numbered handles that remember their resource, and the system cursors
// as a table of the images standing in for them. Reloading the system cursors (through
// the system parameters) empties the table. Safe to use from the library's threads while
// a test inspects it.
class SimCursors final : public platform::Cursors {
  public:
    explicit SimCursors(SimSystemParameters& parameters) : parameters_(parameters) {}

    HINSTANCE LibraryModule() override;
    HICON LoadCursorResource(HINSTANCE module, unsigned resourceId) override;
    bool DestroyCursor(HICON cursor) override;
    bool ReplaceSystemCursor(HICON cursor, unsigned long systemId) override;

    // The resource whose image stands in for system cursor systemId now; 0 when the
    // system's own cursor is shown.
    unsigned ShownResource(unsigned long systemId) const;
    // How many system cursors are replaced now.
    size_t ReplacedCount() const;
    // Cursor images loaded and not yet destroyed.
    size_t LiveCount() const;
    // Makes loading fail, as a module without the resources.
    void SetLoadFailing(bool failing);

  private:
    // The table is stale once the system cursors were reloaded after it was written.
    void ForgetReloadedLocked() const;

    SimSystemParameters& parameters_;
    mutable std::mutex mutex_;
    std::map<uintptr_t, unsigned> live_; // handle -> resource
    mutable std::map<unsigned long, unsigned> shown_;
    mutable int reloadsSeen_ = 0;
    uintptr_t nextHandle_ = 0xC100;
    bool loadFailing_ = false;
};

} // namespace pw::sim
