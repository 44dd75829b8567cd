#include "generated_settings.h"

#include "settings/xml_text_writer.h"

#include <algorithm>

namespace pw::fuzz {

namespace {

constexpr const char* kButtonNames[kButtons] = {
    "Left", "Right", "Middle", "XLeft", "XRight", "TiltLeft", "TiltRight", "WheelUp", "WheelDown"};

const char* Bool(bool value) {
    return value ? "true" : "false";
}

std::string Attribute(const char* name, const std::string& value) {
    std::string text = std::string(" ") + name + "=\"";
    settings::xml::AppendEscapedAttribute(text, value);
    return text + "\"";
}

std::string Attribute(const char* name, int value) {
    return Attribute(name, std::to_string(value));
}

std::string SlotAttributes(int action, const std::string& keys, int mode, int repeat,
                           bool blockMouse, const std::string& app) {
    std::string text = Attribute("action", action);
    if (action == 28)
        text += Attribute("keys", keys) + Attribute("keyaction", mode) +
                Attribute("keyrepeat", repeat) + Attribute("blockmouse", Bool(blockMouse));
    if (action == 41 || action == 59)
        text += Attribute("app", app);
    return text;
}

std::string SlotElement(const std::string& name, const GeneratedSlot& slot) {
    std::string text =
        "<" + name +
        SlotAttributes(slot.action, slot.keys, slot.mode, slot.repeat, slot.blockMouse, slot.app);
    if (slot.chords.empty())
        return text + "/>";
    text += "><chords" + Attribute("BlockUntilEstablished", Bool(slot.blockUntilEstablished)) + ">";
    for (const GeneratedSlot::Chord& chord : slot.chords)
        text += "<" + std::string(kButtonNames[chord.button]) +
                SlotAttributes(chord.action, chord.keys, chord.mode, 0, true, "") + "/>";
    return text + "</chords></" + name + ">";
}

std::string ScrollAttributes(const GeneratedProfile& profile) {
    return Attribute("InvertScrolling", Bool(profile.invertScrolling)) +
           Attribute("AxisLocking", Bool(profile.axisLocking)) +
           Attribute("IgnoreVScroll", Bool(profile.ignoreVScroll)) +
           Attribute("IgnoreVScrollTime", profile.ignoreVScrollTime) +
           Attribute("IgnoreHScroll", Bool(profile.ignoreHScroll)) +
           Attribute("IgnoreHScrollTime", profile.ignoreHScrollTime);
}

std::string DefaultProfileXml(const GeneratedProfile& profile) {
    std::string text = "<Default" + ScrollAttributes(profile) + ">";
    for (int layer = 0; layer < kMaxGeneratedLayers; ++layer) {
        const GeneratedLayer& data = profile.layers[layer];
        std::string body = "<Layer" + Attribute("autoswitchlayer", data.autoSwitchTo) +
                           Attribute("autoswitchtime", data.autoSwitchSeconds) +
                           Attribute("revertlayer1", Bool(data.revertToFirst)) +
                           Attribute("disabled", Bool(data.disabled)) + "/>";
        for (int button = 0; button < kButtons; ++button) {
            if (data.slots[button].action != 40 || !data.slots[button].chords.empty())
                body += SlotElement(kButtonNames[button], data.slots[button]);
        }
        text += layer == 0 ? body
                           : "<Layer" + std::to_string(layer) + ">" + body + "</Layer" +
                                 std::to_string(layer) + ">";
    }
    return text + "</Default>";
}

std::string ApplicationXml(const GeneratedProfile& profile) {
    std::string text = "<Application" + Attribute("Name", profile.name) +
                       Attribute("Enabled", Bool(profile.enabled)) + ScrollAttributes(profile) +
                       ">";
    std::string autoSwitch = "<AutoSwitch";
    std::string revert = "<RevertLayer1";
    std::string disabled = "<DisableLayer";
    for (int layer = 0; layer < kMaxGeneratedLayers; ++layer) {
        const GeneratedLayer& data = profile.layers[layer];
        const std::string number = std::to_string(layer + 1);
        autoSwitch += Attribute(("layer" + number + "_switch").c_str(), data.autoSwitchTo) +
                      Attribute(("layer" + number + "_time").c_str(), data.autoSwitchSeconds);
        revert += Attribute(("layer" + number).c_str(), Bool(data.revertToFirst));
        disabled += Attribute(("layer" + number).c_str(), Bool(data.disabled));
    }
    text += autoSwitch + "/>" + revert + "/>" + disabled + "/>";
    for (int layer = 0; layer < kMaxGeneratedLayers; ++layer) {
        for (int button = 0; button < kButtons; ++button) {
            const GeneratedSlot& slot = profile.layers[layer].slots[button];
            if (slot.action == 40 && slot.chords.empty())
                continue;
            std::string name = kButtonNames[button];
            if (layer > 0)
                name += "_Layer" + std::to_string(layer);
            text += SlotElement(name, slot);
        }
    }
    return text + "</Application>";
}

} // namespace

std::string GeneratedSettings::Xml() const {
    std::string text = "<?xml version=\"1.0\"?>\n<root>"
                       "<version build=\"0\" revision=\"0\" minor=\"14\" major=\"2\"/>";
    text += "<Layers" + Attribute("Number", layers) + "/>";
    text += "<ScrollWheel" + Attribute("ScrollWindowUnderCursor", Bool(scrollUnderCursor)) + "/>";
    text += "<MovementToScroll" + Attribute("ChangeCursor", Bool(movementCursor)) + "/>";
    text += "<ResetSticky" + Attribute("Enabled", Bool(resetOnAnyButton)) +
            Attribute("Key", Bool(resetOnAnyKey)) + Attribute("Layer", Bool(resetOnLayerChange)) +
            "/>";
    text += "<FixTiltRepeat" + Attribute("Enable", Bool(fixTiltRepeat)) +
            Attribute("RepeatDelay", repeatTiltDelay) + "/>";
    text += "<SwitchOnMouseOver" + Attribute("Enable", Bool(switchOnMouseOver)) + "/>";
    text += "<ActivateOnScroll" + Attribute("Enable", Bool(activateOnScroll)) + "/>";
    text += "<ActivateOnMouseOver" + Attribute("Enable", Bool(activateOnMouseOver)) + "/>";
    text += "<ButtonDebounce" + Attribute("Enable", Bool(debounce)) +
            Attribute("Time", debounceTime) + "/>";
    text += "<SimulatedKeys" + Attribute("Delay", keyDelay) + "/>";
    text += "<LayerModifierKeys" + Attribute("Enable", Bool(layerKeysEnabled)) + ">";
    for (const LayerKey& key : layerKeys)
        text += "<LayerKey" + std::to_string(key.slot) + Attribute("Key", key.key) +
                Attribute("Modifier", key.modifier) + "/>";
    text += "</LayerModifierKeys>";
    text += DefaultProfileXml(defaultProfile);
    text += "<Applications>";
    for (const GeneratedProfile& profile : profiles)
        text += ApplicationXml(profile);
    return text + "</Applications></root>\n";
}

bool GeneratedSettings::Uses(std::initializer_list<int> actions) const {
    auto has = [&](int action) {
        return std::find(actions.begin(), actions.end(), action) != actions.end();
    };
    auto profileUses = [&](const GeneratedProfile& profile) {
        for (const GeneratedLayer& layer : profile.layers) {
            for (const GeneratedSlot& slot : layer.slots) {
                if (has(slot.action))
                    return true;
                for (const GeneratedSlot::Chord& chord : slot.chords) {
                    if (has(chord.action))
                        return true;
                }
            }
        }
        return false;
    };
    if (profileUses(defaultProfile))
        return true;
    return std::any_of(profiles.begin(), profiles.end(), profileUses);
}

} // namespace pw::fuzz
