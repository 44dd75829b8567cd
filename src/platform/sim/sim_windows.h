#pragma once

#include "platform/platform.h"

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <vector>

namespace pw::sim {

// What a test says about a new window. Rectangles are in physical screen pixels; child
// rectangles are screen rectangles too, and do not follow their parent when it moves.
struct SimWindowSpec {
    String className;
    String caption;
    RECT rect{};
    HWND parent = nullptr; // a child window of parent
    HWND owner = nullptr;  // a top-level window owned by owner
    unsigned long processId = 0;
    unsigned long threadId = 0;
    unsigned long style = 0; // the visible bit is taken from visible
    unsigned long exStyle = 0;
    bool visible = true;
    unsigned dpi = platform::kDefaultDpi;
    // Scroll bars: the window's own vertical and horizontal bars (their styles kWsVScroll
    // and kWsHScroll are set by the test), and the range of a scroll-bar control.
    std::optional<platform::ScrollRange> vertical{};
    std::optional<platform::ScrollRange> horizontal{};
    std::optional<platform::ScrollRange> control{};
};

// A virtual desktop of windows with z-order (the last created or raised sibling is on
// top), a cursor, a foreground window and monitors with their DPI.
//
// The library's own process sees logical coordinates: a logical pixel is logicalScale
// physical pixels, as for a program the system scales. The physical queries (the
// scaling exports) work on physical pixels directly.
class SimWindows final : public platform::Windows {
  public:
    SimWindows();

    HWND WindowFromPoint(POINT point) override;
    HWND ChildWindowFromPointEx(HWND parent, POINT clientPoint, unsigned flags) override;
    bool ScreenToClient(HWND window, POINT& point) override;
    HWND Parent(HWND window) override;
    HWND Ancestor(HWND window, unsigned kind) override;
    HWND Related(HWND window, unsigned relation) override;
    void EnumerateChildren(HWND parent, EnumProc proc, intptr_t param) override;
    int ClassName(HWND window, Char* buffer, int capacity) override;
    int WindowText(HWND window, Char* buffer, int capacity) override;
    int InternalWindowText(HWND window, Char* buffer, int capacity) override;
    bool TextLengthWithTimeout(HWND window, unsigned timeoutMs, size_t& length) override;
    bool TextWithTimeout(HWND window, Char* buffer, size_t capacity, unsigned timeoutMs,
                         size_t& copied) override;
    unsigned long ThreadProcessId(HWND window, unsigned long* processId) override;
    bool WindowRect(HWND window, RECT& rect) override;
    bool IsVisible(HWND window) override;
    bool Exists(HWND window) override;
    unsigned long WindowLong(HWND window, int index) override;
    HWND ForegroundWindow() override;
    bool GuiThreadInfo(unsigned long threadId, platform::GuiThreadWindows& windows) override;
    bool CursorPos(POINT& point) override;
    bool SetCursorPos(POINT point) override;
    HMONITOR MonitorFromPoint(POINT point, unsigned long flags) override;
    // The first monitor's size, in the caller's coordinates.
    void PrimaryScreenSize(int& width, int& height) override;
    HWND FindTopLevel(const Char* className) override;
    // Records the command; the simulated window's state does not change.
    bool ShowWindow(HWND window, int command) override;

    struct ShowCommand {
        HWND window = nullptr;
        int command = 0;
    };
    std::vector<ShowCommand> ShowCommands() const;
    bool ScrollInfo(HWND window, int bar, platform::ScrollRange& range) override;
    // Records the window and makes its top-level window the foreground window.
    void SwitchToThisWindow(HWND window, bool altTab) override;
    // The windows activated so far, oldest first.
    std::vector<HWND> Activations() const;
    // Takes the activations recorded so far, leaving none.
    std::vector<HWND> TakeActivations();

    // Called at each window-from-point query, on the querying thread and before the
    // answer: a test's way to act at that very moment (another thread taking a lock, say).
    // Null stops it.
    void SetWindowFromPointObserver(std::function<void()> observer);

    // The physical queries behind the scaling exports.
    HWND WindowFromPhysicalPoint(POINT point);
    bool PhysicalCursorPos(POINT& point);
    bool LogicalToPhysicalPoint(HWND window, POINT& point);
    long DpiForMonitor(HMONITOR monitor, int dpiType, unsigned* dpiX, unsigned* dpiY);
    // The export of that name, as a function pointer into the current simulated desktop.
    static void* ScalingExport(const char* name);

    // Building the desktop.
    HWND Create(const SimWindowSpec& spec);
    HWND CreateTopLevel(StringView className, RECT rect, unsigned long processId = 0);
    HWND CreateChild(HWND parent, StringView className, RECT rect);
    // Destroys the window and its descendants.
    void Destroy(HWND window);
    void Move(HWND window, RECT rect);
    // Puts the window on top of its siblings.
    void Raise(HWND window);
    void SetVisible(HWND window, bool visible);
    void SetCaption(HWND window, StringView caption);
    void SetStyle(HWND window, unsigned long style, unsigned long exStyle);
    // Gives window a scroll bar (kSbVert, kSbHorz, or kSbCtl for a scroll-bar control)
    // with range and position.
    void SetScrollRange(HWND window, int bar, platform::ScrollRange range);
    void SetDpi(HWND window, unsigned dpi);
    // A hung window answers no message: its text queries time out.
    void SetHung(HWND window, bool hung);
    bool IsHung(HWND window);
    void SetForeground(HWND window);
    void SetGuiThread(unsigned long threadId, platform::GuiThreadWindows windows);
    // The cursor, in physical pixels.
    void SetCursor(POINT physical);
    HMONITOR AddMonitor(RECT physical, unsigned dpi);
    void SetMonitorDpi(HMONITOR monitor, unsigned dpi);
    void SetLogicalScale(double scale);

    // How often captions and class names were asked for, to check that a road reads none.
    int TextQueries() const;
    int ClassNameQueries() const;

  private:
    struct Window {
        SimWindowSpec spec;
        std::vector<HWND> children; // top of z-order first
        bool hung = false;
    };
    struct Monitor {
        RECT rect{};
        unsigned dpi = platform::kDefaultDpi;
    };

    Window* FindLocked(HWND window);
    std::vector<HWND>& SiblingsLocked(const Window& window);
    HWND DeepestVisibleLocked(const std::vector<HWND>& windows, POINT physical);
    bool IsVisibleLocked(HWND window);
    void DestroyLocked(HWND window);
    void CollectDescendantsLocked(HWND parent, std::vector<HWND>& out);
    POINT ToPhysical(POINT logical) const;
    long ToLogical(long physical) const;
    static bool Contains(const RECT& rect, POINT point);

    mutable std::recursive_mutex mutex_;
    void ObservePointQuery();
    std::mutex observerMutex_;
    std::function<void()> pointObserver_;
    std::map<std::uintptr_t, Window> windows_;
    std::vector<HWND> topLevel_; // top of z-order first
    std::vector<Monitor> monitors_;
    std::map<unsigned long, platform::GuiThreadWindows> guiThreads_;
    std::uintptr_t nextHandle_ = 0x10010;
    HWND foreground_ = nullptr;
    POINT cursor_{};
    double logicalScale_ = 1.0;
    std::vector<ShowCommand> showCommands_;
    std::vector<HWND> activations_;
    int textQueries_ = 0;
    int classNameQueries_ = 0;
};

} // namespace pw::sim
