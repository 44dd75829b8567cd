#include "scroll/scroll_button_processing.h"

#include <atomic>

namespace pw::scroll {

namespace {
// Read on the hook thread and the timer-queue threads.
std::atomic<PressQuery> g_pressQuery{nullptr};
std::atomic<ButtonProcessor> g_processor{nullptr};
} // namespace

void InstallButtonProcessor(ButtonProcessor processor, PressQuery pressQuery) {
    g_processor.store(processor, std::memory_order_release);
    g_pressQuery.store(pressQuery, std::memory_order_release);
}

bool PressAwaitsRelease(int button) {
    const PressQuery query = g_pressQuery.load(std::memory_order_acquire);
    return query && query(button);
}

bool ProcessScrollButton(int button, int kind, bool skipWindowCheck, MSLLHOOKSTRUCT* record,
                         bool* passOriginal, bool* keysSent, bool* injected) {
    const ButtonProcessor processor = g_processor.load(std::memory_order_acquire);
    if (!processor)
        return false;
    return processor(button, kind, skipWindowCheck, record, passOriginal, keysSent, injected);
}

} // namespace pw::scroll
