#pragma once

// The hook library's run-time state, shared by the hook, timer, send-input and
// system-parameter threads, worker threads and the main program's threads. Everything
// here is guarded by the global lock (CThreadLock) unless a comment says otherwise.

#include "platform/handles.h"
#include "support/text.h"

#include <array>
#include <cstddef>
#include <cstdint>

class CApplicationSettings;
class CBrightness;
class CLockAxis;
class CSendInput;
class CSettings;

namespace pw::hook {

inline constexpr size_t kProcessNameLength = 260;
inline constexpr int kButtonCount = 9;

// A thread timer's id as the system returns it; 0 when the timer does not run.
using TimerId = uintptr_t;

// Clears the state the library sets up fresh when it is loaded: hook handles, layer,
// windows, last window and process, inject count, pressed buttons and input tracking.
void ResetHookState();

} // namespace pw::hook

// Settings and the profile in force.
extern CSettings* g_pSettings;              // owned; created at load, deleted at unload
extern CApplicationSettings* g_pCurrentApp; // a profile of g_pSettings, or null
extern int g_nCurrentLayer;                 // 0 to 9

// The library's hooks. g_hMouseHook also marks the mouse events the library injects.
extern HHOOK g_hMouseHook;
extern HHOOK g_hKeyboardHook;
extern HHOOK g_hFindHook;
extern HWND g_hFindTarget;

// The main program's windows.
extern HWND g_hMainWindow;
extern HWND g_hSetupWindow;
extern HWND g_hVolumeOSDWindow;
extern HWND g_hBrightnessOSDWindow;

// Objects the hook thread creates and owns.
extern CSendInput* g_pSendInput;
extern CBrightness* g_pBrightness;

// The English keyboard layout (an HKL) of key simulation, or null when none was chosen.
extern void* g_hEnglishLayout;

// Input tracking of the hook procedures.
extern int g_nInjectCount; // self-injected mouse events announced and not yet seen
extern std::array<bool, pw::hook::kButtonCount> g_bButtonDown; // by MouseButtons value
extern uint32_t g_dwLastInputTick;
extern bool g_bInputSeen;
extern uint32_t g_dwHookTimeout; // the system's low-level hook time-out in ms; 0 = no check
extern HWND g_hLastWindow;
extern Char g_szLastProcess[pw::hook::kProcessNameLength];

extern CLockAxis g_LockAxis;

// Threads; ids are 0 while the thread does not run.
extern unsigned long g_dwHookThreadId;
extern unsigned long g_dwTimerThreadId;

// One running timer per timer kind.
extern pw::hook::TimerId g_uKeySwitchTimer;  // 0x1010
extern pw::hook::TimerId g_uRepeatTimer;     // 0x1011
extern pw::hook::TimerId g_uActivateTimer;   // 0x1013
extern pw::hook::TimerId g_uAutoSwitchTimer; // 0x1014
extern pw::hook::TimerId g_uMouseOverTimer;  // 0x1015
extern pw::hook::TimerId g_uResetHookTimer;  // 0x1016
extern pw::hook::TimerId g_uJigglerTimer;    // 0x1017
