#include "host.h"

#include "console.h"
#include "library.h"

namespace pw::host {

namespace {

uint32_t Now() {
    return GetTickCount();
}

std::wstring LogFile() {
    wchar_t path[MAX_PATH] = {};
    return GetLogFile(path, MAX_PATH, false) == 0 ? std::wstring(path) : std::wstring(L"?");
}

} // namespace

Host::Host(SettingsLocation location, HANDLE stopEvent)
    : m_location(std::move(location)), m_stopEvent(stopEvent), m_reloader(m_location.file),
      m_mainWindow(
          WindowRole::Main, [this] { AskToStop(); }, [this] { EndSession(); }),
      m_setupWindow(
          WindowRole::Setup, [this] { AskToStop(); }, [this] { EndSession(); }) {}

Host::~Host() {
    Stop();
}

ExitStatus Host::Run() {
    SetPortable(m_location.portable);
    wchar_t folder[MAX_PATH] = {};
    if (GetSettingsFolder(folder, MAX_PATH) != 0 ||
        CompareStringOrdinal(folder, -1, m_location.folder.c_str(), -1, TRUE) != CSTR_EQUAL) {
        PrintError(L"the library's settings folder is '" + std::wstring(folder) + L"', not '" +
                   m_location.folder + L"'");
        return ExitStatus::BadUse;
    }
    if (!Start())
        return ExitStatus::Failed;
    Loop();
    Stop();
    return ExitStatus::Done;
}

bool Host::Start() {
    unsigned long error = 0;
    if (!m_mainWindow.Create(error) || !m_setupWindow.Create(error)) {
        PrintError(L"cannot create the host's windows: " + SystemMessage(error));
        return false;
    }
    if (!m_watch.Start(m_location.folder, error))
        PrintError(L"cannot watch '" + m_location.folder + L"' (" + SystemMessage(error) +
                   L"); changes to the settings file will not be loaded");
    PrintLine(std::wstring(L"settings file '") + m_location.file + L"'" +
              (m_location.portable ? L" (portable mode)" : L"") + L", library log '" + LogFile() +
              L"'");

    SetHookMainWindow(m_mainWindow.Handle());
    SetSetupWindow(m_setupWindow.Handle());
    m_stamp = StampOf(m_location.file);
    m_schedule.Changed(Now());
    AttemptReload();

    m_hooked = SetMouseHook();
    if (!m_hooked) {
        PrintError(L"SetMouseHook failed to start the hook thread; see the library's log");
        return false;
    }
    PrintLine(L"running; stop with Ctrl+C or pallawick-host --stop");
    return true;
}

void Host::Loop() {
    for (;;) {
        HANDLE handles[2] = {m_stopEvent, m_watch.Handle()};
        const DWORD count = m_watch.Active() ? 2 : 1;
        const DWORD timeout = m_schedule.Pending() ? m_schedule.WaitMs(Now()) : INFINITE;
        const DWORD woken =
            MsgWaitForMultipleObjectsEx(count, handles, timeout, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woken == WAIT_OBJECT_0)
            return;
        if (count == 2 && woken == WAIT_OBJECT_0 + 1) {
            OnFolderChanged();
        } else if (woken == WAIT_OBJECT_0 + count) {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                if (message.message == WM_QUIT)
                    return;
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        } else if (woken == WAIT_FAILED) {
            PrintError(L"waiting failed: " + SystemMessage(GetLastError()));
            return;
        }
        if (m_schedule.Pending() && m_schedule.WaitMs(Now()) == 0)
            AttemptReload();
    }
}

void Host::OnFolderChanged() {
    if (!m_watch.Rearm())
        PrintError(L"'" + m_location.folder +
                   L"' can no longer be watched; changes to the settings file will not be "
                   L"loaded");
    const FileStamp stamp = StampOf(m_location.file);
    if (stamp == m_stamp)
        return;
    m_stamp = stamp;
    m_schedule.Changed(Now());
}

void Host::AttemptReload() {
    const ReloadResult result = m_reloader.Attempt();
    const std::wstring& file = m_location.file;
    switch (result.outcome) {
    case ReloadOutcome::Loaded:
        m_schedule.Done();
        PrintLine(L"loaded '" + file + L"': " + std::to_wstring(result.profiles) +
                  L" application profile(s), " + std::to_wstring(result.layers) + L" layer(s)");
        return;
    case ReloadOutcome::Missing:
        m_schedule.Done();
        PrintError(L"'" + file + L"' is missing; the settings in force stay until it is back");
        return;
    case ReloadOutcome::Folder:
        m_schedule.Done();
        PrintError(L"'" + file +
                   L"' is a folder, not a settings file; the settings in force "
                   L"stay until a settings file replaces it");
        return;
    case ReloadOutcome::Unreadable:
    case ReloadOutcome::Invalid:
    case ReloadOutcome::Changing:
        break;
    }
    if (m_schedule.Retry(Now())) {
        PrintLine(L"'" + file + L"' does not load yet: " + result.reason + L"; trying again in " +
                  std::to_wstring(m_schedule.LastDelayMs()) + L" ms");
        return;
    }
    PrintError(L"'" + file + L"' does not load: " + result.reason +
               L"; the settings in force stay (details in '" + LogFile() + L"')");
}

void Host::AskToStop() {
    SetEvent(m_stopEvent);
}

// The system may end the process as soon as the window answers: the hooks go now.
void Host::EndSession() {
    PrintLine(L"the session ends");
    Stop();
    AskToStop();
}

void Host::Stop() {
    if (m_stopped)
        return;
    m_stopped = true;
    if (m_hooked)
        RemoveMouseHook(true);
    SetHookMainWindow(nullptr);
    SetSetupWindow(nullptr);
    if (!m_hooked)
        return;
    m_hooked = false;
    PrintLine(L"stopped: the hooks are removed and the system's button swap and wheel lines "
              L"restored");
}

} // namespace pw::host
