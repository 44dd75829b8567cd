#include "settings_file.h"

#include <windows.h>

namespace pw::host {

namespace {

// Larger than any settings file; a bigger one is not read into memory.
constexpr uint64_t kMaxBytes = 64ull * 1024 * 1024;

uint64_t Combine(DWORD high, DWORD low) {
    return (static_cast<uint64_t>(high) << 32) | low;
}

} // namespace

FileStamp StampOf(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return FileStamp{};
    FileStamp stamp;
    stamp.kind =
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? FileKind::Folder : FileKind::File;
    stamp.size = Combine(data.nFileSizeHigh, data.nFileSizeLow);
    stamp.writeTime =
        Combine(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime);
    return stamp;
}

bool ReadFileBytes(const std::wstring& path, std::string& bytes, unsigned long& error) {
    bytes.clear();
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = GetLastError();
        return false;
    }
    bool ok = true;
    char chunk[16384];
    DWORD got = 0;
    while ((ok = ReadFile(file, chunk, sizeof chunk, &got, nullptr) != FALSE) && got > 0) {
        if (bytes.size() + got > kMaxBytes) {
            SetLastError(ERROR_FILE_TOO_LARGE);
            ok = false;
            break;
        }
        bytes.append(chunk, got);
    }
    if (!ok)
        error = GetLastError();
    CloseHandle(file);
    return ok;
}

} // namespace pw::host
