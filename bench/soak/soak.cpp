#include "soak.h"

#include "hook/settings_reload.h"
#include "replay.h"
#include "runtime/runtime_state.h"
#include "runtime/thread_timers.h"
#include "scenario.h"
#include "settings/application_settings.h"
#include "settings/folders.h"
#include "settings/settings.h"
#include "support/thread_lock.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <malloc.h>
#include <ostream>
#include <random>
#include <sstream>
#include <streambuf>
#include <unistd.h>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PW_SOAK_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define PW_SOAK_ASAN 1
#endif
#ifdef PW_SOAK_ASAN
#include <sanitizer/allocator_interface.h>
#endif

namespace pw::soak {

namespace {

// Events are played in chunks of this many; the desktop's own records are dropped between
// chunks, so that only the library's memory is left to grow.
constexpr uint64_t kChunkEvents = 4096;

// Three windows side by side, one per profile: a.exe and b.exe have profiles of their
// own, explorer.exe falls back on the default profile.
constexpr int kColumnWidth = 640;
constexpr int kScreenHeight = 1080;
constexpr const char* kWindows =
    "window a process=a.exe class=AppA caption=\"A\" rect=0,0,640,1080\n"
    "window b process=b.exe class=AppB caption=\"B\" rect=640,0,640,1080\n"
    "window c process=explorer.exe class=Progman caption=\"Desktop\" rect=1280,0,640,1080\n"
    "foreground c\n";

std::string Slot(const char* button, int action, const char* keys = nullptr, int mode = 0,
                 int repeat = 40, const char* inner = "") {
    std::string slot = std::string("<") + button + " action=\"" + std::to_string(action) + "\"";
    if (keys)
        slot += std::string(" keys=\"") + keys + "\" keyaction=\"" + std::to_string(mode) +
                "\" keyrepeat=\"" + std::to_string(repeat) + "\"";
    return slot + ">" + inner + "</" + button + ">";
}

// The settings of the stream; the reload swaps generation 0 for generation 1, which maps
// a few buttons otherwise.
std::string SettingsXml(int generation) {
    const bool second = generation == 1;
    const std::string chord =
        "<chords BlockUntilEstablished=\"true\">" + Slot("Left", 28, "{CTRL}v", 0) + "</chords>";
    std::string xml = "\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<root>"
                      "<version build=\"0\" revision=\"0\" minor=\"14\" major=\"2\"/>"
                      "<Layers Number=\"2\"/><SwitchOnMouseOver Enable=\"true\"/>"
                      "<SimulatedKeys Delay=\"1\"/><ScrollWheel ScrollWindowUnderCursor=\"true\"/>";
    xml += "<Default>";
    xml += Slot("Middle", 28, second ? "{CTRL}x" : "{CTRL}c", 0);
    xml += Slot("XLeft", 28, "x", 5, 30);
    xml += Slot("XRight", 28, "{SHIFT}a", 6, 30);
    xml += Slot("Right", 128, nullptr, 0, 0, chord.c_str());
    xml += Slot("WheelUp", 28, "{UP}", 0);
    xml += "</Default><Applications>";
    xml += "<Application Name=\"a.exe\" Enabled=\"true\">";
    xml += Slot("XRight", second ? 50 : 49);
    xml += Slot("XLeft", 28, "{CTRL}{ALT}z", 2);
    xml += Slot("Middle", 55);
    xml += Slot("Middle_Layer1", 54);
    xml += Slot("Left_Layer1", 28, "q", 8);
    xml += Slot("WheelDown", 28, "{DOWN}", 8);
    xml += "</Application>";
    xml += "<Application Name=\"b.exe\" Enabled=\"true\">";
    xml += Slot("Right", 28, "r", 1);
    xml += Slot("XLeft", 28, second ? "{RMB}" : "{LMB}", 0);
    xml += Slot("XRight", 28, "{CTRL}", 7);
    xml += Slot("WheelUp", 28, "{MWDN}", 0);
    xml += "</Application></Applications></root>\n";
    return xml;
}

// Writes the scenario lines of the stream. Every mouse event counts; after each
// (1000 / rate) ms of events the virtual clock moves on by that much, firing what falls
// due. Each episode leaves every button as it found it, sticky ones by pressing twice.
class Script {
  public:
    explicit Script(const Options& options) : random_(options.seed), perMs_(options.rateHz / 1000) {
        if (perMs_ == 0)
            perMs_ = 1;
    }

    // Lines for about count more events (whole episodes).
    std::string Next(uint64_t count) {
        out_.str({});
        const uint64_t end = events_ + count;
        while (events_ < end)
            Episode();
        return out_.str();
    }
    uint64_t Events() const { return events_; }
    uint64_t VirtualMs() const { return virtualMs_; }

    // Lets every timer of the last episode run out.
    std::string Settle() { return "wait 1000\n"; }

  private:
    int Between(int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random_);
    }

    void Event(const std::string& line) {
        out_ << line << '\n';
        if (++events_ % perMs_ == 0) {
            out_ << "wait 1\n";
            ++virtualMs_;
        }
    }
    void Move(int count) {
        for (int i = 0; i < count; ++i) {
            const int left = column_ * kColumnWidth;
            x_ = std::clamp(x_ + Between(-6, 6), left + 1, left + kColumnWidth - 2);
            y_ = std::clamp(y_ + Between(-6, 6), 1, kScreenHeight - 2);
            Event("move " + std::to_string(x_) + " " + std::to_string(y_));
        }
    }
    void Click(const char* button, int movesBetween = 0) {
        Event(std::string("down ") + button);
        Move(movesBetween);
        Event(std::string("up ") + button);
    }
    void SwitchWindow() {
        column_ = (column_ + Between(1, 2)) % 3;
        x_ = column_ * kColumnWidth + kColumnWidth / 2;
        Event("move " + std::to_string(x_) + " " + std::to_string(y_));
        if (Between(0, 1) == 0)
            out_ << "foreground "
                 << "abc"[column_] << '\n';
    }

    void Episode() {
        Move(Between(4, 40));
        switch (Between(0, 9)) {
        case 0:
            Click("Left", Between(0, 3)); // unmapped but on a.exe's second layer
            break;
        case 1:
            Click("Middle", Between(0, 2)); // keys, or a layer switch on a.exe
            break;
        case 2:
            for (int i = Between(1, 4); i > 0; --i)
                Event(Between(0, 1) ? "wheel 120" : "wheel -120");
            break;
        case 3: // a chord: right held, left pressed and released
            Event("down Right");
            Move(Between(0, 3));
            Click("Left", Between(0, 2));
            Event("up Right");
            break;
        case 4:
            Click("Right", Between(0, 3));
            break;
        case 5: // repeat or hold while down: a few virtual milliseconds held
            Click("XLeft", Between(8, 800));
            break;
        case 6: // sticky: on, some moves, off again
            Click("XRight");
            Move(Between(4, 60));
            Click("XRight");
            break;
        case 7:
            Event(Between(0, 1) ? "tilt 120" : "tilt -120");
            break;
        default:
            SwitchWindow();
            break;
        }
    }

    std::mt19937 random_;
    unsigned perMs_;
    std::ostringstream out_;
    uint64_t events_ = 0;
    uint64_t virtualMs_ = 0;
    int column_ = 2;
    int x_ = 1600;
    int y_ = 500;
};

class NullBuffer final : public std::streambuf {
  protected:
    int overflow(int c) override { return c; }
    std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
};

bool Play(replay::Replay& replay, const std::string& lines, Report& report) {
    std::istringstream in(lines);
    replay::ScenarioError error;
    auto steps = replay::ParseScenario(in, error);
    if (!steps) {
        report.failures.push_back("bad generated line " + std::to_string(error.line) + ": " +
                                  error.message);
        return false;
    }
    replay.Run(*steps);
    return true;
}

// What the desktop records for tests (injected input, posted messages, debugger lines)
// is not the library's memory: it is dropped between chunks.
void ForgetRecords(sim::SimulatedDesktop& desktop, Report& report) {
    report.injected += desktop.input.Injected().size();
    desktop.input.ClearInjected();
    desktop.messages.TakeRecorded();
    desktop.diagnostics.ClearDebugLines();
}

bool HeapInUse(long& bytes) {
#ifdef PW_SOAK_ASAN
    bytes = static_cast<long>(__sanitizer_get_current_allocated_bytes());
    return true;
#else
    bytes = static_cast<long>(mallinfo2().uordblks);
    return true;
#endif
}

bool WriteSettingsFolderFile(sim::SimulatedDesktop& desktop, const std::string& xml) {
    std::array<Char, folders::kMaxPath> folder{};
    if (GetSettingsFolder(folder.data(), folder.size()) != 0 || !CreateFolder(folder.data()))
        return false;
    return desktop.files.WriteFile(String(folder.data()) + folders::kSettingsFileName, xml);
}

// Has the library reload the settings folder's file, as the main program does after a
// save; true when the second generation is in force afterwards.
bool Reload() {
    UpdateSettings();
    CThreadLock lock(L"Soak");
    const Char* keys =
        g_pSettings ? g_pSettings->GetDefaultApp()->GetKeystrokes(mbMiddle, 0) : nullptr;
    return keys && String(keys) == L"{CTRL}x";
}

} // namespace

Report Run(const Options& options) {
    Report report;
    NullBuffer nullBuffer;
    std::ostream sink(&nullBuffer);
    replay::Replay replay(sink);
    sim::SimulatedDesktop& desktop = replay.Desktop();

    const auto hostSettings =
        std::filesystem::temp_directory_path() / ("pallawick-soak-" + std::to_string(options.seed) +
                                                  "-" + std::to_string(::getpid()) + ".xml");
    {
        std::ofstream file(hostSettings, std::ios::binary);
        file << SettingsXml(0);
    }
    std::string error;
    const bool loaded = replay.LoadSettings(hostSettings.string(), error);
    std::filesystem::remove(hostSettings);
    if (!loaded || !replay.StartHooks(error)) {
        report.failures.push_back(error);
        return report;
    }

    Script script(options);
    if (!Play(replay, kWindows + script.Settle(), report))
        return report;
    report.timersBefore = desktop.timers.RunningCount();

    const uint64_t warmUp = std::min<uint64_t>(options.events / 10, 50'000);
    bool reloaded = false;
    long heapAfterWarmUp = 0;
    const auto start = std::chrono::steady_clock::now();
    while (script.Events() < options.events) {
        const uint64_t left = options.events - script.Events();
        if (!Play(replay, script.Next(std::min(left, kChunkEvents)), report))
            return report;
        ForgetRecords(desktop, report);
        if (!reloaded && script.Events() >= options.events / 2) {
            reloaded = true;
            if (!WriteSettingsFolderFile(desktop, SettingsXml(1)) || !Reload())
                report.failures.push_back("the settings reload did not take the new file");
        }
        if (!report.heapMeasured && script.Events() >= warmUp)
            report.heapMeasured = HeapInUse(heapAfterWarmUp);
    }
    report.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    report.events = script.Events();
    report.virtualMs = script.VirtualMs();

    Play(replay, script.Settle(), report);
    ForgetRecords(desktop, report);
    long heapAtEnd = 0;
    if (report.heapMeasured && HeapInUse(heapAtEnd))
        report.heapGrowth = heapAtEnd - heapAfterWarmUp;

    report.timersAfter = desktop.timers.RunningCount();
    for (uintptr_t kind = runtime::kKeySwitchTimer; kind <= runtime::kJigglerTimer; ++kind) {
        if (desktop.timers.IsRunning(kind))
            report.timerKindsAfter.push_back(kind);
    }
    {
        CThreadLock lock(L"Soak");
        report.injectCount = g_nInjectCount;
    }
    for (int vk = 1; vk < 256; ++vk) {
        if (desktop.input.AsyncKeyState(vk) & 0x8000)
            report.held.push_back(vk);
    }
    if (!reloaded)
        report.failures.push_back("the stream ended before the settings reload");
    return report;
}

} // namespace pw::soak
