#include "platform/win32/win32_api.h"

#include "platform/critical_section.h"

#include <new>

namespace pw::platform {

namespace {
static_assert(sizeof(CRITICAL_SECTION) <= 64, "critical section storage too small");
static_assert(alignof(CRITICAL_SECTION) <= 16, "critical section storage misaligned");

CRITICAL_SECTION* AsSection(unsigned char* storage) {
    return std::launder(reinterpret_cast<CRITICAL_SECTION*>(storage));
}
} // namespace

bool CriticalSection::Initialize(unsigned spinCount) {
    if (initialized_)
        return true;
    if (!InitializeCriticalSectionAndSpinCount(new (storage_) CRITICAL_SECTION{}, spinCount))
        return false;
    initialized_ = true;
    return true;
}

void CriticalSection::Delete() {
    if (!initialized_)
        return;
    DeleteCriticalSection(AsSection(storage_));
    initialized_ = false;
}

void CriticalSection::Enter() {
    EnterCriticalSection(AsSection(storage_));
}
bool CriticalSection::TryEnter() {
    return TryEnterCriticalSection(AsSection(storage_)) != FALSE;
}
void CriticalSection::Leave() {
    LeaveCriticalSection(AsSection(storage_));
}

unsigned long CurrentThreadId() {
    return GetCurrentThreadId();
}

} // namespace pw::platform
