#include "scenario_generator.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <set>

namespace pw::fuzz {

namespace {

struct WindowPlace {
    const char* id;
    int x, y, width, height;
};

// The top-level windows and the child window the cursor can be moved into.
constexpr std::array<WindowPlace, 6> kWindows = {{
    {"a", 0, 0, 640, 500},
    {"b", 640, 0, 640, 500},
    {"g", 700, 100, 400, 300},
    {"c", 1280, 0, 640, 500},
    {"d", 0, 500, 960, 500},
    {"e", 960, 500, 960, 500},
}};

constexpr const char* kDesktop =
    "window a process=app1.exe class=AppOne caption=\"One\" rect=0,0,640,500\n"
    "window b process=app2.exe class=AppTwo caption=\"Two\" rect=640,0,640,500\n"
    "window g parent=b class=Grid caption=\"\" rect=700,100,400,300\n"
    "window c process=plain.exe class=Plain caption=\"Three\" rect=1280,0,640,500\n"
    "window d process=app1.exe class=AppOneDoc caption=\"Doc\" rect=0,500,960,500 "
    "vscroll=0,100,50\n"
    "window e process=app3.exe class=AppThree caption=\"Four\" rect=960,500,960,500\n";

// Profiles besides app1.exe's, which every file has: an application, a window class and
// a caption profile.
constexpr std::array<const char*, 3> kOtherProfiles = {"app2.exe", "W2:app2.exe \\;| Grid \\;| *",
                                                       "W3:Report \\;| app3.exe \\;| * \\;| *"};

constexpr std::array<const char*, 5> kPhysicalButtons = {"Left", "Right", "Middle", "XLeft",
                                                         "XRight"};
// Keys the user presses: the layer modifier keys' Shift, Control, Alt and Windows keys, and
// a letter.
constexpr std::array<int, 6> kPhysicalKeys = {160, 161, 162, 164, 91, 65};

template <typename T, size_t N>
const T& Pick(FuzzedDataProvider& in, const std::array<T, N>& from) {
    return from[in.ConsumeIntegralInRange<size_t>(0, N - 1)];
}

constexpr std::array<const char*, 8> kModifiers = {"{CTRL}",  "{SHIFT}",  "{ALT}",  "{LWIN}",
                                                   "{RCTRL}", "{RSHIFT}", "{RALT}", "{APPS}"};
constexpr std::array<const char*, 14> kKeys = {
    "a",    "b",    "x",     "1",      "{ENTER}", "{TAB}",   "{ESCAPE}",
    "{F5}", "{UP}", "{DEL}", "{HOME}", "{SPACE}", "{NUM:5}", "{VKC:65}"};
constexpr std::array<const char*, 9> kMouseTags = {
    "{LMB}", "{RMB}", "{MMB}", "{XMB1}", "{XMB2}", "{MWUP}", "{MWDN}", "{TILTL}", "{TILTR}"};
constexpr std::array<const char*, 5> kHalfClicks = {"LMB", "RMB", "MMB", "XMB1", "XMB2"};
constexpr std::array<const char*, 8> kTimings = {"{WAITMS:0}",   "{WAITMS:10}", "{WAITMS:60}",
                                                 "{HOLDMS:10}",  "{HOLDMS:60}", "{WAITMS:150}",
                                                 "{HOLDMS:150}", "{WAIT}"};

// A keystroke text of the kinds users write. Half clicks come in pairs, and only where
// the text is played whole: held or sticky keys play each half at another time.
std::string KeyText(FuzzedDataProvider& in, bool wholeOnly, bool noLayerTags) {
    std::string text;
    const int pieces = in.ConsumeIntegralInRange(1, 4);
    for (int i = 0; i < pieces; ++i) {
        switch (in.ConsumeIntegralInRange(0, 9)) {
        case 0:
        case 1:
            text += Pick(in, kModifiers);
            if (in.ConsumeBool())
                text += Pick(in, kModifiers);
            text += Pick(in, kKeys);
            break;
        case 2:
        case 3:
            text += Pick(in, kKeys);
            break;
        case 4:
            if (in.ConsumeBool())
                text += Pick(in, kModifiers);
            text += Pick(in, kMouseTags);
            break;
        case 5:
            text += Pick(in, kTimings);
            break;
        case 6:
            if (noLayerTags) {
                text += Pick(in, kKeys);
                break;
            }
            text += in.ConsumeBool()
                        ? "{LAYER:" + std::to_string(in.ConsumeIntegralInRange(1, 5)) + "}"
                        : std::string("{LAYER:LAST}");
            break;
        case 7:
            if (wholeOnly) {
                const std::string button = Pick(in, kHalfClicks);
                text += "{" + button + "D}" + Pick(in, kKeys) + "{" + button + "U}";
            } else {
                text += Pick(in, kKeys);
            }
            break;
        default:
            text += Pick(in, kModifiers); // a modifier alone: pressed and released
            break;
        }
    }
    return text;
}

constexpr std::array<int, 7> kClicks = {0, 1, 5, 10, 64, 119, 120};
constexpr std::array<int, 25> kKeyActions = {3,  4,  8,  9, 11, 16, 17, 19, 33, 20, 21,  22, 23,
                                             26, 36, 37, 2, 45, 71, 83, 94, 95, 98, 100, 101};
constexpr std::array<int, 7> kSticky = {49, 50, 51, 75, 76, 78, 79};
constexpr std::array<int, 7> kLayerActions = {52, 53, 54, 55, 56, 57, 102};
constexpr std::array<int, 8> kWheelActions = {42, 43, 65, 66, 67, 68, 69, 70};
constexpr std::array<int, 8> kMovementToScroll = {77, 80, 121, 122, 123, 124, 125, 126};
constexpr std::array<int, 4> kAxisLocks = {129, 130, 131, 132};
constexpr std::array<int, 10> kOtherActions = {12, 13, 32, 18, 81, 41, 59, 92, 93, 91};

void SetKeys(FuzzedDataProvider& in, const GeneratorLimits& limits, GeneratedSlot& slot) {
    slot.action = 28;
    slot.mode = in.ConsumeIntegralInRange(0, 8);
    if (limits.steps.count("mode" + std::to_string(slot.mode)))
        slot.mode = 0;
    const bool whole =
        slot.mode != 2 && slot.mode != 7 && slot.mode != 8 && !limits.steps.count("half-clicks");
    const bool held = slot.mode == 2 || slot.mode == 6 || slot.mode == 7;
    slot.keys = KeyText(in, whole, held && limits.steps.count("layer-tag-held") > 0);
    static constexpr std::array<int, 5> kRepeats = {0, 20, 50, 120, 300};
    slot.repeat = Pick(in, kRepeats);
    slot.blockMouse = in.ConsumeIntegralInRange(0, 7) != 0;
}

// One chord partner: a click, keys or a key action.
GeneratedSlot::Chord ChordPartner(FuzzedDataProvider& in, const GeneratorLimits& limits,
                                  int button) {
    GeneratedSlot::Chord chord;
    chord.button = button;
    switch (in.ConsumeIntegralInRange(0, 2)) {
    case 0:
        chord.action = Pick(in, kClicks);
        break;
    case 1: {
        GeneratedSlot keys;
        SetKeys(in, limits, keys);
        chord.action = 28;
        chord.keys = keys.keys;
        chord.mode = keys.mode;
        break;
    }
    default:
        chord.action = Pick(in, kKeyActions);
        break;
    }
    return chord;
}

GeneratedSlot MakeAnySlot(FuzzedDataProvider& in, const GeneratorLimits& limits, bool isDefault,
                          int layer, int button) {
    GeneratedSlot slot;
    switch (in.ConsumeIntegralInRange(0, 15)) {
    case 0:
    case 1:
        slot.action = Pick(in, kClicks);
        break;
    case 2:
    case 3:
    case 4:
        SetKeys(in, limits, slot);
        break;
    case 5:
        slot.action = Pick(in, kKeyActions);
        break;
    case 6:
        slot.action = Pick(in, kSticky);
        break;
    case 7:
        slot.action = Pick(in, kLayerActions);
        break;
    case 8:
        slot.action = isDefault ? 40 : 74;
        break;
    case 9:
        slot.action = layer > 0 ? 82 : 40;
        break;
    case 10:
        if (button <= 4) {
            slot.action = 128;
            slot.blockUntilEstablished = in.ConsumeBool();
            std::set<int> partners;
            const int count = in.ConsumeIntegralInRange(1, 3);
            for (int i = 0; i < count; ++i) {
                const int partner = in.ConsumeIntegralInRange(0, 4);
                if (partner != button && partners.insert(partner).second)
                    slot.chords.push_back(ChordPartner(in, limits, partner));
            }
        }
        break;
    case 11:
        slot.action = Pick(in, kWheelActions);
        break;
    case 12:
        slot.action = Pick(in, kMovementToScroll);
        break;
    case 13:
        slot.action = Pick(in, kAxisLocks);
        break;
    case 14:
        slot.action = Pick(in, kOtherActions);
        slot.app = slot.action == 41 ? "C:\\Tools\\tool.exe" : "C:\\Data";
        break;
    default:
        slot.action = 40;
        break;
    }
    return slot;
}

GeneratedSlot MakeSlot(FuzzedDataProvider& in, const GeneratorLimits& limits, bool isDefault,
                       int layer, int button) {
    GeneratedSlot slot = MakeAnySlot(in, limits, isDefault, layer, button);
    if (limits.actions.count(slot.action))
        return {};
    if (button >= 5 && (slot.mode == 2 || slot.mode == 5) &&
        limits.steps.count("unblocked-held-scroll"))
        slot.blockMouse = true;
    for (auto chord = slot.chords.begin(); chord != slot.chords.end();) {
        if (limits.actions.count(chord->action))
            chord = slot.chords.erase(chord);
        else
            ++chord;
    }
    return slot;
}

void FillProfile(FuzzedDataProvider& in, const GeneratorLimits& limits, GeneratedProfile& profile,
                 int layers) {
    const bool isDefault = profile.name.empty();
    profile.ignoreVScroll = in.ConsumeIntegralInRange(0, 3) == 0;
    profile.ignoreVScrollTime = in.ConsumeIntegralInRange(0, 8) * 50;
    profile.ignoreHScroll = in.ConsumeIntegralInRange(0, 3) == 0;
    profile.ignoreHScrollTime = in.ConsumeIntegralInRange(0, 8) * 50;
    profile.axisLocking = in.ConsumeIntegralInRange(0, 3) == 0;
    profile.invertScrolling = in.ConsumeIntegralInRange(0, 7) == 0;
    profile.enabled = in.ConsumeIntegralInRange(0, 15) != 0;
    for (int layer = 0; layer < layers; ++layer) {
        GeneratedLayer& data = profile.layers[layer];
        if (layer > 0) {
            // Back to the first layer only: a switch-back never arms another.
            if (in.ConsumeIntegralInRange(0, 5) == 0) {
                data.autoSwitchTo = 1;
                data.autoSwitchSeconds = in.ConsumeIntegralInRange(1, 3);
            }
            data.disabled = in.ConsumeIntegralInRange(0, 9) == 0;
        }
        data.revertToFirst = in.ConsumeIntegralInRange(0, 3) == 0;
        const int assigned = in.ConsumeIntegralInRange(0, 5);
        for (int i = 0; i < assigned; ++i) {
            const int button = in.ConsumeIntegralInRange(0, kButtons - 1);
            data.slots[button] = MakeSlot(in, limits, isDefault, layer, button);
        }
    }
}

GeneratedSettings MakeSettings(FuzzedDataProvider& in, const GeneratorLimits& limits) {
    GeneratedSettings settings;
    settings.layers = in.ConsumeIntegralInRange(1, kMaxGeneratedLayers);
    settings.switchOnMouseOver = in.ConsumeBool();
    settings.activateOnMouseOver = in.ConsumeIntegralInRange(0, 3) == 0;
    settings.activateOnScroll = in.ConsumeIntegralInRange(0, 3) == 0;
    settings.scrollUnderCursor = in.ConsumeBool();
    settings.resetOnAnyButton = in.ConsumeIntegralInRange(0, 2) == 0;
    settings.resetOnAnyKey = in.ConsumeIntegralInRange(0, 2) == 0;
    settings.resetOnLayerChange = in.ConsumeBool();
    settings.fixTiltRepeat = in.ConsumeIntegralInRange(0, 2) == 0;
    settings.repeatTiltDelay = in.ConsumeIntegralInRange(1, 6) * 40;
    settings.movementCursor = in.ConsumeBool();
    settings.debounce = in.ConsumeIntegralInRange(0, 7) == 0;
    settings.debounceTime = in.ConsumeIntegralInRange(1, 4) * 25;
    settings.keyDelay = in.ConsumeIntegralInRange(0, 3);
    settings.layerKeysEnabled = in.ConsumeBool();
    static constexpr std::array<int, 6> kModifierCodes = {1, 2, 4, 3, 8, 6};
    static constexpr std::array<int, 4> kKeysOfSlots = {0, 0, 65, 162};
    const int layerKeys = in.ConsumeIntegralInRange(0, 3);
    for (int i = 0; i < layerKeys; ++i)
        settings.layerKeys.push_back(
            {in.ConsumeIntegralInRange(0, 6), Pick(in, kKeysOfSlots), Pick(in, kModifierCodes)});

    FillProfile(in, limits, settings.defaultProfile, settings.layers);
    GeneratedProfile app1;
    app1.name = "app1.exe";
    settings.profiles.push_back(app1);
    for (const char* name : kOtherProfiles) {
        if (in.ConsumeBool()) {
            GeneratedProfile profile;
            profile.name = name;
            settings.profiles.push_back(profile);
        }
    }
    for (GeneratedProfile& profile : settings.profiles)
        FillProfile(in, limits, profile, settings.layers);
    // app1.exe stays switchable to: the end of every run rests on its windows.
    settings.profiles.front().enabled = true;
    return settings;
}

// The file for reloads: the first one with some slots and options changed, and now and
// then a profile less or a layer more or less.
GeneratedSettings Vary(FuzzedDataProvider& in, const GeneratorLimits& limits,
                       const GeneratedSettings& first) {
    GeneratedSettings second = first;
    const int changes = in.ConsumeIntegralInRange(1, 8);
    for (int i = 0; i < changes; ++i) {
        const size_t which = in.ConsumeIntegralInRange<size_t>(0, second.profiles.size());
        GeneratedProfile& profile =
            which == second.profiles.size() ? second.defaultProfile : second.profiles[which];
        const int layer = in.ConsumeIntegralInRange(0, second.layers - 1);
        const int button = in.ConsumeIntegralInRange(0, kButtons - 1);
        profile.layers[layer].slots[button] =
            MakeSlot(in, limits, profile.name.empty(), layer, button);
    }
    switch (in.ConsumeIntegralInRange(0, 7)) {
    case 0:
        second.switchOnMouseOver = !second.switchOnMouseOver;
        break;
    case 1:
        second.layers = in.ConsumeIntegralInRange(1, kMaxGeneratedLayers);
        break;
    case 2:
        if (second.profiles.size() > 1)
            second.profiles.pop_back();
        break;
    case 3:
        second.defaultProfile.ignoreVScroll = !second.defaultProfile.ignoreVScroll;
        second.fixTiltRepeat = !second.fixTiltRepeat;
        break;
    case 4:
        if (!limits.steps.count("layer-keys-toggle"))
            second.layerKeysEnabled = !second.layerKeysEnabled;
        break;
    default:
        break;
    }
    return second;
}

class ScenarioWriter {
  public:
    ScenarioWriter(FuzzedDataProvider& in, const GeneratorLimits& limits, GeneratedCase& out)
        : in_(in), limits_(limits), out_(out) {}

    void Write() {
        text_ = kDesktop;
        const WindowPlace& start = Pick(in_, kWindows);
        Line(std::string("foreground ") + (start.id[0] == 'g' ? "b" : start.id));
        MoveInto(start);
        const int steps = in_.ConsumeIntegralInRange(4, 60);
        for (int i = 0; i < steps && in_.remaining_bytes() > 0; ++i)
            Step();
        out_.scenario = text_;
        out_.heldButtons.assign(buttons_.begin(), buttons_.end());
        out_.heldKeys.assign(keys_.begin(), keys_.end());
        out_.unhooked = unhooked_;
    }

  private:
    void Line(const std::string& line) { text_ += line + "\n"; }

    void MoveInto(const WindowPlace& place) {
        x_ = place.x + in_.ConsumeIntegralInRange(1, place.width - 2);
        y_ = place.y + in_.ConsumeIntegralInRange(1, place.height - 2);
        Line("move " + std::to_string(x_) + " " + std::to_string(y_));
    }

    void Wait() {
        static constexpr std::array<int, 10> kWaits = {0,   10,  50,  100,  150,
                                                       200, 300, 500, 1000, 2500};
        int ms = Pick(in_, kWaits);
        // The whole scenario stays within a bounded stretch of virtual time.
        ms = std::min(ms, kMaxWaitMs - waited_);
        if (ms <= 0)
            return;
        waited_ += ms;
        Line("wait " + std::to_string(ms));
    }

    // The word of each kind of step, as the limits name them.
    static const char* StepWord(int step) {
        static constexpr const char* kWords[] = {
            "button",     "button",  "button", "move",  "move",   "move", "move",
            "wheel",      "wheel",   "tilt",   "key",   "key",    "wait", "wait",
            "foreground", "caption", "reload", "layer", "unhook", "move"};
        return kWords[step];
    }

    void Step() {
        int step = in_.ConsumeIntegralInRange(0, 19);
        if (limits_.steps.count(StepWord(step)))
            step = 19;
        switch (step) {
        case 0:
        case 1:
        case 2: { // press or release a button
            const std::string button = Pick(in_, kPhysicalButtons);
            const bool held = buttons_.count(button) > 0;
            Line((held ? "up " : "down ") + button);
            if (held)
                buttons_.erase(button);
            else
                buttons_.insert(button);
            break;
        }
        case 3:
        case 4: // a small move in the same window
            x_ += in_.ConsumeIntegralInRange(-20, 20);
            y_ += in_.ConsumeIntegralInRange(-20, 20);
            x_ = std::clamp(x_, 0, 1919);
            y_ = std::clamp(y_, 0, kFreeTop - 1);
            Line("move " + std::to_string(x_) + " " + std::to_string(y_));
            break;
        case 5:
        case 6:
            MoveInto(Pick(in_, kWindows));
            break;
        case 7:
        case 8:
            Line("wheel " + std::to_string(in_.ConsumeBool() ? 120 : -120));
            break;
        case 9:
            Line("tilt " + std::to_string(in_.ConsumeBool() ? 120 : -120));
            break;
        case 10:
        case 11: {
            const int key = Pick(in_, kPhysicalKeys);
            const bool held = keys_.count(key) > 0;
            Line(std::string("key ") + (held ? "up " : "down ") + std::to_string(key));
            if (held)
                keys_.erase(key);
            else
                keys_.insert(key);
            break;
        }
        case 12:
        case 13:
            Wait();
            break;
        case 14: {
            const WindowPlace& place = Pick(in_, kWindows);
            Line(std::string("foreground ") + place.id);
            break;
        }
        case 15:
            Line(std::string("caption e \"") + (in_.ConsumeBool() ? "Report" : "Four") + "\"");
            break;
        case 16:
            out_.lastIsSecond = in_.ConsumeBool();
            if (limits_.steps.count("quick-reload"))
                Line("wait 1000"); // what the last events started ends first
            Line(std::string("reload ") +
                 (out_.lastIsSecond ? kSecondSettingsFile : kFirstSettingsFile));
            break;
        case 17:
            switch (in_.ConsumeIntegralInRange(0, 3)) {
            case 0:
                Line("layer next");
                break;
            case 1:
                Line("layer previous");
                break;
            default:
                Line("layer " + std::to_string(in_.ConsumeIntegralInRange(1, 5)));
                break;
            }
            break;
        case 18:
            Line(unhooked_ ? "hook" : "unhook");
            unhooked_ = !unhooked_;
            break;
        default:
            Line("move " + std::to_string(x_) + " " + std::to_string(y_));
            break;
        }
    }

    static constexpr int kMaxWaitMs = 20000;

    FuzzedDataProvider& in_;
    const GeneratorLimits& limits_;
    GeneratedCase& out_;
    std::string text_;
    std::set<std::string> buttons_;
    std::set<int> keys_;
    bool unhooked_ = false;
    int x_ = 0;
    int y_ = 0;
    int waited_ = 0;
};

} // namespace

GeneratedCase Generate(const uint8_t* data, size_t size, const GeneratorLimits& limits) {
    FuzzedDataProvider in(data, size);
    GeneratedCase result;
    result.first = MakeSettings(in, limits);
    result.second = Vary(in, limits, result.first);
    ScenarioWriter(in, limits, result).Write();
    return result;
}

} // namespace pw::fuzz
