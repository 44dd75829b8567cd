#include "support/wheel_desktop.h"

#include "hook/mouse_hook.h"
#include "hook/settings_reload.h"
#include "runtime/registered_messages.h"
#include "scroll/wheel_redirection.h"
#include "support/logger.h"
#include "support/settings_files.h"
#include "support/thread_lock.h"

namespace pw::test {

namespace {

constexpr unsigned kMouseWheel = 0x20A;

void AddProcess(sim::SimulatedDesktop& desktop, unsigned long pid, const Char* path) {
    sim::SimProcess process;
    process.processId = pid;
    process.imagePath = path;
    desktop.processes.Add(process);
}

bool IsQuery(unsigned message) {
    return message == platform::kWmNcHitTest || message == platform::kWmGetText ||
           message == platform::kWmGetTextLength;
}

} // namespace

WheelDesktop::WheelDesktop(unsigned long ownIntegrity, unsigned systemLines) {
    desktop.processes.SetOwnIntegrity(ownIntegrity);
    desktop.systemParameters.Preset(false, systemLines);
    library.emplace();
    runtime::RegisterMessages();
    CLogger::EnableDebug(true);
    desktop.windows.AddMonitor(RECT{0, 0, 1920, 1080}, platform::kDefaultDpi);
    AddProcess(desktop, kAppPid, L"C:\\Apps\\app.exe");
    AddProcess(desktop, kFrontPid, L"C:\\Apps\\front.exe");
    app = Window(nullptr, L"AppFrame", RECT{0, 0, 900, 900});
    front = Window(nullptr, L"FrontFrame", RECT{1000, 0, 1900, 900}, 0, kFrontPid);
    desktop.windows.SetForeground(front);
}

WheelDesktop::~WheelDesktop() {
    CLogger::EnableDebug(false);
    hook::ResetLibraryState();
}

bool WheelDesktop::Load(const std::string& defaultProfile, const std::string& globals) {
    if (!StoreInSettingsFolder(desktop, SettingsXml(globals + "<Default " + defaultProfile + "/>")))
        return false;
    // The reload answers false by design; the file is read all the same.
    UpdateSettings();
    return true;
}

HWND WheelDesktop::Window(HWND parent, const Char* className, RECT rect, unsigned long style,
                          unsigned long pid) {
    sim::SimWindowSpec spec;
    spec.className = className;
    spec.rect = rect;
    spec.parent = parent;
    spec.processId = pid;
    spec.threadId = pid + 1;
    spec.style = style;
    return desktop.windows.Create(spec);
}

bool WheelDesktop::Wheel(POINT pt, int delta, std::optional<uint32_t> at) {
    time = at ? *at : time + 200;
    desktop.windows.SetCursor(pt);
    MSLLHOOKSTRUCT record{pt, static_cast<DWORD>(static_cast<uint16_t>(delta)) << 16, 0, time, 0};
    const int before = desktop.input.NextHookCalls();
    MouseHookLLProc(0, kMouseWheel, reinterpret_cast<LPARAM>(&record));
    return desktop.input.NextHookCalls() == before;
}

bool WheelDesktop::Tilt(POINT pt, int delta) {
    // A vertical notch first makes the profile under the cursor current, as a tilt's
    // button processing does.
    Wheel(pt, 0);
    TakeMessages();
    desktop.windows.SetCursor(pt);
    time += 200;
    MSLLHOOKSTRUCT record{pt, static_cast<DWORD>(static_cast<uint16_t>(delta)) << 16, 0, time, 0};
    CThreadLock lock(L"Tilt");
    return RedirectHorizontalWheel(&record);
}

std::vector<WindowMessage> WheelDesktop::TakeMessages() {
    std::vector<WindowMessage> messages;
    for (const sim::SimMessage& message : desktop.messages.TakeRecorded()) {
        if (message.kind == sim::SimMessage::Kind::PostedToThread || !message.window ||
            IsQuery(message.message))
            continue;
        messages.push_back({message.window, message.message, static_cast<uintptr_t>(message.wParam),
                            static_cast<uintptr_t>(message.lParam)});
    }
    return messages;
}

} // namespace pw::test
