#include "support/log_file_trim.h"

#include <array>

namespace pw::logfile {

namespace {

// Offset of the last CR or LF at or before start, searching down to offset 1; false when
// there is none or a byte cannot be read.
bool FindLineEndBackwards(platform::File& file, uint64_t start, uint64_t& lineEnd) {
    for (uint64_t offset = start; offset >= 1; --offset) {
        unsigned char byte = 0;
        size_t read = 0;
        if (!file.ReadAt(offset, &byte, 1, read) || read != 1)
            return false;
        if (byte == '\r' || byte == '\n') {
            lineEnd = offset;
            return true;
        }
    }
    return false;
}

} // namespace

bool TrimToRecentLines(platform::File& file) {
    uint64_t size = 0;
    if (!file.Size(size) || size <= kTrimThreshold)
        return false;
    uint64_t lineEnd = 0;
    if (!FindLineEndBackwards(file, size - kTrimKeep, lineEnd))
        return false;

    std::array<unsigned char, kTrimChunk> chunk;
    uint64_t readOffset = lineEnd + 1;
    uint64_t writeOffset = 0;
    while (readOffset < size) {
        size_t read = 0;
        if (!file.ReadAt(readOffset, chunk.data(), chunk.size(), read) || read == 0)
            break;
        if (!file.WriteAt(writeOffset, chunk.data(), read))
            break;
        file.Flush();
        readOffset += read;
        writeOffset += read;
        if (read < chunk.size())
            break;
    }
    file.Truncate(writeOffset);
    file.Flush();
    return true;
}

} // namespace pw::logfile
