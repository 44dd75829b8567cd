// A profile's element of the settings file: "Application" for an application profile,
// "Default" with its nested layer containers for the default profile.

#include "settings/application_settings.h"

#include "settings/actions.h"
#include "settings/mouse_buttons.h"
#include "settings/profile_owner.h"
#include "settings/slot_xml.h"
#include "settings/xml_text_writer.h"
#include "settings/xml_values.h"
#include "support/logger.h"

#include <pugixml.hpp>

#include <algorithm>
#include <array>
#include <bitset>
#include <cstring>
#include <exception>
#include <memory>

using namespace pw::settings;

namespace {

constexpr std::array<const char*, kLayerCount> kLayerAttributes = {
    "layer1", "layer2", "layer3", "layer4", "layer5",
    "layer6", "layer7", "layer8", "layer9", "layer10"};
constexpr std::array<const char*, kLayerCount> kSwitchAttributes = {
    "layer1_switch", "layer2_switch", "layer3_switch", "layer4_switch", "layer5_switch",
    "layer6_switch", "layer7_switch", "layer8_switch", "layer9_switch", "layer10_switch"};
constexpr std::array<const char*, kLayerCount> kTimeAttributes = {
    "layer1_time", "layer2_time", "layer3_time", "layer4_time", "layer5_time",
    "layer6_time", "layer7_time", "layer8_time", "layer9_time", "layer10_time"};
// The default profile's layer containers; layer 0 is the "Default" element itself.
constexpr std::array<const char*, kLayerCount> kLayerContainers = {
    nullptr,  "Layer1", "Layer2", "Layer3", "Layer4",
    "Layer5", "Layer6", "Layer7", "Layer8", "Layer9"};

// Auto-switch targets are layer numbers; anything past the last layer is a damaged value.
constexpr int kHighestSwitchTarget = kLayerCount;

bool IsLaunchAction(int action) {
    return action == actRunApplication || action == actOpenExplorerAtFolder;
}

int LayerContainerIndex(const char* name) {
    for (int layer = 1; layer < kLayerCount; ++layer) {
        if (std::strcmp(name, kLayerContainers[static_cast<size_t>(layer)]) == 0)
            return layer;
    }
    return -1;
}

void LogUnknownChild(const Char* profile, const pugi::xml_node& child) {
    CLogger::LogDebug(L"Settings: Profile '%ls': ignoring the unknown element <%ls>.",
                      profile ? profile : L"", pw::settings::xml::NodeName(child).c_str());
}

String ExceptionText(const std::exception& error) {
    return pw::FromUtf8(error.what() ? error.what() : "");
}

} // namespace

// Reading.

void CApplicationSettings::LoadScrollAttributes(const pugi::xml_node& element,
                                                LoadDiagnostics* diagnostics) {
    xml::AttributeReader attribute(element, diagnostics);
    m_bEnabled = attribute.Bool("Enabled", false);
    m_bInvertScrolling = attribute.Bool("InvertScrolling", false);
    m_bInvertHorizontalScrolling = attribute.Bool("InvertHorizontalScrolling", false);
    m_bScrollPages = attribute.Bool("ScrollPages", false);
    m_nScrollLines = attribute.Int("ScrollLines", m_nScrollLines);
    m_bForceSPI = attribute.Bool("ForceSPI", m_bForceSPI);
    m_bAxisLocking = attribute.Bool("AxisLocking", false);
    m_bIgnoreVScroll = attribute.Bool("IgnoreVScroll", false);
    m_nIgnoreVScrollTime = attribute.NonNegative("IgnoreVScrollTime", 200);
    m_bIgnoreHScroll = attribute.Bool("IgnoreHScroll", false);
    m_nIgnoreHScrollTime = attribute.NonNegative("IgnoreHScrollTime", 400);
    m_nAdvScrollMethod = attribute.Int("AdvScrollMethod", 8);
    // A missing multiplier reads as the class's own 1: 0 would make every scroll method
    // scroll nothing.
    m_nAdvScrollVert = attribute.Int("AdvScrollVert", kDefaultScrollMultiplier);
    m_nAdvScrollHorz = attribute.Int("AdvScrollHorz", kDefaultScrollMultiplier);
    // Read for the default profile too, which saves it, so that it survives a save.
    m_bDisableScrollUnderCursor = attribute.Bool("DisableScrollUnderCursor", false);
}

bool CApplicationSettings::Load(const pugi::xml_node& element, int perKeyDelay,
                                bool& regionChecking, int& layersUsed) {
    return Load(element, perKeyDelay, regionChecking, layersUsed, nullptr);
}

bool CApplicationSettings::Load(const pugi::xml_node& element, int perKeyDelay,
                                bool& regionChecking, int& layersUsed,
                                LoadDiagnostics* diagnostics) {
    try {
        layersUsed = 0;
        const bool officeMouse = ReadProfileOwner(m_pSettings).officeMouse;
        xml::AttributeReader attribute(element, diagnostics);

        SetApplication(attribute.Text("Name").c_str());
        String description = attribute.Text("Description");
        if (!description.empty())
            m_Description.Assign(description.c_str());
        LoadScrollAttributes(element, diagnostics);
        m_SwapButtons = static_cast<swapbuttons>(
            attribute.InRange("SwapButtons", swapUnchanged, swapUnchanged, swapSwapped));
        m_bNoParent = attribute.Bool("NoParent", false);
        m_bRegExMatching = attribute.Bool("RegExMatching", false);

        pugi::xml_attribute maskAttribute = attribute("WindowMask");
        int mask = xml::ReadInt(maskAttribute, wmWholeWindow, element, diagnostics);
        if ((mask < wmNone || mask > wmWholeWindow) && mask != wmNeverMatches) {
            xml::LogOutOfRange(element, maskAttribute, mask, wmWholeWindow, diagnostics);
            mask = wmWholeWindow;
        }
        m_WindowMask = static_cast<WINDOWMASK>(mask);
        if (mask != wmWholeWindow && mask != wmNone && !regionChecking) {
            regionChecking = true;
            CLogger::LogDebug(L"Window regions are defined. Enabled region checking");
        }

        // Slots without an element of their own do nothing.
        for (int slot = 0; slot < kSlotCount; ++slot) {
            if (!(officeMouse && slot % kButtonCount == mbTiltRight))
                m_Slots[static_cast<size_t>(slot)].action = actNoChange;
        }

        // One pass over the children loads every button element as it comes (the first of
        // a name counts) and finds the layer elements.
        pugi::xml_node layerNames, autoSwitch, revertLayer1, disableLayer;
        std::bitset<kSlotCount> loaded;
        for (pugi::xml_node child = element.first_child(); child; child = child.next_sibling()) {
            if (child.type() != pugi::node_element)
                continue;
            const char* name = child.name();
            int slot = xml::SuffixedNameToSlot(name, officeMouse);
            if (slot >= 0) {
                if (!loaded[static_cast<size_t>(slot)]) {
                    loaded.set(static_cast<size_t>(slot));
                    LoadSlot(slot % kButtonCount, slot / kButtonCount, child, perKeyDelay,
                             officeMouse, layersUsed, diagnostics);
                }
                continue;
            }
            pugi::xml_node* layerElement = nullptr;
            if (std::strcmp(name, "LayerNames") == 0)
                layerElement = &layerNames;
            else if (std::strcmp(name, "AutoSwitch") == 0)
                layerElement = &autoSwitch;
            else if (std::strcmp(name, "RevertLayer1") == 0)
                layerElement = &revertLayer1;
            else if (std::strcmp(name, "DisableLayer") == 0)
                layerElement = &disableLayer;
            if (layerElement) {
                if (!*layerElement)
                    *layerElement = child;
                continue;
            }
            // With the office-mouse naming TiltRight is left alone, not unknown.
            if (xml::SuffixedNameToSlot(name, !officeMouse) < 0)
                LogUnknownChild(m_FullName.Get(), child);
        }

        xml::AttributeReader names(layerNames, diagnostics), switches(autoSwitch, diagnostics),
            reverts(revertLayer1, diagnostics), disables(disableLayer, diagnostics);
        for (int layer = 0; layer < kLayerCount; ++layer) {
            Layer& settings = m_Layers[static_cast<size_t>(layer)];
            const size_t index = static_cast<size_t>(layer);
            if (layerNames)
                settings.name.Assign(names.Text(kLayerAttributes[index]).c_str());
            if (autoSwitch) {
                settings.autoSwitchLayer =
                    switches.InRange(kSwitchAttributes[index], 0, 0, kHighestSwitchTarget);
                settings.autoSwitchTime = switches.NonNegative(kTimeAttributes[index], 1);
            }
            if (revertLayer1)
                settings.revertLayer1 = reverts.Bool(kLayerAttributes[index], false);
            if (disableLayer)
                settings.disabled = disables.Bool(kLayerAttributes[index], false);
        }
        return true;
    } catch (const std::exception& error) {
        CLogger::LogMessage(L"Unable to load Application XML: %ls", ExceptionText(error).c_str());
    } catch (...) {
        CLogger::LogMessage(L"Unable to load Application XML: %ls", L"");
    }
    return false;
}

void CApplicationSettings::LoadSlot(int button, int layer, const pugi::xml_node& element,
                                    int perKeyDelay, bool officeMouse, int& layersUsed,
                                    LoadDiagnostics* diagnostics) {
    xml::SlotAttributes read = xml::ReadSlotAttributes(element, m_FullName.Get(), diagnostics);
    int action = read.action;
    // The default profile has nothing to fall back to.
    if (m_bIsDefault && action == actSameAsDefaultProfile)
        action = actNoChange;
    Slot& slot = m_Slots[static_cast<size_t>(button + kButtonCount * layer)];
    slot.action = static_cast<_ACTIONS>(action);
    if (!IsNeutralAction(action, m_bIsDefault))
        layersUsed = std::max(layersUsed, layer + 1);

    if (action == actSimulatedKeys && read.keys) {
        String keys =
            xml::ReadText(read.keys, element, "keys", xml::kMaxKeystrokesLength, diagnostics);
        SetKeystrokes(static_cast<MouseButtons>(button), layer, keys.c_str(), read.keyAction,
                      read.keyRepeat, read.active, read.blockMouse, read.randomiseDelay,
                      perKeyDelay);
    }
    if (IsLaunchAction(action)) {
        String app = xml::ReadText(read.app, element, "app", xml::kMaxTextLength, diagnostics);
        slot.launchApp.Assign(app.c_str());
    }
    if (pugi::xml_node chordsElement = element.child("chords")) {
        auto chords = std::make_unique<CVESKChords>();
        if (chords->Load(officeMouse, chordsElement, perKeyDelay, diagnostics))
            slot.chords.Adopt(chords.release());
    }
}

bool CApplicationSettings::LoadDefault(const pugi::xml_node& element, int perKeyDelay,
                                       int& layersUsed) {
    return LoadDefault(element, perKeyDelay, layersUsed, nullptr);
}

bool CApplicationSettings::LoadDefault(const pugi::xml_node& element, int perKeyDelay,
                                       int& layersUsed, LoadDiagnostics* diagnostics) {
    try {
        layersUsed = 0;
        const bool officeMouse = ReadProfileOwner(m_pSettings).officeMouse;

        LoadScrollAttributes(element, diagnostics);
        m_SwapButtons = swapUnchanged;

        // Layer 0 lives in "Default" itself, layers 1 to 9 in its "Layer%d" children.
        std::array<pugi::xml_node, kLayerCount> containers{};
        containers[0] = element;
        for (pugi::xml_node child = element.first_child(); child; child = child.next_sibling()) {
            if (child.type() != pugi::node_element)
                continue;
            int layer = LayerContainerIndex(child.name());
            if (layer > 0 && !containers[static_cast<size_t>(layer)])
                containers[static_cast<size_t>(layer)] = child;
        }

        for (int layer = 0; layer < kLayerCount; ++layer) {
            const pugi::xml_node& container = containers[static_cast<size_t>(layer)];
            if (!container)
                continue;
            LoadDefaultLayer(layer, container, perKeyDelay, officeMouse, layersUsed, diagnostics);
        }
        return true;
    } catch (const std::exception& error) {
        CLogger::LogMessage(L"Unable to load Application XML: %ls", ExceptionText(error).c_str());
    } catch (...) {
        CLogger::LogMessage(L"Unable to load Application XML: %ls", L"");
    }
    return false;
}

void CApplicationSettings::LoadDefaultLayer(int layer, const pugi::xml_node& container,
                                            int perKeyDelay, bool officeMouse, int& layersUsed,
                                            LoadDiagnostics* diagnostics) {
    std::array<pugi::xml_node, kButtonCount> buttons{};
    pugi::xml_node layerElement;
    for (pugi::xml_node child = container.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element)
            continue;
        const char* name = child.name();
        int button = xml::PlainNameToButton(name, officeMouse);
        if (button >= 0) {
            if (!buttons[static_cast<size_t>(button)])
                buttons[static_cast<size_t>(button)] = child;
        } else if (std::strcmp(name, "Layer") == 0) {
            if (!layerElement)
                layerElement = child;
        } else if (LayerContainerIndex(name) < 0 || layer != 0) {
            if (xml::PlainNameToButton(name, !officeMouse) < 0)
                LogUnknownChild(m_FullName.Get(), child);
        }
    }

    if (layerElement) {
        Layer& settings = m_Layers[static_cast<size_t>(layer)];
        const pugi::xml_node& at = layerElement;
        settings.name.Assign(
            xml::ReadText(at.attribute("name"), at, xml::kMaxTextLength, diagnostics).c_str());
        settings.autoSwitchLayer = xml::ReadInRange(at.attribute("autoswitchlayer"), at, 0, 0,
                                                    kHighestSwitchTarget, diagnostics);
        settings.autoSwitchTime =
            xml::ReadNonNegative(at.attribute("autoswitchtime"), at, 1, diagnostics);
        settings.revertLayer1 = xml::ReadBool(at.attribute("revertlayer1"), false, at, diagnostics);
        settings.disabled = xml::ReadBool(at.attribute("disabled"), false, at, diagnostics);
    }

    for (int button = 0; button < kButtonCount; ++button) {
        if (officeMouse && button == mbTiltRight)
            continue;
        m_Slots[static_cast<size_t>(button + kButtonCount * layer)].action = actNoChange;
        if (const pugi::xml_node& element = buttons[static_cast<size_t>(button)])
            LoadSlot(button, layer, element, perKeyDelay, officeMouse, layersUsed, diagnostics);
    }
}

// Writing.

xml::SlotValuesToWrite CApplicationSettings::SlotValues(const Slot& slot) {
    xml::SlotValuesToWrite values;
    values.action = slot.action;
    values.keys = slot.keystrokes.Get();
    values.keyAction = slot.sendKeyAction;
    values.keyRepeat = slot.sendKeyRepeat;
    values.active = slot.sendKeyWhenActive;
    values.blockMouse = slot.blockMouse;
    values.randomiseDelay = slot.randomiseDelay;
    values.app = slot.launchApp.Get();
    return values;
}

void CApplicationSettings::SaveSlot(int button, int layer, pugi::xml_node& element,
                                    bool officeMouse) {
    const Slot& slot = m_Slots[static_cast<size_t>(button + kButtonCount * layer)];
    xml::WriteSlotAttributes(element, SlotValues(slot));
    if (CVESKChords* chords = slot.chords.Get()) {
        pugi::xml_node chordsElement = xml::ChildOrAppend(element, "chords");
        chords->Save(officeMouse, chordsElement);
    } else {
        // A set removed since the last save must not come back at the next load.
        element.remove_child("chords");
    }
}

void CApplicationSettings::SaveAsText(xml::XmlTextWriter& writer) const {
    const bool officeMouse = ReadProfileOwner(m_pSettings).officeMouse;
    writer.Open("Application");
    writer.Text("Name", m_FullName.Get());
    writer.Text("Description", m_Description.Get());
    writer.Bool("Enabled", m_bEnabled);
    writer.Bool("InvertScrolling", m_bInvertScrolling);
    writer.Bool("InvertHorizontalScrolling", m_bInvertHorizontalScrolling);
    writer.Bool("ScrollPages", m_bScrollPages);
    writer.Int("ScrollLines", m_nScrollLines);
    writer.Bool("ForceSPI", m_bForceSPI);
    writer.Bool("AxisLocking", m_bAxisLocking);
    writer.Int("SwapButtons", m_SwapButtons);
    writer.Bool("NoParent", m_bNoParent);
    writer.Bool("RegExMatching", m_bRegExMatching);
    writer.Bool("IgnoreVScroll", m_bIgnoreVScroll);
    writer.Int("IgnoreVScrollTime", m_nIgnoreVScrollTime);
    writer.Bool("IgnoreHScroll", m_bIgnoreHScroll);
    writer.Int("IgnoreHScrollTime", m_nIgnoreHScrollTime);
    writer.Int("AdvScrollMethod", m_nAdvScrollMethod);
    writer.Int("AdvScrollVert", m_nAdvScrollVert);
    writer.Int("AdvScrollHorz", m_nAdvScrollHorz);
    writer.Bool("DisableScrollUnderCursor", m_bDisableScrollUnderCursor);
    writer.Int("WindowMask", m_WindowMask);

    writer.Open("LayerNames");
    for (size_t layer = 0; layer < kLayerCount; ++layer)
        writer.Text(kLayerAttributes[layer], m_Layers[layer].name.Get());
    writer.Close();
    writer.Open("AutoSwitch");
    for (size_t layer = 0; layer < kLayerCount; ++layer) {
        writer.Int(kSwitchAttributes[layer], m_Layers[layer].autoSwitchLayer);
        writer.Int(kTimeAttributes[layer], m_Layers[layer].autoSwitchTime);
    }
    writer.Close();
    writer.Open("RevertLayer1");
    for (size_t layer = 0; layer < kLayerCount; ++layer)
        writer.Bool(kLayerAttributes[layer], m_Layers[layer].revertLayer1);
    writer.Close();
    writer.Open("DisableLayer");
    for (size_t layer = 0; layer < kLayerCount; ++layer)
        writer.Bool(kLayerAttributes[layer], m_Layers[layer].disabled);
    writer.Close();

    for (int layer = 0; layer < kLayerCount; ++layer) {
        for (int button = 0; button < kButtonCount; ++button) {
            const char* name = xml::SuffixedButtonName(button, layer, officeMouse);
            if (!name)
                continue;
            const Slot& slot = m_Slots[static_cast<size_t>(button + kButtonCount * layer)];
            writer.Open(name);
            xml::WriteSlotAttributes(writer, SlotValues(slot));
            if (const CVESKChords* chords = slot.chords.Get())
                chords->SaveAsText(officeMouse, writer);
            writer.Close();
        }
    }
    writer.Close();
}

bool CApplicationSettings::Save(pugi::xml_node& parent) {
    try {
        std::string text;
        xml::XmlTextWriter writer(text, 0);
        SaveAsText(writer);
        if (parent.append_buffer(text.data(), text.size(), pugi::parse_default,
                                 pugi::encoding_utf8))
            return true;
    } catch (...) {
    }
    CLogger::LogMessage(L"Unable to save application '%ls' to XML", m_FullName.OrEmpty());
    return false;
}

bool CApplicationSettings::SaveDefault(pugi::xml_node& element) {
    try {
        const bool officeMouse = ReadProfileOwner(m_pSettings).officeMouse;
        xml::WriteBool(element, "InvertScrolling", m_bInvertScrolling);
        xml::WriteBool(element, "InvertHorizontalScrolling", m_bInvertHorizontalScrolling);
        xml::WriteBool(element, "ScrollPages", m_bScrollPages);
        xml::WriteInt(element, "ScrollLines", m_nScrollLines);
        xml::WriteBool(element, "ForceSPI", m_bForceSPI);
        xml::WriteBool(element, "AxisLocking", m_bAxisLocking);
        xml::WriteInt(element, "SwapButtons", m_SwapButtons);
        xml::WriteBool(element, "IgnoreVScroll", m_bIgnoreVScroll);
        xml::WriteInt(element, "IgnoreVScrollTime", m_nIgnoreVScrollTime);
        xml::WriteBool(element, "IgnoreHScroll", m_bIgnoreHScroll);
        xml::WriteInt(element, "IgnoreHScrollTime", m_nIgnoreHScrollTime);
        // The scroll options the reader takes from "Default" are written back, so that a
        // saved file loads as it was.
        xml::WriteBool(element, "Enabled", m_bEnabled);
        xml::WriteInt(element, "AdvScrollMethod", m_nAdvScrollMethod);
        xml::WriteInt(element, "AdvScrollVert", m_nAdvScrollVert);
        xml::WriteInt(element, "AdvScrollHorz", m_nAdvScrollHorz);
        xml::WriteBool(element, "DisableScrollUnderCursor", m_bDisableScrollUnderCursor);

        for (int layer = 0; layer < kLayerCount; ++layer) {
            pugi::xml_node container =
                layer == 0
                    ? element
                    : xml::ChildOrAppend(element, kLayerContainers[static_cast<size_t>(layer)]);
            const Layer& settings = m_Layers[static_cast<size_t>(layer)];
            pugi::xml_node layerElement = xml::ChildOrAppend(container, "Layer");
            xml::WriteText(layerElement, "name", settings.name.Get());
            xml::WriteInt(layerElement, "autoswitchlayer", settings.autoSwitchLayer);
            xml::WriteInt(layerElement, "autoswitchtime", settings.autoSwitchTime);
            xml::WriteBool(layerElement, "revertlayer1", settings.revertLayer1);
            xml::WriteBool(layerElement, "disabled", settings.disabled);
            for (int button = 0; button < kButtonCount; ++button) {
                const char* name = xml::PlainButtonName(button, officeMouse);
                if (!name)
                    continue;
                pugi::xml_node buttonElement = xml::ChildOrAppend(container, name);
                SaveSlot(button, layer, buttonElement, officeMouse);
            }
        }
        return true;
    } catch (...) {
        CLogger::LogMessage(L"Unable to save application '%ls' to XML", m_FullName.OrEmpty());
    }
    return false;
}
