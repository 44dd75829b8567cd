#pragma once

// The button elements shared by profiles and chord sets: their names and the eight slot
// attributes ("action", "keys", "keyaction", "keyrepeat", "active", "blockmouse",
// "randomisedelay", "app").

#include "settings/actions.h"
#include "settings/load_diagnostics.h"
#include "support/text.h"

#include <pugixml.hpp>

namespace pw::settings::xml {

// The element name of button on layer (0 to 9) of an application profile: the plain name
// on layer 0, name + "_Layer%d" above it. Null for office mouse's missing button or a value
// outside the grid.
const char* SuffixedButtonName(int button, int layer, bool officeMouse);
// The plain element name of button (default profile layers and chord sets).
const char* PlainButtonName(int button, bool officeMouse);

// The slot that an application profile's child element name stands for
// (button + 9 * layer), or -1 when it names no button.
int SuffixedNameToSlot(const char* name, bool officeMouse);
// The button a plain element name stands for, or -1.
int PlainNameToButton(const char* name, bool officeMouse);

// The slot attributes of one button element, read in a single pass over its attributes.
// Text values point into the document.
struct SlotAttributes {
    int action = actNoChange;
    const char* keys = nullptr; // null when absent
    int keyAction = 0;
    int keyRepeat = 0;
    bool active = true;
    bool blockMouse = true;
    bool randomiseDelay = false;
    const char* app = nullptr; // null when absent
};

// Reads element's slot attributes with their file defaults, as far as the action uses
// them: the keystroke attributes for action 28 with "keys" present, "app" for 41 and 59.
// Out-of-range values (action codes, send modes, negative repeat times) are logged and
// replaced by the defaults; unknown attributes are logged at debug level. owner names the
// profile in log lines. diagnostics, when given, hears of every value not taken as written.
SlotAttributes ReadSlotAttributes(const pugi::xml_node& element, const Char* owner,
                                  LoadDiagnostics* diagnostics = nullptr);

struct SlotValuesToWrite {
    int action = actNoChange;
    const Char* keys = nullptr;
    int keyAction = 0;
    int keyRepeat = 0;
    bool active = true;
    bool blockMouse = true;
    bool randomiseDelay = false;
    const Char* app = nullptr;
};

class XmlTextWriter;

// Writes all eight attributes in their fixed order, replacing values already there.
void WriteSlotAttributes(pugi::xml_node& element, const SlotValuesToWrite& values);
// The same for the new element writer has open.
void WriteSlotAttributes(XmlTextWriter& writer, const SlotValuesToWrite& values);

} // namespace pw::settings::xml
