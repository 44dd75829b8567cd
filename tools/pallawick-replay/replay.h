#pragma once

// Runs the real engine on the simulated desktop, step by step, and writes one JSON line
// per mouse or keyboard event: what the library decided and what it injected in reply.

#include "actions/action_call.h"
#include "actions/process_button_action.h"
#include "hook/library.h"
#include "json_line.h"
#include "platform/sim/simulated_desktop.h"
#include "scenario.h"

class CSendInput;

#include <chrono>
#include <filesystem>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace pw::replay {

class Replay {
  public:
    explicit Replay(std::ostream& out);
    ~Replay();
    Replay(const Replay&) = delete;
    Replay& operator=(const Replay&) = delete;

    // Loads a settings file from the host file system; false with a message on failure.
    bool LoadSettings(const std::string& hostPath, std::string& error);
    // Starts the library's hook threads (ending running ones first), as SetMouseHook
    // does; false with a message when they did not start.
    bool StartHooks(std::string& error);
    // The folder that the files named by reload steps are relative to.
    void SetScenarioFolder(std::filesystem::path folder) { scenarioFolder_ = std::move(folder); }
    void Run(const std::vector<Step>& steps);
    // How long the library's threads may take to finish what one event gave them (real
    // time; only a hang reaches it).
    void SetSettleLimit(std::chrono::milliseconds limit) { settleLimit_ = limit; }
    // What went wrong in the run so far, besides the lines: waits for the threads that
    // timed out, and events whose injected input was cut off for never ending.
    struct Troubles {
        int unsettled = 0;
        int cutOff = 0;
    };
    const Troubles& TroublesSoFar() const { return troubles_; }
    // The simulated desktop the engine runs on, for drivers that check or tidy it.
    sim::SimulatedDesktop& Desktop() { return desktop_; }

  private:
    struct EventResult {
        bool swallowed = false;
        int button = -1;
        int action = -1;
    };

    void CreateWindow(const Step& step);
    void BringToFront(const Step& step);
    void Close(const Step& step);
    void Move(const Step& step);
    void Button(const Step& step);
    void Wheel(const Step& step, bool tilt);
    void Key(const Step& step);
    void Wait(const Step& step);
    void SetClipboard(const Step& step);
    void SetSelection(const Step& step);
    void SetBrightness(const Step& step);
    void SetCaption(const Step& step);
    void Reload(const Step& step);
    void ChooseLayer(const Step& step);
    void Unhook(const Step& step);
    void Hook(const Step& step);
    // Writes a host file where the library reads its settings; false when it cannot.
    bool StageSettings(const std::string& bytes);
    // Whether bytes load as a settings file, tried on a copy of their own.
    bool Loads(const std::string& bytes);
    // What the library did to the desktop since the previous line: programs and
    // addresses the shell was asked to open, the clipboard, the monitor's brightness.
    void AddDesktopChanges(JsonObject& line);

    // Hands one event to the mouse hook as the system would; true when it was swallowed.
    void WaitForTheLibrarysLock();
    bool FeedMouse(unsigned message, uint32_t mouseData, uint32_t flags, uintptr_t extraInfo);
    // Hands one key event to the keyboard hook as the system would.
    void FeedKey(int virtualKey, bool up, uint32_t flags, uintptr_t extraInfo);
    // Finds the hook procedures the hook thread installed.
    void FindHooks();
    // Feeds everything the library injected back through the hook and describes it.
    std::string DrainInjected();
    void FeedBack(const platform::InputRecord& record);
    // posted and activated: as TakePosted and TakeActivated give them; empty takes them now.
    void WriteLine(const Step& step, const char* result, const std::string& injected,
                   bool withAction, std::string posted = {}, std::string activated = {});
    // The messages the library posted or sent to windows since the last call, and the
    // windows it activated, as JSON arrays ("[]" when none).
    std::string TakePosted();
    std::string TakeActivated();
    // The scenario's id of a window, or its handle in hexadecimal.
    std::string IdOf(HWND window) const;
    HWND WindowOf(const Step& step, const std::string& id);
    unsigned long ProcessIdOf(const std::string& name);
    void SetIntegrity(const std::string& name, unsigned long integrity);
    uint32_t Now();
    // Waits until the library's threads have finished what they were given.
    void Settle();
    CSendInput* Sender();
    static void NoteAction(const actions::ActionCall& call, void* context);

    std::ostream& out_;
    std::filesystem::path scenarioFolder_;
    std::chrono::milliseconds settleLimit_{10000};
    Troubles troubles_;
    sim::SimulatedDesktop desktop_;
    hook::LibraryScope library_;
    uint32_t startTick_ = 0;
    std::map<std::string, HWND> windows_;
    std::map<std::string, unsigned long> processes_;
    POINT cursor_{};
    platform::Hooks::Proc mouseProc_ = nullptr;
    platform::Hooks::Proc keyboardProc_ = nullptr;
    // The library's cursor resource standing in for the arrow at the last line; 0 for
    // the system's own.
    unsigned shownCursor_ = 0;
    // The last action the engine carried out since the previous line.
    struct SeenAction {
        bool seen = false;
        int button = 0;
        int action = 0;
    };
    SeenAction lastAction_;
    size_t shellSeen_ = 0;
    uint32_t clipboardSeen_ = 0;
    int brightnessCallsSeen_ = 0;
};

} // namespace pw::replay
