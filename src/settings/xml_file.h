#pragma once

// Whole-file reading and atomic writing of the XML files, through the platform's file
// system so that the simulated desktop's folder tree serves the tests.

#include "support/text.h"

#include <pugixml.hpp>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace pw::settings::xml {

// Files larger than this are not settings files; reading one fails instead of
// exhausting memory.
inline constexpr uint64_t kMaxFileBytes = 64ull * 1024 * 1024;

enum class ReadStatus {
    Ok,
    NotFound,
    Failed, // could not be opened or read (error holds the system code)
    TooLarge,
};

ReadStatus ReadWholeFile(const Char* path, std::string& bytes, uint32_t& error);

// A whole file read for parsing in place: the buffer is not cleared before the read, a
// NUL follows the bytes, and a document parsed from it must not outlive it.
class FileBuffer {
  public:
    char* Data() { return data_.get(); }
    size_t Size() const { return size_; }
    std::string_view View() const { return {data_.get(), size_}; }

  private:
    friend ReadStatus ReadWholeFile(const Char* path, FileBuffer& bytes, uint32_t& error);
    std::unique_ptr<char[]> data_;
    size_t size_ = 0;
};

ReadStatus ReadWholeFile(const Char* path, FileBuffer& bytes, uint32_t& error);

// Writes bytes beside path (path + ".tmp"), flushes them and replaces path with the
// result in one step. On any failure the temporary file is removed, path is left as it
// was and a line naming operation is logged.
bool WriteFileAtomically(const Char* path, std::string_view bytes, const Char* operation);

// The document as indented UTF-8, with or without a byte-order mark. expectedSize, a
// guess at the text's length (say the file's size when last read), spares regrowing it.
std::string SaveToString(const pugi::xml_document& document, bool byteOrderMark,
                         size_t expectedSize = 0);

// Parses bytes into document (the library's default parsing, encoding detected). When
// the text turns out to be UTF-8 but is not valid UTF-8, logs it under operation: the
// invalid bytes read as U+FFFD.
pugi::xml_parse_result ParseBuffer(pugi::xml_document& document, const std::string& bytes,
                                   const Char* operation, const Char* path);

// Parses bytes into document as ParseBuffer does, but in place when the text is UTF-8 with
// a byte-order mark (as this library writes it): the parser then writes into bytes, which
// must outlive document.
pugi::xml_parse_result ParseInPlace(pugi::xml_document& document, FileBuffer& bytes,
                                    const Char* operation, const Char* path);

// Whether the text (in the encoding the parser detected) ends, white space and NULs
// aside, with "<" or "<!": a file cut off just as a tag began, which the parser reports
// as an unrecognised tag.
bool EndsAtTagStart(std::string_view bytes, pugi::xml_encoding encoding);

// EndsAtTagStart for every width of code unit, taken from the bytes before a parse in
// place changes them; For() answers for the encoding the parser then detected.
class TagStartAtEnd {
  public:
    explicit TagStartAtEnd(std::string_view bytes);
    bool For(pugi::xml_encoding encoding) const;

  private:
    static constexpr pugi::xml_encoding kEncodings[] = {
        pugi::encoding_utf8, pugi::encoding_utf16_le, pugi::encoding_utf16_be,
        pugi::encoding_utf32_le, pugi::encoding_utf32_be};
    unsigned endsAtTagStart_ = 0; // one bit per entry of kEncodings
};

} // namespace pw::settings::xml
