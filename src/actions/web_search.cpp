#include "actions/web_search.h"

#include "actions/detached_work.h"
#include "actions/saved_clipboard.h"

#include "input/send_input.h"
#include "input/send_keys.h"
#include "input/sim_modifiers.h"
#include "platform/clipboard.h"
#include "platform/platform.h"
#include "runtime/runtime_state.h"
#include "settings/settings.h"
#include "support/logger.h"
#include "support/report_exception.h"
#include "support/thread_lock.h"

#include <chrono>
#include <thread>
#include <vector>

namespace pw::actions {
namespace {

constexpr size_t kMaxSearchUrl = 1024;
constexpr size_t kMaxSelection = 1023;
// The time the window in front gets to put its selection on the clipboard.
constexpr unsigned kCopyWaitMs = 500;
// Another program may hold the clipboard for a moment: a few tries, a little apart.
constexpr int kOpenAttempts = 5;
constexpr unsigned kOpenRetryMs = 20;
// The copy keys normally leave the queue at once; a stuck sender is not waited for longer.
constexpr auto kCopyQueueLimit = std::chrono::seconds(2);

// Runs work with the clipboard open; false when another program kept it.
template <typename Work> bool WithClipboard(const Char* purpose, Work work) {
    platform::Clipboard& clipboard = platform::GetClipboard();
    for (int attempt = 1;; ++attempt) {
        platform::ScopedClipboard open(clipboard);
        if (open.IsOpen())
            return work(clipboard);
        if (attempt == kOpenAttempts)
            break;
        platform::GetClock().Sleep(kOpenRetryMs);
    }
    CLogger::LogOSMessage(platform::GetDiagnostics().LastError(),
                          L"SearchThread: Unable to open the clipboard to %ls; another program "
                          L"holds it",
                          purpose);
    return false;
}

bool CopySearchUrl(String& url) {
    CThreadLock lock(L"SearchThread");
    const Char* configured = g_pSettings ? g_pSettings->get_SearchURL() : nullptr;
    if (!configured || !*configured) {
        CLogger::LogMessage(L"SearchThread: No Search URL defined!");
        return false;
    }
    url.assign(configured, BoundedLength(configured, kMaxSearchUrl));
    return true;
}

// Waits until the sender has played the copy keys, so that the wait after them is the
// window's alone.
void WaitForCopyKeys() {
    const auto deadline = std::chrono::steady_clock::now() + kCopyQueueLimit;
    for (;;) {
        {
            CThreadLock lock(L"SearchThread Copy");
            if (!g_pSendInput || g_pSendInput->Idle())
                return;
        }
        if (std::chrono::steady_clock::now() > deadline) {
            CLogger::LogMessage(L"SearchThread: The copy keys are still queued.");
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

// The shell takes the target as one quoted argument, which cannot hold a quote itself.
String SearchTarget(const String& url, const String& text) {
    String target = L"\"";
    for (Char c : url + text)
        if (c != L'"')
            target += c;
    target += L'"';
    if (target.size() != url.size() + text.size() + 2)
        CLogger::LogMessage(L"SearchThread: Double quotes were left out of the search target.");
    return target;
}

void Search(const String& url, const String& text) {
    if (text.empty()) {
        CLogger::LogMessage(L"SearchThread: The clipboard holds no text; nothing to search for.");
        return;
    }
    if (text.size() > kMaxSelection) {
        CLogger::LogMessage(L"SearchThread: The selected text has %d characters, more than %d; "
                            L"no search is made.",
                            static_cast<int>(text.size()), static_cast<int>(kMaxSelection));
        return;
    }
    try {
        const String target = SearchTarget(url, text);
        CLogger::LogDebug(L"Launching Search URL '%ls'", target.c_str());
        if (!platform::GetShell().ExecuteEx(L"OPEN", target.c_str(), nullptr,
                                            platform::kSwShowNormal))
            CLogger::LogOSMessage(platform::GetDiagnostics().LastError(),
                                  L"SearchThread: Unable to open the search URL '%ls'",
                                  target.c_str());
    } catch (...) {
        ReportException(L"SearchThread: Launching search");
    }
}

void Restore(const SavedClipboard& saved) {
    if (saved.formats.empty())
        return;
    WithClipboard(L"put the original text back", [&](platform::Clipboard& clipboard) {
        if (!clipboard.Replace(saved.formats))
            CLogger::LogOSMessage(platform::GetDiagnostics().LastError(),
                                  L"SearchThread: Unable to put the original clipboard back");
        return true;
    });
}

void SearchThread() {
    try {
        platform::GetThreads().NameThread(platform::GetMessages().CurrentThreadId(),
                                          "VESK Search Thread");
        String url;
        if (!CopySearchUrl(url))
            return;
        // Without the user's clipboard in hand the copy would replace it for good.
        SavedClipboard saved;
        if (!WithClipboard(L"save it", [&](platform::Clipboard& clipboard) {
                saved = SaveClipboard(clipboard);
                return true;
            }))
            return;
        CLogger::LogDebug(L"SearchThread: Original clipboard text: '%ls'", saved.text.c_str());

        pw::SendKey(L'c', input::kModCtrl);
        WaitForCopyKeys();
        platform::GetClock().Sleep(kCopyWaitMs);

        String current;
        const bool read = WithClipboard(L"read the selection", [&](platform::Clipboard& clipboard) {
            clipboard.ReadText(current);
            return true;
        });
        if (read) {
            CLogger::LogDebug(L"SearchThread: current clipboard text: '%ls'", current.c_str());
            Search(url, current);
        }
        Restore(saved);
    } catch (...) {
        ReportException(L"SearchThread");
    }
}

} // namespace
} // namespace pw::actions

bool pw::StartWebSearch() {
    if (pw::StartDetachedWork(pw::actions::SearchThread))
        return true;
    CLogger::LogMessage(L"SearchThread: Unable to start the search thread.");
    return false;
}
