#pragma once

// The system's own lock object. On Windows it is the CRITICAL_SECTION that the exported
// lock class names in its interface, so that the main program can hand over its own.

#if defined(_WIN32)
struct _RTL_CRITICAL_SECTION; // CRITICAL_SECTION
#else
#include <mutex>
#endif

namespace pw::platform {

#if defined(_WIN32)
using SystemCriticalSection = ::_RTL_CRITICAL_SECTION;
#else
// A recursive mutex created in place, as the system creates its critical section.
struct SimCriticalSection {
    alignas(std::recursive_mutex) unsigned char storage[sizeof(std::recursive_mutex)];
};
using SystemCriticalSection = SimCriticalSection;
#endif

} // namespace pw::platform
