#pragma once

// Library start and stop as the loader drives them: process attach sets up the global
// lock, the log and the settings object; process detach undoes it. The Windows build
// calls these from DllMain; Linux tests and tools call them through LibraryScope.

namespace pw::hook {

void ProcessAttach();
void ProcessDetach();

// Attach for the lifetime of the object.
class LibraryScope {
  public:
    LibraryScope() { ProcessAttach(); }
    ~LibraryScope() { ProcessDetach(); }
    LibraryScope(const LibraryScope&) = delete;
    LibraryScope& operator=(const LibraryScope&) = delete;
};

} // namespace pw::hook
