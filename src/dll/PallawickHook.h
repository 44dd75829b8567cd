#pragma once

// Everything PallawickHook.dll exports, for the programs that link against it: include
// <PallawickHook/PallawickHook.h> with the SDK's include/ on the include path and link
// lib/libPallawickHook.dll.a (or use the CMake package's PallawickHook::PallawickHook). On Windows
// the system headers come first, so that they declare the system types the library's headers name.

#ifdef _WIN32
#include <windows.h>
#endif

#include <PallawickHook/support/version.h>

#include <PallawickHook/actions/brightness.h>
#include <PallawickHook/actions/layers_api.h>
#include <PallawickHook/actions/process_button_api.h>
#include <PallawickHook/hook/display_changed_api.h>
#include <PallawickHook/hook/find_hook_api.h>
#include <PallawickHook/hook/flag_functions.h>
#include <PallawickHook/hook/hook_control.h>
#include <PallawickHook/hook/settings_reload_api.h>
#include <PallawickHook/runtime/thread_timers_api.h>
#include <PallawickHook/scroll/lock_axis_api.h>
#include <PallawickHook/settings/action_data.h>
#include <PallawickHook/settings/application_settings.h>
#include <PallawickHook/settings/chord.h>
#include <PallawickHook/settings/folders_api.h>
#include <PallawickHook/settings/hotkeys.h>
#include <PallawickHook/settings/layer_modifier_keys.h>
#include <PallawickHook/settings/os_version_api.h>
#include <PallawickHook/settings/reg_key.h>
#include <PallawickHook/settings/settings_api.h>
#include <PallawickHook/support/logger_api.h>
#include <PallawickHook/support/thread_lock_api.h>
#include <PallawickHook/windows/process_name_api.h>
#include <PallawickHook/windows/window_from_point_api.h>
