#pragma once

// Opaque system handle types, declared exactly as the system headers declare them so
// that the portable core can name them without including those headers, and so that
// exported signatures keep the system's types.

#include <cstdint>

struct HWND__;
struct HKEY__;
struct HHOOK__;
struct HINSTANCE__;
struct HMONITOR__;
typedef HWND__* HWND;
typedef HKEY__* HKEY;
typedef HHOOK__* HHOOK;
typedef HINSTANCE__* HINSTANCE;
typedef HMONITOR__* HMONITOR;

namespace pw::platform {

// Predefined registry roots, with the system's values.
inline HKEY RootKey(std::uintptr_t value) { return reinterpret_cast<HKEY>(value); }
inline HKEY CurrentUserKey() { return RootKey(0x80000001u); }
inline HKEY LocalMachineKey() { return RootKey(0x80000002u); }

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
inline constexpr unsigned long kErrorAlreadyExists = 183;
inline constexpr unsigned long kErrorMoreData = 234;
inline constexpr unsigned long kErrorInvalidParameter = 87;

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

} // namespace pw::platform
