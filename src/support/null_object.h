#pragma once

// Some exported member functions are documented to be callable through a null object
// pointer (the main program calls them on a profile that may not exist) and to answer
// with a fixed result. A plain "this == nullptr" test is folded away by the optimiser,
// which may assume this is never null; reading the pointer back through a volatile
// copy keeps the test.

namespace pw {

inline bool IsNullObject(const void* object) {
    const void* volatile copy = object;
    return copy == nullptr;
}

// The object pointer read back the same way, for functions that go on to read members:
// read through the copy, a member load cannot be hoisted above the test (clang takes
// "this" to point at a whole object and may load from it before any branch).
template <typename T> T* NullableSelf(T* object) {
    T* volatile copy = object;
    return copy;
}

} // namespace pw
