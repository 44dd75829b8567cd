#pragma once

// The narrow seam between the portable core and the operating system. Each area is a
// small abstract interface; a Platform hands them out. The Windows build implements
// them over the system's API (platform/win32), the Linux build over a simulated
// desktop (platform/sim) that tests drive deterministically.
//
// Later areas (windows, processes, hooks, input injection, timers, messages, shell,
// clipboard, system parameters) are added as further interfaces beside these.

#include "platform/handles.h"
#include "support/text.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace pw::platform {

struct LocalTime {
    int year = 0;
    int month = 0; // 1 to 12
    int day = 0;   // 1 to 31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds since the system started; wraps after 49.7 days.
    virtual uint32_t TickCount() = 0;
    // The local wall-clock time; false when it cannot be computed.
    virtual bool LocalNow(LocalTime& time) = 0;
};

class Diagnostics {
public:
    virtual ~Diagnostics() = default;
    // The debugger output channel; text is sent as given, line ends included.
    virtual void DebugOutput(const Char* text) = 0;
    // The calling thread's last system error code.
    virtual uint32_t LastError() = 0;
    // The system's text for an error code, without line breaks; empty when unknown.
    virtual String SystemErrorText(uint32_t code) = 0;
};

enum class FileOpen {
    OpenOrCreate, // open, creating the file if missing
    CreateAlways, // create, truncating an existing file
    OpenExisting, // open only an existing file
};

// An open file, shared for reading and writing with other openers.
class File {
public:
    virtual ~File() = default;
    virtual bool Size(uint64_t& size) = 0;
    // Reads up to bytes at offset; read tells how many came back (0 at the end).
    virtual bool ReadAt(uint64_t offset, void* buffer, size_t bytes, size_t& read) = 0;
    virtual bool WriteAt(uint64_t offset, const void* data, size_t bytes) = 0;
    // Moves to the current end of the file and writes there.
    virtual bool Append(const void* data, size_t bytes) = 0;
    // Cuts or extends the file to size bytes.
    virtual bool Truncate(uint64_t size) = 0;
    virtual bool Flush() = 0;
};

// Paths are the system's: drive-rooted, backslash-separated.
class FileSystem {
public:
    virtual ~FileSystem() = default;
    // Opens path; on failure returns null and sets error to the system error code.
    virtual std::unique_ptr<File> Open(const Char* path, FileOpen mode, uint32_t& error) = 0;
    virtual bool Exists(const Char* path) = 0;
    virtual bool IsDirectory(const Char* path) = 0;
    // Creates one folder whose parent exists.
    virtual bool CreateDirectory(const Char* path) = 0;
    // Replaces target by source in one step (source is removed); target may not exist.
    virtual bool Replace(const Char* source, const Char* target) = 0;
    virtual bool Remove(const Char* path) = 0;
};

// The registry, shaped like the system's own calls: results are system error codes.
class Registry {
public:
    virtual ~Registry() = default;
    virtual long OpenKey(HKEY root, const Char* subKey, unsigned long access, HKEY& key) = 0;
    virtual long CreateKey(HKEY root, const Char* subKey, unsigned long access, HKEY& key) = 0;
    virtual long CloseKey(HKEY key) = 0;
    // As the system's query: with data null only type and size are returned; a buffer
    // that is too small gives kErrorMoreData and the needed size.
    virtual long QueryValue(HKEY key, const Char* name, unsigned long* type, unsigned char* data,
                            unsigned long* size) = 0;
    virtual long SetValue(HKEY key, const Char* name, unsigned long type,
                          const unsigned char* data, unsigned long size) = 0;
    virtual long DeleteValue(HKEY key, const Char* name) = 0;
};

class Environment {
public:
    virtual ~Environment() = default;
    // An environment variable; false when it is not set.
    virtual bool GetVariable(const Char* name, String& value) = 0;
    // The system temporary folder, ending with a backslash.
    virtual String TempFolder() = 0;
    // Full path of the process's main executable.
    virtual String ExecutablePath() = 0;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Shows a message box and returns the answer (kIdOk, kIdYes, ...).
    virtual int MessageBox(HWND owner, const Char* text, const Char* caption,
                           unsigned int style) = 0;
};

// The running system's version and the user's input settings.
class SystemInfo {
public:
    virtual ~SystemInfo() = default;
    // The version query's major and minor numbers; false when the query failed.
    virtual bool OsVersion(unsigned long& major, unsigned long& minor) = 0;
    // The keyboard repeat speed setting, 0 (slow) to 31 (fast).
    virtual unsigned KeyboardSpeed() = 0;
    // Whether the session is a remote desktop session.
    virtual bool IsRemoteSession() = 0;
    // The system's key state word for a virtual key: high bit down, low bit toggled.
    virtual short KeyState(int virtualKey) = 0;
};

// The crash-reporting back end: what a report contains and what runs before it.
class CrashReporter {
public:
    using PreErrorHandler = void (*)();
    virtual ~CrashReporter() = default;
    virtual void SetAppName(const Char* name) = 0;
    virtual void SetAppVersion(const Char* version) = 0;
    virtual void AddAttachment(const Char* path) = 0;
    virtual void SetSupport(const Char* email, const Char* url, const Char* server,
                            unsigned short port) = 0;
    virtual void SetNotificationEmail(const Char* email) = 0;
    virtual void SetFlags(unsigned long flags) = 0;
    virtual void SetPreErrorHandler(PreErrorHandler handler) = 0;
    // Installs the structured-exception filter and the terminate handler.
    virtual void InstallFilters() = 0;
};

class Platform {
public:
    virtual ~Platform() = default;
    virtual Clock& GetClock() = 0;
    virtual Diagnostics& GetDiagnostics() = 0;
    virtual FileSystem& GetFileSystem() = 0;
    virtual Registry& GetRegistry() = 0;
    virtual Environment& GetEnvironment() = 0;
    virtual Dialogs& GetDialogs() = 0;
    virtual SystemInfo& GetSystemInfo() = 0;
    virtual CrashReporter& GetCrashReporter() = 0;
};

// The platform in force. The Windows build has one; the Linux build starts with a
// default simulated desktop and lets a test install its own.
Platform& Current();

// Installs platform as the current one until the returned object is destroyed.
class ScopedPlatform {
public:
    explicit ScopedPlatform(Platform& platform);
    ~ScopedPlatform();
    ScopedPlatform(const ScopedPlatform&) = delete;
    ScopedPlatform& operator=(const ScopedPlatform&) = delete;

private:
    Platform* previous_;
};

// Shorthands for the core.
inline Clock& GetClock() { return Current().GetClock(); }
inline uint32_t TickCount() { return Current().GetClock().TickCount(); }
inline Diagnostics& GetDiagnostics() { return Current().GetDiagnostics(); }
inline FileSystem& GetFileSystem() { return Current().GetFileSystem(); }
inline Registry& GetRegistry() { return Current().GetRegistry(); }
inline Environment& GetEnvironment() { return Current().GetEnvironment(); }
inline Dialogs& GetDialogs() { return Current().GetDialogs(); }
inline SystemInfo& GetSystemInfo() { return Current().GetSystemInfo(); }
inline CrashReporter& GetCrashReporter() { return Current().GetCrashReporter(); }

} // namespace pw::platform
