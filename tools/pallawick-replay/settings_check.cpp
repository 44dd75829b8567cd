#include "settings_check.h"

#include "host_file.h"
#include "json_line.h"
#include "platform/sim/simulated_desktop.h"
#include "settings/load_diagnostics.h"
#include "settings/mouse_buttons.h"
#include "settings/settings.h"
#include "settings/slot_xml.h"
#include "support/text.h"

#include <cstdlib>
#include <cstring>

namespace pw::replay {
namespace {

constexpr const Char* kCheckFolder = L"C:\\PallawickCheck";
constexpr const Char* kCheckPath = L"C:\\PallawickCheck\\VESKSettings.xml";

bool Named(const pugi::xml_node& node, const char* name) {
    return node && std::strcmp(node.name(), name) == 0;
}

// The slot an application profile's button element stands for, with either button naming.
int SlotOfElement(const char* name) {
    int slot = settings::xml::SuffixedNameToSlot(name, false);
    return slot >= 0 ? slot : settings::xml::SuffixedNameToSlot(name, true);
}

// The button's name in an element name: the name without its "_Layer%d" suffix.
std::string ButtonLabel(const char* name) {
    std::string label(name);
    return label.substr(0, label.find("_Layer"));
}

// "layer3", "layer3_switch" and "layer3_time" belong to layer 3 (1-based).
int LayerOfAttribute(const char* attribute) {
    if (std::strncmp(attribute, "layer", 5) != 0)
        return 0;
    int layer = std::atoi(attribute + 5);
    return layer >= 1 && layer <= settings::kLayerCount ? layer : 0;
}

bool IsDefaultProfile(const pugi::xml_node& node) {
    return Named(node, "Default") && Named(node.parent(), "root");
}

// The 1-based layer of one of the default profile's layer containers: "Default" itself
// for the first, "Layer1" to "Layer9" under it for the others; 0 for any other node.
int ContainerLayer(const pugi::xml_node& node) {
    if (IsDefaultProfile(node))
        return 1;
    if (!IsDefaultProfile(node.parent()) || std::strncmp(node.name(), "Layer", 5) != 0)
        return 0;
    int layer = std::atoi(node.name() + 5);
    return layer >= 1 && layer < settings::kLayerCount ? layer + 1 : 0;
}

// Where the element holding attribute sits in the settings file: its profile, layer and
// button. Elements outside every profile leave the finding's place empty.
void Locate(const pugi::xml_node& element, const char* attribute, Finding& finding) {
    pugi::xml_node node = element;
    // A chord's partner element sits in "chords" under the slot's own button element.
    std::string partner;
    if (Named(node.parent(), "chords")) {
        partner = node.name();
        node = node.parent().parent();
    }
    const pugi::xml_node parent = node.parent();
    if (Named(node, "Application") || Named(parent, "Application")) {
        const pugi::xml_node profile = Named(node, "Application") ? node : parent;
        finding.profile = profile.attribute("Name").value();
        if (node != profile) {
            const int slot = SlotOfElement(node.name());
            if (slot >= 0) {
                finding.layer = slot / settings::kButtonCount + 1;
                finding.button = ButtonLabel(node.name());
            } else {
                finding.layer = LayerOfAttribute(attribute);
            }
        }
    } else if (IsDefaultProfile(node) || ContainerLayer(parent) > 0) {
        finding.profile = "Default";
        if (!IsDefaultProfile(node)) {
            finding.layer = ContainerLayer(parent);
            if (!Named(node, "Layer"))
                finding.button = node.name();
        }
    }
    if (!partner.empty())
        finding.button += "+" + partner;
}

std::string DescribeNote(const settings::ValueNote& note) {
    std::string what = std::string(note.attribute) + "=\"" + note.text + "\"";
    if (note.problem == settings::ValueProblem::TooLong)
        what = std::string(note.attribute) + " (" + std::to_string(FromUtf8(note.text).size()) +
               " characters)";
    const std::string used = std::to_string(note.used);
    switch (note.problem) {
    case settings::ValueProblem::OutOfRange:
        return what + " is out of range; " + used + " is used";
    case settings::ValueProblem::Ignored:
        return what + " is out of range; ignored";
    case settings::ValueProblem::NotANumber:
        return what + " is not a number; read as " + used;
    case settings::ValueProblem::NotABoolean:
        return what + " is neither true nor false; read as " + (note.used ? "true" : "false");
    case settings::ValueProblem::UnknownValue:
        return what + " is not a known value; ignored when used";
    case settings::ValueProblem::TooLong:
        return what + " is too long; only the first " + used + " are kept";
    }
    return what;
}

// Turns what the loader could not take into findings, as the loader meets them.
class ValueCollector final : public settings::LoadDiagnostics {
  public:
    explicit ValueCollector(std::vector<Finding>& findings) : findings_(findings) {}

    void ValueNotTaken(const settings::ValueNote& note) override {
        // Unknown action codes are reported with the action checks, reserved ones beside them.
        if (note.problem == settings::ValueProblem::UnknownValue &&
            std::strcmp(note.attribute, "action") == 0)
            return;
        Finding finding;
        finding.kind = "value";
        Locate(note.element, note.attribute, finding);
        finding.detail = DescribeNote(note);
        if (finding.profile.empty())
            finding.detail = "<" + std::string(note.element.name()) + "> " + finding.detail;
        findings_.push_back(std::move(finding));
    }

  private:
    std::vector<Finding>& findings_;
};

} // namespace

CheckResult CheckSettingsFile(const std::string& hostPath) {
    CheckResult result;
    std::string bytes;
    if (!ReadHostFile(hostPath, bytes, result.error))
        return result;

    sim::SimulatedDesktop desktop;
    if (!StageFile(desktop, kCheckFolder, kCheckPath, bytes)) {
        result.error = "cannot stage settings file '" + hostPath + "'";
        return result;
    }
    CSettings settings;
    ValueCollector values(result.findings);
    bool regionChecking = false;
    if (!settings.Load(kCheckPath, regionChecking, false, &values)) {
        result.error = "cannot load settings file '" + hostPath + "': not a readable settings file";
        result.findings.clear();
        return result;
    }
    result.readable = true;
    CheckLoadedSettings(settings, result.findings);
    return result;
}

std::string FormatFinding(const Finding& finding) {
    std::string line = finding.profile.empty() && finding.layer == 0 && finding.button.empty()
                           ? "settings"
                           : "profile \"" + finding.profile + "\"";
    if (finding.layer > 0)
        line += " layer " + std::to_string(finding.layer);
    if (!finding.button.empty())
        line += " button " + finding.button;
    return line + ": " + finding.detail;
}

std::string FindingJson(const Finding& finding) {
    JsonObject json;
    if (!finding.profile.empty())
        json.Field("profile", finding.profile);
    if (finding.layer > 0)
        json.Field("layer", finding.layer);
    if (!finding.button.empty())
        json.Field("button", finding.button);
    json.Field("kind", finding.kind);
    json.Field("detail", finding.detail);
    if (finding.position >= 0)
        json.Field("position", static_cast<int64_t>(finding.position));
    return json.Finish();
}

int RunCheck(const std::string& hostPath, bool json, std::ostream& out, std::ostream& err) {
    CheckResult result = CheckSettingsFile(hostPath);
    if (!result.readable) {
        err << "pallawick-replay: " << result.error << "\n";
        return 2;
    }
    for (const Finding& finding : result.findings)
        out << (json ? FindingJson(finding) : FormatFinding(finding)) << "\n";
    out.flush();
    return result.findings.empty() ? 0 : 1;
}

} // namespace pw::replay
