#include "platform/win32/win32_api.h"

#include "platform/win32/win32_file_system.h"

#include <algorithm>

namespace pw::win32 {

namespace {

// ReadFile and WriteFile move at most a DWORD's worth of bytes per call.
constexpr size_t kMaxTransfer = 0x40000000;

class Win32File final : public platform::File {
  public:
    explicit Win32File(HANDLE handle) : handle_(handle) {}
    ~Win32File() override { CloseHandle(handle_); }
    Win32File(const Win32File&) = delete;
    Win32File& operator=(const Win32File&) = delete;

    bool Size(uint64_t& size) override {
        LARGE_INTEGER value{};
        if (!GetFileSizeEx(handle_, &value))
            return false;
        size = static_cast<uint64_t>(value.QuadPart);
        return true;
    }

    bool ReadAt(uint64_t offset, void* buffer, size_t bytes, size_t& read) override {
        read = 0;
        if (!Seek(offset, FILE_BEGIN))
            return false;
        auto* out = static_cast<unsigned char*>(buffer);
        while (bytes > 0) {
            DWORD chunk = static_cast<DWORD>(std::min(bytes, kMaxTransfer));
            DWORD got = 0;
            if (!ReadFile(handle_, out, chunk, &got, nullptr))
                return false;
            if (got == 0)
                break;
            read += got;
            out += got;
            bytes -= got;
        }
        return true;
    }

    bool WriteAt(uint64_t offset, const void* data, size_t bytes) override {
        return Seek(offset, FILE_BEGIN) && WriteAll(data, bytes);
    }

    bool Append(const void* data, size_t bytes) override {
        return Seek(0, FILE_END) && WriteAll(data, bytes);
    }

    bool Truncate(uint64_t size) override {
        return Seek(size, FILE_BEGIN) && SetEndOfFile(handle_);
    }

    bool Flush() override { return FlushFileBuffers(handle_); }

  private:
    bool Seek(uint64_t offset, DWORD method) {
        LARGE_INTEGER distance{};
        distance.QuadPart = static_cast<LONGLONG>(offset);
        return SetFilePointerEx(handle_, distance, nullptr, method);
    }

    bool WriteAll(const void* data, size_t bytes) {
        auto* in = static_cast<const unsigned char*>(data);
        while (bytes > 0) {
            DWORD chunk = static_cast<DWORD>(std::min(bytes, kMaxTransfer));
            DWORD written = 0;
            if (!WriteFile(handle_, in, chunk, &written, nullptr) || written == 0)
                return false;
            in += written;
            bytes -= written;
        }
        return true;
    }

    HANDLE handle_;
};

DWORD Disposition(platform::FileOpen mode) {
    switch (mode) {
    case platform::FileOpen::OpenOrCreate:
        return OPEN_ALWAYS;
    case platform::FileOpen::CreateAlways:
        return CREATE_ALWAYS;
    case platform::FileOpen::OpenExisting:
    case platform::FileOpen::ReadExisting:
        return OPEN_EXISTING;
    }
    return OPEN_EXISTING;
}

// Reading asks for no write access: a read-only file, or one another program holds open
// while sharing only reading, still opens.
DWORD Access(platform::FileOpen mode) {
    if (mode == platform::FileOpen::ReadExisting)
        return GENERIC_READ;
    return GENERIC_READ | GENERIC_WRITE;
}

} // namespace

std::unique_ptr<platform::File> Win32FileSystem::Open(const Char* path, platform::FileOpen mode,
                                                      uint32_t& error) {
    error = 0;
    if (!path || !*path) {
        error = ERROR_INVALID_PARAMETER;
        return nullptr;
    }
    HANDLE handle = CreateFileW(path, Access(mode), FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                Disposition(mode), FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        error = GetLastError();
        return nullptr;
    }
    return std::make_unique<Win32File>(handle);
}

bool Win32FileSystem::Exists(const Char* path) {
    return path && GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

bool Win32FileSystem::IsDirectory(const Char* path) {
    if (!path)
        return false;
    DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::CreateDirectory(const Char* path) {
    return path && CreateDirectoryW(path, nullptr);
}

bool Win32FileSystem::Replace(const Char* source, const Char* target) {
    return source && target &&
           MoveFileExW(source, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

bool Win32FileSystem::Remove(const Char* path) {
    return path && DeleteFileW(path);
}

} // namespace pw::win32
