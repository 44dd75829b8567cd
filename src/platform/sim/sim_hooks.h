#pragma once

#include "platform/platform.h"

#include <mutex>
#include <vector>

namespace pw::sim {

class SimDiagnostics;

// The desktop's hook chain as a list of installed hooks. Tests read what is installed,
// make installation fail, or drop a hook as the system does after a time-out.
class SimHooks final : public platform::Hooks {
  public:
    struct Installed {
        HHOOK handle = nullptr;
        Kind kind = Kind::MouseLowLevel;
        Proc proc = nullptr;
        unsigned long threadId = 0; // the installing thread (SimMessages ids)
    };

    SimHooks(SimDiagnostics& diagnostics, platform::Messages& messages)
        : diagnostics_(diagnostics), messages_(messages) {}

    HHOOK SetHook(Kind kind, Proc proc) override;
    bool Unhook(HHOOK hook) override;

    std::vector<Installed> InstalledHooks() const;
    // Hooks of kind installed now.
    size_t CountOf(Kind kind) const;
    // Installations so far, including those removed since.
    size_t InstallCount() const;
    // Makes SetHook of kind fail with the given system error (0: succeed again).
    void SetFailure(Kind kind, uint32_t error);
    // Removes the hooks of kind without their owner knowing, as the system does with a
    // hook that overran its time-out.
    void DropHooks(Kind kind);

  private:
    SimDiagnostics& diagnostics_;
    platform::Messages& messages_;
    mutable std::mutex mutex_;
    std::vector<Installed> installed_;
    size_t installCount_ = 0;
    uintptr_t nextHandle_ = 0x7000;
    uint32_t mouseFailure_ = 0;
    uint32_t keyboardFailure_ = 0;
};

} // namespace pw::sim
