#include "windows/application_profile_index.h"

#include "settings/application_settings.h"
#include "settings/profile_edits.h"
#include "support/text_compare.h"
#include "support/thread_lock.h"

#include <algorithm>
#include <array>

namespace pw::windows {

namespace {

// Names longer than this are folded on the heap; process names never are.
constexpr size_t kFoldCapacity = 260;

} // namespace

bool ApplicationProfileIndex::IsCurrent(const CSettings::ProfileView& profiles) const {
    return built_ && source_ == &profiles && editCount_ == settings::ProfileEditCount();
}

void ApplicationProfileIndex::Clear() {
    built_ = false;
    source_ = nullptr;
    byName_.clear();
    firstUnnamed_ = kNone;
}

void ApplicationProfileIndex::Build(const CSettings::ProfileView& profiles) {
    Clear();
    source_ = &profiles;
    editCount_ = settings::ProfileEditCount();
    built_ = true;
    for (size_t position = 0; position < profiles.size(); ++position) {
        const CApplicationSettings* profile = profiles[position];
        if (!profile || !profile->IsEnabled())
            continue;
        const Char* name = profile->GetApplication();
        if (!name) {
            firstUnnamed_ = std::min(firstUnnamed_, position);
            continue;
        }
        String folded(name);
        for (Char& c : folded)
            c = LowerChar(c);
        byName_.try_emplace(std::move(folded), position);
    }
}

CApplicationSettings* ApplicationProfileIndex::Find(const CSettings::ProfileView& profiles,
                                                    const Char* processName) {
    PW_ASSERT_LOCK_HELD();
    if (!IsCurrent(profiles))
        Build(profiles);
    size_t position = firstUnnamed_;
    // A null process name is compared as an empty one.
    const StringView name = ViewOf(processName);
    {
        std::array<Char, kFoldCapacity> buffer;
        String longName;
        StringView folded;
        if (name.size() <= buffer.size()) {
            std::transform(name.begin(), name.end(), buffer.begin(), LowerChar);
            folded = StringView(buffer.data(), name.size());
        } else {
            longName.assign(name);
            for (Char& c : longName)
                c = LowerChar(c);
            folded = longName;
        }
        auto found = byName_.find(folded);
        if (found != byName_.end())
            position = std::min(position, found->second);
    }
    return position == kNone ? nullptr : profiles[position];
}

} // namespace pw::windows
