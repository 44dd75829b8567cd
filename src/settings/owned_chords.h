#pragma once

// A profile slot's chord set: owned, duplicated when the profile is copied.

#include <PallawickHook/settings/chord.h>

#include <memory>

namespace pw::settings {

class OwnedChords {
  public:
    OwnedChords() = default;
    OwnedChords(const OwnedChords& other) : set_(Duplicate(other.set_.get())) {}
    OwnedChords& operator=(const OwnedChords& other) {
        if (this != &other)
            set_.reset(Duplicate(other.set_.get()));
        return *this;
    }
    OwnedChords(OwnedChords&&) noexcept = default;
    OwnedChords& operator=(OwnedChords&&) noexcept = default;

    CVESKChords* Get() const { return set_.get(); }
    // Takes ownership of chords. The previous set is let go without being deleted: its
    // owner is whoever handed it over or asked for it last.
    void Adopt(CVESKChords* chords) {
        if (chords == set_.get())
            return;
        (void)set_.release();
        set_.reset(chords);
    }
    // Deletes the current set and keeps a copy of chords (none for null).
    void CopyFrom(const CVESKChords* chords) { set_.reset(Duplicate(chords)); }
    void Reset() { set_.reset(); }

  private:
    static CVESKChords* Duplicate(const CVESKChords* chords) {
        return chords ? new CVESKChords(*chords) : nullptr;
    }

    std::unique_ptr<CVESKChords> set_;
};

} // namespace pw::settings
