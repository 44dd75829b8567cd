#pragma once

// The settings file as the host sees it on disk: what kind of thing its path names, and
// its bytes, read while another program may still be writing it.

#include <cstdint>
#include <string>

namespace pw::host {

enum class FileKind { Missing, File, Folder };

// Enough to tell that the file changed: a change in the folder that leaves the stamp of
// the settings file as it was (the library's log beside it, say) is not a reason to reload.
struct FileStamp {
    FileKind kind = FileKind::Missing;
    uint64_t size = 0;
    uint64_t writeTime = 0;

    bool operator==(const FileStamp&) const = default;
};

FileStamp StampOf(const std::wstring& path);

// The whole file; false with the system's error code when it cannot be opened or read.
// Writers, and a program replacing the file, are not kept out.
bool ReadFileBytes(const std::wstring& path, std::string& bytes, unsigned long& error);

} // namespace pw::host
