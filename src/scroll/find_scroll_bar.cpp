#include "platform/platform.h"
#include "scroll/scroll_methods.h"
#include "windows/profile_matching.h"

#include <array>

namespace {

struct BarSearch {
    bool horizontal = false;
    POINT cursor{};
    HWND found = nullptr;
};

bool IsScrollBarControl(HWND child, bool horizontal) {
    auto& windows = pw::platform::GetWindows();
    if (!windows.IsVisible(child))
        return false;
    std::array<Char, pw::windows::kClassNameLength> name{};
    const int length = windows.ClassName(child, name.data(), static_cast<int>(name.size()));
    if (length <= 0 ||
        StringView(name.data(), static_cast<size_t>(length)).find(L"Scroll") == StringView::npos)
        return false;
    const bool vertical =
        (windows.WindowLong(child, pw::platform::kGwlStyle) & pw::platform::kSbsVert) != 0;
    return vertical != horizontal;
}

// Horizontal: the first bar. Vertical: the last bar met up to the first one that reaches
// down to the cursor, so that of stacked panes the one under the cursor wins.
bool VisitChild(HWND child, intptr_t param) {
    auto* search = reinterpret_cast<BarSearch*>(param);
    if (!IsScrollBarControl(child, search->horizontal))
        return true;
    if (search->horizontal) {
        search->found = child;
        return false;
    }
    const bool later = search->found != nullptr;
    search->found = child;
    if (!later)
        return true;
    RECT rect{};
    pw::platform::GetWindows().WindowRect(child, rect);
    return search->cursor.y > rect.bottom;
}

HWND SearchChildren(HWND parent, bool horizontal) {
    if (!parent)
        return nullptr;
    BarSearch search{horizontal, {}, nullptr};
    pw::platform::GetWindows().CursorPos(search.cursor);
    pw::platform::GetWindows().EnumerateChildren(parent, &VisitChild,
                                                 reinterpret_cast<intptr_t>(&search));
    return search.found;
}

} // namespace

HWND pw::FindScrollBar(HWND window, bool horizontal) {
    auto& windows = platform::GetWindows();
    const unsigned long style = windows.WindowLong(window, platform::kGwlStyle);
    const unsigned long bar = horizontal ? platform::kWsHScroll : platform::kWsVScroll;
    if ((style & platform::kWsVisible) && (style & bar))
        return window;
    if (HWND child = SearchChildren(window, horizontal))
        return child;
    return SearchChildren(windows.Parent(window), horizontal);
}
