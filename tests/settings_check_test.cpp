#include "settings/load_diagnostics.h"
#include "settings_check.h"
#include "support/settings_files.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <unistd.h>

namespace pw::replay {
namespace {

namespace fs = std::filesystem;

// One of every finding: values the loader replaced, a bad key string, reserved and
// unknown actions, buttons past the layers in use, an invalid pattern and two profiles
// that an earlier one always wins over. The last profile's pattern is valid as written
// (lower-cased, its range would run backwards) and gives no finding.
constexpr const char* kFindings = R"(<?xml version="1.0"?>
<root>
	<Layers Number="2" />
	<ScrollWheel ScrollWindowUnderCursor="maybe" />
	<SimulatedKeys Delay="90" />
	<Default ScrollLines="three">
		<Middle action="28" keys="{CTRL}{BOGUS}a" />
		<Layer1>
			<Layer name="two" autoswitchtime="-5" />
			<Left action="28" keys="{NUM:x}" />
		</Layer1>
	</Default>
	<Applications>
		<Application Name="notepad.exe" Enabled="true" SwapButtons="7">
			<Middle_Layer1 action="28" keys="{CTRL}{BOGUS}a" keyaction="12" />
			<Left action="110" />
			<Right action="500" />
			<XLeft_Layer3 action="1" />
			<XRight action="57" />
			<WheelUp action="28" keys="x{ENTER" />
			<Middle action="128"><chords><Left action="113" /></chords></Middle>
		</Application>
		<Application Name="NOTEPAD.EXE" Enabled="true" />
		<Application Name="W2:notepad.exe \;| Edit( \;| *" RegExMatching="true" Enabled="true" />
		<Application Name="W2:calc.exe \;| Edit \;| *" Enabled="true" />
		<Application Name="W2:calc.exe \;| Edit \;| *" Enabled="true" Description="again" />
		<Application Name="W:[Z-a]pp\.exe" RegExMatching="true" Enabled="true" />
	</Applications>
</root>
)";

constexpr const char* kExpectedLines[] = {
    R"(settings: <ScrollWheel> ScrollWindowUnderCursor="maybe" is neither true nor false; read as false)",
    R"(settings: <SimulatedKeys> Delay="90" is out of range; 1 is used)",
    R"(profile "Default": ScrollLines="three" is not a number; read as 0)",
    R"(profile "Default" layer 2: autoswitchtime="-5" is out of range; 1 is used)",
    R"(profile "notepad.exe": SwapButtons="7" is out of range; 0 is used)",
    R"(profile "notepad.exe" layer 2 button Middle: keyaction="12" is not a known value; ignored when used)",
    R"(profile "Default" layer 1 button Middle: key string "{CTRL}{BOGUS}a": unknown tag {BOGUS} at 6)",
    R"(profile "Default" layer 2 button Left: key string "{NUM:x}": {NUM:x} at 0 names no keypad key; the whole key string is refused)",
    R"(profile "notepad.exe" layer 1 button Left: action 110 is reserved and does nothing)",
    R"(profile "notepad.exe" layer 1 button Right: action 500 is unknown and does nothing)",
    R"(profile "notepad.exe" layer 1 button Middle+Left: action 113 is reserved and does nothing)",
    R"(profile "notepad.exe" layer 1 button XRight: "Layer 4" switches to layer 4, but only 2 layers are in use)",
    R"(profile "notepad.exe" layer 1 button WheelUp: key string "x{ENTER": tag {ENTER at 1 has no closing })",
    R"(profile "notepad.exe" layer 2 button Middle: key string "{CTRL}{BOGUS}a": unknown tag {BOGUS} at 6)",
    R"(profile "notepad.exe" layer 4 button XLeft: "Right Click" is on layer 4, but only 2 layers are in use)",
    R"(profile "W2:notepad.exe \;| Edit( \;| *": class pattern "Edit(" is not a valid regular expression)",
    R"(profile "W2:calc.exe \;| Edit \;| *": never chosen: the earlier profile "W2:calc.exe \;| Edit \;| *" takes every window this one would)",
    R"(profile "NOTEPAD.EXE": never chosen: the earlier profile "notepad.exe" takes every window this one would)",
};

class SettingsCheck : public ::testing::Test {
  protected:
    SettingsCheck() {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ = fs::temp_directory_path() /
                  ("pallawick-check-" + std::to_string(getpid()) + "-" + test->name());
        fs::create_directories(folder_);
    }
    ~SettingsCheck() override {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }

    std::string Write(const std::string& name, const std::string& bytes) {
        const fs::path path = folder_ / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }

    struct Run {
        int status;
        std::string out;
        std::string err;
    };
    static Run Check(const std::string& path, bool json = false) {
        std::ostringstream out, err;
        int status = RunCheck(path, json, out, err);
        return {status, out.str(), err.str()};
    }

    fs::path folder_;
};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

TEST_F(SettingsCheck, ListsOneLineForEachFindingAndLeavesTheFileAlone) {
    const std::string path = Write("bad.xml", kFindings);
    Run run = Check(path);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "");
    std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), std::size(kExpectedLines)) << run.out;
    for (size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(lines[i].rfind(kExpectedLines[i], 0), 0u) << lines[i];
    EXPECT_EQ(Read(path), kFindings);
}

// A flat JSON object of string and number fields, as the check writes them; empty when
// the line is not one.
std::map<std::string, std::string> ParseFlatObject(const std::string& line) {
    std::map<std::string, std::string> fields;
    size_t at = 0;
    auto expect = [&](char c) { return at < line.size() && line[at++] == c; };
    auto string = [&](std::string& out) {
        if (!expect('"'))
            return false;
        for (; at < line.size() && line[at] != '"'; ++at) {
            if (line[at] == '\\' && ++at >= line.size())
                return false;
            out += line[at];
        }
        return expect('"');
    };
    if (!expect('{'))
        return {};
    while (true) {
        std::string name, value;
        if (!string(name) || !expect(':'))
            return {};
        if (at < line.size() && line[at] == '"') {
            if (!string(value))
                return {};
        } else {
            while (at < line.size() &&
                   (std::isdigit(static_cast<unsigned char>(line[at])) || line[at] == '-'))
                value += line[at++];
            if (value.empty())
                return {};
        }
        fields[name] = value;
        if (at < line.size() && line[at] == ',') {
            ++at;
            continue;
        }
        return expect('}') && at == line.size() ? fields : std::map<std::string, std::string>{};
    }
}

TEST_F(SettingsCheck, JsonLinesCarryThePlaceKindDetailAndPosition) {
    Run run = Check(Write("bad.xml", kFindings), true);
    EXPECT_EQ(run.status, 1);
    std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), std::size(kExpectedLines));
    std::map<std::string, int> kinds;
    for (const std::string& line : lines) {
        auto fields = ParseFlatObject(line);
        ASSERT_FALSE(fields.empty()) << line;
        ++kinds[fields["kind"]];
    }
    EXPECT_EQ(kinds, (std::map<std::string, int>{{"action", 3},
                                                 {"key-string", 4},
                                                 {"layer", 2},
                                                 {"regex", 1},
                                                 {"shadowed", 2},
                                                 {"value", 6}}));
    auto bogus = ParseFlatObject(lines[13]);
    EXPECT_EQ(bogus["profile"], "notepad.exe");
    EXPECT_EQ(bogus["layer"], "2");
    EXPECT_EQ(bogus["button"], "Middle");
    EXPECT_EQ(bogus["kind"], "key-string");
    EXPECT_EQ(bogus["position"], "6");
    auto global = ParseFlatObject(lines[0]);
    EXPECT_EQ(global.count("profile"), 0u);
    EXPECT_EQ(global.count("position"), 0u);
}

TEST_F(SettingsCheck, TheExampleAndAFileOfDefaultsAreClean) {
    Run example = Check(std::string(PALLAWICK_SOURCE_DIR) + "/examples/settings.xml");
    EXPECT_EQ(example.status, 0) << example.out;
    EXPECT_EQ(example.out, "");
    Run empty = Check(Write("empty.xml", test::SettingsXml("")));
    EXPECT_EQ(empty.status, 0) << empty.out;
    EXPECT_EQ(empty.out, "");
}

TEST_F(SettingsCheck, UnreadableFilesEndWithStatusTwoAndAMessage) {
    const std::string whole = Read(std::string(PALLAWICK_SOURCE_DIR) + "/examples/settings.xml");
    const struct {
        std::string path;
        const char* message;
    } cases[] = {
        {(folder_ / "missing.xml").string(), "cannot read settings file"},
        {folder_.string(), "is a directory"},
        {Write("truncated.xml", whole.substr(0, whole.size() / 2)), "not a readable settings file"},
        {Write("garbage.xml", "<root><Layers Number=\"2\"</root>"), "not a readable settings file"},
    };
    for (const auto& c : cases) {
        Run run = Check(c.path);
        EXPECT_EQ(run.status, 2) << c.path;
        EXPECT_EQ(run.out, "") << c.path;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
}

// Which profiles an earlier one always wins over, by the matching's own rules.
TEST_F(SettingsCheck, OnlyProfilesThatCanNeverWinAreShadowed) {
    const std::string xml = test::SettingsXml(R"(<Applications>
        <Application Name="W2:a.exe \;| Edit \;| Frame" Enabled="true" />
        <Application Name="W2:a.exe \;| Edit \;| Frame" Enabled="true" NoParent="true" />
        <Application Name="W2:a.exe \;| Edit \;| *" Enabled="true" WindowMask="2" />
        <Application Name="W2:a.exe \;| Edit \;| *" Enabled="true" WindowMask="2" />
        <Application Name="W2:a.exe \;| Edi. \;| *" Enabled="true" RegExMatching="true" />
        <Application Name="W2:b.exe \;| * \;| *" Enabled="false" NoParent="true" />
        <Application Name="b.exe" Enabled="true" />
        <Application Name="W2:c.exe \;| * \;| *" Enabled="true" NoParent="true" />
        <Application Name="c.exe" Enabled="true" />
        <Application Name="W2:a.exe \;| Edit \;| *" Enabled="true" />
        <Application Name="W2:a.exe \;| Edit \;| *" Enabled="true" WindowMask="4" />
        <Application Name="W2:a.exe \;| Edi. \;| *" Enabled="true" RegExMatching="true" />
    </Applications>)");
    Run run = Check(Write("shadow.xml", xml));
    std::vector<std::string> shadowed;
    for (const std::string& line : Lines(run.out)) {
        if (line.find("never chosen") != std::string::npos)
            shadowed.push_back(line.substr(0, line.find(": never")));
    }
    // The NoParent profile also takes top-level windows, which the first refuses; the
    // pattern profile is matched differently; the disabled profile wins nothing.
    EXPECT_EQ(shadowed, (std::vector<std::string>{
                            R"(profile "W2:a.exe \;| Edit \;| *")",
                            R"(profile "W2:a.exe \;| Edit \;| *")",
                            R"(profile "W2:a.exe \;| Edi. \;| *")",
                            R"(profile "c.exe")",
                        }))
        << run.out;
    EXPECT_NE(run.out.find("the earlier profile \"W2:c.exe"), std::string::npos);
}

// The loader reads the same settings with a diagnostics sink as without one.
TEST(SettingsLoadDiagnostics, LoadingWithASinkSavesTheSameBytes) {
    class Counter final : public settings::LoadDiagnostics {
      public:
        void ValueNotTaken(const settings::ValueNote&) override { ++count; }
        int count = 0;
    };
    sim::SimulatedDesktop desktop;
    ASSERT_TRUE(desktop.files.CreateDirectory(L"C:\\x"));
    ASSERT_TRUE(desktop.files.WriteFile(test::kSettingsPath, kFindings));
    auto loadAndSave = [&](settings::LoadDiagnostics* sink, const Char* target) {
        CSettings settings;
        bool region = false;
        EXPECT_TRUE(settings.Load(test::kSettingsPath, region, false, sink));
        EXPECT_TRUE(settings.Save(target));
        return test::FileBytes(desktop, target);
    };
    Counter counter;
    const std::string plain = loadAndSave(nullptr, L"C:\\x\\plain.xml");
    const std::string told = loadAndSave(&counter, L"C:\\x\\told.xml");
    EXPECT_EQ(plain, told);
    // The six values the check lists, and the unknown action 500 it lists as an action.
    EXPECT_EQ(counter.count, 7);
    EXPECT_EQ(test::FileBytes(desktop), kFindings);
}

} // namespace
} // namespace pw::replay
