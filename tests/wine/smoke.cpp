// A console program run under Wine against the real PallawickHook.dll: it loads the
// library through its import library, drives the folder functions, the flags, the global
// lock, the log and the reading of settings files over the real system calls, and prints
// one line per check. The exit code is the number of failed checks.

#include <windows.h>

#include "host_common.h"
#include "settings/folders.h"
#include "settings/settings.h"
#include "support/logger.h"
#include "support/thread_lock.h"

#include <cstdio>
#include <cstring>
#include <string>

// Exported by the hook state; declared here so that this program needs no more of the
// library's headers than the ones above.
extern "C" void SetDebug(bool on);
extern "C" bool GetDebug();
extern "C" int GetOSVersion();

namespace {

int g_failures = 0;

void Check(bool ok, const char* what, const std::wstring& detail = std::wstring()) {
    if (!ok)
        ++g_failures;
    std::printf("%s %s%s%ls\n", ok ? "PASS" : "FAIL", what, detail.empty() ? "" : ": ",
                detail.c_str());
}

bool EndsWith(const std::wstring& text, const wchar_t* suffix) {
    size_t length = std::wcslen(suffix);
    return text.size() >= length && text.compare(text.size() - length, length, suffix) == 0;
}

bool IsDirectory(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void CheckLibraryLoaded() {
    HMODULE loaded = GetModuleHandleW(L"PallawickHook.dll");
    HMODULE again = LoadLibraryW(L"PallawickHook.dll");
    Check(loaded && loaded == again, "the import library loads PallawickHook.dll");
    Check(again && GetProcAddress(again, "GetSettingsFolder") && GetProcAddress(again, "GetDebug"),
          "C functions are exported under their plain names");
    if (again)
        FreeLibrary(again);
}

void CheckFolders() {
    wchar_t appData[MAX_PATH] = {};
    GetEnvironmentVariableW(L"APPDATA", appData, MAX_PATH);

    wchar_t folder[MAX_PATH] = {};
    int result = GetSettingsFolder(folder, MAX_PATH);
    Check(result == 0 &&
              std::wstring(folder) == std::wstring(appData) + L"\\Orvane Works\\Pallawick\\",
          "GetSettingsFolder defaults to APPDATA", folder);
    Check(GetSettingsFolder(folder, 4) != 0 && folder[0] == 0,
          "GetSettingsFolder fails cleanly on a small buffer");

    wchar_t logFile[MAX_PATH] = {};
    result = GetLogFile(logFile, MAX_PATH, true);
    std::wstring log(logFile);
    Check(result == 0 && EndsWith(log, L"\\Pallawick.log"), "GetLogFile names Pallawick.log", log);
    Check(IsDirectory(log.substr(0, log.rfind(L'\\'))), "GetLogFile created its folder");

    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    std::wstring nested = std::wstring(temp) + L"pallawick-smoke\\one\\two";
    Check(CreateFolder(nested.c_str()) && IsDirectory(nested), "CreateFolder makes two levels",
          nested);
}

// A "LogFolder" override without a trailing backslash comes back with one.
void CheckLogFolderOverride() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    std::wstring configured = std::wstring(temp) + L"pallawick-smoke\\logs";

    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Orvane Works\\Pallawick", 0, nullptr, 0,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        Check(false, "create the registry key for the log folder override");
        return;
    }
    RegSetValueExW(key, L"LogFolder", 0, REG_SZ, reinterpret_cast<const BYTE*>(configured.c_str()),
                   static_cast<DWORD>((configured.size() + 1) * sizeof(wchar_t)));
    wchar_t folder[MAX_PATH] = {};
    int result = GetLogFolder(folder, MAX_PATH, true);
    RegDeleteValueW(key, L"LogFolder");
    RegCloseKey(key);
    Check(result == 0 && std::wstring(folder) == configured + L"\\" && IsDirectory(configured),
          "GetLogFolder follows the registry override", folder);
}

void CheckDebugFlag() {
    SetDebug(true);
    bool on = GetDebug();
    SetDebug(false);
    Check(on && !GetDebug(), "SetDebug switches GetDebug");
}

DWORD WINAPI TryLockFromOtherThread(void*) {
    if (!CThreadLock::TryEnterCS(L"WineSmokeOther"))
        return 0;
    CThreadLock::LeaveCS();
    return 1;
}

DWORD RunTryLockThread() {
    HANDLE thread = CreateThread(nullptr, 0, TryLockFromOtherThread, nullptr, 0, nullptr);
    if (!thread)
        return 2;
    WaitForSingleObject(thread, INFINITE);
    DWORD taken = 2;
    GetExitCodeThread(thread, &taken);
    CloseHandle(thread);
    return taken;
}

void CheckThreadLock() {
    {
        CThreadLock outer(L"WineSmoke");
        CThreadLock inner(L"WineSmokeInner");
        Check(CThreadLock::HeldByCurrentThread() && CThreadLock::EntryCount() == 2 &&
                  std::wstring(CThreadLock::OwnerName()) == L"WineSmoke",
              "nested scoped locks keep the outer owner", CThreadLock::OwnerName());
        Check(RunTryLockThread() == 0, "another thread cannot take the held lock");
    }
    Check(!CThreadLock::HeldByCurrentThread() && CThreadLock::EntryCount() == 0 &&
              std::wstring(CThreadLock::OwnerName()) == L"unknown",
          "the lock is free after the scope", CThreadLock::OwnerName());
    Check(RunTryLockThread() == 1, "another thread takes the free lock");
}

void CheckLog() {
    // The prefix keeps its log between runs: the start tick marks this run's line.
    unsigned long run = GetTickCount();
    CLogger::LogMessage(L"WineSmoke: line %d from %ls in run %lu", 42, L"smoke", run);
    CLogger::FlushLog();
    wchar_t logFile[MAX_PATH] = {};
    GetLogFile(logFile, MAX_PATH, false);
    std::string bytes = host::ReadShared(logFile);
    char expected[80];
    std::snprintf(expected, sizeof expected, "WineSmoke: line 42 from smoke in run %lu\r\n", run);
    size_t at = bytes.rfind(expected);
    Check(at != std::string::npos, "CLogger::LogMessage writes the line to the log file", logFile);
    // Each line starts "dd-mm-yyyy hh:mm:ss.0mmm> ".
    size_t start = bytes.rfind('\n', at);
    start = start == std::string::npos ? 0 : start + 1;
    Check(at != std::string::npos && at - start == 26 && bytes.compare(at - 2, 2, "> ") == 0,
          "the line carries the timestamp prefix");

    // The system's text for an error comes on the same line, without its line break.
    CLogger::LogOSMessage(ERROR_FILE_NOT_FOUND, L"WineSmoke: os message in run %lu", run);
    CLogger::FlushLog();
    bytes = host::ReadShared(logFile);
    std::snprintf(expected, sizeof expected, "WineSmoke: os message in run %lu (2): ", run);
    at = bytes.rfind(expected);
    size_t end = at == std::string::npos ? at : bytes.find("\r\n", at);
    size_t text = at + std::strlen(expected);
    Check(end != std::string::npos && end > text && bytes[end - 1] != ' ' &&
              bytes.find('\n', text) == end + 1,
          "CLogger::LogOSMessage appends the system text on one line");
}

bool WriteWholeFile(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
              written == bytes.size();
    CloseHandle(file);
    return ok;
}

// Another program holding the files open and sharing only reading must not keep them
// from being loaded and imported.
void CheckSettingsFilesHeldOpen() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    std::wstring folder = std::wstring(temp) + L"pallawick-smoke";
    CreateDirectoryW(folder.c_str(), nullptr);
    std::wstring settingsPath = folder + L"\\VESKSettings.xml";
    std::wstring importPath = folder + L"\\Profiles.xml";
    bool written =
        WriteWholeFile(settingsPath,
                       "<?xml version=\"1.0\"?>\n<root><TrayIcon Show=\"false\"/><Applications>"
                       "<Application Name=\"held.exe\"/></Applications></root>\n") &&
        WriteWholeFile(importPath, "<root><Applications><Application Name=\"imported.exe\"/>"
                                   "</Applications></root>");
    if (!written) {
        Check(false, "write the settings files to hold open", folder);
        return;
    }
    HANDLE holders[2] = {};
    const std::wstring* paths[2] = {&settingsPath, &importPath};
    for (int i = 0; i < 2; ++i)
        holders[i] = CreateFileW(paths[i]->c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    HANDLE writer = CreateFileW(settingsPath.c_str(), GENERIC_READ | GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD writerError = GetLastError();
    Check(holders[0] != INVALID_HANDLE_VALUE && holders[1] != INVALID_HANDLE_VALUE &&
              writer == INVALID_HANDLE_VALUE && writerError == ERROR_SHARING_VIOLATION,
          "the held files refuse to be opened for writing");
    if (writer != INVALID_HANDLE_VALUE)
        CloseHandle(writer);

    {
        CSettings settings;
        bool regionChecking = false;
        bool loaded = settings.Load(settingsPath.c_str(), regionChecking, false);
        Check(loaded && !settings.ShowTrayIcon() && settings.GetApplicationCount() == 1,
              "CSettings::Load reads a settings file held open by another program");
        int imported = settings.Import(importPath.c_str(), nullptr, L"Replace", nullptr);
        Check(imported == 1 && settings.GetApplicationCount() == 2,
              "CSettings::Import reads a profile file held open by another program");
    }
    for (HANDLE holder : holders) {
        if (holder != INVALID_HANDLE_VALUE)
            CloseHandle(holder);
    }
}

void CheckOsVersion() {
    Check(GetOSVersion() != 0, "GetOSVersion answers", std::to_wstring(GetOSVersion()));
}

} // namespace

int main() {
    CheckLibraryLoaded();
    CheckFolders();
    CheckLogFolderOverride();
    CheckDebugFlag();
    CheckThreadLock();
    CheckLog();
    CheckSettingsFilesHeldOpen();
    CheckOsVersion();
    std::printf("%d check(s) failed\n", g_failures);
    return g_failures;
}
