#include "platform/keyboard_layout.h"

#include <atomic>

namespace pw::platform {
namespace {

std::atomic<KeyboardLayout*> g_installed{nullptr};

} // namespace

KeyboardLayout& CurrentKeyboardLayout() {
    KeyboardLayout* installed = g_installed.load(std::memory_order_acquire);
    return installed ? *installed : PlatformKeyboardLayout();
}

ScopedKeyboardLayout::ScopedKeyboardLayout(KeyboardLayout& layout)
    : previous_(g_installed.exchange(&layout, std::memory_order_acq_rel)) {}

ScopedKeyboardLayout::~ScopedKeyboardLayout() {
    g_installed.store(previous_, std::memory_order_release);
}

} // namespace pw::platform
