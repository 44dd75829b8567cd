#include "settings/slot_xml.h"

#include "settings/mouse_buttons.h"
#include "settings/xml_values.h"
#include "support/format.h"
#include "support/logger.h"

#include <array>
#include <cstring>
#include <string>
#include <string_view>
#include <unordered_map>

namespace pw::settings::xml {

namespace {

// Every element name a profile uses, built once from the button names so that lookups
// by name cost one hash instead of a scan of the profile's ninety-odd children.
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
                        name += "_Layer" + std::to_string(layer);
                }
            }
        }
        // The maps refer to the strings above, which never move again.
        for (int office = 0; office < 2; ++office) {
            for (int layer = 0; layer < kLayerCount; ++layer) {
                for (int button = 0; button < kButtonCount; ++button) {
                    const std::string& name = suffixed_[office][layer][button];
                    if (name.empty())
                        continue;
                    toSlot_[office].emplace(name, button + kButtonCount * layer);
                    if (layer == 0)
                        toButton_[office].emplace(name, button);
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
    int ToSlot(const char* name, bool office) const { return Find(toSlot_[office], name); }
    int ToButton(const char* name, bool office) const { return Find(toButton_[office], name); }

  private:
    using Map = std::unordered_map<std::string_view, int>;
    static int Find(const Map& map, const char* name) {
        auto found = map.find(std::string_view(name));
        return found == map.end() ? -1 : found->second;
    }

    std::array<std::array<std::array<std::string, kButtonCount>, kLayerCount>, 2> suffixed_;
    std::array<Map, 2> toSlot_;
    std::array<Map, 2> toButton_;
};

const NameTables& Names() {
    static const NameTables tables;
    return tables;
}

void LogSlotValue(const Char* owner, const pugi::xml_node& element, const char* attribute,
                  long long value, long long replacement) {
    CLogger::LogMessage(L"Settings: Profile '%ls', <%ls>: '%ls' = %lld is out of range; using "
                        L"%lld.",
                        owner ? owner : L"", NodeName(element).c_str(),
                        FromUtf8(attribute).c_str(), value, replacement);
}

constexpr int kSendKeyModeCount = 9;

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
    return Names().ToButton(name, officeMouse);
}

SlotAttributes ReadSlotAttributes(const pugi::xml_node& element, const Char* owner) {
    SlotAttributes slot;
    unsigned seen = 0;
    // The first attribute of a name counts, as a lookup by name would find it.
    auto first = [&seen](unsigned bit) {
        bool isFirst = (seen & bit) == 0;
        seen |= bit;
        return isFirst;
    };
    for (pugi::xml_attribute attribute = element.first_attribute(); attribute;
         attribute = attribute.next_attribute()) {
        const char* name = attribute.name();
        if (std::strcmp(name, "action") == 0) {
            if (first(1u << 0))
                slot.action = attribute.as_int(actNoChange);
        } else if (std::strcmp(name, "keys") == 0) {
            if (first(1u << 1))
                slot.keys = attribute.value();
        } else if (std::strcmp(name, "keyaction") == 0) {
            if (first(1u << 2))
                slot.keyAction = attribute.as_int(0);
        } else if (std::strcmp(name, "keyrepeat") == 0) {
            if (first(1u << 3))
                slot.keyRepeat = attribute.as_int(0);
        } else if (std::strcmp(name, "active") == 0) {
            if (first(1u << 4))
                slot.active = attribute.as_bool(true);
        } else if (std::strcmp(name, "blockmouse") == 0) {
            if (first(1u << 5))
                slot.blockMouse = attribute.as_bool(true);
        } else if (std::strcmp(name, "randomisedelay") == 0) {
            if (first(1u << 6))
                slot.randomiseDelay = attribute.as_bool(false);
        } else if (std::strcmp(name, "app") == 0) {
            if (first(1u << 7))
                slot.app = attribute.value();
        } else {
            CLogger::LogDebug(L"Settings: Profile '%ls', <%ls>: ignoring the unknown attribute "
                              L"'%ls'.",
                              owner ? owner : L"", NodeName(element).c_str(),
                              FromUtf8(name).c_str());
        }
    }
    if (!IsValidAction(slot.action)) {
        LogSlotValue(owner, element, "action", slot.action, actNoChange);
        slot.action = actNoChange;
    }
    if (slot.keyAction < 0 || slot.keyAction >= kSendKeyModeCount) {
        LogSlotValue(owner, element, "keyaction", slot.keyAction, 0);
        slot.keyAction = 0;
    }
    if (slot.keyRepeat < 0) {
        LogSlotValue(owner, element, "keyrepeat", slot.keyRepeat, 0);
        slot.keyRepeat = 0;
    }
    return slot;
}

String SlotText(const char* value, const pugi::xml_node& element, const char* attribute,
                size_t limit) {
    String text = FromUtf8(value ? value : "");
    if (text.size() > limit) {
        CLogger::LogMessage(L"Settings: The attribute '%ls' of <%ls> is %zu characters long; only "
                            L"the first %zu are kept.",
                            FromUtf8(attribute).c_str(), NodeName(element).c_str(), text.size(),
                            limit);
        text.resize(limit);
    }
    return text;
}

void WriteSlotAttributes(pugi::xml_node& element, const SlotValuesToWrite& values) {
    WriteInt(element, "action", values.action);
    WriteText(element, "keys", values.keys);
    WriteInt(element, "keyaction", values.keyAction);
    WriteInt(element, "keyrepeat", values.keyRepeat);
    WriteBool(element, "active", values.active);
    WriteBool(element, "blockmouse", values.blockMouse);
    WriteBool(element, "randomisedelay", values.randomiseDelay);
    WriteText(element, "app", values.app);
}

} // namespace pw::settings::xml
