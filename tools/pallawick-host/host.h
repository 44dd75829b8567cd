#pragma once

// The host proper: points the library at the settings, gives it the host's windows,
// loads the settings and sets the hooks, then waits for a stop request, messages for
// its windows and changes of the settings file, reloading the file when it changed.
// Stopping removes the hooks and puts back the system's button swap and wheel lines.

#include "exit_status.h"
#include "folder_watch.h"
#include "host_window.h"
#include "reload_schedule.h"
#include "settings_file.h"
#include "settings_location.h"
#include "settings_reloader.h"

#include <windows.h>

namespace pw::host {

class Host {
  public:
    // stopEvent is set when the host is asked to stop.
    Host(SettingsLocation location, HANDLE stopEvent);
    ~Host();
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    // Runs until asked to stop.
    ExitStatus Run();

  private:
    bool Start();
    void Loop();
    void Stop();
    void AskToStop();
    void EndSession();
    void OnFolderChanged();
    void AttemptReload();

    SettingsLocation m_location;
    HANDLE m_stopEvent;
    SettingsReloader m_reloader;
    ReloadSchedule m_schedule;
    FolderWatch m_watch;
    FileStamp m_stamp;
    HostWindow m_mainWindow;
    HostWindow m_setupWindow;
    bool m_hooked = false;
    bool m_stopped = false;
};

} // namespace pw::host
