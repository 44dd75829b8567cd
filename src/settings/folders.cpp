#include "settings/folders.h"

#include "platform/platform.h"
#include "settings/reg_key.h"
#include "support/bounded_copy.h"
#include "support/format.h"
#include "support/thread_lock.h"

#include <cstring>

using namespace pw::folders;
using namespace pw::platform;

bool g_bPortable = false;

namespace {

constexpr const Char* kSettingsFolderValue = L"SettingsFolder";
constexpr const Char* kLogFolderValue = L"LogFolder";
constexpr const Char* kNoFolderDebugLine = L"Unable to get or create the log file folder\n";

// The log asks these functions for its own path, so they never log, not even through
// the invalid-parameter handler that CopyString reports to: a failure is a result code.
int CopyQuietly(Char* buffer, size_t size, StringView text) {
    if (!buffer || size == 0)
        return pw::kCopyInvalid;
    if (text.size() >= size) {
        buffer[0] = 0;
        return pw::kCopyRange;
    }
    std::memcpy(buffer, text.data(), text.size() * sizeof(Char));
    buffer[text.size()] = 0;
    return 0;
}

void EnsureTrailingBackslash(String& folder) {
    if (folder.empty() || folder.back() != L'\\')
        folder += L'\\';
}

String ExecutableFolder() {
    String path = GetEnvironment().ExecutablePath();
    size_t cut = path.rfind(L'\\');
    if (cut == String::npos)
        return String();
    path.resize(cut + 1);
    return path;
}

// The "SettingsFolder" override when it names an existing folder; empty otherwise.
String ConfiguredSettingsFolder() {
    CMyRegKey key(kRegistryKey, LocalMachineKey(), kKeyRead);
    if (!key.IsValid())
        return String();
    Char value[kMaxSettingsFolderBytes / sizeof(Char) + 1] = {};
    if (!key.GetValue(kSettingsFolderValue, value, kMaxSettingsFolderBytes) || !value[0])
        return String();
    if (!GetFileSystem().IsDirectory(value))
        return String();
    String folder(value);
    EnsureTrailingBackslash(folder);
    return folder;
}

// APPDATA plus the maker's and product's folders; 0 or the copy error.
int DefaultSettingsFolder(String& folder) {
    String appData;
    if (!GetEnvironment().GetVariable(L"APPDATA", appData) || appData.empty())
        return pw::kCopyInvalid;
    while (!appData.empty() && appData.back() == L'\\')
        appData.pop_back();
    if (appData.size() + std::wcslen(kAppDataSuffix) >= kMaxPath)
        return pw::kCopyRange;
    folder = appData + kAppDataSuffix;
    return 0;
}

// Tells the user (and the debugger) that the log goes to the fallback folder instead.
void ReportLogFolderFallback(const Char* format, unsigned int icon, const Char* folder,
                             const String& fallback) {
    GetDiagnostics().DebugOutput(kNoFolderDebugLine);
    String text(2 * kMaxPath + 256, L'\0');
    if (pw::Format(text.data(), text.size(), format, folder, fallback.c_str()) < 0)
        return;
    GetDialogs().MessageBox(nullptr, text.c_str(), kAppDisplayName, kMbOk | icon);
}

} // namespace

PW_EXTERN_C int GetSettingsFolder(Char* buffer, size_t size) {
    CThreadLock lock(L"GetSettingsFolder");
    if (!buffer || size == 0)
        return pw::kCopyInvalid;
    buffer[0] = 0;

    if (g_bPortable) {
        String folder = ExecutableFolder();
        if (folder.empty())
            return pw::kCopyInvalid;
        return CopyQuietly(buffer, size, folder);
    }

    String folder = ConfiguredSettingsFolder();
    if (folder.empty()) {
        if (int error = DefaultSettingsFolder(folder))
            return error;
    }
    return CopyQuietly(buffer, size, folder);
}

PW_EXTERN_C int GetLogFolder(Char* buffer, size_t size, bool create) {
    CThreadLock lock(L"GetLogFolder");
    if (!buffer || size == 0)
        return pw::kCopyInvalid;
    buffer[0] = 0;

    CMyRegKey key(kRegistryKey, CurrentUserKey(), kKeyRead);
    unsigned long bufferBytes = static_cast<unsigned long>(size * sizeof(Char));
    if (!key.IsValid() || !key.GetValue(kLogFolderValue, buffer, bufferBytes))
        buffer[0] = 0;
    if (!buffer[0])
        GetSettingsFolder(buffer, size); // a failure leaves the buffer empty

    String fallback = GetEnvironment().TempFolder();
    EnsureTrailingBackslash(fallback);

    String folder;
    if (buffer[0]) {
        if (!create) {
            folder = GetFileSystem().IsDirectory(buffer) ? String(buffer) : fallback;
        } else if (CreateFolder(buffer)) {
            folder = buffer;
        } else {
            ReportLogFolderFallback(L"Unable to find or create the log file folder "
                                    L"'%ls'.\nThe log file will be placed in '%ls' instead.",
                                    kMbIconWarning, buffer, fallback);
            folder = fallback;
        }
    } else {
        if (create) {
            ReportLogFolderFallback(L"Unable to use the log file folder '%ls'.\nThe log file "
                                    L"will be placed in '%ls' instead.",
                                    kMbIconError, buffer, fallback);
        }
        folder = fallback;
    }
    EnsureTrailingBackslash(folder);
    return CopyQuietly(buffer, size, folder);
}

PW_EXTERN_C int GetLogFile(Char* buffer, size_t size, bool create) {
    CThreadLock lock(L"GetLogFile");
    if (int error = GetLogFolder(buffer, size, create))
        return error;
    String path(buffer);
    path += kLogFileName;
    return CopyQuietly(buffer, size, path);
}

PW_EXTERN_C bool CreateFolder(const Char* path) {
    if (!path || pw::BoundedLength(path, 3) < 3)
        return false;
    // The lock is re-entrant, so creating the parents recursively is allowed.
    CThreadLock lock(L"CreateFolder");
    FileSystem& files = GetFileSystem();
    if (files.IsDirectory(path))
        return true;

    String parent(path);
    size_t cut = parent.rfind(L'\\');
    if (cut != String::npos) {
        parent.resize(cut);
        // "C:" names the current folder of the drive; its root is "C:\".
        if (parent.size() == 2 && parent[1] == L':')
            parent += L'\\';
        if (parent.size() < std::wcslen(path) && !CreateFolder(parent.c_str()))
            return false;
    }

    if (!files.Exists(path))
        return files.CreateDirectory(path) || files.IsDirectory(path);
    return files.IsDirectory(path);
}

PW_EXTERN_C bool GetLanguageFile(Char* buffer, int size) {
    CThreadLock lock(L"GetLanguageFile");
    const Char* language = CurrentLanguageFile();
    if (!language || !language[0] || !buffer || size <= 0)
        return false;
    return pw::CopyString(buffer, static_cast<size_t>(size), language) == 0;
}

PW_EXTERN_C void SetPortable(bool portable) {
    CThreadLock lock(L"SetPortable");
    g_bPortable = portable;
}

PW_EXTERN_C bool GetPortable() {
    CThreadLock lock(L"GetPortable");
    return g_bPortable;
}

int pw::folders::GetSettingsFile(Char* buffer, size_t size) {
    if (int error = GetSettingsFolder(buffer, size))
        return error;
    if (!buffer[0])
        return pw::kCopyInvalid;
    return pw::AppendString(buffer, size, kSettingsFileName);
}
