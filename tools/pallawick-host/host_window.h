#pragma once

// The host's hidden windows, which the library knows as the main program's window and
// the setup window. They print one line for each message the library sends them: a
// layer change ("VESKLayerChanged", to the main window), a profile change
// ("VESK_ProcessChanged", to the setup window) and a change of the hook state
// ("VESKMainWindow"). Closing one, and the end of the session, stop the host. They are
// top-level windows never shown, since only those are told that the session ends.

#include <windows.h>

#include <functional>
#include <optional>

namespace pw::host {

// The window class, by which the host's windows can be found.
inline constexpr const wchar_t* kHostWindowClass = L"PallawickHostWindow";

enum class WindowRole { Main, Setup };

class HostWindow {
  public:
    // onClose runs when the window is closed, onSessionEnd when the session ends: the
    // process may be ended as soon as it returns.
    HostWindow(WindowRole role, std::function<void()> onClose, std::function<void()> onSessionEnd);
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    // False with the system's error code when the window cannot be made.
    bool Create(unsigned long& error);
    HWND Handle() const { return m_window; }

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

    WindowRole m_role;
    std::function<void()> m_onClose;
    std::function<void()> m_onSessionEnd;
    HWND m_window = nullptr;
    UINT m_layerChanged = 0;
    UINT m_processChanged = 0;
    UINT m_hookStateChanged = 0;
    std::optional<bool> m_toldHooked; // the hook state last printed
};

} // namespace pw::host
