#pragma once

#include "platform/libraries.h"

#include <map>
#include <mutex>
#include <string>

namespace pw::sim {

// Libraries a test makes available by name, each with its exports. None is available at
// the start: a load fails with "module not found".
class SimLibraries final : public platform::Libraries {
  public:
    HMODULE Load(const Char* name) override;
    void* Export(HMODULE library, const char* name) override;
    bool Free(HMODULE library) override;
    bool IsStandIn(HMODULE library) override;

    // Makes library loadable (names compare without case) with an export name.
    void AddExport(const Char* library, const char* name, void* address);
    void Remove(const Char* library);
    // Makes an available library a compatibility layer's stand-in.
    void SetStandIn(const Char* library, bool standIn);
    // Loads not yet freed.
    int LoadedCount() const;

  private:
    struct Library {
        std::map<std::string, void*> exports;
        int loads = 0;
        bool standIn = false;
    };
    mutable std::mutex mutex_;
    std::map<String, Library> libraries_;
};

} // namespace pw::sim
