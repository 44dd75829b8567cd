#pragma once

// Everything PallawickHook.dll exports, for the programs that link against it: include
// this header, add include/PallawickHook to the include path and link
// lib/libPallawickHook.dll.a. On Windows the system headers come first, so that they
// declare the system types the library's headers name.

#ifdef _WIN32
#include <windows.h>
#endif

#include "support/version.h"

#include "actions/brightness.h"
#include "actions/layers_api.h"
#include "actions/process_button_api.h"
#include "hook/display_changed_api.h"
#include "hook/find_hook_api.h"
#include "hook/flag_functions.h"
#include "hook/hook_control.h"
#include "hook/settings_reload_api.h"
#include "runtime/thread_timers_api.h"
#include "scroll/lock_axis_api.h"
#include "settings/action_data.h"
#include "settings/application_settings.h"
#include "settings/chord.h"
#include "settings/folders_api.h"
#include "settings/hotkeys.h"
#include "settings/layer_modifier_keys.h"
#include "settings/os_version_api.h"
#include "settings/reg_key.h"
#include "settings/settings_api.h"
#include "support/logger_api.h"
#include "support/thread_lock_api.h"
#include "windows/process_name_api.h"
#include "windows/window_from_point_api.h"
