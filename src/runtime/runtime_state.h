#pragma once

// The library's run-time state that several layers share: the hook handles, the main
// program's windows, the profile and layer in force, the input tracking of the hook
// procedures, the last window and process, the thread ids and the running timers' ids.
// Used by the hook, timer, send-input and system-parameter threads, worker threads and
// the main program's threads. Everything here is guarded by the global lock
// (CThreadLock) unless a comment says otherwise.

#include "platform/handles.h"
#include "support/text.h"

#include <array>
#include <cstddef>
#include <cstdint>

class CApplicationSettings;

namespace pw::runtime {

inline constexpr size_t kProcessNameLength = 260;
inline constexpr int kButtonCount = 9;

// A thread timer's id as the system returns it; 0 when the timer does not run.
using TimerId = uintptr_t;

// Clears the state the library sets up fresh when it is loaded: hook handles, profile
// and layer, windows, last window and process, inject count, pressed buttons, input
// tracking and the timers' ids.
void ResetRuntimeState();

} // namespace pw::runtime

// The profile in force.
extern CApplicationSettings* g_pCurrentApp; // a profile of g_pSettings, or null
extern int g_nCurrentLayer;                 // 0 to 9
// A momentary layer button is held.
extern bool g_bLayerHeld;
// The layer to return to when the momentary shift ends; -1 when none.
extern int g_nSavedLayer;

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

// Input tracking of the hook procedures.
extern int g_nInjectCount; // self-injected mouse events announced and not yet seen
extern std::array<bool, pw::runtime::kButtonCount> g_bButtonDown; // by MouseButtons value
extern uint32_t g_dwLastInputTick;
extern bool g_bInputSeen;
extern uint32_t g_dwHookTimeout; // the system's low-level hook time-out in ms; 0 = no check

// The window under the last event and its process.
extern HWND g_hLastWindow;
extern Char g_szLastProcess[pw::runtime::kProcessNameLength];
// The last process lookup met a store-app host or was answered from the cache.
extern bool g_bModernApp;

// Threads; ids are 0 while the thread does not run.
extern unsigned long g_dwHookThreadId;
extern unsigned long g_dwTimerThreadId;

// One running timer per timer kind.
extern pw::runtime::TimerId g_uKeySwitchTimer;  // 0x1010
extern pw::runtime::TimerId g_uRepeatTimer;     // 0x1011
extern pw::runtime::TimerId g_uActivateTimer;   // 0x1013
extern pw::runtime::TimerId g_uAutoSwitchTimer; // 0x1014
extern pw::runtime::TimerId g_uMouseOverTimer;  // 0x1015
extern pw::runtime::TimerId g_uResetHookTimer;  // 0x1016
extern pw::runtime::TimerId g_uJigglerTimer;    // 0x1017
