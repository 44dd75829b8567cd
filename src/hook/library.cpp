#include "hook/library.h"

#include "actions/action_state.h"
#include "actions/detached_work.h"
#include "actions/process_button.h"
#include "actions/token_effects.h"
#include "hook/flag_functions.h"
#include "hook/hook_control.h"
#include "hook/hook_lifecycle.h"
#include "hook/keyboard_hook.h"
#include "hook/mouse_defaults_restore.h"
#include "hook/mouse_hook.h"
#include "hook/settings_reload.h"
#include "input/english_layout.h"
#include "input/send_input.h"
#include "input/spi_thread.h"
#include "input/system_mouse_defaults.h"
#include "runtime/runtime_state.h"
#include "scroll/lock_axis.h"
#include "scroll/movement_to_scroll.h"
#include "scroll/scroll_button_processing.h"
#include "scroll/scroll_state.h"
#include "scroll/scroll_timers.h"
#include "settings/folders.h"
#include "settings/settings.h"
#include "support/exception_handler.h"
#include "support/logger.h"
#include "support/message_thread.h"
#include "support/thread_lock.h"
#include "windows/integrity.h"
#include "windows/wheel_window.h"
#include "windows/window_from_point.h"
#include "windows/windows_state.h"

#include <memory>

namespace pw::hook {

namespace {
// How long a library being unloaded waits for a web search to finish (its copy wait is
// half a second).
constexpr unsigned kDetachedWorkExitWaitMs = 2000;
// Turns the runtime's invalid-parameter faults into log lines while the library is loaded.
std::unique_ptr<InvalidParameterInstaller> g_invalidParameterInstaller;
// Runs just before a crash report: switches debug logging on and removes the hooks, so
// that a crashing library never leaves system input hooked.
void BeforeCrashReport() {
    // Each step on its own: a failure to log must not keep the hooks in place.
    try {
        SetDebug(true);
    } catch (...) {
    }
    try {
        RemoveHooks();
    } catch (...) {
    }
}

// Tells the log and the crash report where the library's files are, and what to do
// before a report; hands the token effects to the key-sending entry points and button
// processing to the tilt path and the held-scroll timers.
void ConnectLayers() {
    InstallLibraryFiles({.logFile = &GetLogFile, .settingsFile = &folders::GetSettingsFile});
    crash::SetBeforeCrashReport(&BeforeCrashReport);
    actions::InstallTokenEffects();
    scroll::InstallButtonProcessor(&pw::ProcessButton, &pw::PressAwaitsRelease);
}

} // namespace

void ResetLibraryState() {
    runtime::ResetRuntimeState();
    actions::ResetActionState();
    ResetDebounce();
    ResetMouseHookState();
    ResetKeyboardHookState();
    scroll::ResetScrollState();
    windows::ResetWindowsState();
    CWheel::Reset();
    g_bFirstSettingsLoad = true;
}

void ProcessAttach() {
    ConnectLayers();
    CThreadLock::InitGlobalCS();
    CLogger::Initialise();
    windows::ReadOwnIntegrity();
    if (!g_invalidParameterInstaller)
        g_invalidParameterInstaller = std::make_unique<InvalidParameterInstaller>();
    InitScalingFunctions();
    const HINSTANCE module = platform::GetCursors().LibraryModule();
    g_LockAxis.InitCursors(module);
    g_pSettings = new CSettings(false);
    ResetLibraryState();
    pw::CaptureSystemMouseDefaults();
    pw::actions::ReadRepeatIntervals();
    scroll::LoadScrollCursors(module);
}

void ProcessDetach(bool processEnding) {
    // Called with the loader lock held: a thread cannot finish exiting meanwhile, so the
    // threads stopped below are let go once their loops have ended, never joined.
    MessageThread::Unloading unloading;
    scroll::DestroyScrollCursors();
    {
        CThreadLock lock(L"ProcessDetach");
        g_hMainWindow = nullptr;
        g_hVolumeOSDWindow = nullptr;
        g_hBrightnessOSDWindow = nullptr;
    }
    // At the end of the process the system has ended the library's threads already;
    // their objects are left as they are rather than waited for.
    if (processEnding) {
        ForgetHookThreads();
    } else {
        RemoveMouseHook(true);
        pw::DeleteSPIThread();
        // A queue timer must not call into a library that is gone.
        scroll::StopScrollTimers();
        // A search or launch thread runs the library's code: it finishes before the
        // library goes.
        if (!pw::WaitForDetachedWork(kDetachedWorkExitWaitMs))
            CLogger::LogMessage(L"ProcessDetach: A web search or a launch is still running.");
    }
    RestoreButtonSwap();
    RestoreWheelLines(g_SystemMouseDefaults.scrollLinesRead);
    input::ReleaseEnglishLayout();
    if (!processEnding) {
        delete g_pSendInput;
        g_pSendInput = nullptr;
    }
    g_hMouseHook = nullptr;
    g_hKeyboardHook = nullptr;
    g_pCurrentApp = nullptr;
    delete g_pSettings;
    g_pSettings = nullptr;
    g_invalidParameterInstaller.reset();
    // The lock's cursor images go with the library rather than with the static object.
    g_LockAxis.DestroyCursors();
    CLogger::CloseLogFile(true);
    CLogger::Shutdown();
    CThreadLock::DeleteCS();
}

} // namespace pw::hook
