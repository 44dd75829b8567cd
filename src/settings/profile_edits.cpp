#include "settings/profile_edits.h"

#include <atomic>

namespace pw::settings {

namespace {
// Edits come from whichever thread holds the settings; readers hold the global lock.
std::atomic<uint64_t> g_profileEdits{0};
} // namespace

uint64_t ProfileEditCount() {
    return g_profileEdits.load(std::memory_order_acquire);
}

void NoteProfileEdit() {
    g_profileEdits.fetch_add(1, std::memory_order_acq_rel);
}

} // namespace pw::settings
