#include "scroll/scroll_button_processing.h"

#include <atomic>

namespace pw::scroll {

namespace {
// Read on the hook thread and the timer-queue threads.
std::atomic<ButtonProcessor> g_processor{nullptr};
} // namespace

void InstallButtonProcessor(ButtonProcessor processor) {
    g_processor.store(processor, std::memory_order_release);
}

bool ProcessScrollButton(int button, int kind, bool skipWindowCheck, MSLLHOOKSTRUCT* record,
                         bool* passOriginal, bool* keysSent, bool* injected) {
    const ButtonProcessor processor = g_processor.load(std::memory_order_acquire);
    if (!processor)
        return false;
    return processor(button, kind, skipWindowCheck, record, passOriginal, keysSent, injected);
}

} // namespace pw::scroll
