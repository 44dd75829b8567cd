#pragma once

// The system's handle, integer and record types, declared exactly as the system headers
// declare them, so that the portable core and the exported signatures name the system's
// own types without including those headers. Files that include the system headers first
// get POINT, RECT and the hook records from there.

#include <cstdint>

struct HWND__;
struct HKEY__;
struct HHOOK__;
struct HINSTANCE__;
struct HMONITOR__;
struct HICON__;
typedef HWND__* HWND;
typedef HKEY__* HKEY;
typedef HHOOK__* HHOOK;
typedef HINSTANCE__* HINSTANCE;
typedef HMONITOR__* HMONITOR;
typedef HICON__* HICON;
typedef HINSTANCE HMODULE;
typedef void* HANDLE;

// The system's integer types of message parameters and hook records. On Windows these
// are the very types the system headers declare.
#ifdef _WIN32
typedef unsigned long DWORD;
#else
typedef uint32_t DWORD;
#endif
typedef uintptr_t WPARAM;
typedef intptr_t LPARAM;
typedef intptr_t LRESULT;

// Point and rectangle, as the system declares them. Files that include the system
// headers get them from there.
#ifndef _WINDEF_
struct tagPOINT {
    long x;
    long y;
};
typedef tagPOINT POINT;
struct tagRECT {
    long left;
    long top;
    long right;
    long bottom;
};
typedef tagRECT RECT;
#endif

// The low-level mouse hook's event record.
#ifndef _WINUSER_
struct tagMSLLHOOKSTRUCT {
    POINT pt;
    DWORD mouseData;
    DWORD flags;
    DWORD time;
    uintptr_t dwExtraInfo;
};
typedef tagMSLLHOOKSTRUCT MSLLHOOKSTRUCT;
struct tagKBDLLHOOKSTRUCT {
    DWORD vkCode;
    DWORD scanCode;
    DWORD flags;
    DWORD time;
    uintptr_t dwExtraInfo;
};
typedef tagKBDLLHOOKSTRUCT KBDLLHOOKSTRUCT;
#endif
