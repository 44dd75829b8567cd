#pragma once

// The small exported functions through which the main program hands over its windows
// and reads and sets the library's flags. Each takes the global lock under its own name
// unless noted; the lock-free ones read a single value or return an address.

#include <PallawickHook/platform/system_types.h>
#include <PallawickHook/platform/text_types.h>
#include <PallawickHook/support/export.h>

#include <cstdint>

class CHotKeys;
class CLockAxis;

PW_EXTERN_C void SetHookMainWindow(HWND window);
PW_EXTERN_C void SetHookVolumeOSDWindow(HWND window);
// Remembered only once the hook thread has created the brightness object.
PW_EXTERN_C void SetHookBrightnessOSDWindow(HWND window);

PW_EXTERN_C bool GetShowIcon();
PW_EXTERN_C bool GetReinstallOnResume();
PW_EXTERN_C void SetDebug(bool enable);
PW_EXTERN_C bool GetDebug();
PW_EXTERN_C bool GetHooked();
PW_EXTERN_C void SetOfficeMouse(bool enable);
PW_EXTERN_C bool GetOfficeMouse();
PW_EXTERN_C bool NotificatcionsEnabled();
PW_EXTERN_C bool CheckVersionEnabled();
PW_EXTERN_C bool CheckBetaVersionEnabled();
PW_EXTERN_C int CheckVersionDays();

// Lock-free readers.
PW_EXTERN_C bool GetEnableOSD();
PW_EXTERN_C bool GetAlwaysShowOSD();
// The system's low-level hook time-out in ms, read from the registry at every call;
// 0 when it is not set as a 32-bit value.
PW_EXTERN_C uint32_t GetHooktimeoutValue();
PW_EXTERN_C CLockAxis* GetAxisLocks();
PW_EXTERN_C CHotKeys* GetHotkeys();
// Whether the hook should leave input alone: not hooked, disabled in a remote session,
// or bypassed while Scroll Lock is on.
PW_EXTERN_C bool IsVESKDisabled();

// The current profile's name ("Default" for the default profile), else the last process
// seen. With a buffer of at least the name's length (length: its capacity), copies the
// name, terminated when there is room, and returns its length; otherwise sets length to
// the name's length and returns 0.
PW_EXTERN_C int GetCurrentProcessName(Char* buffer, int& length);
