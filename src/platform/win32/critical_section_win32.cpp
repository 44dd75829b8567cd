#include "platform/win32/win32_api.h"

#include "platform/critical_section.h"

#include <new>

namespace pw::platform {

namespace {
static_assert(sizeof(CRITICAL_SECTION) <= 64, "critical section storage too small");
static_assert(alignof(CRITICAL_SECTION) <= 16, "critical section storage misaligned");
} // namespace

bool InitializeSection(SystemCriticalSection& section, unsigned spinCount) {
    return InitializeCriticalSectionAndSpinCount(&section, spinCount) != FALSE;
}

void DeleteSection(SystemCriticalSection& section) {
    DeleteCriticalSection(&section);
}

void EnterSection(SystemCriticalSection& section) {
    EnterCriticalSection(&section);
}

bool TryEnterSection(SystemCriticalSection& section) {
    return TryEnterCriticalSection(&section) != FALSE;
}

void LeaveSection(SystemCriticalSection& section) {
    LeaveCriticalSection(&section);
}

SystemCriticalSection& CriticalSection::Native() {
    return *std::launder(reinterpret_cast<CRITICAL_SECTION*>(storage_));
}

bool CriticalSection::Initialize(unsigned spinCount) {
    if (initialized_)
        return true;
    if (!InitializeSection(*new (storage_) CRITICAL_SECTION{}, spinCount))
        return false;
    initialized_ = true;
    return true;
}

void CriticalSection::Delete() {
    if (!initialized_)
        return;
    DeleteSection(Native());
    initialized_ = false;
}

unsigned long CurrentThreadId() {
    return GetCurrentThreadId();
}

} // namespace pw::platform
