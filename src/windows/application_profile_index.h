#pragma once

// The application profiles by executable name, so that finding a process's profile costs
// the same among twenty profiles as among two thousand. It answers exactly as walking the
// list in order does: the first enabled profile whose name equals the process's, case
// ignored, unless an enabled profile without a name (it matches every process) comes
// before it.
//
// Keyed on the list it was built from and on the settings' edit count; a reload, a change
// of a list or of a profile's name or enabled flag moves the count and the next lookup
// builds it again. Used with the global lock held, which guards it.

#include "settings/settings.h"
#include "support/text.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>

class CApplicationSettings;

namespace pw::windows {

class ApplicationProfileIndex {
  public:
    // The profile of processName (null: no name) among profiles; null when none matches.
    CApplicationSettings* Find(const CSettings::ProfileView& profiles, const Char* processName);
    void Clear();

  private:
    struct Hash {
        using is_transparent = void;
        size_t operator()(StringView text) const { return std::hash<StringView>{}(text); }
    };
    static constexpr size_t kNone = static_cast<size_t>(-1);

    bool IsCurrent(const CSettings::ProfileView& profiles) const;
    void Build(const CSettings::ProfileView& profiles);

    const CSettings::ProfileView* source_ = nullptr;
    uint64_t editCount_ = 0;
    bool built_ = false;
    // Lower-cased name to the position of its first enabled profile.
    std::unordered_map<String, size_t, Hash, std::equal_to<>> byName_;
    // The position of the first enabled profile without a name.
    size_t firstUnnamed_ = kNone;
};

} // namespace pw::windows
