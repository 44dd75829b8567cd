#include "settings/xml_file.h"

#include "platform/platform.h"
#include "settings/xml_values.h"
#include "support/logger.h"

#include <memory>

namespace pw::settings::xml {

using platform::FileOpen;

ReadStatus ReadWholeFile(const Char* path, std::string& bytes, uint32_t& error) {
    bytes.clear();
    error = 0;
    auto& files = platform::GetFileSystem();
    std::unique_ptr<platform::File> file = files.Open(path, FileOpen::ReadExisting, error);
    if (!file) {
        if (error == platform::kErrorFileNotFound || error == platform::kErrorPathNotFound)
            return ReadStatus::NotFound;
        return ReadStatus::Failed;
    }
    uint64_t size = 0;
    if (!file->Size(size)) {
        error = platform::GetDiagnostics().LastError();
        return ReadStatus::Failed;
    }
    if (size > kMaxFileBytes)
        return ReadStatus::TooLarge;
    bytes.resize(static_cast<size_t>(size));
    size_t done = 0;
    while (done < bytes.size()) {
        size_t read = 0;
        if (!file->ReadAt(done, bytes.data() + done, bytes.size() - done, read)) {
            error = platform::GetDiagnostics().LastError();
            bytes.clear();
            return ReadStatus::Failed;
        }
        if (read == 0)
            break; // the file shrank while being read
        done += read;
    }
    bytes.resize(done);
    return ReadStatus::Ok;
}

namespace {

// Temporary names tried in turn, so that a leftover of one (a folder, or a file another
// program holds) never blocks a save.
constexpr int kTemporaryNames = 8;

String TemporaryName(const Char* path, int index) {
    String name(path);
    if (index > 0)
        name += L"." + std::to_wstring(index);
    return name + L".tmp";
}

// Creates the first usable temporary file beside path; null when none could be created.
std::unique_ptr<platform::File> CreateTemporary(const Char* path, String& temporary,
                                                const Char* operation) {
    auto& files = platform::GetFileSystem();
    uint32_t error = 0;
    for (int index = 0; index < kTemporaryNames; ++index) {
        temporary = TemporaryName(path, index);
        if (files.IsDirectory(temporary.c_str()))
            continue;
        std::unique_ptr<platform::File> file =
            files.Open(temporary.c_str(), FileOpen::CreateAlways, error);
        if (file)
            return file;
        // Without its folder no other name can do better.
        if (error == platform::kErrorPathNotFound || error == platform::kErrorFileNotFound)
            break;
    }
    CLogger::LogMessage(L"%ls: Unable to create the temporary file '%ls' (error %u).", operation,
                        temporary.c_str(), error);
    return nullptr;
}

// Removes the temporary files an interrupted save left behind; those that cannot be
// removed are skipped by the next save.
void RemoveStaleTemporaries(const Char* path) {
    auto& files = platform::GetFileSystem();
    for (int index = 0; index < kTemporaryNames; ++index) {
        const String name = TemporaryName(path, index);
        if (files.Exists(name.c_str()) && !files.IsDirectory(name.c_str()))
            files.Remove(name.c_str());
    }
}

} // namespace

bool WriteFileAtomically(const Char* path, std::string_view bytes, const Char* operation) {
    auto& files = platform::GetFileSystem();
    String temporary;
    bool written = false;
    {
        std::unique_ptr<platform::File> file = CreateTemporary(path, temporary, operation);
        if (!file)
            return false;
        written = file->WriteAt(0, bytes.data(), bytes.size()) && file->Flush();
    }
    if (!written) {
        CLogger::LogMessage(L"%ls: Unable to write the temporary file '%ls'; '%ls' is unchanged.",
                            operation, temporary.c_str(), path);
        files.Remove(temporary.c_str());
        return false;
    }
    if (!files.Replace(temporary.c_str(), path)) {
        CLogger::LogMessage(L"%ls: Unable to replace '%ls' with the new file; it is unchanged.",
                            operation, path);
        files.Remove(temporary.c_str());
        return false;
    }
    RemoveStaleTemporaries(path);
    return true;
}

namespace {

struct StringWriter final : pugi::xml_writer {
    std::string text;
    void write(const void* data, size_t size) override {
        text.append(static_cast<const char*>(data), size);
    }
};

} // namespace

std::string SaveToString(const pugi::xml_document& document, bool byteOrderMark) {
    StringWriter writer;
    unsigned flags = pugi::format_default;
    if (byteOrderMark)
        flags |= pugi::format_write_bom;
    document.save(writer, "\t", flags, pugi::encoding_utf8);
    return std::move(writer.text);
}

pugi::xml_parse_result ParseBuffer(pugi::xml_document& document, const std::string& bytes,
                                   const Char* operation, const Char* path) {
    pugi::xml_parse_result result = document.load_buffer(bytes.data(), bytes.size());
    if (result.encoding == pugi::encoding_utf8 && !IsValidUtf8(bytes)) {
        CLogger::LogMessage(L"%ls: The file '%ls' is not valid UTF-8; the characters that cannot "
                            L"be read are replaced.",
                            operation, path);
    }
    return result;
}

bool EndsAtTagStart(const std::string& bytes, pugi::xml_encoding encoding) {
    size_t unit = 1;
    bool bigEndian = false;
    switch (encoding) {
    case pugi::encoding_utf16_le:
        unit = 2;
        break;
    case pugi::encoding_utf16_be:
        unit = 2;
        bigEndian = true;
        break;
    case pugi::encoding_utf32_le:
        unit = 4;
        break;
    case pugi::encoding_utf32_be:
        unit = 4;
        bigEndian = true;
        break;
    default:
        break;
    }
    auto codeUnit = [&](size_t index) {
        uint32_t value = 0;
        for (size_t i = 0; i < unit; ++i) {
            size_t byte = index * unit + (bigEndian ? i : unit - 1 - i);
            value = value << 8 | static_cast<unsigned char>(bytes[byte]);
        }
        return value;
    };
    size_t end = bytes.size() / unit;
    while (end > 0) {
        uint32_t c = codeUnit(end - 1);
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n' && c != 0)
            break;
        --end;
    }
    if (end > 0 && codeUnit(end - 1) == '!')
        --end;
    return end > 0 && codeUnit(end - 1) == '<';
}

} // namespace pw::settings::xml
