#include "platform/sim/sim_libraries.h"

#include "platform/platform.h"

#include <cwctype>

namespace pw::sim {

namespace {

constexpr unsigned long kErrorModNotFound = 126;

String Lower(const Char* text) {
    String lower = text ? text : L"";
    for (Char& c : lower)
        c = static_cast<Char>(std::towlower(c));
    return lower;
}

} // namespace

// A library's handle is the address of its entry, which stays put in the map.
HMODULE SimLibraries::Load(const Char* name) {
    std::lock_guard lock(mutex_);
    auto it = libraries_.find(Lower(name));
    if (it == libraries_.end()) {
        platform::GetDiagnostics().SetLastError(kErrorModNotFound);
        return nullptr;
    }
    ++it->second.loads;
    return reinterpret_cast<HMODULE>(&it->second);
}

void* SimLibraries::Export(HMODULE library, const char* name) {
    std::lock_guard lock(mutex_);
    for (auto& [key, entry] : libraries_) {
        if (reinterpret_cast<HMODULE>(&entry) != library)
            continue;
        auto found = entry.exports.find(name ? name : "");
        return found == entry.exports.end() ? nullptr : found->second;
    }
    return nullptr;
}

bool SimLibraries::Free(HMODULE library) {
    std::lock_guard lock(mutex_);
    for (auto& [key, entry] : libraries_) {
        if (reinterpret_cast<HMODULE>(&entry) == library && entry.loads > 0) {
            --entry.loads;
            return true;
        }
    }
    return false;
}

bool SimLibraries::IsStandIn(HMODULE library) {
    std::lock_guard lock(mutex_);
    for (auto& [key, entry] : libraries_)
        if (reinterpret_cast<HMODULE>(&entry) == library)
            return entry.standIn;
    return false;
}

void SimLibraries::SetStandIn(const Char* library, bool standIn) {
    std::lock_guard lock(mutex_);
    auto it = libraries_.find(Lower(library));
    if (it != libraries_.end())
        it->second.standIn = standIn;
}

void SimLibraries::AddExport(const Char* library, const char* name, void* address) {
    std::lock_guard lock(mutex_);
    libraries_[Lower(library)].exports[name] = address;
}

void SimLibraries::Remove(const Char* library) {
    std::lock_guard lock(mutex_);
    libraries_.erase(Lower(library));
}

int SimLibraries::LoadedCount() const {
    std::lock_guard lock(mutex_);
    int count = 0;
    for (const auto& [key, entry] : libraries_)
        count += entry.loads;
    return count;
}

} // namespace pw::sim
