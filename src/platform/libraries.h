#pragma once

// Libraries loaded at run time by name, shaped like LoadLibraryW, GetProcAddress and
// FreeLibrary.

#include "platform/handles.h"
#include "platform/text.h"

namespace pw::platform {

class Libraries {
  public:
    virtual ~Libraries() = default;
    // Loads a library; null (last error set) when it cannot be found or loaded.
    virtual HMODULE Load(const Char* name) = 0;
    // An export of a library Load returned; null when it has none of that name.
    virtual void* Export(HMODULE library, const char* name) = 0;
    virtual bool Free(HMODULE library) = 0;
    // Whether a loaded library is the stand-in of a compatibility layer (Wine), whose
    // exports may be stubs that end the process when they are called.
    virtual bool IsStandIn(HMODULE library) = 0;
};

} // namespace pw::platform
