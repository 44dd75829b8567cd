#pragma once

// A settings file as the scenario fuzzer builds it: the options and profiles it varies,
// written out as the settings program would save them.

#include <array>
#include <string>
#include <vector>

namespace pw::fuzz {

inline constexpr int kMaxGeneratedLayers = 4;
inline constexpr int kButtons = 9;

struct GeneratedSlot {
    int action = 40;
    // Action 28.
    std::string keys;
    int mode = 0;
    int repeat = 0;
    bool blockMouse = true;
    // Action 41 and 59.
    std::string app;
    // Action 128: partner button and its action (28 uses keys and mode).
    struct Chord {
        int button = 0;
        int action = 40;
        std::string keys;
        int mode = 0;
    };
    std::vector<Chord> chords;
    bool blockUntilEstablished = true;
};

struct GeneratedLayer {
    std::array<GeneratedSlot, kButtons> slots{};
    int autoSwitchTo = 0; // 1-based target, 0 for none
    int autoSwitchSeconds = 1;
    bool revertToFirst = false;
    bool disabled = false;
};

struct GeneratedProfile {
    std::string name; // empty for the default profile
    bool enabled = true;
    bool ignoreVScroll = false;
    int ignoreVScrollTime = 200;
    bool ignoreHScroll = false;
    int ignoreHScrollTime = 400;
    bool axisLocking = false;
    bool invertScrolling = false;
    std::array<GeneratedLayer, kMaxGeneratedLayers> layers{};
};

struct LayerKey {
    int slot = 0; // 0 to 4 layers 1 to 5, 5 and 6 the axis locks
    int key = 0;
    int modifier = 0;
};

struct GeneratedSettings {
    int layers = 2;
    bool switchOnMouseOver = false;
    bool activateOnMouseOver = false;
    bool activateOnScroll = false;
    bool scrollUnderCursor = false;
    bool resetOnAnyButton = false;
    bool resetOnAnyKey = false;
    bool resetOnLayerChange = true;
    bool fixTiltRepeat = false;
    int repeatTiltDelay = 100;
    bool movementCursor = true;
    bool debounce = false;
    int debounceTime = 50;
    int keyDelay = 1;
    bool layerKeysEnabled = false;
    std::vector<LayerKey> layerKeys;
    GeneratedProfile defaultProfile;
    std::vector<GeneratedProfile> profiles;

    std::string Xml() const;
    // Whether any slot of any profile, chords included, has one of actions.
    bool Uses(std::initializer_list<int> actions) const;
};

} // namespace pw::fuzz
