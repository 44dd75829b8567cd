#include "host_file.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace pw::replay {

bool ReadHostFile(const std::string& hostPath, std::string& bytes, std::string& error) {
    std::error_code code;
    if (std::filesystem::is_directory(hostPath, code)) {
        error = "'" + hostPath + "' is a directory, not a settings file";
        return false;
    }
    std::ifstream in(hostPath, std::ios::binary);
    if (!in) {
        error = "cannot read settings file '" + hostPath + "'";
        return false;
    }
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) {
        error = "cannot read settings file '" + hostPath + "'";
        return false;
    }
    bytes = content.str();
    return true;
}

std::string ScenarioFile(const std::filesystem::path& scenarioFolder, const std::string& file) {
    const std::filesystem::path path(file);
    return path.is_absolute() ? file : (scenarioFolder / path).string();
}

bool StageFile(sim::SimulatedDesktop& desktop, const Char* folder, const Char* path,
               const std::string& bytes) {
    platform::FileSystem& files = desktop.files;
    files.CreateDirectory(folder);
    uint32_t code = 0;
    auto file = files.Open(path, platform::FileOpen::CreateAlways, code);
    return file && file->WriteAt(0, bytes.data(), bytes.size());
}

} // namespace pw::replay
