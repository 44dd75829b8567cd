#include "platform/sim/sim_windows.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <cwctype>
#include <limits>

namespace pw::sim {

namespace {

using Lock = std::lock_guard<std::recursive_mutex>;

constexpr long kInvalidArgument = static_cast<long>(0x80070057);

std::uintptr_t Key(HWND window) {
    return reinterpret_cast<std::uintptr_t>(window);
}

// Copies text as the system's text queries do: truncated to fit with its terminator.
int CopyTruncated(const String& text, Char* buffer, int capacity) {
    if (!buffer || capacity <= 0)
        return 0;
    size_t count = std::min(text.size(), static_cast<size_t>(capacity - 1));
    std::wmemcpy(buffer, text.data(), count);
    buffer[count] = 0;
    return static_cast<int>(count);
}

SimWindows& CurrentWindows() {
    return static_cast<SimWindows&>(platform::GetWindows());
}

HWND ExportWindowFromPhysicalPoint(POINT point) {
    return CurrentWindows().WindowFromPhysicalPoint(point);
}

int ExportGetPhysicalCursorPos(POINT* point) {
    return point && CurrentWindows().PhysicalCursorPos(*point) ? 1 : 0;
}

int ExportLogicalToPhysicalPoint(HWND window, POINT* point) {
    return point && CurrentWindows().LogicalToPhysicalPoint(window, *point) ? 1 : 0;
}

long ExportGetDpiForMonitor(HMONITOR monitor, int dpiType, unsigned* dpiX, unsigned* dpiY) {
    return CurrentWindows().DpiForMonitor(monitor, dpiType, dpiX, dpiY);
}

} // namespace

SimWindows::SimWindows() {
    monitors_.push_back({RECT{0, 0, 1920, 1080}, platform::kDefaultDpi});
}

void* SimWindows::ScalingExport(const char* name) {
    if (!name)
        return nullptr;
    if (std::strcmp(name, "WindowFromPhysicalPoint") == 0)
        return reinterpret_cast<void*>(static_cast<platform::scaling::WindowFromPhysicalPointFn>(
            ExportWindowFromPhysicalPoint));
    if (std::strcmp(name, "GetPhysicalCursorPos") == 0)
        return reinterpret_cast<void*>(
            static_cast<platform::scaling::GetPhysicalCursorPosFn>(ExportGetPhysicalCursorPos));
    if (std::strcmp(name, "LogicalToPhysicalPointForPerMonitorDPI") == 0)
        return reinterpret_cast<void*>(
            static_cast<platform::scaling::LogicalToPhysicalPointForPerMonitorDPIFn>(
                ExportLogicalToPhysicalPoint));
    if (std::strcmp(name, "GetDpiForMonitor") == 0)
        return reinterpret_cast<void*>(
            static_cast<platform::scaling::GetDpiForMonitorFn>(ExportGetDpiForMonitor));
    return nullptr;
}

bool SimWindows::Contains(const RECT& rect, POINT point) {
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top &&
           point.y < rect.bottom;
}

POINT SimWindows::ToPhysical(POINT logical) const {
    return POINT{static_cast<long>(std::lround(logical.x * logicalScale_)),
                 static_cast<long>(std::lround(logical.y * logicalScale_))};
}

long SimWindows::ToLogical(long physical) const {
    return static_cast<long>(physical / logicalScale_);
}

SimWindows::Window* SimWindows::FindLocked(HWND window) {
    auto found = windows_.find(Key(window));
    return found == windows_.end() ? nullptr : &found->second;
}

std::vector<HWND>& SimWindows::SiblingsLocked(const Window& window) {
    if (Window* parent = FindLocked(window.spec.parent))
        return parent->children;
    return topLevel_;
}

bool SimWindows::IsVisibleLocked(HWND window) {
    for (Window* current = FindLocked(window); current;
         current = FindLocked(current->spec.parent)) {
        if (!current->spec.visible)
            return false;
    }
    return FindLocked(window) != nullptr;
}

HWND SimWindows::DeepestVisibleLocked(const std::vector<HWND>& windows, POINT physical) {
    for (HWND handle : windows) {
        Window* window = FindLocked(handle);
        if (!window || !window->spec.visible || !Contains(window->spec.rect, physical))
            continue;
        HWND child = DeepestVisibleLocked(window->children, physical);
        return child ? child : handle;
    }
    return nullptr;
}

void SimWindows::SetWindowFromPointObserver(std::function<void()> observer) {
    std::lock_guard lock(observerMutex_);
    pointObserver_ = std::move(observer);
}

void SimWindows::ObservePointQuery() {
    std::function<void()> observer;
    {
        std::lock_guard lock(observerMutex_);
        observer = pointObserver_;
    }
    if (observer)
        observer();
}

HWND SimWindows::WindowFromPoint(POINT point) {
    ObservePointQuery();
    Lock lock(mutex_);
    return DeepestVisibleLocked(topLevel_, ToPhysical(point));
}

HWND SimWindows::WindowFromPhysicalPoint(POINT point) {
    ObservePointQuery();
    Lock lock(mutex_);
    return DeepestVisibleLocked(topLevel_, point);
}

HWND SimWindows::ChildWindowFromPointEx(HWND parent, POINT clientPoint, unsigned) {
    Lock lock(mutex_);
    Window* window = FindLocked(parent);
    if (!window)
        return nullptr;
    const RECT& rect = window->spec.rect;
    POINT screen{ToLogical(rect.left) + clientPoint.x, ToLogical(rect.top) + clientPoint.y};
    POINT physical = ToPhysical(screen);
    if (!Contains(rect, physical))
        return nullptr;
    for (HWND handle : window->children) {
        Window* child = FindLocked(handle);
        if (child && Contains(child->spec.rect, physical))
            return handle;
    }
    return parent;
}

bool SimWindows::ScreenToClient(HWND window, POINT& point) {
    Lock lock(mutex_);
    Window* found = FindLocked(window);
    if (!found)
        return false;
    point.x -= ToLogical(found->spec.rect.left);
    point.y -= ToLogical(found->spec.rect.top);
    return true;
}

HWND SimWindows::Parent(HWND window) {
    Lock lock(mutex_);
    Window* found = FindLocked(window);
    if (!found)
        return nullptr;
    return found->spec.parent ? found->spec.parent : found->spec.owner;
}

HWND SimWindows::Ancestor(HWND window, unsigned kind) {
    Lock lock(mutex_);
    Window* found = FindLocked(window);
    if (!found)
        return nullptr;
    if (kind == platform::kGaParent)
        return found->spec.parent;
    HWND root = window;
    while (Window* current = FindLocked(root)) {
        if (!current->spec.parent)
            break;
        root = current->spec.parent;
    }
    if (kind == platform::kGaRoot)
        return root;
    if (kind != platform::kGaRootOwner)
        return nullptr;
    while (Window* current = FindLocked(root)) {
        if (!current->spec.owner || !FindLocked(current->spec.owner))
            break;
        root = current->spec.owner;
    }
    return root;
}

HWND SimWindows::Related(HWND window, unsigned relation) {
    Lock lock(mutex_);
    Window* found = FindLocked(window);
    if (!found)
        return nullptr;
    if (relation == platform::kGwChild)
        return found->children.empty() ? nullptr : found->children.front();
    if (relation == platform::kGwOwner)
        return found->spec.owner;
    const std::vector<HWND>& siblings = SiblingsLocked(*found);
    auto at = std::find(siblings.begin(), siblings.end(), window);
    switch (relation) {
    case platform::kGwHwndFirst:
        return siblings.front();
    case platform::kGwHwndLast:
        return siblings.back();
    case platform::kGwHwndNext:
        return at + 1 < siblings.end() ? *(at + 1) : nullptr;
    case platform::kGwHwndPrev:
        return at > siblings.begin() ? *(at - 1) : nullptr;
    default:
        return nullptr;
    }
}

void SimWindows::CollectDescendantsLocked(HWND parent, std::vector<HWND>& out) {
    Window* window = FindLocked(parent);
    if (!window)
        return;
    for (HWND child : window->children) {
        out.push_back(child);
        CollectDescendantsLocked(child, out);
    }
}

void SimWindows::EnumerateChildren(HWND parent, EnumProc proc, intptr_t param) {
    std::vector<HWND> descendants;
    {
        Lock lock(mutex_);
        CollectDescendantsLocked(parent, descendants);
    }
    // The callback runs without the lock, as it may query the windows again.
    for (HWND child : descendants) {
        if (!Exists(child))
            continue;
        if (!proc(child, param))
            return;
    }
}

int SimWindows::ClassName(HWND window, Char* buffer, int capacity) {
    Lock lock(mutex_);
    ++classNameQueries_;
    Window* found = FindLocked(window);
    return found ? CopyTruncated(found->spec.className, buffer, capacity) : 0;
}

int SimWindows::WindowText(HWND window, Char* buffer, int capacity) {
    Lock lock(mutex_);
    ++textQueries_;
    Window* found = FindLocked(window);
    if (!found || found->hung) {
        if (buffer && capacity > 0)
            buffer[0] = 0;
        return 0;
    }
    return CopyTruncated(found->spec.caption, buffer, capacity);
}

int SimWindows::InternalWindowText(HWND window, Char* buffer, int capacity) {
    Lock lock(mutex_);
    ++textQueries_;
    Window* found = FindLocked(window);
    return found ? CopyTruncated(found->spec.caption, buffer, capacity) : 0;
}

bool SimWindows::TextLengthWithTimeout(HWND window, unsigned, size_t& length) {
    Lock lock(mutex_);
    ++textQueries_;
    Window* found = FindLocked(window);
    if (!found || found->hung)
        return false;
    length = found->spec.caption.size();
    return true;
}

bool SimWindows::TextWithTimeout(HWND window, Char* buffer, size_t capacity, unsigned,
                                 size_t& copied) {
    Lock lock(mutex_);
    ++textQueries_;
    Window* found = FindLocked(window);
    if (!found || found->hung || capacity > static_cast<size_t>(std::numeric_limits<int>::max()))
        return false;
    copied =
        static_cast<size_t>(CopyTruncated(found->spec.caption, buffer, static_cast<int>(capacity)));
    return true;
}

unsigned long SimWindows::ThreadProcessId(HWND window, unsigned long* processId) {
    Lock lock(mutex_);
    Window* found = FindLocked(window);
    if (!found) {
        if (processId)
            *processId = 0;
        return 0;
    }
    if (processId)
        *processId = found->spec.processId;
    return found->spec.threadId;
}

bool SimWindows::WindowRect(HWND window, RECT& rect) {
    Lock lock(mutex_);
    Window* found = FindLocked(window);
    if (!found)
        return false;
    const RECT& physical = found->spec.rect;
    rect = RECT{ToLogical(physical.left), ToLogical(physical.top), ToLogical(physical.right),
                ToLogical(physical.bottom)};
    return true;
}

bool SimWindows::IsVisible(HWND window) {
    Lock lock(mutex_);
    return IsVisibleLocked(window);
}

bool SimWindows::Exists(HWND window) {
    Lock lock(mutex_);
    return FindLocked(window) != nullptr;
}

unsigned long SimWindows::WindowLong(HWND window, int index) {
    Lock lock(mutex_);
    Window* found = FindLocked(window);
    if (!found)
        return 0;
    if (index == platform::kGwlStyle)
        return (found->spec.style & ~platform::kWsVisible) |
               (found->spec.visible ? platform::kWsVisible : 0);
    if (index == platform::kGwlExStyle)
        return found->spec.exStyle;
    return 0;
}

HWND SimWindows::ForegroundWindow() {
    Lock lock(mutex_);
    return FindLocked(foreground_) ? foreground_ : nullptr;
}

bool SimWindows::GuiThreadInfo(unsigned long threadId, platform::GuiThreadWindows& windows) {
    Lock lock(mutex_);
    auto found = guiThreads_.find(threadId);
    if (found == guiThreads_.end())
        return false;
    windows = found->second;
    return true;
}

bool SimWindows::CursorPos(POINT& point) {
    Lock lock(mutex_);
    point = POINT{ToLogical(cursor_.x), ToLogical(cursor_.y)};
    return true;
}

bool SimWindows::SetCursorPos(POINT point) {
    Lock lock(mutex_);
    cursor_ = ToPhysical(point);
    return true;
}

bool SimWindows::PhysicalCursorPos(POINT& point) {
    Lock lock(mutex_);
    point = cursor_;
    return true;
}

bool SimWindows::LogicalToPhysicalPoint(HWND window, POINT& point) {
    Lock lock(mutex_);
    Window* found = FindLocked(window);
    if (!found)
        return false;
    point.x =
        point.x * static_cast<long>(found->spec.dpi) / static_cast<long>(platform::kDefaultDpi);
    point.y =
        point.y * static_cast<long>(found->spec.dpi) / static_cast<long>(platform::kDefaultDpi);
    return true;
}

HMONITOR SimWindows::MonitorFromPoint(POINT point, unsigned long flags) {
    Lock lock(mutex_);
    POINT physical = ToPhysical(point);
    size_t nearest = 0;
    long best = std::numeric_limits<long>::max();
    for (size_t i = 0; i < monitors_.size(); ++i) {
        const RECT& rect = monitors_[i].rect;
        if (Contains(rect, physical))
            return reinterpret_cast<HMONITOR>(i + 1);
        long dx = std::max({rect.left - physical.x, 0L, physical.x - rect.right + 1});
        long dy = std::max({rect.top - physical.y, 0L, physical.y - rect.bottom + 1});
        if (dx + dy < best) {
            best = dx + dy;
            nearest = i;
        }
    }
    if (flags != platform::kMonitorDefaultToNearest || monitors_.empty())
        return nullptr;
    return reinterpret_cast<HMONITOR>(nearest + 1);
}

void SimWindows::PrimaryScreenSize(int& width, int& height) {
    Lock lock(mutex_);
    const RECT& rect = monitors_.front().rect;
    width = static_cast<int>(ToLogical(rect.right - rect.left));
    height = static_cast<int>(ToLogical(rect.bottom - rect.top));
}

long SimWindows::DpiForMonitor(HMONITOR monitor, int, unsigned* dpiX, unsigned* dpiY) {
    Lock lock(mutex_);
    auto index = reinterpret_cast<std::uintptr_t>(monitor);
    if (index == 0 || index > monitors_.size() || !dpiX || !dpiY)
        return kInvalidArgument;
    *dpiX = *dpiY = monitors_[index - 1].dpi;
    return 0;
}

HWND SimWindows::Create(const SimWindowSpec& spec) {
    Lock lock(mutex_);
    HWND handle = reinterpret_cast<HWND>(nextHandle_);
    nextHandle_ += 4;
    Window window;
    window.spec = spec;
    Window* parent = FindLocked(spec.parent);
    if (!parent)
        window.spec.parent = nullptr;
    windows_.emplace(Key(handle), std::move(window));
    std::vector<HWND>& siblings = parent ? parent->children : topLevel_;
    siblings.insert(siblings.begin(), handle);
    return handle;
}

HWND SimWindows::CreateTopLevel(StringView className, RECT rect, unsigned long processId) {
    SimWindowSpec spec;
    spec.className = String(className);
    spec.rect = rect;
    spec.processId = processId;
    spec.threadId = processId + 1;
    return Create(spec);
}

HWND SimWindows::CreateChild(HWND parent, StringView className, RECT rect) {
    SimWindowSpec spec;
    spec.className = String(className);
    spec.rect = rect;
    spec.parent = parent;
    // A child belongs to its parent's thread unless the test says otherwise.
    spec.threadId = ThreadProcessId(parent, &spec.processId);
    return Create(spec);
}

void SimWindows::DestroyLocked(HWND handle) {
    Window* window = FindLocked(handle);
    if (!window)
        return;
    std::vector<HWND> children = window->children;
    for (HWND child : children)
        DestroyLocked(child);
    window = FindLocked(handle);
    std::vector<HWND>& siblings = SiblingsLocked(*window);
    siblings.erase(std::remove(siblings.begin(), siblings.end(), handle), siblings.end());
    windows_.erase(Key(handle));
    if (foreground_ == handle)
        foreground_ = nullptr;
}

void SimWindows::Destroy(HWND window) {
    Lock lock(mutex_);
    DestroyLocked(window);
}

void SimWindows::Move(HWND window, RECT rect) {
    Lock lock(mutex_);
    if (Window* found = FindLocked(window))
        found->spec.rect = rect;
}

void SimWindows::Raise(HWND window) {
    Lock lock(mutex_);
    Window* found = FindLocked(window);
    if (!found)
        return;
    std::vector<HWND>& siblings = SiblingsLocked(*found);
    siblings.erase(std::remove(siblings.begin(), siblings.end(), window), siblings.end());
    siblings.insert(siblings.begin(), window);
}

void SimWindows::SetVisible(HWND window, bool visible) {
    Lock lock(mutex_);
    if (Window* found = FindLocked(window))
        found->spec.visible = visible;
}

void SimWindows::SetCaption(HWND window, StringView caption) {
    Lock lock(mutex_);
    if (Window* found = FindLocked(window))
        found->spec.caption = String(caption);
}

void SimWindows::SetStyle(HWND window, unsigned long style, unsigned long exStyle) {
    Lock lock(mutex_);
    if (Window* found = FindLocked(window)) {
        found->spec.style = style;
        found->spec.exStyle = exStyle;
    }
}

void SimWindows::SetDpi(HWND window, unsigned dpi) {
    Lock lock(mutex_);
    if (Window* found = FindLocked(window))
        found->spec.dpi = dpi;
}

bool SimWindows::IsHung(HWND window) {
    std::lock_guard lock(mutex_);
    Window* found = FindLocked(window);
    return found && found->hung;
}

void SimWindows::SetHung(HWND window, bool hung) {
    Lock lock(mutex_);
    if (Window* found = FindLocked(window))
        found->hung = hung;
}

void SimWindows::SetForeground(HWND window) {
    Lock lock(mutex_);
    foreground_ = window;
}

void SimWindows::SetGuiThread(unsigned long threadId, platform::GuiThreadWindows windows) {
    Lock lock(mutex_);
    guiThreads_[threadId] = windows;
}

void SimWindows::SetCursor(POINT physical) {
    Lock lock(mutex_);
    cursor_ = physical;
}

HMONITOR SimWindows::AddMonitor(RECT physical, unsigned dpi) {
    Lock lock(mutex_);
    monitors_.push_back({physical, dpi});
    return reinterpret_cast<HMONITOR>(monitors_.size());
}

void SimWindows::SetMonitorDpi(HMONITOR monitor, unsigned dpi) {
    Lock lock(mutex_);
    auto index = reinterpret_cast<std::uintptr_t>(monitor);
    if (index > 0 && index <= monitors_.size())
        monitors_[index - 1].dpi = dpi;
}

void SimWindows::SetLogicalScale(double scale) {
    Lock lock(mutex_);
    if (scale > 0)
        logicalScale_ = scale;
}

int SimWindows::TextQueries() const {
    Lock lock(mutex_);
    return textQueries_;
}

int SimWindows::ClassNameQueries() const {
    Lock lock(mutex_);
    return classNameQueries_;
}

} // namespace pw::sim

namespace pw::sim {

HWND SimWindows::FindTopLevel(const Char* className) {
    if (!className)
        return nullptr;
    Lock lock(mutex_);
    const StringView wanted(className);
    auto sameClass = [&](const String& name) {
        return name.size() == wanted.size() &&
               std::equal(name.begin(), name.end(), wanted.begin(),
                          [](Char a, Char b) { return std::towlower(a) == std::towlower(b); });
    };
    for (HWND window : topLevel_) {
        const Window* found = FindLocked(window);
        if (found && sameClass(found->spec.className))
            return window;
    }
    return nullptr;
}

bool SimWindows::ShowWindow(HWND window, int command) {
    Lock lock(mutex_);
    showCommands_.push_back({window, command});
    return IsVisibleLocked(window);
}

std::vector<SimWindows::ShowCommand> SimWindows::ShowCommands() const {
    Lock lock(mutex_);
    return showCommands_;
}

namespace {

std::optional<platform::ScrollRange>* BarOf(SimWindowSpec& spec, int bar) {
    switch (bar) {
    case platform::kSbVert:
        return &spec.vertical;
    case platform::kSbHorz:
        return &spec.horizontal;
    case platform::kSbCtl:
        return &spec.control;
    default:
        return nullptr;
    }
}

} // namespace

bool SimWindows::ScrollInfo(HWND window, int bar, platform::ScrollRange& range) {
    Lock lock(mutex_);
    Window* found = FindLocked(window);
    if (!found)
        return false;
    std::optional<platform::ScrollRange>* slot = BarOf(found->spec, bar);
    if (!slot || !*slot)
        return false;
    range = **slot;
    return true;
}

void SimWindows::SetScrollRange(HWND window, int bar, platform::ScrollRange range) {
    Lock lock(mutex_);
    Window* found = FindLocked(window);
    if (!found)
        return;
    if (std::optional<platform::ScrollRange>* slot = BarOf(found->spec, bar))
        *slot = range;
}

void SimWindows::SwitchToThisWindow(HWND window, bool) {
    Lock lock(mutex_);
    activations_.push_back(window);
    if (!FindLocked(window))
        return;
    HWND root = window;
    while (Window* found = FindLocked(root)) {
        if (!found->spec.parent)
            break;
        root = found->spec.parent;
    }
    Raise(root);
    foreground_ = root;
}

std::vector<HWND> SimWindows::Activations() const {
    Lock lock(mutex_);
    return activations_;
}

std::vector<HWND> SimWindows::TakeActivations() {
    Lock lock(mutex_);
    std::vector<HWND> taken;
    taken.swap(activations_);
    return taken;
}

} // namespace pw::sim
