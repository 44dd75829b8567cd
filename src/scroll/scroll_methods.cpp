#include "scroll/scroll_methods.h"

#include "input/map_virtual_key.h"
#include "platform/keyboard_layout.h"
#include "platform/platform.h"
#include "support/logger.h"
#include "windows/integrity.h"
#include "windows/wheel_window.h"
#include "windows/window_from_point.h"

#include <cstdlib>

namespace pw::scroll {

namespace {

constexpr int kVkLeft = 0x25;
constexpr int kVkRight = 0x27;
constexpr short kKeyDownBit = static_cast<short>(0x8000);
// WM_KEYUP's previous-state and transition bits.
constexpr uintptr_t kKeyUpBits = 0xC00000;

unsigned Low32(HWND window) {
    return static_cast<unsigned>(reinterpret_cast<uintptr_t>(window));
}

const Char* DirectionName(bool horizontal) {
    return horizontal ? L"horizontal" : L"vertical";
}

void Post(HWND window, unsigned message, uintptr_t wParam, uintptr_t lParam) {
    platform::GetMessages().PostMessage(window, message, static_cast<WPARAM>(wParam),
                                        static_cast<LPARAM>(lParam));
}

// The mouse buttons and keys held, as the wheel message's key flags.
uintptr_t KeyFlags() {
    struct Flag {
        int virtualKey;
        uintptr_t flag;
    };
    static constexpr Flag kFlags[] = {{platform::kVkLButton, 0x1},  {platform::kVkRButton, 0x2},
                                      {platform::kVkShift, 0x4},    {platform::kVkControl, 0x8},
                                      {platform::kVkMButton, 0x10}, {platform::kVkXButton1, 0x20},
                                      {platform::kVkXButton2, 0x40}};
    platform::Input& input = platform::GetInput();
    uintptr_t flags = 0;
    for (const Flag& entry : kFlags)
        if (input.AsyncKeyState(entry.virtualKey) & kKeyDownBit)
            flags |= entry.flag;
    return flags;
}

POINT CursorPoint() {
    POINT pt{};
    GetPhysCursorPos(&pt);
    return pt;
}

// The lParam of a scroll-bar command: a window's own bar is 0, since a handle there means
// "from this scroll-bar control" and programs route the message by it.
uintptr_t BarParam(HWND window, HWND bar) {
    return bar == window ? 0 : reinterpret_cast<uintptr_t>(bar);
}

bool ArrowKeys(HWND window, int amount, int count) {
    const bool left = amount < 0;
    CLogger::LogDebug(L"Simulating VK_%ls to scroll window 0x%08X (Method 3)",
                      left ? L"LEFT" : L"RIGHT", Low32(window));
    const unsigned scan =
        pw::input::MapVirtualKeyLayout(left ? kVkLeft : kVkRight, platform::kMapVkToVsc, nullptr);
    const uintptr_t down = 1 + static_cast<uintptr_t>(scan) * 0x10000;
    const uintptr_t key = static_cast<uintptr_t>(left ? kVkLeft : kVkRight);
    for (int i = 0; i < count; ++i) {
        Post(window, platform::kWmKeyDown, key, down);
        Post(window, platform::kWmKeyUp, key, down + kKeyUpBits);
    }
    return true;
}

bool ScaledWheel(HWND window, bool horizontal, int amount) {
    CLogger::LogDebug(L"Simulating %ls scroll for window 0x%08X (method 4) delta %d",
                      DirectionName(horizontal), Low32(window), amount);
    const POINT pt = CursorPoint();
    const uintptr_t wParam = MakeParam(static_cast<long>(KeyFlags()), amount / 3);
    Post(window, horizontal ? platform::kWmMouseHWheel : platform::kWmMouseWheel, wParam,
         MakeParam(pt.x, pt.y));
    return true;
}

bool CursorCommands(HWND window, unsigned message, bool horizontal, int amount, int count,
                    uintptr_t command) {
    const POINT pt = CursorPoint();
    CLogger::LogDebug(L"Simulating WPF %ls scroll for window 0x%08X (method 5) delta %d",
                      DirectionName(horizontal), Low32(window), amount);
    for (int i = 0; i < count; ++i)
        Post(window, message, command, MakeParam(pt.x, pt.y));
    return true;
}

bool LineCommands(HWND window, HWND bar, unsigned message, bool horizontal, int amount,
                  uintptr_t command) {
    CLogger::LogDebug(L"Simulating %ls scroll for window 0x%08X (method 1, scrollbar 0x%08X) "
                      L"delta %d",
                      DirectionName(horizontal), Low32(window), Low32(bar), amount);
    const bool own = bar == window;
    const uintptr_t barParam = BarParam(window, bar);
    // Part of a line still scrolls one.
    const int repeats = (std::abs(amount) + kWheelDelta - 1) / kWheelDelta;
    for (int i = 0; i < repeats; ++i) {
        Post(bar, message, command, barParam);
        if (!own)
            Post(window, message, command, barParam);
    }
    Post(bar, message, platform::kSbEndScroll, barParam);
    if (!own)
        Post(window, message, platform::kSbEndScroll, barParam);
    return true;
}

bool ThumbPosition(HWND window, HWND bar, unsigned message, bool horizontal, int amount) {
    CLogger::LogDebug(L"Simulating %ls scroll for window 0x%08X (method 2, scrollbar 0x%08X) "
                      L"delta %d",
                      DirectionName(horizontal), Low32(window), Low32(bar), amount);
    const bool own = bar == window;
    // Every bar counts from its start (top or left): the wheel up and the tilt left go
    // toward it, whether the bar is the window's own or a control.
    const int lines = (horizontal ? amount : -amount) / kWheelDelta;
    platform::ScrollRange range;
    const int which = own ? (horizontal ? platform::kSbHorz : platform::kSbVert) : platform::kSbCtl;
    if (!platform::GetWindows().ScrollInfo(bar, which, range))
        return false;
    int position = range.pos + lines;
    if (position > range.max)
        position = range.max;
    if (position < range.min)
        position = range.min;
    Post(bar, message, MakeParam(static_cast<long>(platform::kSbThumbPosition), position),
         BarParam(window, bar));
    return true;
}

} // namespace

} // namespace pw::scroll

bool pw::Scroll(HWND window, unsigned scrollMessage, int amount, int method,
                scroll::ScrollUnit unit) {
    using namespace pw::scroll;
    if (IsDisabledMethod(method)) {
        CLogger::LogDebug(L"Scroll: Scroll method = disabled; don't scroll!");
        return true;
    }
    if (IsDefaultMethod(method)) {
        CLogger::LogDebug(L"Scroll: Scroll method = default.");
        return false;
    }
    const bool horizontal = scrollMessage == platform::kWmHScroll;
    if (!windows::CanSendToProcess(windows::WheelWindowIntegrity(window))) {
        CLogger::LogDebug(L"Unable to send %ls scroll message to elevated process!",
                          DirectionName(horizontal));
        return false;
    }
    const int count = std::abs(amount / kWheelDelta);
    // SB_LINEUP and SB_LINELEFT are 0, SB_LINEDOWN and SB_LINERIGHT 1.
    const bool forward = horizontal ? amount >= 1 : amount < 1;
    // Page scrolling goes by page commands: the page value is no count of lines.
    const uintptr_t command = unit == ScrollUnit::Page
                                  ? (forward ? platform::kSbPageDown : platform::kSbPageUp)
                                  : (forward ? platform::kSbLineDown : platform::kSbLineUp);
    if (method == kMethodArrowKeys && horizontal)
        return ArrowKeys(window, amount, count);
    if (method == kMethodScaledWheel)
        return ScaledWheel(window, horizontal, amount);
    if (method == kMethodCursorCommands)
        return CursorCommands(window, scrollMessage, horizontal, amount, count, command);
    if (method != kMethodLineCommands && method != kMethodThumbPosition &&
        method != kMethodArrowKeys) {
        CLogger::LogDebug(L"Scroll: Unknown scroll method %d.", method);
        return false;
    }
    HWND bar = FindScrollBar(window, horizontal);
    if (!bar) {
        CLogger::LogDebug(L"Can't find scrollbar for the active window / window under the cursor");
        return false;
    }
    if (method == kMethodThumbPosition)
        return ThumbPosition(window, bar, scrollMessage, horizontal, amount);
    return LineCommands(window, bar, scrollMessage, horizontal, amount, command);
}
