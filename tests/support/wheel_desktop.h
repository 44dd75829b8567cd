#pragma once

// A simulated desktop with the library loaded and its settings read from a settings file,
// for tests that turn the wheel over windows through the mouse hook and read what the
// library posted to them.

#include "hook/library.h"
#include "platform/sim/simulated_desktop.h"

#include <optional>
#include <string>
#include <vector>

namespace pw::test {

// One message posted or sent to a window, as the tests compare them.
struct WindowMessage {
    HWND window = nullptr;
    unsigned message = 0;
    uintptr_t wParam = 0;
    uintptr_t lParam = 0;
    bool operator==(const WindowMessage&) const = default;
};

class WheelDesktop {
  public:
    static constexpr unsigned long kAppPid = 100;
    static constexpr unsigned long kFrontPid = 200;

    // ownIntegrity: the library's own level, and systemLines the system's wheel lines
    // (0xFFFFFFFF: a page a notch), both read when it is loaded.
    explicit WheelDesktop(unsigned long ownIntegrity = platform::kIntegrityMedium,
                          unsigned systemLines = 3);
    ~WheelDesktop();

    // Writes a settings file with globals (option elements) and the default profile's
    // attributes, and has the library load it.
    bool Load(const std::string& defaultProfile, const std::string& globals = "");
    HWND Window(HWND parent, const Char* className, RECT rect, unsigned long style = 0,
                unsigned long pid = kAppPid);

    // Runs one wheel (tilt: horizontal) event at pt through the mouse hook; true when it
    // was swallowed. Each event is 200 ms after the previous one unless time is given.
    bool Wheel(POINT pt, int delta, std::optional<uint32_t> time = {});
    // The horizontal redirection of a tilt at pt that no action took; true = swallow.
    bool Tilt(POINT pt, int delta);
    // What the library posted or sent to windows since the last call (queries excluded).
    std::vector<WindowMessage> TakeMessages();
    bool Logged(StringView text) { return desktop.diagnostics.DebugOutputContains(text); }

    sim::SimulatedDesktop desktop;
    std::optional<hook::LibraryScope> library;
    HWND front = nullptr; // the foreground window, of another process
    HWND app = nullptr;   // a top-level window of the application under the cursor
    uint32_t time = 1000;
};

inline uintptr_t WheelParam(int delta, unsigned keys = 0) {
    return (static_cast<uintptr_t>(static_cast<uint16_t>(delta)) << 16) | keys;
}
inline uintptr_t PointParam(POINT pt) {
    return (static_cast<uintptr_t>(static_cast<uint16_t>(pt.y)) << 16) |
           static_cast<uint16_t>(pt.x);
}
inline uintptr_t HandleParam(HWND window) {
    return reinterpret_cast<uintptr_t>(window);
}

// The window messages and styles the wheel tests compare, and the pane they turn it over.
namespace wheel {
constexpr unsigned kWheel = 0x20A;
constexpr unsigned kHWheel = 0x20E;
constexpr unsigned kVScroll = 0x115;
constexpr unsigned kHScroll = 0x114;
constexpr RECT kPane{100, 100, 500, 500};
constexpr POINT kPoint{200, 200};
constexpr unsigned long kVisible = 0x10000000;
constexpr unsigned long kVScrollStyle = 0x00200000;
constexpr unsigned long kHScrollStyle = 0x00100000;
} // namespace wheel

} // namespace pw::test
