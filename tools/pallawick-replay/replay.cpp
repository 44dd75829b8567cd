#include "replay.h"

#include "actions/detached_work.h"
#include "actions/layers_api.h"
#include "actions/process_button.h"
#include "actions/process_button_action.h"
#include "hook/hook_control.h"
#include "hook/mouse_hook.h"
#include "hook/settings_reload_api.h"
#include "host_file.h"
#include "input/send_input.h"
#include "json_line.h"
#include "runtime/registered_messages.h"
#include "runtime/runtime_state.h"
#include "settings/application_settings.h"
#include "settings/folders.h"
#include "settings/settings.h"
#include "support/text.h"
#include "support/thread_lock.h"
#include "windows/profile_matching.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <thread>

namespace pw::replay {

namespace {

using platform::InputRecord;
using platform::InputType;

// Where a reload step's file is tried before the library reloads it.
constexpr const Char* kTrialFolder = L"C:\\PallawickReplayTrial";
constexpr const Char* kTrialPath = L"C:\\PallawickReplayTrial\\VESKSettings.xml";

// The settings file the library reads: VESKSettings.xml of its settings folder.
String SettingsFolder() {
    std::array<Char, folders::kMaxPath> folder{};
    if (GetSettingsFolder(folder.data(), folder.size()) != 0)
        return {};
    return folder.data();
}

// A scenario that makes the library inject without end is cut off here.
constexpr int kMaxFedBack = 10000;

// The normal-select arrow: the library replaces it with every other system cursor.
constexpr unsigned long kArrowCursor = 32512;

// The "cursor" field: which of the library's cursors stands in for the system's.
const char* CursorName(unsigned resource) {
    switch (resource) {
    case 0:
        return "system";
    case 104:
        return "scroll";
    case 105:
        return "x-lock";
    case 106:
        return "y-lock";
    case 107:
        return "xy-lock";
    case 108:
        return "scroll-horizontal";
    case 109:
        return "scroll-vertical";
    default:
        return "other";
    }
}

struct ButtonMessages {
    unsigned down, up, doubleClick;
    int virtualKey;
    uint32_t xButton;
};

ButtonMessages MessagesOf(Button button) {
    switch (button) {
    case Button::Left:
        return {0x201, 0x202, 0x203, platform::kVkLButton, 0};
    case Button::Right:
        return {0x204, 0x205, 0x206, platform::kVkRButton, 0};
    case Button::Middle:
        return {0x207, 0x208, 0x209, platform::kVkMButton, 0};
    case Button::XLeft:
        return {0x20B, 0x20C, 0x20D, platform::kVkXButton1, platform::kXButton1};
    case Button::XRight:
        return {0x20B, 0x20C, 0x20D, platform::kVkXButton2, platform::kXButton2};
    }
    return {0, 0, 0, 0, 0};
}

std::string Hex(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", value);
    return text;
}

std::string DescribeRecord(const InputRecord& record) {
    JsonObject object;
    if (record.type == InputType::Keyboard) {
        object.Field("type", "key")
            .Field("vk", static_cast<int>(record.key.vk))
            .Field("up", (record.key.flags & platform::kKeyEventKeyUp) != 0);
        if (record.key.flags & platform::kKeyEventUnicode)
            object.Field("unicode", static_cast<int>(record.key.scan));
    } else {
        object.Field("type", "mouse")
            .Field("flags", Hex(record.mouse.flags))
            .Field("data", static_cast<int64_t>(static_cast<int32_t>(record.mouse.mouseData)))
            .Field("dx", static_cast<int64_t>(record.mouse.dx))
            .Field("dy", static_cast<int64_t>(record.mouse.dy));
    }
    return object.Finish();
}

// The names of the messages the library posts to windows in reply to wheel and scroll
// events; others are written as numbers.
std::string MessageName(unsigned message) {
    switch (message) {
    case platform::kWmKeyDown:
        return "WM_KEYDOWN";
    case platform::kWmKeyUp:
        return "WM_KEYUP";
    case platform::kWmHScroll:
        return "WM_HSCROLL";
    case platform::kWmVScroll:
        return "WM_VSCROLL";
    case platform::kWmMouseWheel:
        return "WM_MOUSEWHEEL";
    case platform::kWmMouseHWheel:
        return "WM_MOUSEHWHEEL";
    case platform::kWmSysCommand:
        return "WM_SYSCOMMAND";
    case platform::kWmAppCommand:
        return "WM_APPCOMMAND";
    default:
        return Hex(message);
    }
}

// Queries the library makes of windows (hit tests, captions) are no replies.
bool IsQuery(unsigned message) {
    return message == platform::kWmNcHitTest || message == platform::kWmGetText ||
           message == platform::kWmGetTextLength;
}

} // namespace

Replay::Replay(std::ostream& out) : out_(out) {
    runtime::RegisterMessages();
    startTick_ = desktop_.clock.TickCount();
    desktop_.windows.AddMonitor(RECT{0, 0, 1920, 1080}, platform::kDefaultDpi);
    actions::SetActionObserver(&Replay::NoteAction, this);
}

void Replay::NoteAction(const actions::ActionCall& call, void* context) {
    auto* replay = static_cast<Replay*>(context);
    replay->lastAction_ = {true, call.button, static_cast<int>(call.action)};
}

Replay::~Replay() {
    RemoveMouseHook(false);
    actions::SetActionObserver(nullptr, nullptr);
}

// The library's threads run as they do on Windows: the hook thread installs the mouse
// hook, the timer and system-parameter threads serve requests. Each event is handed to
// the installed hook, and the replay waits until every thread has finished what the event
// gave it. Only the sender is replaced by one that plays when the replay drains it, so
// that its pauses run on the virtual clock in a fixed order and every record is shown
// with the event that caused it.
bool Replay::StartHooks(std::string& error) {
    mouseProc_ = nullptr;
    keyboardProc_ = nullptr;
    if (!SetMouseHook()) {
        error = "the library's hook threads did not start";
        return false;
    }
    // The hook thread installs the hook once it runs its message loop.
    const auto deadline = std::chrono::steady_clock::now() + settleLimit_;
    while (!(mouseProc_ && keyboardProc_) && std::chrono::steady_clock::now() < deadline) {
        Settle();
        FindHooks();
        if (!(mouseProc_ && keyboardProc_))
            std::this_thread::yield();
    }
    if (!mouseProc_) {
        error = "the library did not install its mouse hook";
        return false;
    }
    CSendInput* threaded = nullptr;
    {
        // The hook thread deletes whatever sender is in place when it ends.
        CThreadLock lock(L"Replay");
        threaded = g_pSendInput;
        g_pSendInput = new CSendInput(input::SendInputMode::Manual);
    }
    delete threaded;
    return true;
}

void Replay::FindHooks() {
    for (const auto& hook : desktop_.hooks.InstalledHooks()) {
        if (hook.kind == platform::Hooks::Kind::MouseLowLevel)
            mouseProc_ = hook.proc;
        else
            keyboardProc_ = hook.proc;
    }
}

CSendInput* Replay::Sender() {
    CThreadLock lock(L"Replay");
    return g_pSendInput;
}

void Replay::Settle() {
    if (desktop_.messages.WaitUntilQuiet(settleLimit_))
        return;
    ++troubles_.unsettled;
    std::fprintf(stderr, "the library's threads did not settle\n");
}

bool Replay::StageSettings(const std::string& bytes) {
    const String folder = SettingsFolder();
    return !folder.empty() && StageFile(desktop_, folder.c_str(),
                                        (folder + folders::kSettingsFileName).c_str(), bytes);
}

bool Replay::Loads(const std::string& bytes) {
    if (!StageFile(desktop_, kTrialFolder, kTrialPath, bytes))
        return false;
    CSettings trial;
    bool regionChecking = false;
    return trial.Load(kTrialPath, regionChecking, false);
}

bool Replay::LoadSettings(const std::string& hostPath, std::string& error) {
    std::string bytes;
    if (!ReadHostFile(hostPath, bytes, error))
        return false;
    if (!StageSettings(bytes)) {
        error = "cannot stage settings file '" + hostPath + "'";
        return false;
    }

    bool regionChecking = false;
    const String path = SettingsFolder() + folders::kSettingsFileName;
    if (!g_pSettings || !g_pSettings->Load(path.c_str(), regionChecking, false)) {
        error = "cannot load settings file '" + hostPath + "': not a readable settings file";
        return false;
    }
    g_bQuadrantsUsed = regionChecking;
    pw::SetCurrentProfile(g_pSettings->GetDefaultApp());
    return true;
}

void Replay::Run(const std::vector<Step>& steps) {
    for (const Step& step : steps) {
        switch (step.kind) {
        case StepKind::Window:
            CreateWindow(step);
            break;
        case StepKind::Foreground:
            BringToFront(step);
            break;
        case StepKind::Close:
            Close(step);
            break;
        case StepKind::Move:
            Move(step);
            break;
        case StepKind::Down:
        case StepKind::Up:
        case StepKind::DoubleClick:
            Button(step);
            break;
        case StepKind::Wheel:
            Wheel(step, false);
            break;
        case StepKind::Tilt:
            Wheel(step, true);
            break;
        case StepKind::Key:
            Key(step);
            break;
        case StepKind::Wait:
            Wait(step);
            break;
        case StepKind::Clipboard:
            SetClipboard(step);
            break;
        case StepKind::Selection:
            SetSelection(step);
            break;
        case StepKind::Brightness:
            SetBrightness(step);
            break;
        case StepKind::Caption:
            SetCaption(step);
            break;
        case StepKind::Reload:
            Reload(step);
            break;
        case StepKind::Layer:
            ChooseLayer(step);
            break;
        case StepKind::Unhook:
            Unhook(step);
            break;
        case StepKind::Hook:
            Hook(step);
            break;
        }
    }
}

unsigned long Replay::ProcessIdOf(const std::string& name) {
    auto it = processes_.find(name);
    if (it != processes_.end())
        return it->second;
    const unsigned long id = 1000 + 4 * static_cast<unsigned long>(processes_.size());
    sim::SimProcess process;
    process.processId = id;
    process.imagePath = L"C:\\Program Files\\" + FromUtf8(name);
    desktop_.processes.Add(process);
    processes_.emplace(name, id);
    return id;
}

void Replay::SetIntegrity(const std::string& name, unsigned long integrity) {
    sim::SimProcess process;
    process.processId = ProcessIdOf(name);
    process.imagePath = L"C:\\Program Files\\" + FromUtf8(name);
    process.integrity = integrity;
    desktop_.processes.Add(process);
}

HWND Replay::WindowOf(const Step& step, const std::string& id) {
    auto it = windows_.find(id);
    if (it == windows_.end()) {
        std::fprintf(stderr, "line %d: no window '%s'; step ignored\n", step.line, id.c_str());
        return nullptr;
    }
    return it->second;
}

void Replay::CreateWindow(const Step& step) {
    const WindowSpec& window = step.window;
    sim::SimWindowSpec spec;
    spec.className = FromUtf8(window.className);
    spec.caption = FromUtf8(window.caption);
    spec.rect = RECT{window.x, window.y, window.x + window.width, window.y + window.height};
    spec.dpi = window.dpi;
    if (!window.parent.empty()) {
        spec.parent = WindowOf(step, window.parent);
        if (!spec.parent)
            return;
        desktop_.windows.ThreadProcessId(spec.parent, &spec.processId);
    }
    if (!window.process.empty())
        spec.processId = ProcessIdOf(window.process);
    if (window.integrity)
        SetIntegrity(window.process, *window.integrity);
    spec.threadId = spec.processId + 1;
    spec.style = window.style;
    spec.exStyle = window.exStyle;
    auto range = [](const ScrollBarSpec& bar) {
        return platform::ScrollRange{bar.min, bar.max, bar.pos};
    };
    if (window.vscroll) {
        spec.style |= platform::kWsVScroll;
        spec.vertical = range(*window.vscroll);
    }
    if (window.hscroll) {
        spec.style |= platform::kWsHScroll;
        spec.horizontal = range(*window.hscroll);
    }
    if (window.vbar) {
        spec.style |= platform::kSbsVert;
        spec.control = range(*window.vbar);
    }
    if (window.hbar) {
        spec.style &= ~platform::kSbsVert;
        spec.control = range(*window.hbar);
    }
    if (windows_.count(window.id))
        desktop_.windows.Destroy(windows_[window.id]);
    windows_[window.id] = desktop_.windows.Create(spec);
}

void Replay::BringToFront(const Step& step) {
    HWND window = WindowOf(step, step.target);
    if (!window)
        return;
    HWND root = desktop_.windows.Ancestor(window, platform::kGaRoot);
    desktop_.windows.Raise(root ? root : window);
    desktop_.windows.SetForeground(root ? root : window);
    unsigned long processId = 0;
    const unsigned long threadId = desktop_.windows.ThreadProcessId(window, &processId);
    desktop_.windows.SetGuiThread(threadId, platform::GuiThreadWindows{root, window});
}

void Replay::Close(const Step& step) {
    HWND window = WindowOf(step, step.target);
    if (!window)
        return;
    desktop_.windows.Destroy(window);
    for (auto it = windows_.begin(); it != windows_.end();) {
        if (!desktop_.windows.Exists(it->second))
            it = windows_.erase(it);
        else
            ++it;
    }
}

uint32_t Replay::Now() {
    return desktop_.clock.TickCount() - startTick_;
}

// The hook passes a movement over when a thread of the library holds its lock, as it must
// not wait in the hook. A user's next movement comes a few milliseconds later; a scenario's
// next may come only after a long wait of the virtual clock, so an event is fed only once
// the library's threads have let go of the lock, whatever the machine's load.
void Replay::WaitForTheLibrarysLock() {
    CThreadLock lock(L"Replay");
}

bool Replay::FeedMouse(unsigned message, uint32_t mouseData, uint32_t flags, uintptr_t extraInfo) {
    MSLLHOOKSTRUCT record{};
    record.pt = cursor_;
    record.mouseData = mouseData;
    record.flags = flags;
    record.time = desktop_.clock.TickCount();
    record.dwExtraInfo = extraInfo;
    if (!mouseProc_)
        return false;
    WaitForTheLibrarysLock();
    const int passedBefore = desktop_.input.NextHookCalls();
    mouseProc_(0, message, reinterpret_cast<LPARAM>(&record));
    return desktop_.input.NextHookCalls() == passedBefore;
}

void Replay::FeedKey(int virtualKey, bool up, uint32_t flags, uintptr_t extraInfo) {
    // Keys pressed while Alt is held, and Alt itself, come as system keys unless Control
    // is held too.
    const bool alt = virtualKey == 0x12 || virtualKey == 0xA4 || virtualKey == 0xA5 ||
                     desktop_.input.AsyncKeyState(0x12) < 0;
    const bool control = desktop_.input.AsyncKeyState(0x11) < 0;
    const bool system = alt && !control;
    unsigned message = up ? platform::kWmKeyUp : platform::kWmKeyDown;
    if (system)
        message = up ? platform::kWmSysKeyUp : platform::kWmSysKeyDown;
    KBDLLHOOKSTRUCT record{};
    record.vkCode = static_cast<DWORD>(virtualKey);
    record.flags = flags | (up ? platform::kLlkhfUp : 0);
    record.time = desktop_.clock.TickCount();
    record.dwExtraInfo = extraInfo;
    if (keyboardProc_)
        keyboardProc_(0, message, reinterpret_cast<LPARAM>(&record));
}

void Replay::FeedBack(const InputRecord& record) {
    if (record.type == InputType::Keyboard) {
        if (!(record.key.flags & platform::kKeyEventUnicode))
            FeedKey(record.key.vk, (record.key.flags & platform::kKeyEventKeyUp) != 0,
                    platform::kLlkhfInjected, record.key.extraInfo);
        return;
    }
    if (record.type != InputType::Mouse)
        return;
    const platform::MouseInputRecord& mouse = record.mouse;
    const DWORD injected = platform::kLlmhfInjected;
    if (mouse.flags & platform::kMouseEventMove) {
        if (mouse.flags & platform::kMouseEventAbsolute) {
            // Absolute moves are normalised to 0..65535 over the primary screen.
            cursor_.x = static_cast<long>(static_cast<int64_t>(mouse.dx) * 1920 / 65536);
            cursor_.y = static_cast<long>(static_cast<int64_t>(mouse.dy) * 1080 / 65536);
        } else {
            cursor_.x += mouse.dx;
            cursor_.y += mouse.dy;
        }
        desktop_.windows.SetCursor(cursor_);
        FeedMouse(platform::kWmMouseMove, 0, injected, mouse.extraInfo);
    }
    struct FlagMessage {
        uint32_t flag;
        unsigned message;
    };
    static constexpr FlagMessage kFlags[] = {
        {platform::kMouseEventLeftDown, 0x201},   {platform::kMouseEventLeftUp, 0x202},
        {platform::kMouseEventRightDown, 0x204},  {platform::kMouseEventRightUp, 0x205},
        {platform::kMouseEventMiddleDown, 0x207}, {platform::kMouseEventMiddleUp, 0x208},
        {platform::kMouseEventXDown, 0x20B},      {platform::kMouseEventXUp, 0x20C},
        {platform::kMouseEventWheel, 0x20A},      {platform::kMouseEventHWheel, 0x20E},
    };
    for (const FlagMessage& entry : kFlags) {
        if (!(mouse.flags & entry.flag))
            continue;
        uint32_t data = 0;
        if (entry.message == 0x20B || entry.message == 0x20C)
            data = mouse.mouseData << 16;
        else if (entry.message == 0x20A || entry.message == 0x20E)
            data = mouse.mouseData << 16;
        FeedMouse(entry.message, data, injected, mouse.extraInfo);
    }
}

std::string Replay::DrainInjected() {
    std::string list = "[";
    auto append = [&list](const std::string& item) {
        if (list.size() > 1)
            list += ',';
        list += item;
    };
    int fed = 0;
    uint32_t lastTick = desktop_.clock.TickCount();
    // A web search or a launch runs on a thread of its own; a search waits for its copy
    // keys to be played.
    const auto searchDeadline = std::chrono::steady_clock::now() + settleLimit_;
    for (;;) {
        Settle();
        if (CSendInput* sender = Sender())
            sender->ProcessQueue();
        std::vector<sim::SimInput::TimedRecord> pending = desktop_.input.TakePendingTimed();
        if (pending.empty() && pw::RunningDetachedWork() > 0 &&
            std::chrono::steady_clock::now() < searchDeadline) {
            std::this_thread::yield();
            continue;
        }
        if (pending.empty())
            break;
        for (const sim::SimInput::TimedRecord& timed : pending) {
            if (timed.tick > lastTick)
                append(JsonObject()
                           .Field("type", "pause")
                           .Field("ms", static_cast<int64_t>(timed.tick - lastTick))
                           .Finish());
            lastTick = timed.tick;
            append(DescribeRecord(timed.record));
            if (++fed > kMaxFedBack) {
                ++troubles_.cutOff;
                std::fprintf(stderr, "more than %d injected records; stopped feeding back\n",
                             kMaxFedBack);
                if (CSendInput* sender = Sender())
                    sender->FlushQueue();
                desktop_.input.TakePending();
                return list + "]";
            }
            FeedBack(timed.record);
        }
    }
    // The pause after the last record, before the next event can be handled.
    const uint32_t now = desktop_.clock.TickCount();
    if (list.size() > 1 && now > lastTick)
        append(JsonObject()
                   .Field("type", "pause")
                   .Field("ms", static_cast<int64_t>(now - lastTick))
                   .Finish());
    return list + "]";
}

void Replay::WriteLine(const Step& step, const char* result, const std::string& injected,
                       bool withAction, std::string posted, std::string activated) {
    JsonObject line;
    line.Field("t", Now()).Field("event", step.text).Field("result", result);
    std::string profile;
    if (g_pCurrentApp && !g_pCurrentApp->IsDefault() && g_pCurrentApp->GetFullName())
        profile = ToUtf8(g_pCurrentApp->GetFullName());
    line.Field("profile", profile).Field("layer", g_nCurrentLayer);
    if (withAction && lastAction_.seen)
        line.Field("button", lastAction_.button).Field("action", lastAction_.action);
    lastAction_ = {};
    const unsigned cursor = desktop_.cursors.ShownResource(kArrowCursor);
    if (cursor != shownCursor_) {
        line.Field("cursor", CursorName(cursor));
        shownCursor_ = cursor;
    }
    line.RawField("injected", injected);
    if (posted.empty())
        posted = TakePosted();
    if (activated.empty())
        activated = TakeActivated();
    line.RawField("posted", posted);
    if (activated != "[]")
        line.RawField("activated", activated);
    AddDesktopChanges(line);
    out_ << line.Finish() << '\n';
}

std::string Replay::IdOf(HWND window) const {
    for (const auto& [id, handle] : windows_)
        if (handle == window)
            return id;
    return Hex(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(window)));
}

std::string Replay::TakePosted() {
    std::string list = "[";
    for (const sim::SimMessage& message : desktop_.messages.TakeRecorded()) {
        if (message.kind == sim::SimMessage::Kind::PostedToThread || !message.window ||
            IsQuery(message.message))
            continue;
        if (list.size() > 1)
            list += ',';
        list += JsonObject()
                    .Field("window", IdOf(message.window))
                    .Field("message", MessageName(message.message))
                    .Field("wParam", Hex(static_cast<uint32_t>(message.wParam)))
                    .Field("lParam", Hex(static_cast<uint32_t>(message.lParam)))
                    .Finish();
    }
    return list + "]";
}

std::string Replay::TakeActivated() {
    std::string list = "[";
    for (HWND window : desktop_.windows.TakeActivations()) {
        if (list.size() > 1)
            list += ',';
        std::string item;
        AppendJsonString(item, IdOf(window));
        list += item;
    }
    return list + "]";
}

void Replay::AddDesktopChanges(JsonObject& line) {
    const std::vector<sim::SimShell::Execution> executions = desktop_.shell.Executions();
    if (executions.size() > shellSeen_) {
        std::string opened = "[";
        for (size_t i = shellSeen_; i < executions.size(); ++i) {
            if (i > shellSeen_)
                opened += ',';
            AppendJsonString(opened, ToUtf8(executions[i].file));
        }
        line.RawField("opened", opened + "]");
        shellSeen_ = executions.size();
    }
    const uint32_t sequence = desktop_.clipboard.SequenceNumber();
    if (sequence != clipboardSeen_) {
        const std::optional<String> text = desktop_.clipboard.Text();
        if (text)
            line.Field("clipboard", ToUtf8(*text));
        else
            line.RawField("clipboard", "null");
        clipboardSeen_ = sequence;
    }
    const int calls = desktop_.brightness.Reads() + desktop_.brightness.Writes();
    if (calls != brightnessCallsSeen_) {
        line.Field("brightness", desktop_.brightness.Level());
        brightnessCallsSeen_ = calls;
    }
}

void Replay::SetClipboard(const Step& step) {
    if (step.content)
        desktop_.clipboard.SetText(FromUtf8(*step.content));
    else
        desktop_.clipboard.Clear();
    clipboardSeen_ = desktop_.clipboard.SequenceNumber();
}

void Replay::SetSelection(const Step& step) {
    desktop_.clipboard.SetSelection(step.content ? std::optional<String>(FromUtf8(*step.content))
                                                 : std::nullopt);
}

void Replay::SetBrightness(const Step& step) {
    desktop_.brightness.SetLevel(step.level);
}

void Replay::Move(const Step& step) {
    cursor_ = POINT{step.x, step.y};
    desktop_.windows.SetCursor(cursor_);
    const bool swallowed = FeedMouse(platform::kWmMouseMove, 0, 0, 0);
    const std::string injected = DrainInjected();
    WriteLine(step, swallowed ? "swallowed" : "passed", injected, true);
}

void Replay::Button(const Step& step) {
    const ButtonMessages messages = MessagesOf(step.button);
    unsigned message = messages.doubleClick;
    if (step.kind == StepKind::Down)
        message = messages.down;
    else if (step.kind == StepKind::Up)
        message = messages.up;
    if (step.kind == StepKind::Down)
        desktop_.input.SetKeyDown(messages.virtualKey, true);
    const bool swallowed = FeedMouse(message, messages.xButton << 16, 0, 0);
    if (step.kind == StepKind::Up)
        desktop_.input.SetKeyDown(messages.virtualKey, false);
    const std::string injected = DrainInjected();
    WriteLine(step, swallowed ? "swallowed" : "passed", injected, true);
}

void Replay::Wheel(const Step& step, bool tilt) {
    const uint32_t data = static_cast<uint32_t>(static_cast<uint16_t>(step.delta)) << 16;
    const bool swallowed =
        FeedMouse(tilt ? platform::kWmMouseHWheel : platform::kWmMouseWheel, data, 0, 0);
    const std::string injected = DrainInjected();
    WriteLine(step, swallowed ? "swallowed" : "passed", injected, true);
}

void Replay::Key(const Step& step) {
    // The keyboard hook only watches keys; it never swallows one.
    if (!step.keyUp)
        desktop_.input.SetKeyDown(step.virtualKey, true);
    FeedKey(step.virtualKey, step.keyUp, 0, 0);
    if (step.keyUp)
        desktop_.input.SetKeyDown(step.virtualKey, false);
    const std::string injected = DrainInjected();
    WriteLine(step, "passed", injected, false);
}

void Replay::Wait(const Step& step) {
    // From one due time to the next, so that a timer re-armed through the timer thread
    // is in place before the clock passes its next due time. What the timers inject is
    // played as they fire; its pauses are part of the wait.
    const uint32_t end = desktop_.clock.TickCount() + step.ms;
    std::string injected;
    for (;;) {
        const auto left = static_cast<int32_t>(end - desktop_.clock.TickCount());
        if (left <= 0)
            break;
        const long next = desktop_.timers.NextDueIn();
        const uint32_t stepMs =
            next < 0 || next >= left ? static_cast<uint32_t>(left) : std::max<uint32_t>(1, next);
        desktop_.timers.AdvanceAndFire(stepMs);
        const std::string played = DrainInjected();
        if (played != "[]")
            injected += (injected.empty() ? "" : ",") + played.substr(1, played.size() - 2);
    }
    // A wait is no event; it gets a line only when timers injected input, posted to a
    // window or activated one meanwhile.
    std::string posted = TakePosted();
    std::string activated = TakeActivated();
    if (!injected.empty() || posted != "[]" || activated != "[]")
        WriteLine(step, "timer", "[" + injected + "]", false, std::move(posted),
                  std::move(activated));
}

void Replay::SetCaption(const Step& step) {
    if (HWND window = WindowOf(step, step.target))
        desktop_.windows.SetCaption(window, FromUtf8(step.content.value_or("")));
}

// As the main program does after saving: the new file replaces the settings file, then
// UpdateSettings. The line's result tells whether the file loaded; one that does not
// leaves the settings in force.
void Replay::Reload(const Step& step) {
    std::string bytes;
    std::string error;
    if (!ReadHostFile(ScenarioFile(scenarioFolder_, step.file), bytes, error) ||
        !StageSettings(bytes)) {
        std::fprintf(stderr, "line %d: %s; step ignored\n", step.line,
                     error.empty() ? "cannot stage the settings file" : error.c_str());
        return;
    }
    const bool loads = Loads(bytes);
    UpdateSettings();
    const std::string injected = DrainInjected();
    WriteLine(step, loads ? "loaded" : "not loaded", injected, false);
}

// As the settings program chooses a layer: announced, with its automatic switch-back,
// remembering the layer left.
void Replay::ChooseLayer(const Step& step) {
    switch (step.layerChoice) {
    case LayerChoice::Set:
        SetCurrentLayer(step.layer - 1, true, true, true);
        break;
    case LayerChoice::Next:
        NextLayer();
        break;
    case LayerChoice::Previous:
        PreviousLayer();
        break;
    }
    const std::string injected = DrainInjected();
    WriteLine(step, "called", injected, false);
}

void Replay::Unhook(const Step& step) {
    const bool wasRunning = RemoveMouseHook(true);
    mouseProc_ = nullptr;
    keyboardProc_ = nullptr;
    const std::string injected = DrainInjected();
    WriteLine(step, wasRunning ? "unhooked" : "not hooked", injected, false);
}

void Replay::Hook(const Step& step) {
    std::string error;
    const bool hooked = StartHooks(error);
    if (!hooked)
        std::fprintf(stderr, "line %d: %s\n", step.line, error.c_str());
    const std::string injected = DrainInjected();
    WriteLine(step, hooked ? "hooked" : "not hooked", injected, false);
}

} // namespace pw::replay
