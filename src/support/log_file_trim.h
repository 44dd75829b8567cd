#pragma once

// Keeps the log file from growing without bound: a file above the limit is cut down to
// its most recent lines.

#include "platform/platform.h"

#include <cstdint>

namespace pw::logfile {

inline constexpr uint64_t kTrimThreshold = 3'000'000; // larger files are trimmed
inline constexpr uint64_t kTrimKeep = 2'000'000;      // about this much is kept
inline constexpr size_t kTrimChunk = 8192;

// If file is larger than kTrimThreshold bytes, moves everything after the last line end
// at or before kTrimKeep bytes from the end to the start of the file and cuts the rest.
// A file without such a line end, or one whose line end cannot be read, is left as it
// is. Returns whether the file was trimmed.
bool TrimToRecentLines(platform::File& file);

} // namespace pw::logfile
