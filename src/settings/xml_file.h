#pragma once

// Whole-file reading and atomic writing of the XML files, through the platform's file
// system so that the simulated desktop's folder tree serves the tests.

#include "support/text.h"

#include <pugixml.hpp>

#include <cstdint>
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

// Writes bytes beside path (path + ".tmp"), flushes them and replaces path with the
// result in one step. On any failure the temporary file is removed, path is left as it
// was and a line naming operation is logged.
bool WriteFileAtomically(const Char* path, std::string_view bytes, const Char* operation);

// The document as indented UTF-8, with or without a byte-order mark.
std::string SaveToString(const pugi::xml_document& document, bool byteOrderMark);

// Parses bytes into document (the library's default parsing, encoding detected). When
// the text turns out to be UTF-8 but is not valid UTF-8, logs it under operation: the
// invalid bytes read as U+FFFD.
pugi::xml_parse_result ParseBuffer(pugi::xml_document& document, const std::string& bytes,
                                   const Char* operation, const Char* path);

// Whether the text (in the encoding the parser detected) ends, white space and NULs
// aside, with "<" or "<!": a file cut off just as a tag began, which the parser reports
// as an unrecognised tag.
bool EndsAtTagStart(const std::string& bytes, pugi::xml_encoding encoding);

} // namespace pw::settings::xml
