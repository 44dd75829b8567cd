#include "platform/platform.h"
#include "support/logger.h"
#include "support/text_compare.h"
#include "support/thread_lock.h"
#include "windows/window_from_point.h"

#include <array>

namespace {

constexpr size_t kClassLength = 260;

// What the last analysis found for the window under the point, so that moving over the
// same window costs no further queries. Guarded by the global lock.
struct TooltipCache {
    HWND window = nullptr;
    HWND parent = nullptr;
    HWND result = nullptr;
    unsigned long style = 0;
    unsigned long exStyle = 0;
    std::array<Char, kClassLength> className{};
    // The answer the analysis gave, repeated while the pointer stays over the window.
    HWND answer = nullptr;
};

TooltipCache g_tooltipCache;

// The usual answer: the window to return, unless it is missing or is the cached parent.
HWND CachedAnswer(const TooltipCache& cache, HWND start) {
    if (!cache.parent || !cache.result || cache.result == cache.parent)
        return start;
    return cache.result;
}

// Analyses a window not seen last time. Tooltips are seen through: to their parent when
// they have one, else to the window just above their top edge.
HWND Analyse(TooltipCache& cache, HWND start, POINT pt) {
    auto& windows = pw::platform::GetWindows();
    cache = TooltipCache{};
    cache.window = start;
    cache.parent = windows.Parent(start);
    cache.result = start;
    cache.style = windows.WindowLong(start, pw::platform::kGwlStyle);
    cache.exStyle = windows.WindowLong(start, pw::platform::kGwlExStyle);
    cache.answer = CachedAnswer(cache, start);
    if (!(cache.exStyle & pw::platform::kWsExToolWindow))
        return cache.answer;

    windows.ClassName(start, cache.className.data(), static_cast<int>(cache.className.size()));
    pw::LowerInPlace(cache.className.data());
    if (StringView(cache.className.data()).find(L"tooltip") == StringView::npos)
        return cache.answer;

    CLogger::LogDebug(L"Mouse pointer over toot tip '%ls' - trying to get real parent!",
                      cache.className.data());
    if (cache.parent) {
        cache.answer = cache.parent;
        return cache.answer;
    }
    RECT rect{};
    if (windows.WindowRect(start, rect)) {
        HWND above = windows.WindowFromPoint(POINT{pt.x, rect.top - 1});
        cache.result = above;
        cache.parent = windows.Parent(above);
    }
    cache.answer = CachedAnswer(cache, start);
    return cache.answer;
}

} // namespace

namespace pw::windows {

void ResetRealWindowCache() {
    g_tooltipCache = TooltipCache{};
}

} // namespace pw::windows

HWND RealWindowFromPoint(const POINT& pt) {
    HWND start = WindowFromPointEx(pt, 0);
    pw::ScopedTryLock lock(L"RealWindowFromPoint");
    if (!lock.Held())
        return nullptr;
    try {
        if (start != g_tooltipCache.window)
            return Analyse(g_tooltipCache, start, pt);
        return g_tooltipCache.answer;
    } catch (...) {
        CLogger::LogMessage(L"Unexpected exception in RealWindowFromPoint()");
        return start;
    }
}
