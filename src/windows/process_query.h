#pragma once

// The system queries behind a process-name lookup, cheapest first: the open process's
// image path (three ways), then the process snapshot. Each logs its own successes and
// failures under the lookup's caller.

#include "platform/handles.h"
#include "support/text.h"

namespace pw::windows {

// Copies text into dest of capacity characters (terminator included), cut to fit.
void CopyTruncated(Char* dest, int capacity, StringView text);
// Appends text to the string in dest the same way.
void AppendTruncated(Char* dest, int capacity, StringView text);

// Who asked, for the log lines.
struct LookupCaller {
    int id = 0;
    const Char* name = L"";
};

// Opens pid and reads its image path; the file name, lower case, goes into name. Sets
// g_dwLastIntegrity from the opened process. False when the process cannot be opened or
// no query names it.
bool NameFromOpenProcess(HWND hwnd, unsigned long pid, Char* name, int nameLen,
                         const LookupCaller& caller);
// The executable name of pid as the process snapshot lists it. False when the snapshot
// fails or has no such process.
bool NameFromSnapshot(HWND hwnd, unsigned long pid, Char* name, int nameLen,
                      const LookupCaller& caller);

} // namespace pw::windows
