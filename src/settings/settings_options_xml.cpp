// Where each global option lives in the settings file, in the order a new file receives
// them, and how the options and the two key tables are read and written.

#include "settings/settings.h"

#include "settings/hotkeys.h"
#include "settings/layer_modifier_keys.h"
#include "settings/mouse_buttons.h"
#include "settings/xml_values.h"
#include "support/logger.h"

#include <pugixml.hpp>

#include <cstdio>
#include <cstring>

using namespace pw::settings;

enum class OptionKind {
    Flag,
    Number,
    Time,         // a number that must not be negative
    OfficeMouse,  // not read while the office-mouse naming is forced
    Layers,       // the number of layers in use
    SimKeyDelay,  // at most 60 ms
    SearchURL,    // replaced only by a non-empty value
    LanguageFile, // always replaced, empty when absent
};

struct CSettings::OptionField {
    const char* element;
    const char* attribute;
    OptionKind kind;
    bool Options::*flag = nullptr;
    int Options::*number = nullptr;
};

const CSettings::OptionField* CSettings::OptionFields(size_t& count) {
    using K = OptionKind;
    using O = Options;
    static const OptionField kFields[] = {
        {"OfficeMouse", "Enable", K::OfficeMouse, &O::OfficeMouse},
        {"Layers", "Number", K::Layers, nullptr, &O::MaxLayers},
        {"Logging", "Disable", K::Flag, &O::LoggingDisabled},
        {"RazorMouse", "DoubleClickFix", K::Flag, &O::RazorMouse},
        {"ScrollWheel", "ScrollWindowUnderCursor", K::Flag, &O::ScrollWindowUnderCursor},
        {"ScrollLock", "BypassAll", K::Flag, &O::ScrollLockBypass},
        {"ScrollLock", "BypassDisabled", K::Flag, &O::ScrollLockBypassDisabled},
        {"Swap4and5", "Always", K::Flag, &O::Swap4and5},
        {"RemoteDesktop", "SwapButtons4and5", K::Flag, &O::Swap4and5inRDP},
        {"RemoteDesktop", "Disable", K::Flag, &O::DisableInRDP},
        {"TrayIcon", "Show", K::Flag, &O::ShowTrayIcon},
        {"ReinstallHook", "Disable", K::Flag, &O::DisableReinstallOnResume},
        {"BalloonNotification", "Enable", K::Flag, &O::Notifications},
        {"BalloonNotification", "Layer", K::Flag, &O::NotificationsLayer},
        {"MovementToScroll", "ChangeCursor", K::Flag, &O::MovementToScrollCursor},
        {"ResetSticky", "Enabled", K::Flag, &O::ResetStickyOnAnyButton},
        {"ResetSticky", "Key", K::Flag, &O::ResetStickyOnAnyKey},
        {"ResetSticky", "Layer", K::Flag, &O::ResetStickyOnLayerChange},
        {"GlobalHotkeys", "Enable", K::Flag, &O::GlobalHotkeysEnabled},
        {"LayerModifierKeys", "Enable", K::Flag, &O::LayerModifierKeysEnabled},
        {"NonClientMsgs", "Process", K::Flag, &O::ProcessNonClientMsgs},
        {"SimulatedKeystrokes", "IgnoreNumlock", K::Flag, &O::IgnoreNumlock},
        {"LeftClickTrayIcon", "Cycle", K::Flag, &O::LeftClickCycleLayers},
        {"FixTiltRepeat", "Enable", K::Flag, &O::FixTiltRepeat},
        {"FixTiltRepeat", "InitialDelay", K::Time, nullptr, &O::InitialTiltDelay},
        {"FixTiltRepeat", "RepeatDelay", K::Time, nullptr, &O::RepeatTiltDelay},
        {"CheckVersion", "Days", K::Time, nullptr, &O::CheckVersionDays},
        {"CheckVersion", "Enable", K::Flag, &O::CheckVersion},
        {"CheckVersion", "Beta", K::Flag, &O::CheckBetaVersion},
        {"SwitchOnMouseOver", "Enable", K::Flag, &O::SwitchOnMouseOver},
        {"ActivateOnScroll", "Enable", K::Flag, &O::ActivateOnScroll},
        {"ActivateOnMouseOver", "Enable", K::Flag, &O::ActivateOnMouseOver},
        {"VisualStudio2010", "FixScroll", K::Flag, &O::FixVS2010},
        {"OnScreenDisplay", "Enabled", K::Flag, &O::EnableOSD},
        {"OnScreenDisplay", "AlwaysShow", K::Flag, &O::AlwaysShowOSD},
        {"SortActions", "Alphabetically", K::Flag, &O::SortActionsAlphabetically},
        {"ButtonDebounce", "Enable", K::Flag, &O::EnableDebounce},
        {"ButtonDebounce", "FromUp", K::Flag, &O::DebounceFromUp},
        {"ButtonDebounce", "Time", K::Time, nullptr, &O::DebounceTime},
        {"InactivityTimer", "Disable", K::Flag, &O::MouseJiggler},
        {"InactivityTimer", "Timeout", K::Time, nullptr, &O::MouseJigglerTimeout},
        {"KeyboardLayout", "LoadUSEnglish", K::Flag, &O::LoadUSEnglish},
        {"Priority", "Process", K::Number, nullptr, &O::CPUPriority},
        {"SimulatedKeys", "Delay", K::SimKeyDelay, nullptr, &O::SimKeyDelay},
        {"Search", "url", K::SearchURL},
        {"Language", "filename", K::LanguageFile},
    };
    count = sizeof(kFields) / sizeof(kFields[0]);
    return kFields;
}

namespace {

constexpr int kLongestSimKeyDelay = 60;
constexpr int kMaxHotkeyValue = 0xFFFF;

} // namespace

void CSettings::ReadOptions(const pugi::xml_node& root, bool& layersGiven,
                            LoadDiagnostics* diagnostics) {
    layersGiven = false;
    size_t count = 0;
    const OptionField* fields = OptionFields(count);
    for (size_t i = 0; i < count; ++i) {
        const OptionField& field = fields[i];
        pugi::xml_node element = root.child(field.element);
        pugi::xml_attribute attribute = element.attribute(field.attribute);
        switch (field.kind) {
        case OptionKind::Flag:
            m_options.*field.flag =
                xml::ReadBool(attribute, m_options.*field.flag, element, diagnostics);
            break;
        case OptionKind::Number:
            m_options.*field.number =
                xml::ReadInt(attribute, m_options.*field.number, element, diagnostics);
            break;
        case OptionKind::Time:
            m_options.*field.number =
                xml::ReadNonNegative(attribute, element, m_options.*field.number, diagnostics);
            break;
        case OptionKind::OfficeMouse:
            if (m_options.OfficeMouseForced)
                m_options.OfficeMouse = true;
            else
                m_options.OfficeMouse =
                    xml::ReadBool(attribute, m_options.OfficeMouse, element, diagnostics);
            break;
        case OptionKind::Layers: {
            if (!attribute)
                break;
            int layers = xml::ReadInt(attribute, 0, element, diagnostics);
            if (layers < 0) {
                CLogger::LogMessage(L"CSettings::Load: Ignoring the negative number of layers %d.",
                                    layers);
                xml::Tell(diagnostics, element, attribute, ValueProblem::Ignored, layers);
                break;
            }
            if (layers > kLayerCount) {
                CLogger::LogMessage(L"CSettings::Load: %d layers are more than the %d there are; "
                                    L"using %d.",
                                    layers, kLayerCount, kLayerCount);
                xml::Tell(diagnostics, element, attribute, ValueProblem::OutOfRange, kLayerCount);
                layers = kLayerCount;
            }
            m_options.MaxLayers = layers;
            layersGiven = true;
            break;
        }
        case OptionKind::SimKeyDelay: {
            int delay = xml::ReadInt(attribute, m_options.SimKeyDelay, element, diagnostics);
            if (static_cast<unsigned>(delay) > static_cast<unsigned>(kLongestSimKeyDelay)) {
                xml::LogOutOfRange(element, attribute, delay, 1, diagnostics);
                delay = 1;
            }
            m_options.SimKeyDelay = delay;
            break;
        }
        case OptionKind::SearchURL: {
            String url = xml::ReadText(attribute, element, xml::kMaxTextLength, diagnostics);
            if (!url.empty())
                m_options.SearchURL = url;
            break;
        }
        case OptionKind::LanguageFile:
            m_options.LanguageFile.Assign(
                xml::ReadText(attribute, element, xml::kMaxTextLength, diagnostics).c_str());
            break;
        }
    }

    if (!CLogger::DebugEnabled())
        return;
    // Elements of other versions or other components are kept on save; name them here.
    for (pugi::xml_node child = root.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element)
            continue;
        const char* name = child.name();
        bool known = std::strcmp(name, "version") == 0 || std::strcmp(name, "Default") == 0 ||
                     std::strcmp(name, "Applications") == 0;
        for (size_t i = 0; i < count && !known; ++i)
            known = std::strcmp(name, fields[i].element) == 0;
        if (!known)
            CLogger::LogDebug(L"CSettings::Load: Ignoring the unknown element <%ls>.",
                              xml::NodeName(child).c_str());
    }
}

void CSettings::WriteOptions(pugi::xml_node& root) const {
    size_t count = 0;
    const OptionField* fields = OptionFields(count);
    pugi::xml_node element;
    const char* elementName = nullptr;
    for (size_t i = 0; i < count; ++i) {
        const OptionField& field = fields[i];
        if (!elementName || std::strcmp(elementName, field.element) != 0) {
            elementName = field.element;
            element = xml::ChildOrAppend(root, elementName);
        }
        switch (field.kind) {
        case OptionKind::Flag:
        case OptionKind::OfficeMouse:
            xml::WriteBool(element, field.attribute, m_options.*field.flag);
            break;
        case OptionKind::Number:
        case OptionKind::Time:
        case OptionKind::Layers:
        case OptionKind::SimKeyDelay:
            xml::WriteInt(element, field.attribute, m_options.*field.number);
            break;
        case OptionKind::SearchURL:
            xml::WriteText(element, field.attribute, m_options.SearchURL.c_str());
            break;
        case OptionKind::LanguageFile:
            xml::WriteText(element, field.attribute, m_options.LanguageFile.Get());
            break;
        }
    }
}

namespace {

template <typename Table, typename Slot>
void ReadKeyTable(const pugi::xml_node& root, const char* tableName, const char* entryPattern,
                  Table* table, size_t count, LoadDiagnostics* diagnostics) {
    pugi::xml_node element = root.child(tableName);
    if (!element || !table)
        return;
    char name[32];
    for (size_t i = 0; i < count; ++i) {
        std::snprintf(name, sizeof name, entryPattern, static_cast<int>(i));
        pugi::xml_node entry = element.child(name);
        if (!entry)
            continue;
        CHotkey* hotkey = table->GetHotkey(static_cast<Slot>(i));
        int key =
            xml::ReadInRange(entry.attribute("Key"), entry, 0, 0, kMaxHotkeyValue, diagnostics);
        int modifier = xml::ReadInRange(entry.attribute("Modifier"), entry, 0, 0, kMaxHotkeyValue,
                                        diagnostics);
        hotkey->SetVirtualKey(static_cast<unsigned short>(key));
        hotkey->SetModifier(static_cast<unsigned short>(modifier));
    }
}

template <typename Table, typename Slot>
void WriteKeyTable(pugi::xml_node& root, const char* tableName, const char* entryPattern,
                   const Table* table, size_t count) {
    pugi::xml_node element = xml::ChildOrAppend(root, tableName);
    if (!table)
        return;
    char name[32];
    for (size_t i = 0; i < count; ++i) {
        const CHotkey* hotkey = table->GetHotkey(static_cast<Slot>(i));
        if (!hotkey)
            continue;
        std::snprintf(name, sizeof name, entryPattern, static_cast<int>(i));
        pugi::xml_node entry = xml::ChildOrAppend(element, name);
        xml::WriteInt(entry, "Key", hotkey->GetVirtualKey());
        xml::WriteInt(entry, "Modifier", hotkey->GetModifier());
    }
}

} // namespace

void CSettings::ReadKeyTables(const pugi::xml_node& root, LoadDiagnostics* diagnostics) {
    ReadKeyTable<CHotKeys, GlobalHotkeys>(root, "GlobalHotkeys", "Hotkey%d", m_pHotKeys.get(),
                                          CHotKeys::kCount, diagnostics);
    ReadKeyTable<CLayerModifierKeys, ModifierKeys>(root, "LayerModifierKeys", "LayerKey%d",
                                                   m_pLayerModifierKeys.get(),
                                                   CLayerModifierKeys::kCount, diagnostics);
}

void CSettings::WriteKeyTables(pugi::xml_node& root) const {
    WriteKeyTable<CHotKeys, GlobalHotkeys>(root, "GlobalHotkeys", "Hotkey%d", m_pHotKeys.get(),
                                           CHotKeys::kCount);
    WriteKeyTable<CLayerModifierKeys, ModifierKeys>(root, "LayerModifierKeys", "LayerKey%d",
                                                    m_pLayerModifierKeys.get(),
                                                    CLayerModifierKeys::kCount);
}
