#pragma once
// The edit control's single level of undo. A run of typing (or of deleting
// with Backspace or Delete) is one change; undoing a change records its
// inverse, so a second undo redoes it, as on the platform.
#include <optional>
#include <string>

namespace tavix::native {

struct EditChange {
    size_t at { 0 };  // character position
    std::string removed;
    std::string inserted;
};

class EditUndo {
public:
    // `typing` lets the change join the previous typing run when it continues it.
    void Record(EditChange change, bool typing);
    bool CanUndo() const { return last_.has_value(); }
    // The change that undoes the last one; the caller applies it and records
    // it in turn (not as typing).
    std::optional<EditChange> Inverse() const;
    // A typing run ends with the text it was typed in.
    void Clear()
    {
        last_.reset();
        typing_ = false;
    }

private:
    bool Extend(const EditChange& change);

    std::optional<EditChange> last_;
    bool typing_ { false };
};

}  // namespace tavix::native
