#include "windows/process_name_cache.h"

#include "platform/platform.h"
#include "runtime/runtime_state.h"
#include "support/bounded_copy.h"
#include "support/text_compare.h"
#include "support/thread_lock.h"
#include "windows/process_name.h"

#include <array>
#include <cstddef>

namespace pw::windows {

namespace {

// A handful of programs in use at once; the oldest entry makes room.
constexpr size_t kEntries = 8;
// Its first lookup schedules a hook reinstall, so it is always asked.
constexpr StringView kAndroidEmulator = L"andy.exe";

struct Entry {
    unsigned long pid = kNoProcessId;
    HWND witness = nullptr;
    unsigned long integrity = kUnknownIntegrity;
    std::array<Char, kProcessNameCapacity> name{};
};

class Cache {
  public:
    const Entry* Find(unsigned long pid) const {
        for (const Entry& entry : entries_) {
            if (entry.pid == pid && StillOwned(entry))
                return &entry;
        }
        return nullptr;
    }

    void Store(unsigned long pid, HWND witness, unsigned long integrity, const Char* name) {
        Entry* slot = nullptr;
        for (Entry& entry : entries_) {
            if (entry.pid == pid)
                slot = &entry;
        }
        if (!slot) {
            slot = &entries_[next_];
            next_ = (next_ + 1) % kEntries;
        }
        slot->pid = pid;
        slot->witness = witness;
        slot->integrity = integrity;
        CopyString(slot->name.data(), slot->name.size(), name);
    }

    void Clear() { *this = Cache{}; }

  private:
    static bool StillOwned(const Entry& entry) {
        unsigned long owner = 0;
        return platform::GetWindows().ThreadProcessId(entry.witness, &owner) != 0 &&
               owner == entry.pid;
    }

    std::array<Entry, kEntries> entries_{};
    size_t next_ = 0;
};

Cache& Names() {
    static Cache cache;
    return cache;
}

} // namespace

bool ProcessNameOfWindow(HWND window, unsigned long pid, HWND lookupWindow, Char* name, int nameLen,
                         int callerId) {
    PW_ASSERT_LOCK_HELD();
    // The last lookup's own cache answers its process, as it always has.
    const bool cacheable = window && pid != 0 && pid != kNoProcessId && pid != g_dwLastPid;
    if (cacheable && name && nameLen > 0) {
        if (const Entry* entry = Names().Find(pid)) {
            CopyString(name, static_cast<size_t>(nameLen), entry->name.data());
            CopyString(g_szCachedProcess, kProcessNameCapacity, entry->name.data());
            g_dwLastPid = pid;
            g_dwLastIntegrity = entry->integrity;
            g_bModernApp = false;
            return true;
        }
    }
    int depth = 0;
    const bool found = pw::GetProcessName(lookupWindow, pid, name, nameLen, &depth, callerId);
    // Only a plain answer for this very process is kept.
    if (found && cacheable && !g_bModernApp && g_dwLastPid == pid &&
        g_dwLastIntegrity != kUnknownIntegrity &&
        !EqualsIgnoringCase(ViewOf(g_szCachedProcess), kAndroidEmulator))
        Names().Store(pid, window, g_dwLastIntegrity, g_szCachedProcess);
    return found;
}

void ClearProcessNameCache() {
    Names().Clear();
}

} // namespace pw::windows
