#include "input/english_layout.h"

#include "platform/keyboard_layout.h"
#include "platform/platform.h"
#include "runtime/runtime_state.h"
#include "settings/settings.h"
#include "support/logger.h"
#include "support/thread_lock.h"

#include <array>

void* g_hEnglishLayout = nullptr;
bool g_bEnglishLayoutLoaded = false;

namespace pw::input {

namespace {

using pw::platform::KeyboardLayoutHandle;

// The layout id loaded when no English layout is installed, and LoadKeyboardLayoutW's
// flag that keeps the shell from being told.
constexpr const Char* kUsEnglishId = L"04090409";
constexpr unsigned kKlfNoTellShell = 0x80;
constexpr int kMostLayouts = 64;

unsigned LowWord32(pw::platform::KeyboardLayoutHandle layout) {
    return static_cast<unsigned>(reinterpret_cast<uintptr_t>(layout));
}

// English as language or as keyboard: the US layout and its variants.
bool IsEnglish(pw::platform::KeyboardLayoutHandle layout) {
    const unsigned value = LowWord32(layout);
    return (value & 0xF900F9) == 0x90009 || (value & 0x409) == 0x409;
}

pw::platform::KeyboardLayoutHandle FindInstalledEnglish(pw::platform::KeyboardLayout& layouts) {
    std::array<pw::platform::KeyboardLayoutHandle, kMostLayouts> installed{};
    const int count = layouts.InstalledLayouts(installed.data(), kMostLayouts);
    for (int i = 0; i < count && i < kMostLayouts; ++i) {
        CLogger::LogDebug(L"Checking installed keyboard layout: 0x%08X", LowWord32(installed[i]));
        if (IsEnglish(installed[i]))
            return installed[i];
    }
    return nullptr;
}

void LoadUsEnglish(pw::platform::KeyboardLayout& layouts) {
    if (!g_pSettings || !g_pSettings->LoadUSEnglish()) {
        CLogger::LogMessage(
            L"Use of US English has been disabled. Some keyboard input functions may not work.");
        return;
    }
    CLogger::LogMessage(L"Loading US English.");
    g_hEnglishLayout = layouts.LoadLayout(kUsEnglishId, kKlfNoTellShell);
    if (!g_hEnglishLayout) {
        CLogger::LogOSMessage(
            platform::GetDiagnostics().LastError(),
            L"Unable to load suitable English keyboard layout required by some actions.");
        return;
    }
    g_bEnglishLayoutLoaded = true;
}

} // namespace

void ReleaseEnglishLayout() {
    CThreadLock lock(L"ReleaseEnglishLayout");
    if (g_bEnglishLayoutLoaded) {
        CLogger::LogDebug(L"Unloading keyboard layout...");
        if (!pw::platform::CurrentKeyboardLayout().UnloadLayout(g_hEnglishLayout))
            CLogger::LogOSMessage(platform::GetDiagnostics().LastError(),
                                  L"Unable to unload the keyboard layout");
    } else {
        CLogger::LogDebug(L"No keyboard layout loaded, nothing to unload.");
    }
    g_hEnglishLayout = nullptr;
    g_bEnglishLayoutLoaded = false;
}

void ChooseEnglishLayout() {
    ReleaseEnglishLayout();
    CThreadLock lock(L"ChooseEnglishLayout");
    pw::platform::KeyboardLayout& layouts = pw::platform::CurrentKeyboardLayout();
    if (pw::platform::KeyboardLayoutHandle current = layouts.CurrentLayout())
        CLogger::LogDebug(L"Current language is 0x%08X", LowWord32(current));
    if (pw::platform::KeyboardLayoutHandle found = FindInstalledEnglish(layouts)) {
        CLogger::LogMessage(L"Using keyboard language 0x%08X", LowWord32(found));
        g_hEnglishLayout = found;
        return;
    }
    CLogger::LogMessage(L"Unable to find suitable English keyboard layout...");
    LoadUsEnglish(layouts);
}

} // namespace pw::input
