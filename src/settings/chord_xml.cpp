// The "chords" element of a button slot and its partner-button children.

#include "settings/chord.h"

#include "settings/application_settings.h"
#include "settings/mouse_buttons.h"
#include "settings/slot_xml.h"
#include "settings/xml_text_writer.h"
#include "settings/xml_values.h"

#include <pugixml.hpp>

using namespace pw::settings;

namespace {

constexpr const Char* kChordOwner = L"(chord)";

} // namespace

xml::SlotValuesToWrite CVESKChord::SlotValues() const {
    xml::SlotValuesToWrite values;
    values.action = m_Action;
    values.keys = m_Keys.Get();
    values.keyAction = m_nSendKeyAction;
    values.keyRepeat = m_nSendKeyRepeat;
    values.active = m_bSendKeyWhenActive;
    values.blockMouse = m_bBlockMouse;
    values.randomiseDelay = m_bRandomiseDelay;
    values.app = m_LaunchApp.Get();
    return values;
}

void CVESKChord::Save(pugi::xml_node& element) {
    xml::WriteSlotAttributes(element, SlotValues());
}

void CVESKChord::SaveAsText(xml::XmlTextWriter& writer) const {
    xml::WriteSlotAttributes(writer, SlotValues());
}

bool CVESKChord::Load(const pugi::xml_node& element, int perKeyDelay) {
    return Load(element, perKeyDelay, nullptr);
}

bool CVESKChord::Load(const pugi::xml_node& element, int perKeyDelay,
                      LoadDiagnostics* diagnostics) {
    xml::SlotAttributes slot = xml::ReadSlotAttributes(element, kChordOwner, diagnostics);
    m_Action = static_cast<_ACTIONS>(slot.action);
    if (m_Action == actRunApplication || m_Action == actOpenExplorerAtFolder) {
        String app = xml::ReadText(slot.app, element, "app", xml::kMaxTextLength, diagnostics);
        m_LaunchApp.Assign(app.c_str());
    }
    if (m_Action == actSimulatedKeys && slot.keys) {
        String keys =
            xml::ReadText(slot.keys, element, "keys", xml::kMaxKeystrokesLength, diagnostics);
        m_nSendKeyAction = slot.keyAction;
        m_nSendKeyRepeat = slot.keyRepeat;
        m_bSendKeyWhenActive = slot.active;
        m_bBlockMouse = slot.blockMouse;
        m_bRandomiseDelay = slot.randomiseDelay;
        m_Keys.Assign(keys.c_str());
        m_nKeystrokesWaitHoldTime =
            CApplicationSettings::CalculateKeystrokesWaitHoldTime(m_Keys.Get(), perKeyDelay);
    }
    return true;
}

void CVESKChords::Save(bool officeMouse, pugi::xml_node& element) {
    xml::WriteBool(element, "BlockUntilEstablished", m_bDelayUntilChordKnown);
    for (int button = 0; button < kButtonCount; ++button) {
        const char* name = xml::PlainButtonName(button, officeMouse);
        if (!name)
            continue;
        pugi::xml_node chord = xml::ChildOrAppend(element, name);
        m_Chords[static_cast<size_t>(button)].Save(chord);
    }
}

void CVESKChords::SaveAsText(bool officeMouse, xml::XmlTextWriter& writer) const {
    writer.Open("chords");
    writer.Bool("BlockUntilEstablished", m_bDelayUntilChordKnown);
    for (int button = 0; button < kButtonCount; ++button) {
        const char* name = xml::PlainButtonName(button, officeMouse);
        if (!name)
            continue;
        writer.Open(name);
        m_Chords[static_cast<size_t>(button)].SaveAsText(writer);
        writer.Close();
    }
    writer.Close();
}

bool CVESKChords::Load(bool officeMouse, const pugi::xml_node& element, int perKeyDelay) {
    return Load(officeMouse, element, perKeyDelay, nullptr);
}

bool CVESKChords::Load(bool officeMouse, const pugi::xml_node& element, int perKeyDelay,
                       LoadDiagnostics* diagnostics) {
    m_bDelayUntilChordKnown = xml::ReadBool(element.attribute("BlockUntilEstablished"),
                                            m_bDelayUntilChordKnown, element, diagnostics);
    unsigned seen = 0;
    for (pugi::xml_node child = element.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element)
            continue;
        int button = xml::PlainNameToButton(child.name(), officeMouse);
        if (button < 0 || (seen & (1u << button)) != 0)
            continue; // not a partner button, or a repeat of one already read
        seen |= 1u << button;
        m_Chords[static_cast<size_t>(button)].Load(child, perKeyDelay, diagnostics);
    }
    return seen != 0;
}
