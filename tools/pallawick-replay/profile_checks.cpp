// The checks of loaded settings, profile by profile: key strings, action codes, buttons
// past the layers in use, and patterns.

#include "profile_shadowing.h"
#include "settings_check.h"

#include "input/sim_layer_token.h"
#include "input/sim_parse_diagnostics.h"
#include "input/sim_token.h"
#include "input/sim_token_list.h"
#include "settings/actions.h"
#include "settings/application_settings.h"
#include "settings/chord.h"
#include "settings/mouse_buttons.h"
#include "settings/settings.h"
#include "settings/wait_hold_time.h"
#include "windows/profile_matching.h"

#include <string>

namespace pw::replay {
namespace {

std::string Narrow(const Char* text) {
    return text ? ToUtf8(text) : std::string();
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::string DescribeKeyNote(const input::KeyNote& note) {
    const std::string name = ToUtf8(note.name);
    const std::string at = " at " + std::to_string(note.position);
    switch (note.problem) {
    case input::KeyProblem::UnknownTag:
        return "unknown tag {" + name + "}" + at;
    case input::KeyProblem::UnclosedTag:
        return "tag {" + name + at + " has no closing }";
    case input::KeyProblem::LongTag:
        return "tag {" + name + at + " reaches the " + std::to_string(settings::kMaxTagName) +
               "-character limit; the rest is typed";
    case input::KeyProblem::BadKeypadKey:
        return "{" + name + "}" + at + " names no keypad key; the whole key string is refused";
    case input::KeyProblem::KeyOutOfRange:
        return "{" + name + "}" + at + " names no virtual key; skipped";
    case input::KeyProblem::LayerOutOfRange:
        return "{" + name + "}" + at + " names no layer; skipped";
    case input::KeyProblem::TimeOutOfRange:
        return "{" + name + "}" + at + " asks for a time outside 0 to 1 hour; cut to it";
    }
    return "{" + name + "}" + at + " does not work";
}

// Where one button slot (or one chord of it) lives, for findings.
struct SlotPlace {
    std::string profile;
    int layer = 0; // 0-based
    std::string button;
};

class KeyStringCollector final : public input::SimParseDiagnostics {
  public:
    KeyStringCollector(const SlotPlace& place, const std::string& keys,
                       std::vector<Finding>& findings)
        : place_(place), keys_(keys), findings_(findings) {}

    void KeyStringProblem(const input::KeyNote& note) override {
        Finding finding{place_.profile, place_.layer + 1, place_.button, "key-string", {}, -1};
        finding.position = static_cast<long>(note.position);
        finding.detail = "key string " + Quoted(keys_) + ": " + DescribeKeyNote(note);
        findings_.push_back(std::move(finding));
    }

  private:
    const SlotPlace& place_;
    const std::string& keys_;
    std::vector<Finding>& findings_;
};

class ProfileChecker {
  public:
    ProfileChecker(const CSettings& settings, std::vector<Finding>& findings)
        : findings_(findings), maxLayers_(settings.MaxLayers()),
          officeMouse_(settings.OfficeMouse()) {}

    void Check(const CApplicationSettings& profile) {
        SlotPlace place;
        place.profile = Narrow(profile.GetFullName());
        for (int layer = 0; layer < settings::kLayerCount; ++layer) {
            place.layer = layer;
            for (int button = 0; button < settings::kButtonCount; ++button) {
                const Char* name = settings::ButtonElementName(button, officeMouse_);
                if (!name)
                    continue;
                place.button = ToUtf8(name);
                CheckSlot(profile, button, layer, place);
            }
        }
        CheckPatterns(profile, place.profile);
    }

  private:
    void Add(const SlotPlace& place, const char* kind, std::string detail) {
        findings_.push_back(
            {place.profile, place.layer + 1, place.button, kind, std::move(detail)});
    }

    void CheckSlot(const CApplicationSettings& profile, int button, int layer,
                   const SlotPlace& place) {
        const auto mouseButton = static_cast<MouseButtons>(button);
        const int action = profile.GetActions(mouseButton, layer);
        CheckAction(action, place);
        if (layer >= maxLayers_ && !settings::IsNeutralAction(action, profile.IsDefault()))
            Add(place, "layer",
                Quoted(Narrow(settings::ActionDisplayName(action))) + " is on layer " +
                    std::to_string(layer + 1) + ", but only " + std::to_string(maxLayers_) +
                    " layers are in use");
        else
            CheckLayerTarget(action, place);
        if (action == actSimulatedKeys)
            CheckKeys(profile.GetKeystrokes(mouseButton, layer), place);
        if (CVESKChords* chords = profile.GetChords(mouseButton, layer))
            CheckChords(*chords, place);
    }

    // Reserved codes and codes past the table do nothing.
    void CheckAction(int action, const SlotPlace& place) {
        if (action >= actReservedFirst && action <= actReservedLast)
            Add(place, "action",
                "action " + std::to_string(action) + " is reserved and does nothing");
        else if (!settings::IsValidAction(action))
            Add(place, "action",
                "action " + std::to_string(action) + " is unknown and does nothing");
    }

    // Layer actions to a layer past the ones in use are refused when pressed.
    void CheckLayerTarget(int action, const SlotPlace& place) {
        const int target = settings::LayerOfAction(action);
        if (target < maxLayers_)
            return;
        Add(place, "layer",
            Quoted(Narrow(settings::ActionDisplayName(action))) + " switches to layer " +
                std::to_string(target + 1) + ", but only " + std::to_string(maxLayers_) +
                " layers are in use");
    }

    void CheckKeys(const Char* keys, const SlotPlace& place) {
        if (!keys)
            return;
        const std::string text = ToUtf8(keys);
        KeyStringCollector collector(place, text, findings_);
        input::SimParseEnvironment environment;
        environment.diagnostics = &collector;
        SimTokenList tokens;
        if (!CSimToken::Parse(tokens, keys, POINT{}, 0, environment))
            return;
        for (const auto& token : tokens) {
            const auto* layer = dynamic_cast<const CSimLayerToken*>(token.get());
            if (layer && layer->m_nLayer >= maxLayers_)
                Add(place, "key-string",
                    "key string " + Quoted(text) + ": switches to layer " +
                        std::to_string(layer->m_nLayer + 1) + ", but only " +
                        std::to_string(maxLayers_) + " layers are in use");
        }
    }

    void CheckChords(CVESKChords& chords, const SlotPlace& place) {
        for (int partner = 0; partner < settings::kButtonCount; ++partner) {
            const Char* name = settings::ButtonElementName(partner, officeMouse_);
            CVESKChord* chord = chords.GetChord(static_cast<MouseButtons>(partner));
            if (!name || !chord)
                continue;
            SlotPlace chordPlace = place;
            chordPlace.button = place.button + "+" + ToUtf8(name);
            CheckAction(chord->GetAction(), chordPlace);
            if (chord->GetAction() == actSimulatedKeys)
                CheckKeys(chord->GetKeys(), chordPlace);
        }
    }

    void CheckPatterns(const CApplicationSettings& profile, const std::string& name) {
        if (!profile.RegExMatching())
            return;
        const std::pair<const char*, const Char*> fields[] = {
            {"application", profile.GetApplicationPattern()},
            {"class", profile.GetClass()},
            {"parent class", profile.GetParentClass()},
            {"caption", profile.GetCaption()},
        };
        for (const auto& [field, pattern] : fields) {
            std::string why;
            if (windows::IsValidProfilePattern(pattern, &why))
                continue;
            findings_.push_back({name,
                                 0,
                                 {},
                                 "regex",
                                 std::string(field) + " pattern " + Quoted(Narrow(pattern)) +
                                     " is not a valid regular expression (" + why +
                                     "); the profile never matches"});
        }
    }

    std::vector<Finding>& findings_;
    int maxLayers_;
    bool officeMouse_;
};

} // namespace

void CheckLoadedSettings(const CSettings& settings, std::vector<Finding>& findings) {
    ProfileChecker checker(settings, findings);
    if (const CApplicationSettings* profile = settings.GetDefaultApp())
        checker.Check(*profile);
    for (int index = 0; index < settings.GetApplicationCount(); ++index) {
        if (const CApplicationSettings* profile = settings.GetApplication(index))
            checker.Check(*profile);
    }
    CheckShadowedProfiles(settings, findings);
}

} // namespace pw::replay
