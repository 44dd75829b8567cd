#include "support/bounded_copy.h"

#include "support/invalid_parameter.h"

#include <cstring>

namespace pw {

int CopyString(Char* dest, size_t capacity, StringView source) {
    if (!dest || capacity == 0) {
        ReportInvalidParameter(L"(dest != NULL && size > 0)");
        return kCopyInvalid;
    }
    if (source.size() >= capacity) {
        dest[0] = 0;
        ReportInvalidParameter(L"(L\"Buffer is too small\" && 0)");
        return kCopyRange;
    }
    std::memcpy(dest, source.data(), source.size() * sizeof(Char));
    dest[source.size()] = 0;
    return 0;
}

int CopyString(Char* dest, size_t capacity, const Char* source) {
    if (!source) {
        if (dest && capacity)
            dest[0] = 0;
        ReportInvalidParameter(L"(src != NULL)");
        return kCopyInvalid;
    }
    return CopyString(dest, capacity, StringView(source));
}

int AppendString(Char* dest, size_t capacity, StringView source) {
    if (!dest || capacity == 0) {
        ReportInvalidParameter(L"(dest != NULL && size > 0)");
        return kCopyInvalid;
    }
    size_t used = BoundedLength(dest, capacity);
    if (used == capacity || used + source.size() >= capacity) {
        dest[0] = 0;
        ReportInvalidParameter(L"(L\"Buffer is too small\" && 0)");
        return kCopyRange;
    }
    std::memcpy(dest + used, source.data(), source.size() * sizeof(Char));
    dest[used + source.size()] = 0;
    return 0;
}

} // namespace pw
