#include "platform/critical_section.h"

#include <atomic>
#include <mutex>
#include <new>
#include <sys/syscall.h>
#include <unistd.h>

namespace pw::platform {

namespace {
using Mutex = std::recursive_mutex;
static_assert(sizeof(Mutex) <= 64, "critical section storage too small");
Mutex& AsMutex(unsigned char* storage) {
    return *std::launder(reinterpret_cast<Mutex*>(storage));
}
} // namespace

bool CriticalSection::Initialize(unsigned) {
    if (initialized_)
        return true;
    new (storage_) Mutex();
    initialized_ = true;
    return true;
}

void CriticalSection::Delete() {
    if (!initialized_)
        return;
    AsMutex(storage_).~Mutex();
    initialized_ = false;
}

void CriticalSection::Enter() {
    AsMutex(storage_).lock();
}
bool CriticalSection::TryEnter() {
    return AsMutex(storage_).try_lock();
}
void CriticalSection::Leave() {
    AsMutex(storage_).unlock();
}

unsigned long CurrentThreadId() {
    thread_local unsigned long id = static_cast<unsigned long>(syscall(SYS_gettid));
    return id;
}

} // namespace pw::platform
