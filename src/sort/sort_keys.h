// The compared quantity of every criterion taken from each row once before the sort, in
// arrays the comparisons read directly. Compares exactly as CellComparer does; a criterion
// whose cells hold no plain keys (objects, error values, custom order, a missing column)
// is left to CellComparer, which then also raises what the comparison raises.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "core/huge_page_allocator.h"
#include "sort/cell_comparer.h"
#include "sort/text_keys.h"

namespace tavix {

class SortKeys {
public:
    SortKeys(const ShellSortObject& criteria, SortSource& source, int32_t rowCount);

    // Rows are positions before the sort. True when held goes at or after row.
    bool CompareRows(int32_t held, int32_t row) { return CompareFrom(0, held, row); }

    // Element r is a number for row r under the leading criteria whose comparison is a total
    // preorder (0 when none): two rows' places compare as CompareRows would over those
    // criteria. RankedCount then tells how many criteria the places cover.
    core::HugePageVector<uint64_t> Places(int32_t rowCount);
    size_t RankedCount() const { return ranked_; }
    // The places decide every comparison: rows with equal places compare equal.
    bool FullyRanked() const { return ranked_ == criteria_.size(); }

    // CompareRows for rows whose keys are equal under criteria 1..first.
    bool CompareFrom(size_t first, int32_t held, int32_t row)
    {
        const auto count = criteria_.size();
        if (first == count)
            return true;  // equal under every criterion, or no criteria at all
        for (size_t k = first;; ++k) {
            const CellOrder r = Compare(criteria_[k], held, row);
            if (k + 1 == count || !r.eq)
                return r.ge;
        }
    }

private:
    enum class Kind : uint8_t { Number, Currency, Mixed, Text, Int16, Color, Byte, Generic };
    // Value classes in their order: Null first, then numbers, then strings. Empty is a class of
    // its own only while the cells are read: it joins numbers or strings by what else comes.
    enum ValueClass : uint8_t { kNull, kNumber, kString, kEmpty };

    struct Criterion {
        Kind kind { Kind::Generic };
        bool descending { false };
        bool hasNulls { false };
        // Wrapped differences and NaN make some comparisons intransitive: no rank then.
        bool rankable { false };
        int16_t number { 0 };  // 1-based, for CellComparer
        core::HugePageVector<uint8_t> classes;
        core::HugePageVector<double> numbers;
        core::HugePageVector<int64_t> currencies;
        core::HugePageVector<int32_t> ints;  // 16-bit fields, colours and bytes widened
        std::unique_ptr<KeyColumn> texts;  // display texts, collation keys or string values
    };

    static CellOrder FromSign(int sign, bool descending)
    {
        if (sign == 0)
            return { true, true };
        return { descending ? sign < 0 : sign > 0, false };
    }

    CellOrder Compare(const Criterion& c, int32_t a, int32_t b)
    {
        const auto ia = static_cast<size_t>(a), ib = static_cast<size_t>(b);
        switch (c.kind) {
        case Kind::Number: {
            if (c.hasNulls && (c.classes[ia] == kNull || c.classes[ib] == kNull))
                return CompareNulls(c, ia, ib);
            const double d = c.numbers[ia] - c.numbers[ib];
            return FromSign((d > 0) - (d < 0), c.descending);
        }
        case Kind::Currency: {
            if (c.hasNulls && (c.classes[ia] == kNull || c.classes[ib] == kNull))
                return CompareNulls(c, ia, ib);
            const int64_t x = c.currencies[ia], y = c.currencies[ib];
            return FromSign((x > y) - (x < y), c.descending);
        }
        case Kind::Mixed: return CompareMixed(c, ia, ib);
        case Kind::Text: return FromSign(c.texts->Compare(a, b), c.descending);
        case Kind::Int16: {
            const auto d = static_cast<int16_t>(static_cast<uint16_t>(c.ints[ia] - c.ints[ib]));
            return FromSign((d > 0) - (d < 0), c.descending);
        }
        case Kind::Color: {
            const auto d = static_cast<int32_t>(static_cast<uint32_t>(c.ints[ia]) - static_cast<uint32_t>(c.ints[ib]));
            return FromSign((d > 0) - (d < 0), c.descending);
        }
        case Kind::Byte: {
            const int32_t d = c.ints[ia] - c.ints[ib];
            return FromSign((d > 0) - (d < 0), c.descending);
        }
        case Kind::Generic: break;
        }
        return fallback_->CompareCells(a, b, c.number);
    }

    // A single numeric criterion: its values mapped to numbers that order alike, no sort needed.
    bool DirectPlaces(const Criterion& c, core::HugePageVector<uint64_t>& places);
    // Dense places 0.. of every row under criterion k into ranks; returns how many there are.
    // spend: the criterion is never compared again, and its keys may be sorted where they lie.
    uint32_t CriterionRanks(size_t k, int32_t rowCount, core::HugePageVector<uint32_t>& ranks, bool spend);
    static uint32_t KeyRanks(Criterion& c, int32_t rowCount, core::HugePageVector<uint32_t>& ranks, bool spend);
    template <typename Key, typename Get>
    static uint32_t TypedRanks(const Criterion& c, int32_t rowCount, Get get, core::HugePageVector<uint32_t>& ranks);
    uint32_t StringRanks(Criterion& c, int32_t rowCount, core::HugePageVector<uint32_t>& ranks, bool spend);
    static CellOrder CompareNulls(const Criterion& c, size_t a, size_t b);
    static CellOrder CompareMixed(const Criterion& c, size_t a, size_t b);

    void ExtractValues(Criterion& c, SortSource& source, int16_t column, int32_t rowCount);
    void ExtractProperty(Criterion& c, SortSource& source, int16_t column, int32_t type, int32_t rowCount);
    void ExtractTexts(Criterion& c, SortSource& source, int16_t column, bool noCase, int32_t rowCount);

    std::vector<Criterion> criteria_;
    size_t ranked_ { 0 };
    std::unique_ptr<icu::Collator> collator_;
    std::optional<CellComparer> fallback_;
};

}  // namespace tavix
