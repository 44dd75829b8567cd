#pragma once

// The object behind a PwcSettings handle, and the look-ups every entry point starts with.

#include "capi/pallawick_c.h"
#include "settings/application_settings.h"
#include "settings/settings.h"

struct PwcSettings {
    CSettings settings;
};

namespace pw::capi {

// Profile index (0 the default profile, then the file's order), or null with the last
// error set to PWC_NOT_FOUND (or PWC_INVALID_ARGUMENT for a null handle).
CApplicationSettings* FindProfile(PwcSettings* handle, int index, int& error);

// As FindProfile, and checks the layer and button of a slot.
CApplicationSettings* FindSlot(PwcSettings* handle, int index, int layer, int button, int& error);

// Checks the layer of a profile's layer.
CApplicationSettings* FindLayer(PwcSettings* handle, int index, int layer, int& error);

} // namespace pw::capi
