#pragma once

// The empty base of a profile that notes an edit whenever one profile is copied over
// another: the copy may change the profile's name or enabled flag, which the profile
// lookups key on. Being empty, it adds nothing to the profile's layout.

#include <PallawickHook/support/export.h>

namespace pw::settings {

// Moves the count of profile edits the lookups compare against.
PW_API void NoteProfileEdit();

class ProfileEditNote {
  protected:
    ProfileEditNote() = default;
    ProfileEditNote(const ProfileEditNote&) = default;
    ProfileEditNote& operator=(const ProfileEditNote&) {
        NoteProfileEdit();
        return *this;
    }
    ~ProfileEditNote() = default;
};

} // namespace pw::settings
