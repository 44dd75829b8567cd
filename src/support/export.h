#pragma once

// Marks the functions and classes the DLL exports: exported while the DLL is built,
// imported by the programs that link against it. The Linux build links the core
// statically, so the marker is empty there.
#if defined(_WIN32) && defined(PALLAWICK_BUILDING_DLL)
#define PW_API __declspec(dllexport)
#elif defined(_WIN32)
#define PW_API __declspec(dllimport)
#else
#define PW_API
#endif

#define PW_EXTERN_C extern "C" PW_API
