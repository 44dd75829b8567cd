#pragma once

// Library start and stop as the loader drives them: process attach sets up the global
// lock, the log and the settings object and captures the system's mouse defaults;
// process detach stops the library's threads, puts the defaults back and undoes the
// rest. The Windows build calls these from DllMain; Linux tests and tools call them
// through LibraryScope.

namespace pw::hook {

void ProcessAttach();
// processEnding: the whole process ends (the system has stopped the library's threads).
void ProcessDetach(bool processEnding = false);

// Puts the run-time state of every layer back as the library has it when it is loaded:
// runtime, actions, hook procedures, scroll and windows, in that order.
void ResetLibraryState();

// Attach for the lifetime of the object.
class LibraryScope {
  public:
    LibraryScope() { ProcessAttach(); }
    ~LibraryScope() { ProcessDetach(); }
    LibraryScope(const LibraryScope&) = delete;
    LibraryScope& operator=(const LibraryScope&) = delete;
};

} // namespace pw::hook
