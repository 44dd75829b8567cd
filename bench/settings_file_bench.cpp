// Loading and saving a large settings file, next to pugixml's bare parse of the same
// bytes and its bare save of the same document: the library's own work on top of either
// should stay small.

#include "hook/library.h"
#include "platform/platform.h"
#include "platform/sim/simulated_desktop.h"
#include "settings/application_settings.h"
#include "settings/settings.h"
#include "support/logger.h"

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <memory>
#include <string>

namespace {

constexpr const Char* kPath = L"C:\\bench\\VESKSettings.xml";
constexpr int kProfiles = 200;

// A settings object with kProfiles application profiles; every profile maps a few slots on
// several layers, with simulated keys, a program and a chord set.
void Populate(CSettings& settings) {
    settings.SetMaxLayers(4);
    for (int i = 0; i < kProfiles; ++i) {
        auto* profile = new CApplicationSettings(&settings, false);
        profile->SetApplication((L"program" + std::to_wstring(i) + L".exe").c_str());
        profile->SetDescription((L"Profile number " + std::to_wstring(i)).c_str());
        for (int layer = 0; layer < 4; ++layer) {
            profile->SetLayerName((L"Layer " + std::to_wstring(layer)).c_str(), layer);
            profile->SetActions(mbXLeft, layer, actSimulatedKeys);
            profile->SetKeystrokes(mbXLeft, layer, L"{CTRL}{SHIFT}t", 2, 100, true, true, false,
                                   settings.SimKeyDelay());
            profile->SetActions(mbXRight, layer, actRunApplication);
            profile->SetLaunchApp(mbXRight, layer, L"C:\\Program Files\\Tool\\tool.exe");
            if ((i + layer) % 3 == 0) {
                auto* chords = new CVESKChords;
                CVESKChord chord;
                chord.SetAction(actCopy);
                chords->SetChord(mbLeft, chord);
                chord.SetAction(actPaste);
                chords->SetChord(mbWheelUp, chord);
                profile->SetActions(mbRight, layer, actButtonChording);
                profile->SetChords(mbRight, layer, chords);
            }
        }
        settings.AddApplication(profile);
    }
}

struct BenchEnvironment {
    BenchEnvironment() {
        CLogger::DisableLogging(true);
        desktop.files.CreateDirectory(L"C:\\bench");
        CSettings settings;
        Populate(settings);
        settings.Save(kPath);
        desktop.files.ReadFile(kPath, bytes);
    }
    ~BenchEnvironment() { CLogger::DisableLogging(false); }

    pw::sim::SimulatedDesktop desktop;
    pw::hook::LibraryScope library;
    std::string bytes;
};

void BM_PugixmlBareParse(benchmark::State& state) {
    BenchEnvironment environment;
    for (auto _ : state) {
        pugi::xml_document document;
        benchmark::DoNotOptimize(
            document.load_buffer(environment.bytes.data(), environment.bytes.size()));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * environment.bytes.size()));
}
BENCHMARK(BM_PugixmlBareParse)->Unit(benchmark::kMillisecond);

// pugixml's own load of the file, as its load_file does it: the whole file read into a
// buffer of its own, then parsed in place.
void BM_PugixmlBareFileLoad(benchmark::State& state) {
    BenchEnvironment environment;
    auto& files = pw::platform::GetFileSystem();
    for (auto _ : state) {
        uint32_t error = 0;
        std::unique_ptr<pw::platform::File> file =
            files.Open(kPath, pw::platform::FileOpen::ReadExisting, error);
        uint64_t size = 0;
        if (!file || !file->Size(size)) {
            state.SkipWithError("open failed");
            break;
        }
        std::unique_ptr<char[]> buffer(new char[size + 1]);
        size_t read = 0;
        if (!file->ReadAt(0, buffer.get(), size, read) || read != size) {
            state.SkipWithError("read failed");
            break;
        }
        pugi::xml_document document;
        benchmark::DoNotOptimize(document.load_buffer_inplace(buffer.get(), size));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * environment.bytes.size()));
}
BENCHMARK(BM_PugixmlBareFileLoad)->Unit(benchmark::kMillisecond);

// The least any reader of the parsed tree does: reach every element under "Applications"
// and read its name and first attribute's number. The load's own walk is measured against
// this floor.
void BM_PugixmlTreeWalk(benchmark::State& state) {
    BenchEnvironment environment;
    pugi::xml_document document;
    if (!document.load_buffer(environment.bytes.data(), environment.bytes.size()))
        state.SkipWithError("parse failed");
    const pugi::xml_node applications = document.child("root").child("Applications");
    for (auto _ : state) {
        long sum = 0;
        for (pugi::xml_node profile : applications.children()) {
            for (pugi::xml_node element : profile.children())
                sum += element.name()[0] + element.first_attribute().as_int();
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_PugixmlTreeWalk)->Unit(benchmark::kMillisecond);

void BM_SettingsLoad(benchmark::State& state) {
    BenchEnvironment environment;
    CSettings settings;
    for (auto _ : state) {
        bool regionChecking = false;
        if (!settings.Load(kPath, regionChecking, false))
            state.SkipWithError("load failed");
    }
    state.counters["profiles"] = settings.GetApplicationCount();
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * environment.bytes.size()));
}
BENCHMARK(BM_SettingsLoad)->Unit(benchmark::kMillisecond);

void BM_SettingsSave(benchmark::State& state) {
    BenchEnvironment environment;
    CSettings settings;
    Populate(settings);
    for (auto _ : state) {
        if (!settings.Save(kPath))
            state.SkipWithError("save failed");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * environment.bytes.size()));
}
BENCHMARK(BM_SettingsSave)->Unit(benchmark::kMillisecond);

} // namespace

namespace {

struct StringWriter final : pugi::xml_writer {
    std::string text;
    void write(const void* data, size_t size) override {
        text.append(static_cast<const char*>(data), size);
    }
};

// pugixml's own share of a save: the parsed document written as the library writes it
// (indented by tabs, UTF-8 with a byte-order mark) to memory, then to the file in one
// write.
void BM_PugixmlBareSave(benchmark::State& state) {
    BenchEnvironment environment;
    pugi::xml_document document;
    if (!document.load_buffer(environment.bytes.data(), environment.bytes.size()))
        state.SkipWithError("parse failed");
    auto& files = pw::platform::GetFileSystem();
    for (auto _ : state) {
        StringWriter writer;
        document.save(writer, "\t", pugi::format_default | pugi::format_write_bom,
                      pugi::encoding_utf8);
        uint32_t error = 0;
        std::unique_ptr<pw::platform::File> file =
            files.Open(kPath, pw::platform::FileOpen::CreateAlways, error);
        if (!file || !file->WriteAt(0, writer.text.data(), writer.text.size()) || !file->Flush())
            state.SkipWithError("write failed");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * environment.bytes.size()));
}
BENCHMARK(BM_PugixmlBareSave)->Unit(benchmark::kMillisecond);

} // namespace
