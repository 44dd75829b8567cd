#include "host_window.h"

#include "console.h"
#include "library.h"

#include <cstdio>
#include <string>

namespace pw::host {

namespace {

std::wstring Hex(const void* pointer) {
    wchar_t text[32] = {};
    std::swprintf(text, 32, L"0x%llX",
                  static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(pointer)));
    return text;
}

// The program file name of the process that owns window, or "?".
std::wstring ProgramOf(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!process)
        return L"?";
    wchar_t path[MAX_PATH] = {};
    DWORD length = MAX_PATH;
    const bool named = QueryFullProcessImageNameW(process, 0, path, &length);
    CloseHandle(process);
    if (!named)
        return L"?";
    const std::wstring full(path, length);
    return full.substr(full.find_last_of(L"\\/") + 1);
}

// The library sends this while it holds its lock and waits for the answer: only the
// profile's own lock-free getters are called.
void PrintProfileChange(HWND window, const CApplicationSettings* profile) {
    std::wstring name = L"none";
    if (profile && profile->IsDefault()) {
        name = L"default";
    } else if (profile) {
        wchar_t shortName[MAX_PATH] = {};
        name = profile->GetShortName(shortName, MAX_PATH) == 0
                   ? L"'" + std::wstring(shortName) + L"'"
                   : L"(unnamed)";
    }
    PrintLine(L"profile " + name + L" for window " + Hex(window) + L" of " + ProgramOf(window));
}

void PrintLayerChange(WPARAM layer, LPARAM notify) {
    std::wstring line = L"layer " + std::to_wstring(layer + 1);
    const wchar_t* name = GetCurrentLayername(static_cast<int>(layer));
    if (name && name[0])
        line += L" '" + std::wstring(name) + L"'";
    if (notify)
        line += L" (with a notification)";
    PrintLine(line);
}

bool RegisterClassOnce(HINSTANCE instance, WNDPROC procedure, unsigned long& error) {
    WNDCLASSW existing{};
    if (GetClassInfoW(instance, kHostWindowClass, &existing))
        return true;
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kHostWindowClass;
    if (RegisterClassW(&windowClass))
        return true;
    error = GetLastError();
    return false;
}

} // namespace

HostWindow::HostWindow(WindowRole role, std::function<void()> onClose,
                       std::function<void()> onSessionEnd)
    : m_role(role), m_onClose(std::move(onClose)), m_onSessionEnd(std::move(onSessionEnd)),
      m_layerChanged(RegisterWindowMessageW(L"VESKLayerChanged")),
      m_processChanged(RegisterWindowMessageW(L"VESK_ProcessChanged")),
      m_hookStateChanged(RegisterWindowMessageW(L"VESKMainWindow")) {}

HostWindow::~HostWindow() {
    if (!m_window)
        return;
    SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
    DestroyWindow(m_window);
}

bool HostWindow::Create(unsigned long& error) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!RegisterClassOnce(instance, &HostWindow::Procedure, error))
        return false;
    const wchar_t* title = m_role == WindowRole::Main ? L"pallawick-host" : L"pallawick-host setup";
    m_window = CreateWindowExW(0, kHostWindowClass, title, WS_OVERLAPPEDWINDOW, 0, 0, 0, 0, nullptr,
                               nullptr, instance, this);
    if (!m_window) {
        error = GetLastError();
        return false;
    }
    return true;
}

LRESULT CALLBACK HostWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        auto* self = static_cast<HostWindow*>(create->lpCreateParams);
        self->m_window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<HostWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcW(window, message, wParam, lParam);
    return self->OnMessage(message, wParam, lParam);
}

LRESULT HostWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // The library posts a layer change to both windows: the main window tells of it.
    if (message == m_layerChanged && m_layerChanged != 0) {
        if (m_role == WindowRole::Main)
            PrintLayerChange(wParam, lParam);
        return 0;
    }
    if (message == m_processChanged && m_processChanged != 0) {
        PrintProfileChange(reinterpret_cast<HWND>(wParam),
                           reinterpret_cast<const CApplicationSettings*>(lParam));
        return 0;
    }
    if (message == m_hookStateChanged && m_hookStateChanged != 0) {
        // The library tells of removal more than once; say each change once.
        const bool hooked = GetHooked();
        if (m_toldHooked != hooked)
            PrintLine(hooked ? L"the hooks are set" : L"the hooks are removed");
        m_toldHooked = hooked;
        return 0;
    }
    switch (message) {
    case WM_CLOSE:
        m_onClose();
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        if (wParam)
            m_onSessionEnd();
        return 0;
    default:
        return DefWindowProcW(m_window, message, wParam, lParam);
    }
}

} // namespace pw::host
