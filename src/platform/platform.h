#pragma once

// The narrow seam between the portable core and the operating system. Each area is a
// small abstract interface; a Platform hands them out. The Windows build implements
// them over the system's API (platform/win32), the Linux build over a simulated
// desktop (platform/sim) that tests drive deterministically.
//
// Later areas are added as further interfaces beside these, some in headers of their own.

#include "platform/handles.h"
#include "platform/input_record.h"
#include "platform/text.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <thread>

namespace pw::platform {

// Areas declared in headers of their own (platform/clipboard.h, ...).
class Clipboard;
class Libraries;
class MonitorBrightness;

struct LocalTime {
    int year = 0;
    int month = 0; // 1 to 12
    int day = 0;   // 1 to 31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

class Clock {
  public:
    virtual ~Clock() = default;
    // Milliseconds since the system started; wraps after 49.7 days.
    virtual uint32_t TickCount() = 0;
    // The local wall-clock time; false when it cannot be computed.
    virtual bool LocalNow(LocalTime& time) = 0;
    // Suspends the calling thread for ms milliseconds.
    virtual void Sleep(unsigned ms) = 0;
    // The high-resolution performance counter and its counts per second; a frequency of 0
    // means the system has none and short pauses fall back to Sleep.
    virtual uint64_t PerformanceFrequency() { return 0; }
    virtual uint64_t PerformanceCounter() { return 0; }
};

class Diagnostics {
  public:
    virtual ~Diagnostics() = default;
    // The debugger output channel; text is sent as given, line ends included.
    virtual void DebugOutput(const Char* text) = 0;
    // The calling thread's last system error code.
    virtual uint32_t LastError() = 0;
    // SetLastError: sets the calling thread's last system error code.
    virtual void SetLastError(uint32_t code) = 0;
    // The system's text for an error code, without line breaks; empty when unknown.
    virtual String SystemErrorText(uint32_t code) = 0;
    // WideCharToMultiByte into the calling thread's ANSI code page, the encoding of the log
    // file: converts length characters of text into buffer and returns the bytes written.
    // With capacity 0 it only returns the bytes needed. 0 on failure, with the last error
    // set (kErrorInsufficientBuffer when buffer is too small).
    virtual int ToThreadCodePage(const Char* text, int length, char* buffer, int capacity) = 0;
};

enum class FileOpen {
    OpenOrCreate, // open, creating the file if missing
    CreateAlways, // create, truncating an existing file
    OpenExisting, // open only an existing file
    ReadExisting, // open only an existing file, for reading alone
};

// An open file, shared for reading and writing with other openers. A file opened with
// ReadExisting needs no write access, so read-only files and files another program holds
// open for reading can be opened; writes through it fail.
class File {
  public:
    virtual ~File() = default;
    virtual bool Size(uint64_t& size) = 0;
    // Reads up to bytes at offset; read tells how many came back (0 at the end).
    virtual bool ReadAt(uint64_t offset, void* buffer, size_t bytes, size_t& read) = 0;
    virtual bool WriteAt(uint64_t offset, const void* data, size_t bytes) = 0;
    // Moves to the current end of the file and writes there.
    virtual bool Append(const void* data, size_t bytes) = 0;
    // Cuts or extends the file to size bytes.
    virtual bool Truncate(uint64_t size) = 0;
    virtual bool Flush() = 0;
};

// Paths are the system's: drive-rooted, backslash-separated.
class FileSystem {
  public:
    virtual ~FileSystem() = default;
    // Opens path; on failure returns null and sets error to the system error code.
    virtual std::unique_ptr<File> Open(const Char* path, FileOpen mode, uint32_t& error) = 0;
    virtual bool Exists(const Char* path) = 0;
    virtual bool IsDirectory(const Char* path) = 0;
    // Creates one folder whose parent exists.
    virtual bool CreateDirectory(const Char* path) = 0;
    // Replaces target by source in one step (source is removed); target may not exist.
    virtual bool Replace(const Char* source, const Char* target) = 0;
    virtual bool Remove(const Char* path) = 0;
};

// The registry, shaped like the system's own calls: results are system error codes.
class Registry {
  public:
    virtual ~Registry() = default;
    virtual long OpenKey(HKEY root, const Char* subKey, unsigned long access, HKEY& key) = 0;
    virtual long CreateKey(HKEY root, const Char* subKey, unsigned long access, HKEY& key) = 0;
    virtual long CloseKey(HKEY key) = 0;
    // As the system's query: with data null only type and size are returned; a buffer
    // that is too small gives kErrorMoreData and the needed size.
    virtual long QueryValue(HKEY key, const Char* name, unsigned long* type, unsigned char* data,
                            unsigned long* size) = 0;
    virtual long SetValue(HKEY key, const Char* name, unsigned long type, const unsigned char* data,
                          unsigned long size) = 0;
    virtual long DeleteValue(HKEY key, const Char* name) = 0;
};

class Environment {
  public:
    virtual ~Environment() = default;
    // An environment variable; false when it is not set.
    virtual bool GetVariable(const Char* name, String& value) = 0;
    // The system temporary folder, ending with a backslash.
    virtual String TempFolder() = 0;
    // Full path of the process's main executable.
    virtual String ExecutablePath() = 0;
};

class Dialogs {
  public:
    virtual ~Dialogs() = default;
    // Shows a message box and returns the answer (kIdOk, kIdYes, ...).
    virtual int MessageBox(HWND owner, const Char* text, const Char* caption,
                           unsigned int style) = 0;
};

// The running system's version and the user's input settings.
class SystemInfo {
  public:
    virtual ~SystemInfo() = default;
    // The version query's major and minor numbers; false when the query failed.
    virtual bool OsVersion(unsigned long& major, unsigned long& minor) = 0;
    // The keyboard repeat speed setting, 0 (slow) to 31 (fast).
    virtual unsigned KeyboardSpeed() = 0;
    // The keyboard repeat delay setting, 0 (about 250 ms) to 3 (about 1 s).
    virtual unsigned KeyboardDelay() = 0;
    // Whether the session is a remote desktop session.
    virtual bool IsRemoteSession() = 0;
    // The system's key state word for a virtual key: high bit down, low bit toggled.
    virtual short KeyState(int virtualKey) = 0;
};

// The crash-reporting back end: what a report contains and what runs before it.
class CrashReporter {
  public:
    using PreErrorHandler = void (*)();
    virtual ~CrashReporter() = default;
    virtual void SetAppName(const Char* name) = 0;
    virtual void SetAppVersion(const Char* version) = 0;
    virtual void AddAttachment(const Char* path) = 0;
    // The folder the report file is written in, ending with a backslash (none: the
    // temporary folder).
    virtual void SetReportFolder(const Char* folder) = 0;
    virtual void SetSupport(const Char* email, const Char* url, const Char* server,
                            unsigned short port) = 0;
    virtual void SetNotificationEmail(const Char* email) = 0;
    virtual void SetFlags(unsigned long flags) = 0;
    virtual void SetPreErrorHandler(PreErrorHandler handler) = 0;
    // Installs the structured-exception filter and the terminate handler.
    virtual void InstallFilters() = 0;
};

// The calling thread's GUI state, as GetGUIThreadInfo reports it.
struct GuiThreadWindows {
    HWND active = nullptr;
    HWND focus = nullptr;
};

// A scroll bar's range and thumb position, as GetScrollInfo reports them.
struct ScrollRange {
    int min = 0;
    int max = 0;
    int pos = 0;
};

// Windows of the desktop, shaped like the system's window queries. Every query accepts a
// window that no longer exists and answers as the system does: null, 0 or false.
// Points and rectangles are in the caller's (logical) screen coordinates unless a name
// says physical.
class Windows {
  public:
    // Called for each window of an enumeration; false stops it.
    using EnumProc = bool (*)(HWND window, intptr_t param);

    virtual ~Windows() = default;
    // WindowFromPoint: the deepest visible window at a screen point.
    virtual HWND WindowFromPoint(POINT point) = 0;
    // ChildWindowFromPointEx: the direct child of parent at a client point (parent
    // itself when no child is there, null when the point is outside parent).
    virtual HWND ChildWindowFromPointEx(HWND parent, POINT clientPoint, unsigned flags) = 0;
    virtual bool ScreenToClient(HWND window, POINT& point) = 0;
    // GetParent: the parent of a child window, the owner of a top-level one.
    virtual HWND Parent(HWND window) = 0;
    // GetAncestor with kGaParent, kGaRoot or kGaRootOwner.
    virtual HWND Ancestor(HWND window, unsigned kind) = 0;
    // GetWindow with a kGw... relation (z-order among siblings, first child, owner).
    virtual HWND Related(HWND window, unsigned relation) = 0;
    // EnumChildWindows: every descendant of parent, depth first, top of z-order first.
    virtual void EnumerateChildren(HWND parent, EnumProc proc, intptr_t param) = 0;
    // GetClassNameW: characters copied, without the terminator; 0 on failure.
    virtual int ClassName(HWND window, Char* buffer, int capacity) = 0;
    // GetWindowTextW; may send a message to the window's thread.
    virtual int WindowText(HWND window, Char* buffer, int capacity) = 0;
    // InternalGetWindowText: the stored caption, never sends a message.
    virtual int InternalWindowText(HWND window, Char* buffer, int capacity) = 0;
    // WM_GETTEXTLENGTH and WM_GETTEXT sent with SendMessageTimeoutW (abort if hung).
    // False when the window did not answer in time or does not exist.
    virtual bool TextLengthWithTimeout(HWND window, unsigned timeoutMs, size_t& length) = 0;
    virtual bool TextWithTimeout(HWND window, Char* buffer, size_t capacity, unsigned timeoutMs,
                                 size_t& copied) = 0;
    // GetWindowThreadProcessId: the thread id (0 for no window), and the process id.
    virtual unsigned long ThreadProcessId(HWND window, unsigned long* processId) = 0;
    virtual bool WindowRect(HWND window, RECT& rect) = 0;
    // IsWindowVisible: the window and all its ancestors have the visible style.
    virtual bool IsVisible(HWND window) = 0;
    // IsWindow.
    virtual bool Exists(HWND window) = 0;
    // GetWindowLongW with kGwlStyle or kGwlExStyle.
    virtual unsigned long WindowLong(HWND window, int index) = 0;
    virtual HWND ForegroundWindow() = 0;
    // GetGUIThreadInfo of a thread; false when the thread has no GUI state.
    virtual bool GuiThreadInfo(unsigned long threadId, GuiThreadWindows& windows) = 0;
    // GetCursorPos, in the caller's coordinates.
    virtual bool CursorPos(POINT& point) = 0;
    // SetCursorPos, in the caller's coordinates.
    virtual bool SetCursorPos(POINT point) = 0;
    virtual HMONITOR MonitorFromPoint(POINT point, unsigned long flags) = 0;
    // GetSystemMetrics(SM_CXSCREEN, SM_CYSCREEN): the primary screen's size in pixels.
    virtual void PrimaryScreenSize(int& width, int& height) = 0;
    // FindWindowW(className, null): the first top-level window of a class, or null.
    virtual HWND FindTopLevel(const Char* className) = 0;
    // ShowWindow with a kSw... command; whether the window was visible before.
    virtual bool ShowWindow(HWND window, int command) = 0;
    // GetScrollInfo (range and position) of a window's own bar (kSbVert, kSbHorz) or of a
    // scroll-bar control (kSbCtl); false when the window has no such bar.
    virtual bool ScrollInfo(HWND window, int bar, ScrollRange& range) = 0;
    // SwitchToThisWindow: brings window's top-level window to the front and activates it.
    virtual void SwitchToThisWindow(HWND window, bool altTab) = 0;
};

// The optional display-scaling functions, as the system exports them. They are found at
// run time in modules already loaded, so each may be missing.
namespace scaling {
using WindowFromPhysicalPointFn = HWND (*)(POINT point);
using GetPhysicalCursorPosFn = int (*)(POINT* point);
using LogicalToPhysicalPointForPerMonitorDPIFn = int (*)(HWND window, POINT* point);
// Returns an HRESULT: 0 on success.
using GetDpiForMonitorFn = long (*)(HMONITOR monitor, int dpiType, unsigned* dpiX, unsigned* dpiY);
inline constexpr const Char* kUser32 = L"user32.dll";
inline constexpr const Char* kShcore = L"shcore.dll";
} // namespace scaling

// A process of the session, as the tool-help snapshot lists it.
struct ProcessEntry {
    unsigned long processId = 0;
    Char exeFile[260] = {};
};

// Processes and modules, shaped like the kernel's process queries. Handles come from
// OpenProcess, OpenProcessToken and CreateProcessSnapshot and go back through CloseHandle.
// On failure the calling thread's last error is set.
class Processes {
  public:
    virtual ~Processes() = default;
    // GetCurrentProcess: the library's own process, a handle that needs no closing.
    virtual HANDLE CurrentProcess() = 0;
    virtual HANDLE OpenProcess(unsigned long access, unsigned long processId) = 0;
    virtual bool CloseHandle(HANDLE handle) = 0;
    // GetProcessImageFileNameW (a device path): characters copied, 0 on failure.
    virtual unsigned long ImageFileName(HANDLE process, Char* buffer, unsigned long capacity) = 0;
    // GetModuleFileNameExW; a null module means the main executable.
    virtual unsigned long ModuleFileName(HANDLE process, HMODULE module, Char* buffer,
                                         unsigned long capacity) = 0;
    // EnumProcessModules into modules (bytes long); needed tells the bytes required.
    virtual bool EnumModules(HANDLE process, HMODULE* modules, unsigned long bytes,
                             unsigned long& needed) = 0;
    // QueryFullProcessImageNameW (a drive path); size in: capacity, out: length.
    virtual bool FullImageName(HANDLE process, Char* buffer, unsigned long& size) = 0;
    // CreateToolhelp32Snapshot of the processes; null on failure.
    virtual HANDLE CreateProcessSnapshot() = 0;
    // Process32FirstW and Process32NextW; false at the end.
    virtual bool FirstProcess(HANDLE snapshot, ProcessEntry& entry) = 0;
    virtual bool NextProcess(HANDLE snapshot, ProcessEntry& entry) = 0;
    virtual bool OpenProcessToken(HANDLE process, unsigned long access, HANDLE& token) = 0;
    // GetTokenInformation(TokenIntegrityLevel) with data null asks only for the size
    // (false with kErrorInsufficientBuffer and needed set); otherwise reads the label and
    // returns the RID of its SID, the last sub-authority.
    virtual bool TokenIntegrityLevel(HANDLE token, void* data, unsigned long size,
                                     unsigned long& needed, unsigned long& rid) = 0;
    // GetModuleHandleW: a module already loaded into this process, or null.
    virtual HMODULE LoadedModule(const Char* name) = 0;
    // GetProcAddress: an export of module, or null.
    virtual void* ProcAddress(HMODULE module, const char* name) = 0;
};

// Window and thread messages, shaped like the system's calls.
class Messages {
  public:
    virtual ~Messages() = default;
    // RegisterWindowMessageW: the same id for the same name, 0xC000 and up; 0 on failure.
    virtual unsigned RegisterWindowMessage(const Char* name) = 0;
    virtual bool PostMessage(HWND window, unsigned message, WPARAM wParam, LPARAM lParam) = 0;
    virtual bool PostThreadMessage(unsigned long threadId, unsigned message, WPARAM wParam,
                                   LPARAM lParam) = 0;
    // SendMessageW: waits for the window's answer.
    virtual LRESULT SendMessage(HWND window, unsigned message, WPARAM wParam, LPARAM lParam) = 0;
    // SendMessageTimeoutW; false when the window did not answer in time or does not exist.
    virtual bool SendMessageTimeout(HWND window, unsigned message, WPARAM wParam, LPARAM lParam,
                                    unsigned flags, unsigned timeoutMs, uintptr_t* result) = 0;
    // GetCurrentThreadId.
    virtual unsigned long CurrentThreadId() = 0;

    // A message taken from the calling thread's queue.
    struct ThreadMessage {
        unsigned message = 0;
        WPARAM wParam = 0;
        LPARAM lParam = 0;
    };
    // Creates the calling thread's message queue, so that messages posted to it from
    // now on are kept (the system creates it only at a thread's first message call).
    virtual void CreateThreadQueue() = 0;
    // GetMessageW for the calling thread: waits for the next message; > 0 a message,
    // 0 the quit message (kWmQuit), < 0 an error.
    virtual int GetMessage(ThreadMessage& out) = 0;
    // TranslateMessage and DispatchMessageW for a message GetMessage returned: for a
    // thread timer's kWmTimer this runs the timer's procedure.
    virtual void DispatchThreadMessage(const ThreadMessage& message) = 0;
};

// Input injection, the hook chain and the live key state.
class Input {
  public:
    virtual ~Input() = default;
    // SendInput: the number of records the system took.
    virtual unsigned SendInput(const InputRecord* records, unsigned count) = 0;
    // CallNextHookEx.
    virtual LRESULT CallNextHook(HHOOK hook, int code, WPARAM wParam, LPARAM lParam) = 0;
    // GetAsyncKeyState: bit 0x8000 while the key (or mouse button) is down.
    virtual short AsyncKeyState(int virtualKey) = 0;
};

// Thread timers of the calling thread, shaped like SetTimer and KillTimer with no window.
class Timers {
  public:
    using Proc = void (*)(HWND window, unsigned message, uintptr_t id, unsigned long time);
    virtual ~Timers() = default;
    // Starts or restarts timer id; returns the id, 0 on failure.
    virtual uintptr_t SetTimer(uintptr_t id, unsigned periodMs, Proc proc) = 0;
    virtual bool KillTimer(uintptr_t id) = 0;
};

// One-shot timers of the system's default timer queue, shaped like CreateTimerQueueTimer
// with no period, run in the queue's timer thread and only once, and like
// DeleteTimerQueueTimer without a completion event. Callbacks run on a thread of the
// queue, never on the thread that created the timer.
class QueueTimers {
  public:
    // The parameter given at creation; fired is 1 when the timer fell due.
    using Callback = void (*)(void* parameter, unsigned char fired);
    virtual ~QueueTimers() = default;
    // A timer due after dueMs; null on failure with the calling thread's last error set.
    virtual HANDLE Create(unsigned dueMs, Callback callback, void* parameter) = 0;
    // Cancels timer without waiting for its callback. False with the last error set on
    // failure; kErrorIoPending when the callback is running (the timer is still freed
    // once it returns).
    virtual bool Delete(HANDLE timer) = 0;
};

// The pointer acceleration that SPI_SETMOUSE takes: two speed thresholds and the level;
// 6, 10, 1 is the system's enhanced pointer precision, 0, 0, 0 turns it off.
struct MouseAcceleration {
    int threshold1 = 0;
    int threshold2 = 0;
    int level = 0;
};

// System-wide mouse parameters, shaped like GetSystemMetrics and SystemParametersInfoW.
// Changing one can be slow: the system broadcasts it to every top-level window.
class SystemParameters {
  public:
    // Update flags of the setters: write the user profile, broadcast the change.
    static constexpr unsigned kUpdateIniFile = 0x1;
    static constexpr unsigned kSendChange = 0x2;
    // The wheel setting meaning one page per notch.
    static constexpr unsigned kWheelPageScroll = 0xFFFFFFFF;

    virtual ~SystemParameters() = default;
    // GetSystemMetrics(SM_SWAPBUTTON).
    virtual bool ButtonsSwapped() = 0;
    // SPI_SETMOUSEBUTTONSWAP; false when the system refused.
    virtual bool SetButtonSwap(bool swapped, unsigned updateFlags) = 0;
    // SPI_GETWHEELSCROLLLINES and SPI_SETWHEELSCROLLLINES.
    virtual bool WheelScrollLines(unsigned& lines) = 0;
    virtual bool SetWheelScrollLines(unsigned lines, unsigned updateFlags) = 0;
    // SPI_GETWHEELSCROLLCHARS: the horizontal wheel's characters per notch.
    virtual bool WheelScrollChars(unsigned& chars) = 0;
    // SPI_SETCURSORS: reloads the system cursors, undoing cursors the library set.
    virtual bool ReloadSystemCursors() = 0;
    // SPI_GETMOUSESPEED and SPI_SETMOUSESPEED: the pointer speed, 1 (slow) to 20 (fast).
    virtual bool MouseSpeed(int& speed) = 0;
    virtual bool SetMouseSpeed(int speed, unsigned updateFlags) = 0;
    // SPI_SETMOUSE.
    virtual bool SetMouseAcceleration(const MouseAcceleration& acceleration,
                                      unsigned updateFlags) = 0;
};

// Programs, folders and session commands started through the shell. Each returns at
// once; what it starts runs on its own.
class Shell {
  public:
    virtual ~Shell() = default;
    // ShellExecuteW with no owner window and no working folder (parameters may be null);
    // false when the shell reported a failure.
    virtual bool Execute(const Char* operation, const Char* file, const Char* parameters,
                         int show) = 0;
    // ShellExecuteExW with a verb (null: the file's default), a file (a program, document
    // or address) and parameters (may be null); false (last error set) when the shell
    // reported a failure.
    virtual bool ExecuteEx(const Char* verb, const Char* file, const Char* parameters,
                           int show) = 0;
    // LockWorkStation.
    virtual bool LockWorkStation() = 0;
    // MessageBeep with a sound type (0 the default sound).
    virtual void Beep(unsigned type) = 0;
};

// Cursor images of the library's resources and the system cursors they may stand in for,
// shaped like LoadImageW, DestroyCursor, CopyIcon and SetSystemCursor. Reloading the
// system's own cursors is SystemParameters::ReloadSystemCursors.
class Cursors {
  public:
    virtual ~Cursors() = default;
    // The library's own module, whose resources hold its cursor images.
    virtual HINSTANCE LibraryModule() = 0;
    // LoadImageW(module, resourceId, IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE); null on failure.
    virtual HICON LoadCursorResource(HINSTANCE module, unsigned resourceId) = 0;
    virtual bool DestroyCursor(HICON cursor) = 0;
    // SetSystemCursor(CopyIcon(cursor), systemId): the system takes the copy, so cursor
    // stays the caller's.
    virtual bool ReplaceSystemCursor(HICON cursor, unsigned long systemId) = 0;
};

// The system's low-level input hooks, shaped like SetWindowsHookExW and
// UnhookWindowsHookEx. A hook's procedure runs on the thread that installed it, from that
// thread's message loop.
class Hooks {
  public:
    enum class Kind { MouseLowLevel, KeyboardLowLevel };
    // The procedure shape of both kinds: hook code, message, event record.
    using Proc = LRESULT (*)(int code, WPARAM wParam, LPARAM lParam);

    virtual ~Hooks() = default;
    // Installs a hook of kind for the whole desktop, owned by the library's module; null
    // on failure with the calling thread's last error set.
    virtual HHOOK SetHook(Kind kind, Proc proc) = 0;
    // False (last error set) when the hook is not installed, for example because the
    // system removed it after a time-out.
    virtual bool Unhook(HHOOK hook) = 0;
};

// The library's threads and the process they run in.
class Threads {
  public:
    // Thread priorities and process priority classes (system values).
    static constexpr int kPriorityBelowNormal = -1;
    static constexpr int kPriorityNormal = 0;
    static constexpr int kPriorityAboveNormal = 1;
    static constexpr int kPriorityTimeCritical = 15;
    static constexpr unsigned long kNormalPriorityClass = 0x20;

    virtual ~Threads() = default;
    // SetThreadPriority of the calling thread.
    virtual bool SetCurrentThreadPriority(int priority) = 0;
    // SetPriorityClass of the process.
    virtual bool SetProcessPriorityClass(unsigned long priorityClass) = 0;
    // Names a thread for debuggers.
    virtual void NameThread(unsigned long threadId, const char* name) = 0;
    // Ends a thread that did not stop by itself; false when that is not possible (the
    // thread then still runs).
    virtual bool TerminateThread(std::thread& thread, unsigned long exitCode) = 0;
    // Ends the process at once with exitCode.
    virtual void ExitProcess(unsigned exitCode) = 0;
};

class Platform {
  public:
    virtual ~Platform() = default;
    virtual Clock& GetClock() = 0;
    virtual Diagnostics& GetDiagnostics() = 0;
    virtual FileSystem& GetFileSystem() = 0;
    virtual Registry& GetRegistry() = 0;
    virtual Environment& GetEnvironment() = 0;
    virtual Dialogs& GetDialogs() = 0;
    virtual SystemInfo& GetSystemInfo() = 0;
    virtual CrashReporter& GetCrashReporter() = 0;
    virtual Windows& GetWindows() = 0;
    virtual Processes& GetProcesses() = 0;
    virtual Messages& GetMessages() = 0;
    virtual Input& GetInput() = 0;
    virtual Timers& GetTimers() = 0;
    virtual QueueTimers& GetQueueTimers() = 0;
    virtual SystemParameters& GetSystemParameters() = 0;
    virtual Shell& GetShell() = 0;
    virtual Cursors& GetCursors() = 0;
    virtual Clipboard& GetClipboard() = 0;
    virtual MonitorBrightness& GetMonitorBrightness() = 0;
    virtual Libraries& GetLibraries() = 0;
    virtual Hooks& GetHooks() = 0;
    virtual Threads& GetThreads() = 0;
};

// The platform in force. The Windows build has one; the Linux build starts with a
// default simulated desktop and lets a test install its own.
Platform& Current();

// Installs platform as the current one until the returned object is destroyed.
class ScopedPlatform {
  public:
    explicit ScopedPlatform(Platform& platform);
    ~ScopedPlatform();
    ScopedPlatform(const ScopedPlatform&) = delete;
    ScopedPlatform& operator=(const ScopedPlatform&) = delete;

  private:
    Platform* previous_;
};

// Shorthands for the core.
inline Clock& GetClock() {
    return Current().GetClock();
}
inline uint32_t TickCount() {
    return Current().GetClock().TickCount();
}
inline Diagnostics& GetDiagnostics() {
    return Current().GetDiagnostics();
}
inline FileSystem& GetFileSystem() {
    return Current().GetFileSystem();
}
inline Registry& GetRegistry() {
    return Current().GetRegistry();
}
inline Environment& GetEnvironment() {
    return Current().GetEnvironment();
}
inline Dialogs& GetDialogs() {
    return Current().GetDialogs();
}
inline SystemInfo& GetSystemInfo() {
    return Current().GetSystemInfo();
}
inline CrashReporter& GetCrashReporter() {
    return Current().GetCrashReporter();
}
inline Windows& GetWindows() {
    return Current().GetWindows();
}
inline Processes& GetProcesses() {
    return Current().GetProcesses();
}
inline Messages& GetMessages() {
    return Current().GetMessages();
}
inline Input& GetInput() {
    return Current().GetInput();
}
inline Timers& GetTimers() {
    return Current().GetTimers();
}
inline QueueTimers& GetQueueTimers() {
    return Current().GetQueueTimers();
}
inline SystemParameters& GetSystemParameters() {
    return Current().GetSystemParameters();
}
inline Shell& GetShell() {
    return Current().GetShell();
}
inline Cursors& GetCursors() {
    return Current().GetCursors();
}
inline Clipboard& GetClipboard() {
    return Current().GetClipboard();
}
inline MonitorBrightness& GetMonitorBrightness() {
    return Current().GetMonitorBrightness();
}
inline Libraries& GetLibraries() {
    return Current().GetLibraries();
}
inline Hooks& GetHooks() {
    return Current().GetHooks();
}
inline Threads& GetThreads() {
    return Current().GetThreads();
}

} // namespace pw::platform
