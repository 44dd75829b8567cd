// Window classes that do not take the wheel message where the system would send it:
// WPF and store apps, browser widgets, the remote desktop client, OneNote, old list
// controls and tooltips.

#include "input/send_input.h"
#include "input/system_mouse_defaults.h"
#include "input/token_output.h"
#include "platform/platform.h"
#include "runtime/runtime_state.h"
#include "scroll/scroll_methods.h"
#include "scroll/wheel_axis.h"
#include "settings/application_settings.h"
#include "settings/mouse_buttons.h"
#include "settings/settings.h"
#include "support/logger.h"
#include "support/text_compare.h"
#include "windows/profile_matching.h"

#include <array>
#include <span>

namespace pw::scroll {

namespace {

constexpr short kKeyDownBit = static_cast<short>(0x8000);

enum class Match {
    Prefix,           // case-sensitive
    PrefixIgnoreCase, // ignoring case
    Equals,           // the whole name, ignoring case
};

enum class Handling {
    Wpf,
    StoreApp,
    ChromeWidget,
    ChromeContent,
    RemoteDesktop,
    OneNote,
    LineCommands,
    Tooltip,
    FolderView,
};

struct ClassRule {
    Match match;
    StringView name;
    Handling handling;
    // The rule's log line; the store apps' second one is for the event passed on.
    const Char* text;
    const Char* passText = nullptr;
};

constexpr StringView kWpf = L"HwndWrapper[DefaultDomain;;";
constexpr StringView kCoreWindow = L"Windows.UI.Core.CoreWindow";
constexpr StringView kInputSink = L"ApplicationFrameInputSinkWindow";
constexpr StringView kChromeWidget = L"Chrome_WidgetWin_";

constexpr std::array kVerticalRules = {
    ClassRule{Match::Prefix, kWpf, Handling::Wpf,
              L"Redirecting vertical wheel message to WPF window 0x%08X: '%ls'"},
    ClassRule{Match::Prefix, kCoreWindow, Handling::StoreApp,
              L"Simulating inverted vertical wheel message to UniversalApp window 0x%08X: '%ls'",
              L"Redirecting vertical wheel message to ModernUI window 0x%08X: '%ls'"},
    ClassRule{Match::Prefix, kInputSink, Handling::StoreApp,
              L"Simulating inverted vertical wheel message to UniversalApp window 0x%08X: '%ls'",
              L"Redirecting vertical wheel message to UniversalApp window 0x%08X: '%ls'"},
    ClassRule{Match::PrefixIgnoreCase, kChromeWidget, Handling::ChromeWidget, nullptr},
    ClassRule{Match::Equals, L"Intermediate D3D Window", Handling::ChromeWidget, nullptr},
    ClassRule{Match::Equals, L"Chrome_RenderWidgetHostHWND", Handling::ChromeContent,
              L"Redirecting vertical wheel message from chrome 0x%08X to 0x%08X: '%ls'"},
    ClassRule{Match::Equals, L"OPWindowClass", Handling::RemoteDesktop,
              L"Redirecting vertical wheel message to MSTSC input handler window 0x%08X: '%ls'"},
    ClassRule{Match::Equals, L"NetUIHWND", Handling::OneNote,
              L"Redirecting vertical wheel message to OneNote parent window 0x%08X: '%ls'"},
    ClassRule{Match::Equals, L"DataComboListWndClass", Handling::LineCommands,
              L"Window 0x%08X is a VB6 DataComboListWndClass: '%ls'. Force scroll method 1"},
    ClassRule{Match::Equals, L"Afx:11660000:880", Handling::LineCommands,
              L"Window 0x%08X is a Sheridan drop-down list: '%ls'. Force scroll method 1"},
    ClassRule{Match::Equals, L"tooltips_class32", Handling::Tooltip,
              L"Window 0x%08X is a tooltip: '%ls'. Disable redirection!"},
};

constexpr std::array kHorizontalRules = {
    ClassRule{Match::Prefix, kWpf, Handling::Wpf,
              L"Redirecting horizontal wheel message to WPF window 0x%08X"},
    ClassRule{Match::Prefix, kCoreWindow, Handling::StoreApp, nullptr,
              L"Redirecting horizontal wheel message to ModernUI window 0x%08X: '%ls'"},
    ClassRule{Match::Prefix, kInputSink, Handling::StoreApp, nullptr,
              L"Redirecting vertical wheel message to UniversalApp window 0x%08X: '%ls'"},
    ClassRule{Match::PrefixIgnoreCase, kChromeWidget, Handling::ChromeWidget, nullptr},
    ClassRule{Match::Equals, L"Intermediate D3D Window", Handling::ChromeWidget, nullptr},
    ClassRule{Match::Equals, L"Chrome_RenderWidgetHostHWND", Handling::ChromeContent,
              L"Redirecting horizontal wheel message over from chrome 0x%08X to 0x%08X: '%ls'"},
    ClassRule{Match::Equals, L"DirectUIHWND", Handling::FolderView, nullptr},
    ClassRule{Match::Equals, L"DataComboListWndClass", Handling::LineCommands,
              L"Window 0x%08X is a VB6 DataComboListWndClass. Force scroll method 1"},
    ClassRule{Match::Equals, L"Afx:11660000:880", Handling::LineCommands,
              L"Window 0x%08X is a sheridan drop-down list. Force scroll method 1"},
};

unsigned Low32(HWND window) {
    return static_cast<unsigned>(reinterpret_cast<uintptr_t>(window));
}

bool Matches(Match match, StringView className, StringView name) {
    switch (match) {
    case Match::Prefix:
        return className.starts_with(name);
    case Match::PrefixIgnoreCase:
        return StartsWithIgnoringCase(className, name);
    case Match::Equals:
        return EqualsIgnoringCase(className, name);
    }
    return false;
}

String ClassOf(HWND window) {
    std::array<Char, windows::kClassNameLength> name{};
    const int length =
        platform::GetWindows().ClassName(window, name.data(), static_cast<int>(name.size()));
    return String(name.data(), length > 0 ? static_cast<size_t>(length) : 0);
}

// Whether the rules that scroll by lines scroll by pages instead.
ScrollUnit SystemUnit(const WheelMessage& message) {
    return !message.axis->horizontal && g_SystemMouseDefaults.pageScroll ? ScrollUnit::Page
                                                                         : ScrollUnit::Line;
}

// The wheel amount of the rules that scroll by lines or characters instead.
int SystemAmount(const WheelMessage& message) {
    // The page value (0xFFFFFFFF) is no line count: a page a notch.
    if (SystemUnit(message) == ScrollUnit::Page)
        return message.delta;
    const unsigned perNotch = message.axis->horizontal ? g_SystemMouseDefaults.scrollChars
                                                       : g_SystemMouseDefaults.scrollLines;
    return Cut16(static_cast<long long>(message.delta) * perNotch);
}

bool KeyHeld(int virtualKey) {
    return (platform::GetInput().AsyncKeyState(virtualKey) & kKeyDownBit) != 0;
}

RuleOutcome Wpf(const WheelMessage& message, const ClassRule& rule) {
    if (message.axis->horizontal)
        CLogger::LogDebug(rule.text, Low32(message.window));
    else
        CLogger::LogDebug(rule.text, Low32(message.window), message.className.data());
    return pw::Scroll(message.window, message.axis->scrollMessage, SystemAmount(message),
                      kMethodCursorCommands, SystemUnit(message))
               ? RuleOutcome::Swallow
               : RuleOutcome::Continue;
}

// Store apps take wheel input from the system alone; an inverting profile injects the
// turned wheel instead.
RuleOutcome StoreApp(const WheelMessage& message, const ClassRule& rule) {
    const bool invert = rule.text && (message.profile->*message.axis->inverted)();
    if (!invert) {
        CLogger::LogDebug(rule.passText, Low32(message.window), message.className.data());
        return RuleOutcome::Pass;
    }
    CLogger::LogDebug(rule.text, Low32(message.window), message.className.data());
    const MouseButtons button = message.delta > 0 ? mbWheelUp : mbWheelDown;
    g_nInjectCount += pw::SendMouseEvent(button, pw::input::kMouseActionDown, message.record->pt, 0,
                                         false, false);
    return RuleOutcome::Swallow;
}

RuleOutcome ChromeWidget(const WheelMessage& message) {
    auto& windows = platform::GetWindows();
    HWND parent = windows.Parent(message.window);
    if (!StartsWithIgnoringCase(ClassOf(parent), kChromeWidget))
        return RuleOutcome::Continue;
    HWND child = windows.Related(message.window, platform::kGwChild);
    const bool horizontal = message.axis->horizontal;
    if (!child) {
        if (horizontal)
            CLogger::LogDebug(L"Redirecting horizontal wheel message from chrome widget window "
                              L"to 0x%08X",
                              Low32(parent));
        else
            CLogger::LogDebug(L"Redirecting vertical wheel message from chrome app 0x%08X to "
                              L"0x%08X: '%ls'",
                              Low32(message.window), Low32(parent), message.className.data());
        return PostWheelMessage(message, parent, message.wParam) ? RuleOutcome::Swallow
                                                                 : RuleOutcome::Pass;
    }
    if (child == message.foreground)
        return RuleOutcome::Pass;
    if (horizontal)
        CLogger::LogDebug(L"Redirecting horizontal wheel message from chrome widget window to "
                          L"0x%08X",
                          Low32(child));
    else
        CLogger::LogDebug(L"Redirecting vertical wheel message from chrome widget 0x%08X to "
                          L"0x%08X: '%ls'",
                          Low32(message.window), Low32(child), message.className.data());
    return PostWheelMessage(message, child, message.wParam) ? RuleOutcome::Swallow
                                                            : RuleOutcome::Pass;
}

// The browser's content window reads the held keys from the message alone.
RuleOutcome ChromeContent(const WheelMessage& message, const ClassRule& rule) {
    CLogger::LogDebug(rule.text, Low32(message.window), Low32(message.window),
                      message.className.data());
    uintptr_t wParam = message.wParam;
    if (KeyHeld(platform::kVkShift))
        wParam |= 0x4;
    if (KeyHeld(platform::kVkControl))
        wParam |= 0x8;
    if (KeyHeld(platform::kVkMenu))
        wParam |= 0x20;
    return PostWheelMessage(message, message.window, wParam) ? RuleOutcome::Swallow
                                                             : RuleOutcome::Pass;
}

// The remote desktop client takes input through a sibling window of its own.
RuleOutcome RemoteDesktop(const WheelMessage& message, const ClassRule& rule) {
    auto& windows = platform::GetWindows();
    HWND parent = windows.Parent(message.window);
    HWND start = EqualsIgnoringCase(ClassOf(parent), L"OPContainerClass") ? parent : message.window;
    for (HWND sibling = windows.Related(start, platform::kGwHwndPrev); sibling;
         sibling = windows.Related(sibling, platform::kGwHwndPrev)) {
        const String name = ClassOf(sibling);
        if (!EqualsIgnoringCase(name, L"IHWindowClass"))
            continue;
        CLogger::LogDebug(rule.text, Low32(sibling), name.c_str());
        return PostWheelMessage(message, sibling, message.wParam) ? RuleOutcome::Swallow
                                                                  : RuleOutcome::Pass;
    }
    return RuleOutcome::Continue;
}

RuleOutcome OneNote(const WheelMessage& message, const ClassRule& rule) {
    HWND parent = platform::GetWindows().Parent(message.window);
    const String name = ClassOf(parent);
    if (!EqualsIgnoringCase(name, L"OneNote::NavigationUIHost"))
        return RuleOutcome::Continue;
    CLogger::LogDebug(rule.text, Low32(parent), name.c_str());
    if (parent == message.foreground)
        return RuleOutcome::Pass;
    return PostWheelMessage(message, parent, message.wParam) ? RuleOutcome::Swallow
                                                             : RuleOutcome::Pass;
}

RuleOutcome LineCommands(const WheelMessage& message, const ClassRule& rule) {
    if (message.axis->horizontal)
        CLogger::LogDebug(rule.text, Low32(message.window));
    else
        CLogger::LogDebug(rule.text, Low32(message.window), message.className.data());
    return pw::Scroll(message.window, message.axis->scrollMessage, SystemAmount(message),
                      kMethodLineCommands, SystemUnit(message))
               ? RuleOutcome::Swallow
               : RuleOutcome::Pass;
}

// A folder view scrolls sideways by its scroll bar only.
RuleOutcome FolderView(const WheelMessage& message) {
    HWND parent = platform::GetWindows().Parent(message.window);
    if (!EqualsIgnoringCase(ClassOf(parent), L"SHELLDLL_DefView"))
        return RuleOutcome::Continue;
    return pw::Scroll(message.window, message.axis->scrollMessage, SystemAmount(message),
                      kMethodLineCommands)
               ? RuleOutcome::Swallow
               : RuleOutcome::Continue;
}

RuleOutcome Apply(const WheelMessage& message, const ClassRule& rule) {
    switch (rule.handling) {
    case Handling::Wpf:
        return Wpf(message, rule);
    case Handling::StoreApp:
        return StoreApp(message, rule);
    case Handling::ChromeWidget:
        return ChromeWidget(message);
    case Handling::ChromeContent:
        return ChromeContent(message, rule);
    case Handling::RemoteDesktop:
        return RemoteDesktop(message, rule);
    case Handling::OneNote:
        return OneNote(message, rule);
    case Handling::LineCommands:
        return LineCommands(message, rule);
    case Handling::Tooltip:
        CLogger::LogDebug(rule.text, Low32(message.window), message.className.data());
        return RuleOutcome::Pass;
    case Handling::FolderView:
        return FolderView(message);
    }
    return RuleOutcome::Continue;
}

} // namespace

RuleOutcome ApplyClassRules(const WheelMessage& message) {
    const bool horizontal = message.axis->horizontal;
    const std::span<const ClassRule> rules = horizontal
                                                 ? std::span<const ClassRule>(kHorizontalRules)
                                                 : std::span<const ClassRule>(kVerticalRules);
    for (const ClassRule& rule : rules) {
        if (!Matches(rule.match, message.className, rule.name))
            continue;
        // WPF windows need the workaround switched on for the vertical wheel only.
        if (rule.handling == Handling::Wpf && !horizontal &&
            !(g_pSettings && g_pSettings->FixVS2010()))
            continue;
        return Apply(message, rule);
    }
    return RuleOutcome::Continue;
}

} // namespace pw::scroll
