#include "platform/sim/sim_cursors.h"

#include "platform/sim/sim_system_parameters.h"

namespace pw::sim {

namespace {
constexpr uintptr_t kLibraryModule = 0x6A000000;
}

HINSTANCE SimCursors::LibraryModule() {
    return reinterpret_cast<HINSTANCE>(kLibraryModule);
}

HICON SimCursors::LoadCursorResource(HINSTANCE module, unsigned resourceId) {
    std::lock_guard lock(mutex_);
    if (loadFailing_ || !module)
        return nullptr;
    const uintptr_t handle = nextHandle_++;
    live_[handle] = resourceId;
    return reinterpret_cast<HICON>(handle);
}

bool SimCursors::DestroyCursor(HICON cursor) {
    std::lock_guard lock(mutex_);
    return live_.erase(reinterpret_cast<uintptr_t>(cursor)) == 1;
}

bool SimCursors::ReplaceSystemCursor(HICON cursor, unsigned long systemId) {
    std::lock_guard lock(mutex_);
    auto found = live_.find(reinterpret_cast<uintptr_t>(cursor));
    if (found == live_.end())
        return false;
    ForgetReloadedLocked();
    shown_[systemId] = found->second;
    return true;
}

void SimCursors::ForgetReloadedLocked() const {
    const int reloads = parameters_.CursorReloads();
    if (reloads == reloadsSeen_)
        return;
    reloadsSeen_ = reloads;
    shown_.clear();
}

unsigned SimCursors::ShownResource(unsigned long systemId) const {
    std::lock_guard lock(mutex_);
    ForgetReloadedLocked();
    auto found = shown_.find(systemId);
    return found == shown_.end() ? 0 : found->second;
}

size_t SimCursors::ReplacedCount() const {
    std::lock_guard lock(mutex_);
    ForgetReloadedLocked();
    return shown_.size();
}

size_t SimCursors::LiveCount() const {
    std::lock_guard lock(mutex_);
    return live_.size();
}

void SimCursors::SetLoadFailing(bool failing) {
    std::lock_guard lock(mutex_);
    loadFailing_ = failing;
}

} // namespace pw::sim
