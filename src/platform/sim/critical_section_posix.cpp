#include "platform/critical_section.h"

#include <mutex>
#include <new>
#include <sys/syscall.h>
#include <unistd.h>

namespace pw::platform {

namespace {
static_assert(sizeof(SimCriticalSection) <= 64, "critical section storage too small");
static_assert(alignof(SimCriticalSection) <= 16, "critical section storage misaligned");

std::recursive_mutex& AsMutex(SimCriticalSection& section) {
    return *std::launder(reinterpret_cast<std::recursive_mutex*>(section.storage));
}
} // namespace

bool InitializeSection(SystemCriticalSection& section, unsigned) {
    new (section.storage) std::recursive_mutex();
    return true;
}

void DeleteSection(SystemCriticalSection& section) {
    AsMutex(section).~recursive_mutex();
}

void EnterSection(SystemCriticalSection& section) {
    AsMutex(section).lock();
}

bool TryEnterSection(SystemCriticalSection& section) {
    return AsMutex(section).try_lock();
}

void LeaveSection(SystemCriticalSection& section) {
    AsMutex(section).unlock();
}

SystemCriticalSection& CriticalSection::Native() {
    return *std::launder(reinterpret_cast<SimCriticalSection*>(storage_));
}

bool CriticalSection::Initialize(unsigned spinCount) {
    if (initialized_)
        return true;
    InitializeSection(*new (storage_) SimCriticalSection{}, spinCount);
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
    thread_local unsigned long id = static_cast<unsigned long>(syscall(SYS_gettid));
    return id;
}

} // namespace pw::platform
