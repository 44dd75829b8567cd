#pragma once

#include "platform/platform.h"

#include <map>
#include <mutex>
#include <string>

namespace pw::sim {

// A folder tree under a host directory. System paths such as "C:\Users\me\x.txt" map to
// "<root>/C/Users/me/x.txt"; the files are real, so sizes, trimming and replacement
// behave as on disk.
class SimFileSystem final : public platform::FileSystem {
  public:
    // Creates a fresh root under the host's temporary directory, removed on destruction.
    SimFileSystem();
    ~SimFileSystem() override;
    SimFileSystem(const SimFileSystem&) = delete;
    SimFileSystem& operator=(const SimFileSystem&) = delete;

    std::unique_ptr<platform::File> Open(const Char* path, platform::FileOpen mode,
                                         uint32_t& error) override;
    bool Exists(const Char* path) override;
    bool IsDirectory(const Char* path) override;
    bool CreateDirectory(const Char* path) override;
    bool Replace(const Char* source, const Char* target) override;
    bool Remove(const Char* path) override;

    // The host path a system path maps to.
    std::string HostPath(StringView path) const;
    const std::string& Root() const { return root_; }
    // Test helpers: whole-file access by system path.
    bool WriteFile(StringView path, std::string_view bytes);
    bool ReadFile(StringView path, std::string& bytes) const;
    // Makes every later Open fail with error (0 restores normal behaviour).
    void FailOpens(uint32_t error) { failOpens_ = error; }
    // Makes every later write access to path fail with error: opening it for anything
    // but reading, replacing it by another file and removing it. kErrorAccessDenied acts
    // as a read-only file, kErrorSharingViolation as one that another program holds open
    // sharing only reading; 0 lifts it.
    void DenyWrites(StringView path, uint32_t error);

  private:
    // The error that write access to path meets, or 0.
    uint32_t WriteDenial(const Char* path) const;

    std::string root_;
    uint32_t failOpens_ = 0;
    mutable std::mutex mutex_;
    std::map<std::string, uint32_t> deniedWrites_;
};

} // namespace pw::sim
