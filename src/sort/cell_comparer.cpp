#include "sort/cell_comparer.h"

#include <unicode/locid.h>

namespace tavix {

namespace {

CellOrder FromSign(int sign, bool descending)
{
    if (sign == 0)
        return { true, true };
    return { descending ? sign < 0 : sign > 0, false };
}

int Sign16(int16_t a, int16_t b)
{
    const auto d = static_cast<int16_t>(static_cast<uint16_t>(a) - static_cast<uint16_t>(b));
    return (d > 0) - (d < 0);
}

// System colours (0x800000nn) must compare by the wrapped difference, not as large numbers.
int SignColor(uint32_t a, uint32_t b)
{
    const auto d = static_cast<int32_t>(a - b);
    return (d > 0) - (d < 0);
}

}  // namespace

CellComparer::CellComparer(const ShellSortObject& criteria, SortSource& source, int32_t rowCount)
    : source_(source)
    , rowCount_(rowCount > 0 ? rowCount : 0)
{
    for (int16_t k = 1; k <= criteria.ColCount(); ++k)
        criteria_.push_back({ criteria.SortCol(k), criteria.SortOrder(k) == tvSortDesc, criteria.SortType(k) });
    texts_.resize(criteria_.size());
    UErrorCode status = U_ZERO_ERROR;
    collator_.reset(icu::Collator::createInstance(icu::Locale::getDefault(), status));
    // Secondary strength ignores case but keeps accents apart, as the user's locale orders words.
    if (U_SUCCESS(status) && collator_)
        collator_->setStrength(icu::Collator::SECONDARY);
    else
        collator_.reset();
}

const icu::UnicodeString& CellComparer::Text(int32_t row, int16_t criterion, icu::UnicodeString& scratch)
{
    const int16_t column = criteria_[static_cast<size_t>(criterion - 1)].column;
    if (rowCount_ == 0)
        return scratch = icu::UnicodeString::fromUTF8(source_.DisplayText(row, column));
    auto& texts = texts_[static_cast<size_t>(criterion - 1)];
    if (texts.empty())
        texts.resize(static_cast<size_t>(rowCount_) + 1);
    auto& slot = texts[static_cast<size_t>(row)];
    if (!slot)
        slot = icu::UnicodeString::fromUTF8(source_.DisplayText(row, column));
    return *slot;
}

CellOrder CellComparer::CompareValues(int32_t rowA, int32_t rowB, int16_t column, bool descending)
{
    const GridVariant& a = source_.Value(rowA, column);
    const GridVariant& b = source_.Value(rowB, column);
    if (a.IsNull() && b.IsNull())
        return { true, true };
    if (a.IsNull())
        return { descending, false };
    if (b.IsNull())
        return { !descending, false };
    return FromSign(CompareVariantValues(a, b), descending);
}

CellOrder CellComparer::CompareTexts(int32_t rowA, int32_t rowB, int16_t criterion, bool noCase, bool descending)
{
    icu::UnicodeString scratchA, scratchB;
    const icu::UnicodeString& a = Text(rowA, criterion, scratchA);
    const icu::UnicodeString& b = Text(rowB, criterion, scratchB);
    int sign;
    if (noCase && collator_) {
        UErrorCode status = U_ZERO_ERROR;
        sign = collator_->compare(a, b, status);
    } else if (noCase) {
        sign = a.caseCompare(b, U_FOLD_CASE_DEFAULT);
    } else {
        sign = a.compare(b);  // UTF-16 code unit order
    }
    return FromSign((sign > 0) - (sign < 0), descending);
}

CellOrder CellComparer::CompareCells(int32_t rowA, int32_t rowB, int16_t criterion)
{
    const Criterion& k = criteria_.at(static_cast<size_t>(criterion - 1));
    const int16_t c = k.column;
    const bool desc = k.descending;
    SortSource& s = source_;
    switch (k.type) {
    case tvSortByValue: return CompareValues(rowA, rowB, c, desc);
    case tvSortByText: return CompareTexts(rowA, rowB, criterion, false, desc);
    case tvSortByTextNoCase: return CompareTexts(rowA, rowB, criterion, true, desc);
    case tvSortByIcon: return FromSign(Sign16(s.Icon(rowA, c), s.Icon(rowB, c)), desc);
    case tvSortByExtraIcon: return FromSign(Sign16(s.ExtraIcon(rowA, c), s.ExtraIcon(rowB, c)), desc);
    case tvSortByForeColor: return FromSign(SignColor(s.ForeColor(rowA, c), s.ForeColor(rowB, c)), desc);
    case tvSortByBackColor: return FromSign(SignColor(s.BackColor(rowA, c), s.BackColor(rowB, c)), desc);
    case tvSortByFontIndex: return FromSign(Sign16(s.FontIndex(rowA, c), s.FontIndex(rowB, c)), desc);
    case tvSortBySelected: return FromSign(int { s.Selected(rowA, c) } - int { s.Selected(rowB, c) }, desc);
    case tvSortByIndentation: return FromSign(Sign16(s.Indent(rowA, c), s.Indent(rowB, c)), desc);
    case tvSortByHatch: {
        const int d = int { s.Hatch(rowA, c) } - int { s.Hatch(rowB, c) };
        return FromSign((d > 0) - (d < 0), desc);
    }
    case tvSortByCustomer: {
        // The handler sees the stored values themselves, as the event passes them by reference.
        GridVariant& v1 = s.Value(desc ? rowB : rowA, c);
        GridVariant& v2 = s.Value(desc ? rowA : rowB, c);
        bool isGreater = false;
        s.CustomSort(v1, v2, isGreater);
        return { isGreater, false };
    }
    default: return { false, false };
    }
}

bool CellComparer::CompareRows(int32_t held, int32_t row)
{
    const auto count = static_cast<int16_t>(criteria_.size());
    // Without criteria every row is already in place.
    if (count == 0)
        return true;
    for (int16_t k = 1;; ++k) {
        const CellOrder r = CompareCells(held, row, k);
        if (k == count || !r.eq)
            return r.ge;
    }
}

}  // namespace tavix
