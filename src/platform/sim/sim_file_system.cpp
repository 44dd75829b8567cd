#include "platform/sim/sim_file_system.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace pw::sim {

namespace {

uint32_t SystemErrorFromErrno(int error) {
    switch (error) {
    case ENOENT:
        return platform::kErrorPathNotFound;
    case EACCES:
    case EPERM:
    case EISDIR:
        return platform::kErrorAccessDenied;
    case EEXIST:
        return platform::kErrorAlreadyExists;
    default:
        return platform::kErrorInvalidParameter;
    }
}

class HostFile final : public platform::File {
  public:
    explicit HostFile(int fd) : fd_(fd) {}
    ~HostFile() override { ::close(fd_); }

    bool Size(uint64_t& size) override {
        struct stat info {};
        if (::fstat(fd_, &info) != 0)
            return false;
        size = static_cast<uint64_t>(info.st_size);
        return true;
    }
    bool ReadAt(uint64_t offset, void* buffer, size_t bytes, size_t& read) override {
        ssize_t n = ::pread(fd_, buffer, bytes, static_cast<off_t>(offset));
        if (n < 0)
            return false;
        read = static_cast<size_t>(n);
        return true;
    }
    bool WriteAt(uint64_t offset, const void* data, size_t bytes) override {
        const char* p = static_cast<const char*>(data);
        while (bytes > 0) {
            ssize_t n = ::pwrite(fd_, p, bytes, static_cast<off_t>(offset));
            if (n <= 0)
                return false;
            p += n;
            offset += static_cast<uint64_t>(n);
            bytes -= static_cast<size_t>(n);
        }
        return true;
    }
    bool Append(const void* data, size_t bytes) override {
        uint64_t end = 0;
        return Size(end) && WriteAt(end, data, bytes);
    }
    bool Truncate(uint64_t size) override {
        return ::ftruncate(fd_, static_cast<off_t>(size)) == 0;
    }
    bool Flush() override { return ::fsync(fd_) == 0 || errno == EINVAL; }

  private:
    int fd_;
};

} // namespace

SimFileSystem::SimFileSystem() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/pallawick-sim-XXXXXX";
    if (::mkdtemp(pattern.data()))
        root_ = pattern;
    else
        root_ = "/tmp";
}

SimFileSystem::~SimFileSystem() {
    if (root_ == "/tmp")
        return;
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

std::string SimFileSystem::HostPath(StringView path) const {
    std::string out = root_;
    size_t start = 0;
    if (path.size() >= 2 && path[1] == L':') {
        out += '/';
        out += static_cast<char>(path[0]);
        start = 2;
    }
    std::string rest = ToUtf8(path.substr(start));
    for (char& c : rest) {
        if (c == '\\')
            c = '/';
    }
    if (!rest.empty() && rest.front() != '/')
        out += '/';
    out += rest;
    while (out.size() > root_.size() + 1 && out.back() == '/')
        out.pop_back();
    return out;
}

std::unique_ptr<platform::File> SimFileSystem::Open(const Char* path, platform::FileOpen mode,
                                                    uint32_t& error) {
    error = 0;
    if (failOpens_) {
        error = failOpens_;
        return nullptr;
    }
    const bool readOnly = mode == platform::FileOpen::ReadExisting;
    int flags = (readOnly ? O_RDONLY : O_RDWR) | O_CLOEXEC;
    if (mode == platform::FileOpen::OpenOrCreate)
        flags |= O_CREAT;
    else if (mode == platform::FileOpen::CreateAlways)
        flags |= O_CREAT | O_TRUNC;
    if (!readOnly) {
        if (uint32_t denial = WriteDenial(path)) {
            error = denial;
            return nullptr;
        }
    }
    int fd = ::open(HostPath(path ? path : L"").c_str(), flags, 0644);
    if (fd < 0) {
        error = SystemErrorFromErrno(errno);
        bool existingOnly = mode == platform::FileOpen::OpenExisting || readOnly;
        if (existingOnly && errno == ENOENT)
            error = platform::kErrorFileNotFound;
        return nullptr;
    }
    return std::make_unique<HostFile>(fd);
}

bool SimFileSystem::Exists(const Char* path) {
    struct stat info {};
    return path && ::stat(HostPath(path).c_str(), &info) == 0;
}

bool SimFileSystem::IsDirectory(const Char* path) {
    struct stat info {};
    return path && ::stat(HostPath(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool SimFileSystem::CreateDirectory(const Char* path) {
    return path && ::mkdir(HostPath(path).c_str(), 0755) == 0;
}

bool SimFileSystem::Replace(const Char* source, const Char* target) {
    if (!source || !target || WriteDenial(target))
        return false;
    return ::rename(HostPath(source).c_str(), HostPath(target).c_str()) == 0;
}

bool SimFileSystem::Remove(const Char* path) {
    return path && !WriteDenial(path) && ::unlink(HostPath(path).c_str()) == 0;
}

void SimFileSystem::DenyWrites(StringView path, uint32_t error) {
    std::lock_guard lock(mutex_);
    if (error)
        deniedWrites_[HostPath(path)] = error;
    else
        deniedWrites_.erase(HostPath(path));
}

uint32_t SimFileSystem::WriteDenial(const Char* path) const {
    std::lock_guard lock(mutex_);
    if (!path || deniedWrites_.empty())
        return 0;
    auto found = deniedWrites_.find(HostPath(path));
    return found == deniedWrites_.end() ? 0 : found->second;
}

bool SimFileSystem::WriteFile(StringView path, std::string_view bytes) {
    std::string host = HostPath(path);
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(host).parent_path(), ignored);
    FILE* f = std::fopen(host.c_str(), "wb");
    if (!f)
        return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

bool SimFileSystem::ReadFile(StringView path, std::string& bytes) const {
    FILE* f = std::fopen(HostPath(path).c_str(), "rb");
    if (!f)
        return false;
    bytes.clear();
    char chunk[8192];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0)
        bytes.append(chunk, n);
    std::fclose(f);
    return true;
}

} // namespace pw::sim
