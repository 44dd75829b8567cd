#pragma once

// The settings object's global options as the C interface names them: each an integer
// (a flag reads 0 or 1) read and written through CSettings' own accessors.

#include "settings/settings.h"
#include "support/text.h"

namespace pw::capi {

struct GlobalOption {
    const Char* name;
    int (*get)(const CSettings&);
    void (*set)(CSettings&, int);
};

// The option at index (0 up), or null past the last.
const GlobalOption* GlobalOptionAt(int index);
// The option of that name, or null.
const GlobalOption* FindGlobalOption(const Char* name);

} // namespace pw::capi
