#pragma once

// The hook library's exported functions and classes that the host calls, from the
// library's public headers alone, as a program that links the DLL sees them.

#include <PallawickHook/PallawickHook.h>
