#include "sort/sort_keys.h"

#include <tavix/error.h>

#include "host/utf16_units.h"

#include <unicode/locid.h>
#include <unicode/ustring.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <exception>
#include <limits>
#include <string>
#include <string_view>
#include <utility>

namespace tavix {

namespace {

bool IsCurrency(const GridVariant& v) { return v.VarType() == VtCurrency; }

bool IsPlainNumber(const GridVariant& v)
{
    switch (v.VarType()) {
    case VtInteger:
    case VtLong:
    case VtSingle:
    case VtDouble:
    case VtDate:
    case VtBoolean:
    case VtByte: return true;
    default: return false;
    }
}

// UTF-16 as icu::UnicodeString::fromUTF8 gives it (U+FFFD for bad bytes), into a reused buffer.
std::u16string_view ToUtf16(std::string_view text, std::u16string& buffer)
{
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    buffer.resize(buffer.capacity() > text.size() ? buffer.capacity() : text.size());
    u_strFromUTF8WithSub(buffer.data(), static_cast<int32_t>(buffer.size()), &length, text.data(),
        static_cast<int32_t>(text.size()), 0xFFFD, nullptr, &status);
    return U_SUCCESS(status) ? std::u16string_view(buffer.data(), static_cast<size_t>(length)) : std::u16string_view();
}

// A text's bytes as a key: ASCII text is its own key, as its units are its bytes.
std::u8string_view AsBytes(std::string_view text)
{
    return { reinterpret_cast<const char8_t*>(text.data()), text.size() };
}

// A string value's key: its UTF-16 code units as CompareVariantValues reads them, as bytes.
std::u8string_view ValueKey(std::string_view text, std::u8string& buffer)
{
    if (IsAscii(text))
        return AsBytes(text);
    buffer.clear();
    Utf16Units units(text);
    for (uint32_t unit = 0; units.Next(unit);)
        AppendUnitBytes(unit, buffer);
    return buffer;
}

// A display text's key: its UTF-16 code units as ICU reads them, as bytes.
std::u8string_view TextKey(std::string_view text, std::u16string& utf16, std::u8string& buffer)
{
    if (IsAscii(text))
        return AsBytes(text);
    buffer.clear();
    for (const char16_t unit : ToUtf16(text, utf16))
        AppendUnitBytes(unit, buffer);
    return buffer;
}

std::unique_ptr<icu::Collator> MakeCollator()
{
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Collator> collator(icu::Collator::createInstance(icu::Locale::getDefault(), status));
    if (U_FAILURE(status) || !collator)
        return nullptr;
    // The same strength CellComparer compares with.
    collator->setStrength(icu::Collator::SECONDARY);
    return collator;
}

}  // namespace

SortKeys::SortKeys(const ShellSortObject& criteria, SortSource& source, int32_t rowCount)
{
    criteria_.resize(static_cast<size_t>(criteria.ColCount()));
    for (int16_t k = 1; k <= criteria.ColCount(); ++k) {
        Criterion& c = criteria_[static_cast<size_t>(k - 1)];
        c.number = k;
        c.descending = criteria.SortOrder(k) == tvSortDesc;
        const int16_t column = criteria.SortCol(k);
        const int32_t type = criteria.SortType(k);
        try {
            if (type == tvSortByValue)
                ExtractValues(c, source, column, rowCount);
            else if (type == tvSortByText || type == tvSortByTextNoCase)
                ExtractTexts(c, source, column, type == tvSortByTextNoCase, rowCount);
            else
                ExtractProperty(c, source, column, type, rowCount);
        } catch (const TavixError&) {
            // The exact comparison raises it again when the sort first reaches this criterion.
            c = Criterion { .kind = Kind::Generic, .descending = c.descending, .number = k };
        }
        if (c.kind == Kind::Generic && !fallback_)
            fallback_.emplace(criteria, source, rowCount);
    }
    while (ranked_ < criteria_.size() && criteria_[ranked_].rankable)
        ++ranked_;
}

namespace {

// Dense ranks 0.. of the rows by their keys; returns the number of distinct keys.
template <typename Key>
uint32_t DenseRanks(core::HugePageVector<std::pair<Key, int32_t>>& keys, core::HugePageVector<uint32_t>& ranks)
{
    std::sort(keys.begin(), keys.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    uint32_t rank = 0;
    for (size_t i = 0; i < keys.size(); ++i) {
        if (i > 0 && keys[i - 1].first < keys[i].first)
            ++rank;
        ranks[static_cast<size_t>(keys[i].second)] = rank;
    }
    return keys.empty() ? 0 : rank + 1;
}

}  // namespace

template <typename Key, typename Get>
uint32_t SortKeys::TypedRanks(const Criterion& c, int32_t rowCount, Get get, core::HugePageVector<uint32_t>& ranks)
{
    ranks.resize(static_cast<size_t>(rowCount) + 1);
    core::HugePageVector<std::pair<Key, int32_t>> keys;
    keys.reserve(static_cast<size_t>(rowCount));
    for (int32_t r = 1; r <= rowCount; ++r)
        if (!c.hasNulls || c.classes[static_cast<size_t>(r)] != kNull)
            keys.emplace_back(get(static_cast<size_t>(r)), r);
    const uint32_t count = DenseRanks(keys, ranks);
    // Ascending ranks to places: descending reverses them; Nulls go first ascending, last descending.
    for (int32_t r = 1; r <= rowCount; ++r) {
        uint32_t& rank = ranks[static_cast<size_t>(r)];
        if (c.hasNulls && c.classes[static_cast<size_t>(r)] == kNull)
            rank = c.descending ? count : 0;
        else
            rank = (c.descending ? count - 1 - rank : rank) + (c.hasNulls && !c.descending ? 1 : 0);
    }
    return count + (c.hasNulls ? 1 : 0);
}

uint32_t SortKeys::KeyRanks(Criterion& c, int32_t rowCount, core::HugePageVector<uint32_t>& ranks, bool spend)
{
    KeyColumn& column = *c.texts;
    // The distinct keys are sorted as packed keys, so most comparisons stay within the array; in
    // a copy when the rows may still be compared.
    core::HugePageVector<PackedKey> copy;
    if (!spend)
        copy.assign(column.Keys().begin(), column.Keys().end());
    core::HugePageVector<PackedKey>& keys = spend ? column.SpendKeys() : copy;
    auto less = [&](const PackedKey& a, const PackedKey& b) { return column.Compare(a, b) < 0; };
    std::sort(keys.begin(), keys.end(), less);
    core::HugePageVector<uint32_t> rankOfId(keys.size());
    uint32_t rank = 0;
    for (size_t i = 0; i < keys.size(); ++i) {
        if (i > 0 && less(keys[i - 1], keys[i]))
            ++rank;
        rankOfId[keys[i].id] = rank;
    }
    // The ranks take the ids' memory when the rows are compared no more.
    if (spend)
        ranks = column.SpendIds();
    else
        ranks.resize(static_cast<size_t>(rowCount) + 1);
    for (int32_t r = 1; r <= rowCount; ++r) {
        uint32_t& x = ranks[static_cast<size_t>(r)];
        x = rankOfId[spend ? x : column.IdOf(r)];
        if (c.descending)
            x = rank - x;
    }
    return rank + 1;
}

// Strings and Nulls only, the usual text column sorted by value: the texts' ranks, with the
// Nulls first ascending and last descending.
uint32_t SortKeys::StringRanks(Criterion& c, int32_t rowCount, core::HugePageVector<uint32_t>& ranks, bool spend)
{
    const uint32_t count = KeyRanks(c, rowCount, ranks, spend);
    if (!c.hasNulls)
        return count;
    for (int32_t r = 1; r <= rowCount; ++r) {
        uint32_t& rank = ranks[static_cast<size_t>(r)];
        if (c.classes[static_cast<size_t>(r)] == kNull)
            rank = c.descending ? count : 0;
        else if (!c.descending)
            ++rank;
    }
    return count + 1;
}

uint32_t SortKeys::CriterionRanks(size_t k, int32_t rowCount, core::HugePageVector<uint32_t>& ranks, bool spend)
{
    Criterion& c = criteria_[k];
    switch (c.kind) {
    case Kind::Number:
        return TypedRanks<double>(
            c, rowCount, [&](size_t r) { return c.numbers[r]; }, ranks);
    case Kind::Currency:
        return TypedRanks<int64_t>(
            c, rowCount, [&](size_t r) { return c.currencies[r]; }, ranks);
    case Kind::Int16:
    case Kind::Byte:
        return TypedRanks<int32_t>(
            c, rowCount, [&](size_t r) { return c.ints[r]; }, ranks);
    case Kind::Color:
        return TypedRanks<uint32_t>(
            c, rowCount, [&](size_t r) { return static_cast<uint32_t>(c.ints[r]); }, ranks);
    case Kind::Text: return KeyRanks(c, rowCount, ranks, spend);
    case Kind::Mixed:
        if (std::find(c.classes.begin() + 1, c.classes.end(), kNumber) == c.classes.end())
            return StringRanks(c, rowCount, ranks, spend);
        break;
    default: break;
    }
    // Values mixing numbers, strings and Nulls: ordered by the criterion's own comparison.
    auto before = [&](int32_t a, int32_t b) {
        const CellOrder r = Compare(c, a, b);
        return !r.eq && !r.ge;
    };
    ranks.resize(static_cast<size_t>(rowCount) + 1);
    core::HugePageVector<int32_t> rows(static_cast<size_t>(rowCount));
    for (int32_t r = 1; r <= rowCount; ++r)
        rows[static_cast<size_t>(r - 1)] = r;
    std::sort(rows.begin(), rows.end(), before);
    uint32_t rank = 0;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (i > 0 && before(rows[i - 1], rows[i]))
            ++rank;
        ranks[static_cast<size_t>(rows[i])] = rank;
    }
    return rank + 1;
}

core::HugePageVector<uint64_t> SortKeys::Places(int32_t rowCount)
{
    core::HugePageVector<uint64_t> places(static_cast<size_t>(rowCount > 0 ? rowCount : 0) + 1);
    if (ranked_ == 0 || rowCount < 1) {
        ranked_ = 0;
        return places;
    }
    if (ranked_ == 1 && DirectPlaces(criteria_[0], places))
        return places;
    // Each criterion's places are folded into one number per row while the product fits. Each
    // criterion's ranks take memory only when they cannot take over that of its keys.
    core::HugePageVector<uint32_t> ranks;
    uint64_t distinct = 1;
    size_t k = 0;
    for (; k < ranked_; ++k) {
        // A criterion whose places surely fit is never compared again; its keys have at most
        // one place more than they hold distinct keys, the Nulls'.
        const Criterion& c = criteria_[k];
        const uint64_t most = c.texts ? c.texts->Keys().size() + uint64_t { 1 } : 0;
        const bool spend = most != 0 && distinct <= std::numeric_limits<uint64_t>::max() / most;
        const uint32_t count = CriterionRanks(k, rowCount, ranks, spend);
        if (distinct > std::numeric_limits<uint64_t>::max() / count)
            break;
        for (size_t r = 1; r < ranks.size(); ++r)
            places[r] = places[r] * count + ranks[r];
        distinct *= count;
    }
    ranked_ = k;
    return places;
}

bool SortKeys::DirectPlaces(const Criterion& c, core::HugePageVector<uint64_t>& places)
{
    constexpr uint64_t kSign = uint64_t { 1 } << 63;
    // Doubles as unsigned numbers that order alike; -0 and 0 are one value, as their difference is.
    // Whole numbers keep their own span, a few bits the radix sort of the places goes through
    // quickly, where the bits of their doubles would spread over the exponent as well.
    constexpr double kExact = 9007199254740992.0;  // 2^53
    const bool whole = c.kind == Kind::Number && std::all_of(c.numbers.begin() + 1, c.numbers.end(), [](double d) {
        return d == std::trunc(d) && std::abs(d) < kExact;
    });
    auto bits = [whole](double d) {
        if (whole)
            return static_cast<uint64_t>(static_cast<int64_t>(d) + (int64_t { 1 } << 60));
        const auto b = std::bit_cast<uint64_t>(d == 0 ? 0.0 : d);
        return (b & kSign) ? ~b : b | kSign;
    };
    for (size_t r = 1; r < places.size(); ++r) {
        uint64_t key = 0;  // 0 and all ones stay free for Nulls, first or last
        switch (c.kind) {
        case Kind::Number:
            if (c.hasNulls && c.classes[r] == kNull) {
                places[r] = c.descending ? std::numeric_limits<uint64_t>::max() : 0;
                continue;
            }
            key = bits(c.numbers[r]);
            break;
        case Kind::Color: key = uint64_t { static_cast<uint32_t>(c.ints[r]) } + 1; break;
        case Kind::Int16:
        case Kind::Byte: key = static_cast<uint64_t>(int64_t { c.ints[r] } + (int64_t { 1 } << 31)) + 1; break;
        default: return false;
        }
        places[r] = c.descending ? ~key : key;
    }
    return true;
}

void SortKeys::ExtractValues(Criterion& c, SortSource& source, int16_t column, int32_t rowCount)
{
    // One reading of the cells makes the keys; each kind's array is taken when its first value comes.
    const auto size = static_cast<size_t>(rowCount) + 1;
    c.classes.assign(size, kNull);
    bool numbers = false, currencies = false, empties = false;
    std::u8string buffer;
    constexpr int32_t kBatch = 64;
    std::array<const GridVariant*, kBatch> batch;
    for (int32_t r = 1; r <= rowCount; ++r) {
        if ((r - 1) % kBatch == 0)
            source.Values(column, r, std::min(kBatch, rowCount - r + 1), batch.data());
        const GridVariant& v = *batch[static_cast<size_t>((r - 1) % kBatch)];
        const auto i = static_cast<size_t>(r);
        if (v.IsString()) {
            if (!c.texts) {
                c.texts = std::make_unique<KeyColumn>(rowCount);
                for (int32_t before = 1; before < r; ++before)
                    c.texts->Add({});
            }
            c.classes[i] = kString;
            c.texts->Add(ValueKey(v.AsString(), buffer));
            continue;
        }
        if (c.texts)
            c.texts->Add({});
        if (v.IsNull()) {
            c.hasNulls = true;
        } else if (IsCurrency(v)) {
            currencies = true;
            if (c.currencies.empty())
                c.currencies.assign(size, 0);
            c.currencies[i] = v.AsCurrencyScaled();
            c.classes[i] = kNumber;
        } else if (v.IsEmpty()) {
            empties = true;
            c.classes[i] = kEmpty;
        } else if (IsPlainNumber(v)) {
            numbers = true;
            if (c.numbers.empty())
                c.numbers.assign(size, 0.0);
            c.numbers[i] = v.ToDouble();
            c.classes[i] = kNumber;
        } else {
            // Objects and errors raise; decimals compare exactly, which a double cannot.
            c = Criterion { .kind = Kind::Generic, .descending = c.descending, .number = c.number };
            return;
        }
    }
    const bool strings = c.texts != nullptr;
    if (strings)
        c.texts->Finish();
    // Empty is 0 against a number and "" against a string, and 0 < "": no single key holds it.
    if ((empties && strings && (numbers || currencies)) || (currencies && (numbers || empties || strings))) {
        c = Criterion { .kind = Kind::Generic, .descending = c.descending, .number = c.number };
        return;
    }
    if (empties)
        std::replace(c.classes.begin(), c.classes.end(), uint8_t { kEmpty }, uint8_t { strings ? kString : kNumber });
    c.kind = strings ? Kind::Mixed : (currencies ? Kind::Currency : Kind::Number);
    if (c.kind == Kind::Number && c.numbers.empty())
        c.numbers.assign(size, 0.0);  // Empty and Null only
    c.rankable = std::none_of(c.numbers.begin(), c.numbers.end(), [](double d) { return std::isnan(d); });
}

void SortKeys::ExtractTexts(Criterion& c, SortSource& source, int16_t column, bool noCase, int32_t rowCount)
{
    if (noCase && !collator_)
        collator_ = MakeCollator();
    if (noCase && !collator_)
        return;
    c.texts = std::make_unique<KeyColumn>(rowCount);
    std::u16string utf16;
    std::u8string buffer;
    for (int32_t r = 1; r <= rowCount; ++r) {
        const std::string text = source.DisplayText(r, column);
        // Collation keys are costly: they are made once per distinct text, from the texts as they are.
        c.texts->Add(noCase ? AsBytes(text) : TextKey(text, utf16, buffer));
    }
    c.texts->Finish();
    if (noCase) {
        std::vector<uint8_t> key;
        c.texts->Rekey([&](std::u8string_view text) {
            const std::u16string_view units
                = ToUtf16({ reinterpret_cast<const char*>(text.data()), text.size() }, utf16);
            const auto size = static_cast<int32_t>(units.size());
            int32_t length = collator_->getSortKey(units.data(), size, key.data(), static_cast<int32_t>(key.size()));
            if (length > static_cast<int32_t>(key.size())) {
                key.resize(static_cast<size_t>(length) * 2);
                length = collator_->getSortKey(units.data(), size, key.data(), static_cast<int32_t>(key.size()));
            }
            // The terminating zero is left out: keys hold no other zero byte, so order is unchanged.
            return std::u8string_view(
                reinterpret_cast<const char8_t*>(key.data()), static_cast<size_t>(length > 0 ? length - 1 : 0));
        });
    }
    c.kind = Kind::Text;
    c.rankable = true;
}

void SortKeys::ExtractProperty(Criterion& c, SortSource& source, int16_t column, int32_t type, int32_t rowCount)
{
    auto fill = [&](Kind kind, auto get) {
        c.ints.resize(static_cast<size_t>(rowCount) + 1);
        for (int32_t r = 1; r <= rowCount; ++r)
            c.ints[static_cast<size_t>(r)] = static_cast<int32_t>(get(r));
        c.kind = kind;
        // Within a span below the wrap the wrapped difference has the true sign.
        const auto [low, high] = std::minmax_element(c.ints.begin() + 1, c.ints.end(), [&](int32_t a, int32_t b) {
            return kind == Kind::Color ? static_cast<uint32_t>(a) < static_cast<uint32_t>(b) : a < b;
        });
        const uint32_t span = rowCount < 1 ? 0 : static_cast<uint32_t>(*high) - static_cast<uint32_t>(*low);
        c.rankable = kind == Kind::Byte || span <= (kind == Kind::Int16 ? 0x7FFFu : 0x7FFFFFFFu);
    };
    switch (type) {
    case tvSortByIcon: return fill(Kind::Int16, [&](int32_t r) { return source.Icon(r, column); });
    case tvSortByExtraIcon: return fill(Kind::Int16, [&](int32_t r) { return source.ExtraIcon(r, column); });
    case tvSortByFontIndex: return fill(Kind::Int16, [&](int32_t r) { return source.FontIndex(r, column); });
    case tvSortByIndentation: return fill(Kind::Int16, [&](int32_t r) { return source.Indent(r, column); });
    case tvSortByForeColor: return fill(Kind::Color, [&](int32_t r) { return source.ForeColor(r, column); });
    case tvSortByBackColor: return fill(Kind::Color, [&](int32_t r) { return source.BackColor(r, column); });
    case tvSortBySelected: return fill(Kind::Byte, [&](int32_t r) { return source.Selected(r, column); });
    case tvSortByHatch: return fill(Kind::Byte, [&](int32_t r) { return source.Hatch(r, column); });
    default: return;  // custom order and unknown types
    }
}

CellOrder SortKeys::CompareNulls(const Criterion& c, size_t a, size_t b)
{
    const bool nullA = c.classes[a] == kNull, nullB = c.classes[b] == kNull;
    if (nullA && nullB)
        return { true, true };
    return { nullA ? c.descending : !c.descending, false };
}

CellOrder SortKeys::CompareMixed(const Criterion& c, size_t a, size_t b)
{
    const uint8_t ca = c.classes[a], cb = c.classes[b];
    if (ca == kNull || cb == kNull)
        return CompareNulls(c, a, b);
    if (ca != cb)
        return FromSign(ca < cb ? -1 : 1, c.descending);
    if (ca == kString)
        return FromSign(c.texts->Compare(static_cast<int32_t>(a), static_cast<int32_t>(b)), c.descending);
    const double d = c.numbers[a] - c.numbers[b];
    return FromSign((d > 0) - (d < 0), c.descending);
}

}  // namespace tavix
