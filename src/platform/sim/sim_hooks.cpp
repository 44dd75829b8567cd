#include "platform/sim/sim_hooks.h"

#include "platform/sim/sim_diagnostics.h"

#include <algorithm>

namespace pw::sim {

namespace {
// ERROR_INVALID_HOOK_HANDLE, the system's answer for a hook it does not know.
constexpr uint32_t kErrorInvalidHookHandle = 1404;
} // namespace

HHOOK SimHooks::SetHook(Kind kind, Proc proc) {
    const unsigned long threadId = messages_.CurrentThreadId();
    std::lock_guard lock(mutex_);
    const uint32_t failure = kind == Kind::MouseLowLevel ? mouseFailure_ : keyboardFailure_;
    if (!proc || failure) {
        diagnostics_.SetLastError(failure ? failure : platform::kErrorInvalidParameter);
        return nullptr;
    }
    nextHandle_ += 0x10;
    const HHOOK handle = reinterpret_cast<HHOOK>(nextHandle_);
    installed_.push_back({handle, kind, proc, threadId});
    ++installCount_;
    return handle;
}

bool SimHooks::Unhook(HHOOK hook) {
    std::lock_guard lock(mutex_);
    auto it = std::find_if(installed_.begin(), installed_.end(),
                           [hook](const Installed& entry) { return entry.handle == hook; });
    if (it == installed_.end()) {
        diagnostics_.SetLastError(kErrorInvalidHookHandle);
        return false;
    }
    installed_.erase(it);
    return true;
}

std::vector<SimHooks::Installed> SimHooks::InstalledHooks() const {
    std::lock_guard lock(mutex_);
    return installed_;
}

size_t SimHooks::CountOf(Kind kind) const {
    std::lock_guard lock(mutex_);
    return static_cast<size_t>(
        std::count_if(installed_.begin(), installed_.end(),
                      [kind](const Installed& e) { return e.kind == kind; }));
}

size_t SimHooks::InstallCount() const {
    std::lock_guard lock(mutex_);
    return installCount_;
}

void SimHooks::SetFailure(Kind kind, uint32_t error) {
    std::lock_guard lock(mutex_);
    (kind == Kind::MouseLowLevel ? mouseFailure_ : keyboardFailure_) = error;
}

void SimHooks::DropHooks(Kind kind) {
    std::lock_guard lock(mutex_);
    std::erase_if(installed_, [kind](const Installed& entry) { return entry.kind == kind; });
}

} // namespace pw::sim
