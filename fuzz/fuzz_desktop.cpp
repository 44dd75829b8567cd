#include "fuzz_desktop.h"

#include "hook/library.h"

#include <cstdio>
#include <cstdlib>

namespace pw::fuzz {

namespace {

struct World {
    World() { desktop.files.CreateDirectory(kFolder); }
    sim::SimulatedDesktop desktop;
    hook::LibraryScope library;
};

} // namespace

sim::SimulatedDesktop& Desktop() {
    // Never destroyed: the fuzzer leaves through exit(), and the library's state must stay
    // valid for whatever runs at exit.
    static World* world = new World;
    return world->desktop;
}

void ForgetRecords() {
    sim::SimulatedDesktop& desktop = Desktop();
    desktop.diagnostics.ClearDebugLines();
    desktop.dialogs.Clear();
    desktop.input.ClearInjected();
    desktop.input.TakePending();
    desktop.messages.TakeRecorded();
}

std::string FileBytes(const Char* path) {
    std::string bytes;
    Desktop().files.ReadFile(path, bytes);
    return bytes;
}

void Fail(const char* what, std::string_view input) {
    std::fprintf(stderr, "fuzz invariant broken: %s\ninput (%zu bytes): %.*s\n", what, input.size(),
                 static_cast<int>(input.size()), input.data());
    std::abort();
}

} // namespace pw::fuzz
