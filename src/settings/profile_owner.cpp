#include "settings/profile_owner.h"

#include "settings/settings.h"

namespace pw::settings {

ProfileOwnerFacts ReadProfileOwner(const CSettings* owner) {
    if (!owner)
        return {};
    return {owner->OfficeMouse(), owner->MaxLayers(), owner->SystemWheelLines()};
}

} // namespace pw::settings
