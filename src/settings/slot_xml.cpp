#include "settings/slot_xml.h"

#include "settings/mouse_buttons.h"
#include "settings/xml_text_writer.h"
#include "settings/xml_values.h"
#include "support/format.h"
#include "support/logger.h"

#include <array>
#include <cstring>
#include <string>
#include <string_view>

namespace pw::settings::xml {

namespace {

// Every element name a profile uses, built once from the button names. A name is read
// back by its parts: the button name before any '_', then "_Layer" and one digit from 1
// to 9, so that reading a name costs a few character comparisons and no hashing.
class NameTables {
  public:
    NameTables() {
        for (int office = 0; office < 2; ++office) {
            for (int button = 0; button < kButtonCount; ++button) {
                const Char* wide = ButtonElementName(button, office != 0);
                if (!wide)
                    continue;
                std::string plain = ToUtf8(wide);
                for (int layer = 0; layer < kLayerCount; ++layer) {
                    std::string& name = suffixed_[office][layer][button];
                    name = plain;
                    if (layer > 0)
                        name += kLayerSuffix + std::to_string(layer);
                }
            }
        }
    }

    const char* Suffixed(int button, int layer, bool office) const {
        if (!IsValidButton(button) || !IsValidLayer(layer))
            return nullptr;
        const std::string& name = suffixed_[office][layer][button];
        return name.empty() ? nullptr : name.c_str();
    }

    int ToSlot(const char* name, bool office) const {
        size_t length = 0;
        while (name[length] && name[length] != '_')
            ++length;
        int button = ToButton(std::string_view(name, length), office);
        if (button < 0 || !name[length])
            return button;
        // Layers 1 to 9 carry the suffix; layer 0 never does.
        static_assert(kLayerCount <= 10, "a layer suffix is one digit");
        const char* suffix = name + length;
        const size_t suffixLength = std::strlen(kLayerSuffix);
        if (std::strncmp(suffix, kLayerSuffix, suffixLength) != 0)
            return -1;
        const char digit = suffix[suffixLength];
        if (digit < '1' || digit >= '0' + kLayerCount || suffix[suffixLength + 1] != 0)
            return -1;
        return button + kButtonCount * (digit - '0');
    }

    int ToButton(std::string_view name, bool office) const {
        const auto& plain = suffixed_[office][0];
        for (int button = 0; button < kButtonCount; ++button) {
            const std::string& candidate = plain[static_cast<size_t>(button)];
            if (!candidate.empty() && candidate == name)
                return button;
        }
        return -1;
    }

  private:
    static constexpr const char* kLayerSuffix = "_Layer";

    std::array<std::array<std::array<std::string, kButtonCount>, kLayerCount>, 2> suffixed_;
};

const NameTables& Names() {
    static const NameTables tables;
    return tables;
}

void LogSlotValue(const Char* owner, const pugi::xml_node& element, const char* attribute,
                  long long value, long long replacement) {
    CLogger::LogMessage(L"Settings: Profile '%ls', <%ls>: '%ls' = %lld is out of range; using "
                        L"%lld.",
                        owner ? owner : L"", NodeName(element).c_str(), FromUtf8(attribute).c_str(),
                        value, replacement);
}

void LogUnknownValue(const Char* owner, const pugi::xml_node& element, const char* attribute,
                     long long value) {
    CLogger::LogMessage(L"Settings: Profile '%ls', <%ls>: '%ls' = %lld is not a known value; "
                        L"kept as read and ignored when used.",
                        owner ? owner : L"", NodeName(element).c_str(), FromUtf8(attribute).c_str(),
                        value);
}

constexpr int kSendKeyModeCount = 9;

bool IsSlotAttribute(const char* name) {
    for (const char* known : {"action", "keys", "keyaction", "keyrepeat", "active", "blockmouse",
                              "randomisedelay", "app"}) {
        if (SameName(name, known))
            return true;
    }
    return false;
}

} // namespace

const char* SuffixedButtonName(int button, int layer, bool officeMouse) {
    return Names().Suffixed(button, layer, officeMouse);
}

const char* PlainButtonName(int button, bool officeMouse) {
    return Names().Suffixed(button, 0, officeMouse);
}

int SuffixedNameToSlot(const char* name, bool officeMouse) {
    return Names().ToSlot(name, officeMouse);
}

int PlainNameToButton(const char* name, bool officeMouse) {
    return Names().ToButton(std::string_view(name), officeMouse);
}

SlotAttributes ReadSlotAttributes(const pugi::xml_node& element, const Char* owner,
                                  LoadDiagnostics* diagnostics) {
    SlotAttributes slot;
    // Most slots hold an action that needs nothing else: only what the action uses is read.
    AttributeReader attribute(element, diagnostics);
    pugi::xml_attribute action = attribute("action");
    slot.action = ReadInt(action, actNoChange, element, diagnostics);
    // Codes are stored as read so that a newer settings program's actions survive a save;
    // run time treats an unknown code as no action.
    if (!IsValidAction(slot.action)) {
        LogUnknownValue(owner, element, "action", slot.action);
        Tell(diagnostics, element, action, ValueProblem::UnknownValue, slot.action);
    }
    if (slot.action == actSimulatedKeys) {
        pugi::xml_attribute keys = attribute("keys");
        if (keys) {
            slot.keys = keys.value();
            pugi::xml_attribute keyAction = attribute("keyaction");
            pugi::xml_attribute keyRepeat = attribute("keyrepeat");
            slot.keyAction = ReadInt(keyAction, 0, element, diagnostics);
            slot.keyRepeat = ReadInt(keyRepeat, 0, element, diagnostics);
            slot.active = attribute.Bool("active", true);
            slot.blockMouse = attribute.Bool("blockmouse", true);
            slot.randomiseDelay = attribute.Bool("randomisedelay", false);
            if (slot.keyAction < 0 || slot.keyAction >= kSendKeyModeCount) {
                LogUnknownValue(owner, element, "keyaction", slot.keyAction);
                Tell(diagnostics, element, keyAction, ValueProblem::UnknownValue, slot.keyAction);
            }
            if (slot.keyRepeat < 0) {
                LogSlotValue(owner, element, "keyrepeat", slot.keyRepeat, 0);
                Tell(diagnostics, element, keyRepeat, ValueProblem::OutOfRange, 0);
                slot.keyRepeat = 0;
            }
        }
    }
    if (slot.action == actRunApplication || slot.action == actOpenExplorerAtFolder) {
        if (pugi::xml_attribute app = attribute("app"))
            slot.app = app.value();
    }

    if (!CLogger::DebugEnabled())
        return slot;
    for (pugi::xml_attribute other = element.first_attribute(); other;
         other = other.next_attribute()) {
        if (!IsSlotAttribute(other.name()))
            CLogger::LogDebug(L"Settings: Profile '%ls', <%ls>: ignoring the unknown attribute "
                              L"'%ls'.",
                              owner ? owner : L"", NodeName(element).c_str(),
                              FromUtf8(other.name()).c_str());
    }
    return slot;
}

namespace {

// Writes into an element of a document, replacing values already there.
struct DocumentSink {
    pugi::xml_node& element;
    void Int(const char* name, int value) { WriteInt(element, name, value); }
    void Bool(const char* name, bool value) { WriteBool(element, name, value); }
    void Text(const char* name, const Char* text) { WriteText(element, name, text); }
};

// The one list of slot attributes and their order, for either kind of output.
template <typename Sink> void WriteSlotAttributesTo(Sink& sink, const SlotValuesToWrite& values) {
    sink.Int("action", values.action);
    sink.Text("keys", values.keys);
    sink.Int("keyaction", values.keyAction);
    sink.Int("keyrepeat", values.keyRepeat);
    sink.Bool("active", values.active);
    sink.Bool("blockmouse", values.blockMouse);
    sink.Bool("randomisedelay", values.randomiseDelay);
    sink.Text("app", values.app);
}

} // namespace

void WriteSlotAttributes(pugi::xml_node& element, const SlotValuesToWrite& values) {
    DocumentSink sink{element};
    WriteSlotAttributesTo(sink, values);
}

void WriteSlotAttributes(XmlTextWriter& writer, const SlotValuesToWrite& values) {
    WriteSlotAttributesTo(writer, values);
}

} // namespace pw::settings::xml
