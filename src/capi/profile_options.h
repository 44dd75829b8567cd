#pragma once

// A profile's options as the C interface names them, read and written through
// CApplicationSettings' own accessors.

#include "settings/application_settings.h"
#include "support/text.h"

namespace pw::capi {

struct ProfileOption {
    const Char* name;
    int (*get)(const CApplicationSettings&);
    void (*set)(CApplicationSettings&, int);
};

const ProfileOption* ProfileOptionAt(int index);
const ProfileOption* FindProfileOption(const Char* name);

} // namespace pw::capi
