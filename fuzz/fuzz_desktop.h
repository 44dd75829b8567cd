#pragma once

// The world a fuzz target runs in: one simulated desktop with the library attached, made
// at the first input and kept for the whole process, and a folder for the files the
// target reads and writes.

#include "platform/sim/simulated_desktop.h"

#include <string>
#include <string_view>

namespace pw::fuzz {

inline constexpr const Char* kFolder = L"C:\\Fuzz";

sim::SimulatedDesktop& Desktop();

// Drops what the simulated desktop recorded during one input (debugger lines, shown
// message boxes, injected records, posted messages), so a long run does not grow.
void ForgetRecords();

// The file's bytes; empty when it cannot be read.
std::string FileBytes(const Char* path);

// Reports a broken invariant and aborts, which the fuzzer keeps as a crash.
[[noreturn]] void Fail(const char* what, std::string_view input);

} // namespace pw::fuzz
