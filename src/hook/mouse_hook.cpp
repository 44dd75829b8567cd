// The mouse hook's intake and exit: it reads the event record, runs the button or the
// movement path, checks the run time against the system's hook time-out and swallows the
// event or passes it on.

#include "hook/mouse_hook.h"

#include "hook/mouse_hook_paths.h"
#include "platform/handles.h"
#include "platform/platform.h"
#include "runtime/registered_messages.h"
#include "runtime/runtime_state.h"
#include "support/exception_handler.h"
#include "support/logger.h"

namespace {

using pw::hook::HookOutcome;
using pw::hook::MouseEvent;

// Logs the exception being handled. Nothing may propagate into the system's hook chain,
// so the logger's re-throw ends here.
void ReportException(const Char* context) {
    try {
        pw::handle_exception(L"%ls", context);
    } catch (...) {
    }
}

LRESULT PassOn(const MouseEvent& event) {
    return pw::platform::GetInput().CallNextHook(g_hMouseHook, event.code, event.wParam,
                                                 event.lParam);
}

// The system silently removes a low-level hook that overruns its time-out; an overrun is
// logged and the hook thread asked to install the mouse hook again.
void CheckRunTime(const MouseEvent& event) {
    const uint32_t elapsed = pw::platform::TickCount() - event.start;
    if (g_dwHookTimeout == 0 || elapsed <= g_dwHookTimeout)
        return;
    static constexpr const Char* kStars =
        L"***************************************************************************";
    const MSLLHOOKSTRUCT& record = *event.record;
    CLogger::LogMessage(kStars);
    CLogger::LogMessage(L"WARNING: Mouse hook has taken too long (%d ms). Hook may be disabled.",
                        static_cast<int>(elapsed));
    CLogger::LogMessage(
        L"MouseHookData: Msg=0x%04x%ls, X=%d, Y=%d, Data=0x%08X, Flags=0x%08X, "
        L"Time=%d, Info=0x%X, Ptr=0x%X, Layer=%d",
        event.message, pw::hook::MouseMessageName(event.message), static_cast<int>(record.pt.x),
        static_cast<int>(record.pt.y), static_cast<unsigned>(record.mouseData),
        static_cast<unsigned>(record.flags), static_cast<int>(record.time),
        static_cast<unsigned>(record.dwExtraInfo),
        static_cast<unsigned>(reinterpret_cast<uintptr_t>(g_hMouseHook)), g_nCurrentLayer);
    CLogger::LogMessage(kStars);
    pw::platform::Messages& messages = pw::platform::GetMessages();
    messages.PostThreadMessage(messages.CurrentThreadId(), pw::runtime::Messages().resetHook,
                               pw::runtime::kWpMouseHook, 0);
}

LRESULT Finish(const MouseEvent& event, HookOutcome outcome) {
    if (outcome == HookOutcome::SwallowNow)
        return 1;
    if (outcome == HookOutcome::PassNow)
        return PassOn(event);
    CheckRunTime(event);
    if (event.handled && !event.passOriginal) {
        CLogger::LogDebug(
            L"Removing message 0x%04X from mouse hook queue as we have overridden it.",
            event.message);
        return 1;
    }
    if (event.message != pw::platform::kWmMouseMove)
        CLogger::LogDebug(L"Passing original mouse message %08X through....", event.message);
    return PassOn(event);
}

} // namespace

LRESULT pw::MouseHookLLProc(int nCode, WPARAM wParam, LPARAM lParam) {
    if (nCode < 0)
        return pw::platform::GetInput().CallNextHook(g_hMouseHook, nCode, wParam, lParam);

    MouseEvent event;
    event.code = nCode;
    event.wParam = wParam;
    event.lParam = lParam;
    event.message = static_cast<unsigned>(wParam);
    event.record = reinterpret_cast<MSLLHOOKSTRUCT*>(lParam);
    event.start = pw::platform::TickCount();
    if (!event.record)
        return PassOn(event);

    const bool movement = event.message == pw::platform::kWmMouseMove;
    HookOutcome outcome = HookOutcome::Exit;
    try {
        outcome = movement ? pw::hook::RunMovementPath(event) : pw::hook::RunButtonPath(event);
    } catch (...) {
        ReportException(movement ? L"mouse hook (movement)" : L"mouse hook");
        // The paths release the global lock on the way out; the event goes on unchanged.
        event.handled = false;
        outcome = HookOutcome::Exit;
    }
    return Finish(event, outcome);
}

namespace pw::hook {

const Char* MouseMessageName(unsigned message) {
    switch (message) {
    case kWmLButtonDown:
        return L" (WM_LBUTTONDOWN)";
    case kWmLButtonUp:
        return L" (WM_LBUTTONUP)";
    case kWmLButtonDblClk:
        return L" (WM_LBUTTONDBLCLK)";
    case kWmRButtonDown:
        return L" (WM_RBUTTONDOWN)";
    case kWmRButtonUp:
        return L" (WM_RBUTTONUP)";
    case kWmRButtonDblClk:
        return L" (WM_RBUTTONDBLCLK)";
    case kWmMButtonDown:
        return L" (WM_MBUTTONDOWN)";
    case kWmMButtonUp:
        return L" (WM_MBUTTONUP)";
    case kWmMButtonDblClk:
        return L" (WM_MBUTTONDBLCLK)";
    case platform::kWmMouseWheel:
        return L" (WM_MOUSEWHEEL)";
    case kWmXButtonDown:
        return L" (WM_XBUTTONDOWN)";
    case kWmXButtonUp:
        return L" (WM_XBUTTONUP)";
    case kWmXButtonDblClk:
        return L" (WM_XBUTTONDBLCLK)";
    case platform::kWmMouseHWheel:
        return L" (WM_MOUSEHWHEEL)";
    default:
        return L" (UNKNOWN)";
    }
}

} // namespace pw::hook
