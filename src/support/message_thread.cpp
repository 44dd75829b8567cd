#include "support/message_thread.h"

#include "support/exception_handler.h"
#include "support/logger.h"
#include "support/report_exception.h"

#include <chrono>
#include <system_error>

namespace pw {

namespace {

constexpr unsigned long kCleanExit = 1;
constexpr unsigned long kFailedExit = 0;

// Unloading objects alive; any thread's Join reads it.
std::atomic<int> g_unloading{0};

bool IsUnloading() {
    return g_unloading.load() > 0;
}

} // namespace

MessageThread::Unloading::Unloading() {
    ++g_unloading;
}

MessageThread::Unloading::~Unloading() {
    --g_unloading;
}

MessageThread::~MessageThread() {
    Forget();
}

bool MessageThread::Start(Handler& handler, uint32_t& error) {
    Forget();
    auto state = std::make_shared<State>();
    try {
        thread_ =
            std::thread([state, options = options_, &handler] { Main(*state, options, handler); });
    } catch (const std::system_error&) {
        error = platform::GetDiagnostics().LastError();
        return false;
    }
    state_ = state;
    std::unique_lock lock(state->mutex);
    state->changed.wait_for(lock, std::chrono::milliseconds(options_.startTimeoutMs),
                            [&] { return state->started || state->exited; });
    return true;
}

void MessageThread::Main(State& state, const Options& options, Handler& handler) {
    const unsigned long code = Run(state, options, handler);
    std::lock_guard lock(state.mutex);
    state.threadId = 0;
    state.exited = true;
    state.exitCode = code;
    state.changed.notify_all();
}

unsigned long MessageThread::Run(State& state, const Options& options, Handler& handler) {
    bool stopped = false;
    try {
        platform::Messages& messages = platform::GetMessages();
        // The queue exists before the id is handed out, so that nothing posted is lost.
        messages.CreateThreadQueue();
        const unsigned long self = messages.CurrentThreadId();
        handler.OnStarting(self);
        platform::Threads& threads = platform::GetThreads();
        if (options.name)
            threads.NameThread(self, options.name);
        if (options.priority)
            threads.SetCurrentThreadPriority(*options.priority);
        Started(state, self);
        // Set up once the starter goes on: it reads the log and settings paths under the
        // global lock, which the starter may hold.
        ExceptionHandlerInstaller crashHandler;
        handler.OnStarted();

        const bool clean = RunLoop(options, handler);
        stopped = true;
        handler.OnStopped();
        if (options.exitText)
            CLogger::LogDebug(L"%ls", options.exitText);
        return clean ? kCleanExit : kFailedExit;
    } catch (...) {
        if (!options.exceptionText)
            handle_exception(L"%ls", options.crashContext ? options.crashContext : L"");
    }
    // The exception is logged and the thread ends as it would after its loop.
    if (!stopped) {
        try {
            handler.OnStopped();
        } catch (...) {
        }
    }
    CLogger::LogMessage(L"%ls", options.exceptionText);
    return kFailedExit;
}

void MessageThread::Started(State& state, unsigned long threadId) {
    std::lock_guard lock(state.mutex);
    state.threadId = threadId;
    state.started = true;
    if (state.quitPending)
        platform::GetMessages().PostThreadMessage(threadId, state.quit.message, state.quit.wParam,
                                                  state.quit.lParam);
    state.changed.notify_all();
}

// False when the queue failed.
bool MessageThread::RunLoop(const Options& options, Handler& handler) {
    platform::Messages& messages = platform::GetMessages();
    Message message;
    for (;;) {
        const int got = messages.GetMessage(message);
        if (got < 0) {
            const uint32_t error = platform::GetDiagnostics().LastError();
            const Char* text = options.queueError ? options.queueError : L"";
            if (options.queueErrorIsDebug)
                CLogger::LogOSError(error, L"%ls", text);
            else
                CLogger::LogOSMessage(error, L"%ls", text);
            return false;
        }
        // The quit message goes to the handler too, and then ends the loop.
        if (!handler.OnMessage(message) || got == 0)
            return true;
    }
}

void MessageThread::StopSoon(unsigned message, WPARAM wParam) {
    if (!state_)
        return;
    std::lock_guard lock(state_->mutex);
    if (state_->exited)
        return;
    if (state_->threadId == 0) {
        state_->quitPending = true;
        state_->quit = Message{message, wParam, 0};
        return;
    }
    platform::GetMessages().PostThreadMessage(state_->threadId, message, wParam, 0);
}

MessageThread::Joined MessageThread::Join(unsigned long* exitCode) {
    if (!thread_.joinable())
        return Joined::NotRunning;
    try {
        unsigned long code = 0;
        if (!WaitForLoop(options_.stopTimeoutMs, code)) {
            if (options_.lateText)
                CLogger::LogMessage(L"%ls", options_.lateText);
            GiveUp();
            return Joined::Late;
        }
        EndThread();
        Report(code);
        if (exitCode)
            *exitCode = code;
    } catch (...) {
        ReportException(options_.joinContext ? options_.joinContext : L"MessageThread::Join");
    }
    return Joined::Exited;
}

MessageThread::Joined MessageThread::Stop() {
    StopSoon();
    return Join();
}

bool MessageThread::Running() const {
    if (!state_)
        return false;
    std::lock_guard lock(state_->mutex);
    return !state_->exited;
}

bool MessageThread::WaitForLoop(unsigned ms, unsigned long& exitCode) {
    std::unique_lock lock(state_->mutex);
    if (!state_->changed.wait_for(lock, std::chrono::milliseconds(ms),
                                  [&] { return state_->exited; }))
        return false;
    exitCode = state_->exitCode;
    return true;
}

void MessageThread::EndThread() {
    // Past its last word the thread touches neither its handler nor this object.
    if (IsUnloading())
        thread_.detach();
    else
        thread_.join();
    Release();
}

void MessageThread::Report(unsigned long exitCode) const {
    if (exitCode == kCleanExit) {
        if (options_.exitedText)
            CLogger::LogDebug(L"%ls", options_.exitedText);
    } else if (options_.failedText) {
        CLogger::LogMessage(options_.failedText, static_cast<int>(exitCode));
    }
}

void MessageThread::GiveUp() {
    const bool unloading = IsUnloading();
    if (options_.late == LateThread::Wait && !unloading) {
        thread_.join();
    } else if (platform::GetThreads().TerminateThread(thread_, options_.terminatedExitCode)) {
        if (unloading)
            thread_.detach();
        else
            thread_.join();
    } else if (options_.late == LateThread::Wait) {
        // Its handler must outlive its loop, which needs no loader lock to end.
        std::unique_lock lock(state_->mutex);
        state_->changed.wait(lock, [&] { return state_->exited; });
        lock.unlock();
        thread_.detach();
    } else {
        thread_.detach();
    }
    Release();
}

void MessageThread::Forget() {
    if (thread_.joinable())
        thread_.detach();
    Release();
}

void MessageThread::Release() {
    state_.reset();
}

} // namespace pw
