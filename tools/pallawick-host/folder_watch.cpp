#include "folder_watch.h"

namespace pw::host {

namespace {

constexpr DWORD kChanges = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME |
                           FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE;

} // namespace

FolderWatch::~FolderWatch() {
    Stop();
}

bool FolderWatch::Start(const std::wstring& folder, unsigned long& error) {
    Stop();
    m_handle = FindFirstChangeNotificationW(folder.c_str(), FALSE, kChanges);
    if (m_handle != INVALID_HANDLE_VALUE)
        return true;
    error = GetLastError();
    return false;
}

bool FolderWatch::Rearm() {
    if (!Active())
        return false;
    if (FindNextChangeNotification(m_handle))
        return true;
    Stop();
    return false;
}

void FolderWatch::Stop() {
    if (m_handle == INVALID_HANDLE_VALUE)
        return;
    FindCloseChangeNotification(m_handle);
    m_handle = INVALID_HANDLE_VALUE;
}

} // namespace pw::host
