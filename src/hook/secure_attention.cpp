#include "hook/secure_attention.h"

#include "platform/libraries.h"
#include "platform/platform.h"
#include "support/logger.h"

namespace {

// void SendSAS(BOOL asUser).
using SendSasFn = void (*)(int asUser);

// Frees a loaded library when it goes out of scope.
class LoadedLibrary {
  public:
    explicit LoadedLibrary(const Char* name) : module_(pw::platform::GetLibraries().Load(name)) {}
    ~LoadedLibrary() {
        if (module_)
            pw::platform::GetLibraries().Free(module_);
    }
    LoadedLibrary(const LoadedLibrary&) = delete;
    LoadedLibrary& operator=(const LoadedLibrary&) = delete;

    HMODULE Module() const { return module_; }

  private:
    HMODULE module_;
};

} // namespace

int pw::EnableSAS() {
    pw::platform::Diagnostics& diagnostics = pw::platform::GetDiagnostics();
    diagnostics.DebugOutput(L"EnableSAS\n");
    int called = 0;
    {
        LoadedLibrary sas(L"SAS.dll");
        if (!sas.Module()) {
            const uint32_t error = diagnostics.LastError();
            CLogger::LogDebug(L"SAS.DLL in not available");
            diagnostics.SetLastError(error);
        } else if (pw::platform::GetLibraries().IsStandIn(sas.Module())) {
            // A compatibility layer's SendSAS may be a stub that ends the process.
            CLogger::LogDebug(L"EnableSAS: SAS.dll is a compatibility layer's stand-in; "
                              L"SendSAS is not called.");
        } else if (auto send = reinterpret_cast<SendSasFn>(
                       pw::platform::GetLibraries().Export(sas.Module(), "SendSAS"))) {
            diagnostics.DebugOutput(L"Calling SendSAS\n");
            send(1);
            diagnostics.DebugOutput(L"Called SendSAS\n");
            called = 1;
        }
    }
    diagnostics.DebugOutput(L"EnableSAS finished\n");
    return called;
}
