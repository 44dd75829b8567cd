#include "settings/pointer_settings.h"

#include <atomic>

namespace pw::settings {

namespace {

std::atomic<PointerSettingsApplier> g_applier{nullptr};

} // namespace

PointerSettingsApplier SetPointerSettingsApplier(PointerSettingsApplier applier) {
    return g_applier.exchange(applier);
}

PointerSettingsApplier GetPointerSettingsApplier() {
    return g_applier.load();
}

} // namespace pw::settings
