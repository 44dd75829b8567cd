#include "platform/sim/sim_messages.h"

#include "platform/sim/sim_loader_lock.h"
#include "platform/sim/sim_windows.h"

#include <utility>

namespace pw::sim {

namespace {
constexpr unsigned kFirstRegisteredMessage = 0xC000;
constexpr unsigned long kFirstThreadId = 0x1000;

// The live desktops' message services, so that a thread ending after its desktop is gone
// tells nobody. Never destroyed: desktops may be static objects of any translation unit.
struct LiveServices {
    std::mutex mutex;
    std::map<SimMessages*, uint64_t> services; // by address, with the serial of the one there
    uint64_t lastSerial = 0;
};

LiveServices& Live() {
    static auto* live = new LiveServices;
    return *live;
}
} // namespace

// Per thread: the message services whose loop the thread ran, told when the thread ends.
class LoopThreadExit {
  public:
    ~LoopThreadExit() {
        LiveServices& live = Live();
        std::lock_guard lock(live.mutex);
        for (const Loop& loop : loops_) {
            auto found = live.services.find(loop.messages);
            if (found != live.services.end() && found->second == loop.serial)
                loop.messages->LoopThreadEnded(loop.threadId);
        }
    }
    void Add(SimMessages* messages, uint64_t serial, unsigned long threadId) {
        for (const Loop& loop : loops_) {
            if (loop.messages == messages && loop.serial == serial)
                return;
        }
        loops_.push_back({messages, serial, threadId});
    }

  private:
    struct Loop {
        SimMessages* messages;
        uint64_t serial;
        unsigned long threadId;
    };
    std::vector<Loop> loops_;
};

namespace {
thread_local LoopThreadExit t_loopExit;

uint64_t NextSerial() {
    LiveServices& live = Live();
    std::lock_guard lock(live.mutex);
    return ++live.lastSerial;
}
} // namespace

SimMessages::SimMessages(SimWindows& windows, SimLoaderLock& loaderLock)
    : windows_(windows), loaderLock_(loaderLock), serial_(NextSerial()) {
    LiveServices& live = Live();
    std::lock_guard lock(live.mutex);
    live.services[this] = serial_;
}

SimMessages::~SimMessages() {
    LiveServices& live = Live();
    std::lock_guard lock(live.mutex);
    live.services.erase(this);
}

void SimMessages::LoopThreadEnded(unsigned long threadId) {
    std::lock_guard lock(mutex_);
    running_.erase(threadId);
    waiting_.erase(threadId);
    threadQueues_.erase(threadId);
    quiet_.notify_all();
}

unsigned SimMessages::RegisterWindowMessage(const Char* name) {
    if (!name || !*name)
        return 0;
    std::lock_guard lock(mutex_);
    auto [it, added] = registered_.try_emplace(
        String(name), kFirstRegisteredMessage + static_cast<unsigned>(registered_.size()));
    return it->second;
}

unsigned SimMessages::RegisteredId(const Char* name) const {
    std::lock_guard lock(mutex_);
    auto it = registered_.find(name ? String(name) : String());
    return it == registered_.end() ? 0 : it->second;
}

bool SimMessages::PostMessage(HWND window, unsigned message, WPARAM wParam, LPARAM lParam) {
    // The broadcast handle reaches every top-level window; it is recorded once.
    if (window && window != platform::kHwndBroadcast && !windows_.Exists(window))
        return false;
    Record({SimMessage::Kind::Posted, window, 0, message, wParam, lParam});
    return true;
}

bool SimMessages::PostThreadMessage(unsigned long threadId, unsigned message, WPARAM wParam,
                                    LPARAM lParam) {
    if (threadId == 0)
        return false;
    Record({SimMessage::Kind::PostedToThread, nullptr, threadId, message, wParam, lParam});
    bool queued = false;
    bool looping = false;
    ThreadPostObserver observer;
    {
        std::lock_guard lock(mutex_);
        observer = postObserver_;
        looping = running_.count(threadId) > 0;
        auto queue = threadQueues_.find(threadId);
        if (queue == threadQueues_.end()) {
            ++undeliveredPosts_;
        } else {
            queue->second.push_back({message, wParam, lParam});
            queued = true;
        }
    }
    if (queued)
        queued_.notify_all();
    if (observer)
        observer(threadId, message, queued, looping);
    return true;
}

void SimMessages::SetThreadPostObserver(ThreadPostObserver observer) {
    std::lock_guard lock(mutex_);
    postObserver_ = std::move(observer);
}

// A thread with a queue of its own is a loop thread from now on: until it first waits for
// a message, what is posted to it is work still to do, and the desktop is not quiet. On a
// loaded machine it may reach its loop long after its starter went on.
void SimMessages::CreateThreadQueue() {
    loaderLock_.TakePartInExit();
    const unsigned long self = CurrentThreadId();
    t_loopExit.Add(this, serial_, self);
    std::lock_guard lock(mutex_);
    threadQueues_.try_emplace(self);
    running_.insert(self);
}

int SimMessages::GetMessage(ThreadMessage& out) {
    const unsigned long self = CurrentThreadId();
    t_loopExit.Add(this, serial_, self);
    std::unique_lock lock(mutex_);
    std::deque<ThreadMessage>& queue = threadQueues_[self];
    running_.insert(self);
    waiting_.insert(self);
    quiet_.notify_all();
    queued_.wait(lock, [&] { return !queue.empty(); });
    waiting_.erase(self);
    out = queue.front();
    queue.pop_front();
    if (out.message != platform::kWmQuit)
        return 1;
    running_.erase(self);
    quiet_.notify_all();
    return 0;
}

bool SimMessages::QuietLocked() const {
    for (unsigned long thread : running_) {
        auto queue = threadQueues_.find(thread);
        if (!waiting_.count(thread) || (queue != threadQueues_.end() && !queue->second.empty()))
            return false;
    }
    return true;
}

bool SimMessages::WaitUntilQuiet(std::chrono::milliseconds limit) {
    std::unique_lock lock(mutex_);
    return quiet_.wait_for(lock, limit, [&] { return QuietLocked(); });
}

void SimMessages::DispatchThreadMessage(const ThreadMessage& message) {
    if (message.message != platform::kWmTimer || message.lParam == 0)
        return;
    const auto proc = reinterpret_cast<platform::Timers::Proc>(message.lParam);
    proc(nullptr, message.message, static_cast<uintptr_t>(message.wParam), 0);
}

LRESULT SimMessages::SendMessage(HWND window, unsigned message, WPARAM wParam, LPARAM lParam) {
    if (!windows_.Exists(window))
        return 0;
    Record({SimMessage::Kind::Sent, window, 0, message, wParam, lParam});
    return AnswerOf(window, message, wParam, lParam);
}

bool SimMessages::SendMessageTimeout(HWND window, unsigned message, WPARAM wParam, LPARAM lParam,
                                     unsigned, unsigned, uintptr_t* result) {
    if (!windows_.Exists(window) || windows_.IsHung(window))
        return false;
    Record({SimMessage::Kind::Sent, window, 0, message, wParam, lParam});
    LRESULT answer = AnswerOf(window, message, wParam, lParam);
    if (result)
        *result = static_cast<uintptr_t>(answer);
    return true;
}

size_t SimMessages::UndeliveredPosts() const {
    std::lock_guard lock(mutex_);
    return undeliveredPosts_;
}

unsigned long SimMessages::CurrentThreadId() {
    return ThreadIdOf(std::this_thread::get_id());
}

unsigned long SimMessages::ThreadIdOf(std::thread::id thread) {
    std::lock_guard lock(mutex_);
    auto [it, added] = threadIds_.try_emplace(
        thread, kFirstThreadId + 4 * static_cast<unsigned long>(threadIds_.size()));
    return it->second;
}

void SimMessages::SetAnswer(Answer answer) {
    std::lock_guard lock(mutex_);
    answer_ = std::move(answer);
}

LRESULT SimMessages::AnswerOf(HWND window, unsigned message, WPARAM wParam, LPARAM lParam) {
    Answer answer;
    {
        std::lock_guard lock(mutex_);
        answer = answer_;
    }
    if (answer)
        return answer(window, message, wParam, lParam);
    return message == platform::kWmNcHitTest ? platform::kHtClient : 0;
}

void SimMessages::Record(const SimMessage& message) {
    std::lock_guard lock(mutex_);
    recorded_.push_back(message);
}

std::vector<SimMessage> SimMessages::Recorded() const {
    std::lock_guard lock(mutex_);
    return recorded_;
}

std::vector<SimMessage> SimMessages::TakeRecorded() {
    std::lock_guard lock(mutex_);
    return std::exchange(recorded_, {});
}

} // namespace pw::sim
