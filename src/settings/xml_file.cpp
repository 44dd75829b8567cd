#include "settings/xml_file.h"

#include "platform/platform.h"
#include "settings/xml_values.h"
#include "support/logger.h"

#include <iterator>
#include <memory>

namespace pw::settings::xml {

using platform::FileOpen;

namespace {

// Reads the file at path into the buffer that allocate(size) gives, and returns the
// number of bytes read through done.
template <typename Allocate>
ReadStatus ReadInto(const Char* path, uint32_t& error, Allocate allocate, size_t& done) {
    done = 0;
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
    char* data = allocate(static_cast<size_t>(size));
    while (done < size) {
        size_t read = 0;
        if (!file->ReadAt(done, data + done, static_cast<size_t>(size) - done, read)) {
            error = platform::GetDiagnostics().LastError();
            done = 0;
            return ReadStatus::Failed;
        }
        if (read == 0)
            break; // the file shrank while being read
        done += read;
    }
    return ReadStatus::Ok;
}

} // namespace

ReadStatus ReadWholeFile(const Char* path, std::string& bytes, uint32_t& error) {
    bytes.clear();
    size_t done = 0;
    ReadStatus status = ReadInto(
        path, error,
        [&](size_t size) {
            bytes.resize(size);
            return bytes.data();
        },
        done);
    bytes.resize(done);
    return status;
}

ReadStatus ReadWholeFile(const Char* path, FileBuffer& bytes, uint32_t& error) {
    bytes.data_.reset();
    size_t done = 0;
    ReadStatus status = ReadInto(
        path, error,
        [&](size_t size) {
            // Left uninitialised, as the read fills it; the NUL after it is the parser's.
            bytes.data_.reset(new char[size + 1]);
            return bytes.data_.get();
        },
        done);
    bytes.size_ = done;
    if (bytes.data_)
        bytes.data_[done] = 0;
    return status;
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

std::string SaveToString(const pugi::xml_document& document, bool byteOrderMark,
                         size_t expectedSize) {
    StringWriter writer;
    writer.text.reserve(expectedSize);
    unsigned flags = pugi::format_default;
    if (byteOrderMark)
        flags |= pugi::format_write_bom;
    document.save(writer, "\t", flags, pugi::encoding_utf8);
    return std::move(writer.text);
}

namespace {

void LogInvalidUtf8(const Char* operation, const Char* path) {
    CLogger::LogMessage(L"%ls: The file '%ls' is not valid UTF-8; the characters that cannot "
                        L"be read are replaced.",
                        operation, path);
}

} // namespace

pugi::xml_parse_result ParseBuffer(pugi::xml_document& document, const std::string& bytes,
                                   const Char* operation, const Char* path) {
    pugi::xml_parse_result result = document.load_buffer(bytes.data(), bytes.size());
    if (result.encoding == pugi::encoding_utf8 && !IsValidUtf8(bytes))
        LogInvalidUtf8(operation, path);
    return result;
}

pugi::xml_parse_result ParseInPlace(pugi::xml_document& document, FileBuffer& bytes,
                                    const Char* operation, const Char* path) {
    const std::string_view text = bytes.View();
    // Only text that starts with the UTF-8 byte-order mark is certain to be read as UTF-8
    // whole; the parser is then given it with its NUL after it, as when it copies the text
    // itself, so that the last character reads the same. Anything else is copied.
    constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
    if (text.substr(0, kUtf8Mark.size()) != kUtf8Mark) {
        pugi::xml_parse_result result = document.load_buffer(text.data(), text.size());
        if (result.encoding == pugi::encoding_utf8 && !IsValidUtf8(text))
            LogInvalidUtf8(operation, path);
        return result;
    }
    // Checked first: the parse rewrites the bytes.
    const bool validUtf8 = IsValidUtf8(text);
    pugi::xml_parse_result result = document.load_buffer_inplace(
        bytes.Data(), bytes.Size() + 1, pugi::parse_default, pugi::encoding_utf8);
    if (!validUtf8)
        LogInvalidUtf8(operation, path);
    return result;
}

TagStartAtEnd::TagStartAtEnd(std::string_view bytes) {
    for (size_t i = 0; i < std::size(kEncodings); ++i) {
        if (EndsAtTagStart(bytes, kEncodings[i]))
            endsAtTagStart_ |= 1u << i;
    }
}

bool TagStartAtEnd::For(pugi::xml_encoding encoding) const {
    size_t index = 0; // every other encoding reads one byte per code unit
    for (size_t i = 0; i < std::size(kEncodings); ++i) {
        if (kEncodings[i] == encoding)
            index = i;
    }
    return (endsAtTagStart_ & (1u << index)) != 0;
}

bool EndsAtTagStart(std::string_view bytes, pugi::xml_encoding encoding) {
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
