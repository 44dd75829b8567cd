#pragma once

// The host's output: one line per event on standard output and problems on standard
// error, as UTF-8 so that a console, a pipe and a file all get the same text. Each line
// is flushed at once, so that whoever reads the output sees it as it happens.

#include <string>

namespace pw::host {

void PrintLine(const std::wstring& line);
void PrintError(const std::wstring& line);
// Text as it is, on standard output.
void PrintText(const std::wstring& text);

// The system's message for an error code, without its line break.
std::wstring SystemMessage(unsigned long error);

} // namespace pw::host
