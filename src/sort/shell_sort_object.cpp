#include <tavix/shell_sort_object.h>

#include <tavix/error.h>

namespace tavix {

namespace {
constexpr int32_t kInvalidArgument = 514;
}

void ShellSortObject::SetColCount(int16_t count)
{
    if (count < 0)
        throw TavixError::Grid(kInvalidArgument);
    const auto old = criteria_.size();
    criteria_.resize(static_cast<size_t>(count));
    for (size_t i = old; i < criteria_.size(); ++i)
        criteria_[i] = Criterion { static_cast<int16_t>(i + 1), tvSortAsc, tvSortByValue };
}

const ShellSortObject::Criterion& ShellSortObject::At(int16_t index) const
{
    if (index < 1 || index > ColCount())
        throw TavixError::Grid(kInvalidArgument);
    return criteria_[static_cast<size_t>(index - 1)];
}

ShellSortObject::Criterion& ShellSortObject::At(int16_t index)
{
    return const_cast<Criterion&>(static_cast<const ShellSortObject&>(*this).At(index));
}

int16_t ShellSortObject::SortCol(int16_t index) const { return At(index).column; }
void ShellSortObject::SetSortCol(int16_t index, int16_t column) { At(index).column = column; }
int32_t ShellSortObject::SortOrder(int16_t index) const { return At(index).order; }
void ShellSortObject::SetSortOrder(int16_t index, int32_t order) { At(index).order = order; }
int32_t ShellSortObject::SortType(int16_t index) const { return At(index).type; }
void ShellSortObject::SetSortType(int16_t index, int32_t type) { At(index).type = type; }

}  // namespace tavix
