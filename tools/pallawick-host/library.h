#pragma once

// The hook library's exported functions and classes that the host calls, as the
// library's own headers declare them. Every other file of the host includes this one
// rather than the library's headers, so that the declarations come from one place.

#include <windows.h>

#include "actions/layers.h"
#include "actions/process_button.h"
#include "hook/flag_functions.h"
#include "hook/hook_control.h"
#include "hook/settings_reload.h"
#include "settings/application_settings.h"
#include "settings/folders.h"
#include "settings/settings.h"
