#pragma once

// The replay tool's scenario language: one step per line, '#' starts a comment.
//
//   window ID process=NAME.exe class=CLASS caption="TEXT" [parent=ID] rect=X,Y,W,H [dpi=N]
//          [style=HEX] [exstyle=HEX] [vscroll=MIN,MAX,POS] [hscroll=MIN,MAX,POS]
//          [vbar=MIN,MAX,POS] [hbar=MIN,MAX,POS] [integrity=low|medium|high|system|HEX]
//   foreground ID | close ID
//   move X Y | down BUTTON | up BUTTON | dblclick BUTTON   (Left Right Middle XLeft XRight)
//   wheel DELTA | tilt DELTA | key down|up VK | wait MS
//   clipboard ["TEXT"] | select ["TEXT"] | brightness PERCENT
//   caption ID "TEXT" | reload FILE | layer N|next|previous | unhook | hook

#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <vector>

namespace pw::replay {

enum class StepKind {
    Window,
    Foreground,
    Close,
    Move,
    Down,
    Up,
    DoubleClick,
    Wheel,
    Tilt,
    Key,
    Wait,
    Clipboard,  // the clipboard's text, or an empty clipboard
    Selection,  // what Ctrl+C copies in the window in front, or nothing
    Brightness, // the monitor's brightness level
    Caption,    // a window's new caption
    Reload,     // a new settings file, reloaded as after a save in the main program
    Layer,      // a layer chosen through the exported layer functions
    Unhook,     // RemoveMouseHook(true)
    Hook        // SetMouseHook()
};

// How a Layer step chooses the layer.
enum class LayerChoice { Set, Next, Previous };

enum class Button { Left, Right, Middle, XLeft, XRight };

// A scroll bar's range and thumb position.
struct ScrollBarSpec {
    int min = 0, max = 0, pos = 0;
};

struct WindowSpec {
    std::string id;
    std::string process;
    std::string className;
    std::string caption;
    std::string parent; // empty: a top-level window
    long x = 0, y = 0, width = 0, height = 0;
    unsigned dpi = 96;
    unsigned long style = 0;
    unsigned long exStyle = 0;
    // The window's own bars, and the range of a window that is a scroll-bar control.
    std::optional<ScrollBarSpec> vscroll{}, hscroll{}, vbar{}, hbar{};
    // The integrity level of the owning process (top-level windows only).
    std::optional<unsigned long> integrity{};
};

struct Step {
    StepKind kind = StepKind::Wait;
    int line = 0;
    std::string text;   // the line as written, without surrounding blanks
    WindowSpec window;  // Window
    std::string target; // Foreground, Close, Caption
    long x = 0, y = 0;  // Move
    Button button = Button::Left;
    int delta = 0;      // Wheel, Tilt
    bool keyUp = false; // Key
    int virtualKey = 0; // Key
    uint32_t ms = 0;    // Wait

    std::optional<std::string> content; // Clipboard, Selection; Caption's text
    int level = 0;                      // Brightness
    std::string file;                   // Reload, as written (relative to the scenario)
    LayerChoice layerChoice = LayerChoice::Set;
    int layer = 0; // Layer with LayerChoice::Set: counted from 1
};

struct ScenarioError {
    int line = 0;
    std::string message;
};

// Parses a whole scenario; on the first malformed line returns no steps and sets error.
std::optional<std::vector<Step>> ParseScenario(std::istream& in, ScenarioError& error);
const char* ButtonName(Button button);

} // namespace pw::replay
