#pragma once

// The executable name of the process behind a window, as profiles are matched by it.
// One lookup is cached; store-app frame hosts are followed to the process whose content
// they show. Runs on the hook and timer threads with the global lock held, which also
// guards the state below.

#include "platform/handles.h"
#include "support/text.h"
#include "windows/process_name_api.h"

#include <cstddef>

namespace pw::windows {

inline constexpr size_t kProcessNameCapacity = 260;
// The process id and integrity level of no process.
inline constexpr unsigned long kNoProcessId = 0xFFFFFFFF;
inline constexpr unsigned long kUnknownIntegrity = 0xFFFFFFFF;
// Lookups nested deeper than this (through store-app frames) give up.
inline constexpr int kMaxLookupDepth = 5;

// Who asks for a name; shown in the log lines only.
enum ProcessNameCaller : int {
    kCallerMouseMove = 1,
    kCallerKeyboard = 2,
    kCallerProcessButton = 3,
    kCallerLoadXml = 4,
    kCallerLoadRegistry = 5,
    kCallerRepeatTimer = 6,
    kCallerWindowFromHwnd = 7,
    kCallerPreviousWindow = 8, // the lookup itself: the window before a frame's content
    kCallerForeground = 9,     // the lookup itself: a frame host asked without a window
    kCallerFrameChild = 10,    // the lookup itself: a frame's child of another process
};

// The name of a caller id, "Unknown" for any other.
const Char* ProcessNameCallerName(int callerId);

// Forgets the cached lookup and the flags, as when the library is loaded.
void ResetProcessNameState();

} // namespace pw::windows

// The last successful lookup: its process id (kNoProcessId when none) and name.
extern unsigned long g_dwLastPid;
extern Char g_szCachedProcess[pw::windows::kProcessNameCapacity];
// Integrity level of the process last opened; kUnknownIntegrity when unknown.
extern unsigned long g_dwLastIntegrity;
// The Android-emulator process for which a hook reinstall was last scheduled.
extern unsigned long g_dwAndyPid;

namespace pw {

// Writes the executable name of process pid into name (nameLen characters with the
// terminator); hwnd, which may be null, is the window the question is about. *depth
// counts nested lookups and starts at 0. Names from a path are lower case; a name from
// the process list is as the system reports it. False when no name was found.
bool GetProcessName(HWND hwnd, unsigned long pid, Char* name, int nameLen, int* depth,
                    int callerId);
// GetProcessName for the process owning hwnd, with a fresh depth counter.
bool GetProcessNameFromWindow(HWND hwnd, Char* name, int nameLen, int callerId);

} // namespace pw
