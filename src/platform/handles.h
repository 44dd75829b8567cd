#pragma once

// The system's handle types (platform/system_types.h) and the system constants the core
// uses by name.

#include "platform/system_types.h"

#include <cstdint>

namespace pw::platform {

// Predefined registry roots, with the system's values.
inline HKEY RootKey(std::uintptr_t value) {
    return reinterpret_cast<HKEY>(value);
}
inline HKEY CurrentUserKey() {
    return RootKey(0x80000001u);
}
inline HKEY LocalMachineKey() {
    return RootKey(0x80000002u);
}

// Registry value types and access masks used by the library (system values).
inline constexpr unsigned long kRegNone = 0;
inline constexpr unsigned long kRegSz = 1;
inline constexpr unsigned long kRegExpandSz = 2;
inline constexpr unsigned long kRegBinary = 3;
inline constexpr unsigned long kRegDword = 4;
inline constexpr unsigned long kKeyRead = 0x20019;
inline constexpr unsigned long kKeyAllAccess = 0xF003F;

// System error codes the core reports or compares against.
inline constexpr unsigned long kErrorSuccess = 0;
inline constexpr unsigned long kErrorFileNotFound = 2;
inline constexpr unsigned long kErrorPathNotFound = 3;
inline constexpr unsigned long kErrorAccessDenied = 5;
inline constexpr unsigned long kErrorInvalidHandle = 6;
inline constexpr unsigned long kErrorSharingViolation = 32;
inline constexpr unsigned long kErrorAlreadyExists = 183;
inline constexpr unsigned long kErrorMoreData = 234;
inline constexpr unsigned long kErrorInvalidParameter = 87;
inline constexpr unsigned long kErrorIoPending = 997;

// Message box styles and answers (system values).
inline constexpr unsigned int kMbOk = 0x0;
inline constexpr unsigned int kMbYesNoCancel = 0x3;
inline constexpr unsigned int kMbYesNo = 0x4;
inline constexpr unsigned int kMbIconError = 0x10;
inline constexpr unsigned int kMbIconQuestion = 0x20;
inline constexpr unsigned int kMbIconWarning = 0x30;
inline constexpr unsigned int kMbIconInformation = 0x40;
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

inline constexpr unsigned long kErrorInsufficientBuffer = 122;

// Window styles and the window-long indices that read them (system values).
inline constexpr int kGwlStyle = -16;
inline constexpr int kGwlExStyle = -20;
inline constexpr unsigned long kWsPopup = 0x80000000;
inline constexpr unsigned long kWsVisible = 0x10000000;
inline constexpr unsigned long kWsCaption = 0x00C00000;
inline constexpr unsigned long kWsSysMenu = 0x00080000;
inline constexpr unsigned long kWsMinimizeBox = 0x00020000;
inline constexpr unsigned long kWsMaximizeBox = 0x00010000;
inline constexpr unsigned long kWsVScroll = 0x00200000;
inline constexpr unsigned long kWsHScroll = 0x00100000;
// A scroll-bar control's orientation style: vertical when set.
inline constexpr unsigned long kSbsVert = 0x0001;
inline constexpr unsigned long kWsExTopmost = 0x00000008;
inline constexpr unsigned long kWsExMdiChild = 0x00000040;
inline constexpr unsigned long kWsExToolWindow = 0x00000080;
inline constexpr unsigned long kWsExNoActivate = 0x08000000;

// GetAncestor kinds and GetWindow relations.
inline constexpr unsigned kGaParent = 1;
inline constexpr unsigned kGaRoot = 2;
inline constexpr unsigned kGaRootOwner = 3;
inline constexpr unsigned kGwHwndFirst = 0;
inline constexpr unsigned kGwHwndLast = 1;
inline constexpr unsigned kGwHwndNext = 2;
inline constexpr unsigned kGwHwndPrev = 3;
inline constexpr unsigned kGwOwner = 4;
inline constexpr unsigned kGwChild = 5;

// Messages the library sends or posts, and SendMessageTimeoutW flags (system values).
inline constexpr unsigned kWmNull = 0x0000;
inline constexpr unsigned kWmGetText = 0x000D;
inline constexpr unsigned kWmGetTextLength = 0x000E;
inline constexpr unsigned kWmNcHitTest = 0x0084;
inline constexpr unsigned kWmTimer = 0x0113;
inline constexpr unsigned kWmKeyDown = 0x0100;
inline constexpr unsigned kWmKeyUp = 0x0101;
inline constexpr unsigned kWmHScroll = 0x0114;
inline constexpr unsigned kWmVScroll = 0x0115;
inline constexpr unsigned kWmMouseMove = 0x0200;
inline constexpr unsigned kWmMouseWheel = 0x020A;
inline constexpr unsigned kWmMouseHWheel = 0x020E;
inline constexpr unsigned kWmUser = 0x0400;
inline constexpr unsigned kWmQuit = 0x0012;
inline constexpr unsigned kWmAppCommand = 0x0319;
inline constexpr unsigned kWmSysCommand = 0x0112;
inline constexpr unsigned kSmtoAbortIfHung = 0x0002;
// WM_SYSCOMMAND commands.
inline constexpr WPARAM kScMinimize = 0xF020;
inline constexpr WPARAM kScMaximize = 0xF030;
inline constexpr WPARAM kScClose = 0xF060;
inline constexpr WPARAM kScRestore = 0xF120;
inline constexpr WPARAM kScScreenSave = 0xF140;
inline constexpr WPARAM kScMonitorPower = 0xF170;
// The window handle that posts to every top-level window.
inline const HWND kHwndBroadcast = reinterpret_cast<HWND>(static_cast<uintptr_t>(0xFFFF));
// Scroll bars (GetScrollInfo) and the scroll commands of WM_VSCROLL and WM_HSCROLL.
inline constexpr int kSbHorz = 0;
inline constexpr int kSbVert = 1;
inline constexpr int kSbCtl = 2;
inline constexpr WPARAM kSbLineUp = 0;   // also SB_LINELEFT
inline constexpr WPARAM kSbLineDown = 1; // also SB_LINERIGHT
inline constexpr WPARAM kSbPageUp = 2;   // also SB_PAGELEFT
inline constexpr WPARAM kSbPageDown = 3; // also SB_PAGERIGHT
inline constexpr WPARAM kSbThumbPosition = 4;
inline constexpr WPARAM kSbEndScroll = 8;
// ShowWindow commands.
inline constexpr int kSwShowNormal = 1;
inline constexpr int kSwMaximize = 3;
inline constexpr int kSwMinimize = 6;
inline constexpr int kSwRestore = 9;
// WM_NCHITTEST answers: nowhere, client area; anything above is the frame.
inline constexpr long kHtNowhere = 0;
inline constexpr long kHtClient = 1;

// Virtual keys the core reads or presses by name.
inline constexpr int kVkLButton = 0x01;
inline constexpr int kVkRButton = 0x02;
inline constexpr int kVkMButton = 0x04;
inline constexpr int kVkXButton1 = 0x05;
inline constexpr int kVkXButton2 = 0x06;
inline constexpr int kVkShift = 0x10;
inline constexpr int kVkControl = 0x11;
inline constexpr int kVkMenu = 0x12;
inline constexpr int kVkScroll = 0x91;
inline constexpr int kVkLWin = 0x5B;
inline constexpr int kVkRWin = 0x5C;
inline constexpr int kVkApps = 0x5D;

// Low-level hook record flags: injected, injected from a lower integrity level.
inline constexpr DWORD kLlmhfInjected = 0x1;
inline constexpr DWORD kLlmhfLowerIlInjected = 0x2;
// Low-level keyboard record flags: injected, key up.
inline constexpr DWORD kLlkhfInjected = 0x10;
inline constexpr DWORD kLlkhfUp = 0x80;

// Keyboard messages of the low-level keyboard hook.
inline constexpr unsigned kWmSysKeyDown = 0x0104;
inline constexpr unsigned kWmSysKeyUp = 0x0105;

// ChildWindowFromPointEx: consider every child.
inline constexpr unsigned kCwpAll = 0;
// MonitorFromPoint: the nearest monitor when none contains the point.
inline constexpr unsigned long kMonitorDefaultToNearest = 2;
// GetDpiForMonitor: the effective DPI.
inline constexpr int kMdtEffectiveDpi = 0;
inline constexpr unsigned kDefaultDpi = 96;

// Process access rights and the token right the integrity query needs.
inline constexpr unsigned long kProcessVmRead = 0x0010;
inline constexpr unsigned long kProcessQueryInformation = 0x0400;
inline constexpr unsigned long kProcessQueryLimitedInformation = 0x1000;
inline constexpr unsigned long kTokenQuery = 0x0008;

// Mandatory-label RIDs of the integrity levels.
inline constexpr unsigned long kIntegrityUntrusted = 0x0000;
inline constexpr unsigned long kIntegrityLow = 0x1000;
inline constexpr unsigned long kIntegrityMedium = 0x2000;
inline constexpr unsigned long kIntegrityMediumPlus = 0x2100;
inline constexpr unsigned long kIntegrityHigh = 0x3000;
inline constexpr unsigned long kIntegritySystem = 0x4000;
inline constexpr unsigned long kIntegrityProtected = 0x5000;
inline constexpr unsigned long kIntegrityUnknown = 0xFFFFFFFF;

} // namespace pw::platform
