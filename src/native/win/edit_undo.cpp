#include "native/win/edit_undo.h"
#include "native/win/utf8.h"

namespace tavix::native {

void EditUndo::Record(EditChange change, bool typing)
{
    if (!(typing && typing_ && Extend(change)))
        last_ = std::move(change);
    typing_ = typing;
}

bool EditUndo::Extend(const EditChange& c)
{
    EditChange& l = *last_;
    const size_t insertedEnd = l.at + utf8::Count(l.inserted);
    if (c.removed.empty() && c.at == insertedEnd) {
        l.inserted += c.inserted;  // typing on
        return true;
    }
    if (!c.inserted.empty())
        return false;
    if (c.at + utf8::Count(c.removed) == insertedEnd && l.inserted.ends_with(c.removed)) {
        l.inserted.resize(l.inserted.size() - c.removed.size());  // Backspace over what was typed
        return true;
    }
    if (c.at + utf8::Count(c.removed) == insertedEnd && l.inserted.empty()) {
        l.removed.insert(0, c.removed);  // Backspace on
        l.at = c.at;
        return true;
    }
    if (c.at == l.at && l.inserted.empty()) {
        l.removed += c.removed;  // Delete on
        return true;
    }
    return false;
}

std::optional<EditChange> EditUndo::Inverse() const
{
    if (!last_)
        return std::nullopt;
    return EditChange { last_->at, last_->inserted, last_->removed };
}

}  // namespace tavix::native
