#include "windows/smallest_child.h"

#include "platform/platform.h"
#include "support/text_compare.h"

#include <array>
#include <cstdint>

namespace pw::windows {

namespace {

constexpr StringView kStaticPrefix = L"static";

// One search; passed to the enumeration through its parameter, so searches on different
// threads never share state.
struct ChildSearch {
    POINT point{};
    bool includeHidden = false;
    HWND best = nullptr;
    uint32_t bestArea = 0xFFFFFFFF;
};

bool Contains(const RECT& rect, POINT point) {
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top &&
           point.y < rect.bottom;
}

uint32_t AreaOf(const RECT& rect) {
    const auto width = static_cast<uint32_t>(rect.right - rect.left);
    const auto height = static_cast<uint32_t>(rect.bottom - rect.top);
    return width * height;
}

bool IsStaticControl(HWND window) {
    std::array<Char, kStaticPrefix.size() + 1> className{};
    const int length = platform::GetWindows().ClassName(window, className.data(),
                                                        static_cast<int>(className.size()));
    return length > 0 &&
           StartsWithIgnoringCase(StringView(className.data(), length), kStaticPrefix);
}

bool ConsiderChild(HWND child, intptr_t param) {
    auto& search = *reinterpret_cast<ChildSearch*>(param);
    auto& windows = platform::GetWindows();
    RECT rect{};
    if (!windows.WindowRect(child, rect) || !Contains(rect, search.point))
        return true;
    if (!search.includeHidden && !windows.IsVisible(child))
        return true;
    const uint32_t area = AreaOf(rect);
    if (area < search.bestArea ||
        (area == search.bestArea && search.best && IsStaticControl(search.best))) {
        search.best = child;
        search.bestArea = area;
    }
    return true;
}

} // namespace

HWND SmallestChildAt(HWND start, POINT pt, bool includeHidden) {
    auto& windows = platform::GetWindows();
    HWND top = windows.Parent(start);
    if (!top || (windows.WindowLong(start, platform::kGwlStyle) & platform::kWsPopup) ||
        (windows.WindowLong(start, platform::kGwlExStyle) & platform::kWsExTopmost))
        top = start;
    if (windows.WindowLong(start, platform::kGwlExStyle) & platform::kWsExMdiChild)
        return start;

    ChildSearch search;
    search.point = pt;
    search.includeHidden = includeHidden;
    windows.EnumerateChildren(top, ConsiderChild, reinterpret_cast<intptr_t>(&search));
    return search.best ? search.best : top;
}

} // namespace pw::windows
