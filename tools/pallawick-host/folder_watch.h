#pragma once

// The system's change notification on the settings folder: its handle is signalled when
// a file in the folder is created, deleted, renamed or written, or a folder appears or
// goes. Owns the handle.

#include <windows.h>

#include <string>

namespace pw::host {

class FolderWatch {
  public:
    FolderWatch() = default;
    ~FolderWatch();
    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;

    // Starts watching folder; false with the system's error code when it cannot.
    bool Start(const std::wstring& folder, unsigned long& error);
    // Waits for the next change after a signalled one; false (and the watch stops) when
    // the folder can no longer be watched, as when it was deleted.
    bool Rearm();

    bool Active() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE Handle() const { return m_handle; }

  private:
    void Stop();

    HANDLE m_handle = INVALID_HANDLE_VALUE;
};

} // namespace pw::host
