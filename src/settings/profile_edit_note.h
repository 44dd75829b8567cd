#pragma once

// The empty base of a profile that notes an edit whenever one profile is copied over
// another: the copy may change the profile's name or enabled flag, which the profile
// lookups key on. Being empty, it adds nothing to the profile's layout.

namespace pw::settings {

void NoteProfileEdit();

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
