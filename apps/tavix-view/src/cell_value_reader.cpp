#include "cell_value_reader.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace tavix::view {

namespace {

// Days from 1970-01-01 to a proleptic Gregorian date (Howard Hinnant's civil algorithm).
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

const int64_t kOleEpoch = DaysFromCivil(1899, 12, 30);
constexpr double kJulianOfOleEpoch = 2415018.5;

bool ReadNumber(std::string_view text, size_t pos, size_t len, int& out)
{
    if (pos + len > text.size())
        return false;
    auto [end, ec] = std::from_chars(text.data() + pos, text.data() + pos + len, out);
    return ec == std::errc() && end == text.data() + pos + len;
}

bool ValidDay(int y, int m, int d)
{
    static constexpr int kDays[] = { 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    if (m < 1 || m > 12 || d < 1 || d > kDays[m - 1])
        return false;
    bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return m != 2 || d <= 28 || leap;
}

}  // namespace

std::optional<double> ParseIsoDate(std::string_view text)
{
    int y = 0, m = 0, d = 0;
    if (text.size() < 10 || text[4] != '-' || text[7] != '-' || !ReadNumber(text, 0, 4, y) || !ReadNumber(text, 5, 2, m)
        || !ReadNumber(text, 8, 2, d) || !ValidDay(y, m, d))
        return std::nullopt;
    double days = static_cast<double>(DaysFromCivil(y, static_cast<unsigned>(m), static_cast<unsigned>(d)) - kOleEpoch);
    if (text.size() == 10)
        return days;
    int hh = 0, mm = 0, ss = 0;
    if ((text[10] != ' ' && text[10] != 'T') || !ReadNumber(text, 11, 2, hh) || text.size() < 16 || text[13] != ':'
        || !ReadNumber(text, 14, 2, mm) || hh > 23 || mm > 59)
        return std::nullopt;
    if (text.size() >= 19 && text[16] == ':' && (!ReadNumber(text, 17, 2, ss) || ss > 59))
        return std::nullopt;
    return days + (hh * 3600 + mm * 60 + ss) / 86400.0;
}

GridVariant ReadCell(const SqliteStatement& stmt, int col, ColumnKind kind)
{
    using Storage = SqliteStatement::Storage;
    const Storage storage = stmt.ColumnStorage(col);
    if (storage == Storage::Null)
        return kind == ColumnKind::Boolean ? GridVariant(int32_t { 0 }) : GridVariant::Null();
    if (storage == Storage::Blob)
        return GridVariant(std::string("<blob>"));
    const bool numeric = storage == Storage::Integer || storage == Storage::Real;
    switch (kind) {
    case ColumnKind::Integer:
        if (storage == Storage::Integer) {
            int64_t v = stmt.Int64(col);
            if (v >= std::numeric_limits<int32_t>::min() && v <= std::numeric_limits<int32_t>::max())
                return GridVariant(static_cast<int32_t>(v));
            return GridVariant(static_cast<double>(v));
        }
        if (storage == Storage::Real)
            return GridVariant(stmt.Double(col));
        break;
    case ColumnKind::Real:
        if (numeric)
            return GridVariant(stmt.Double(col));
        break;
    case ColumnKind::Currency:
        if (numeric)
            return GridVariant::CurrencyFromDouble(stmt.Double(col));
        break;
    case ColumnKind::Date:
        if (storage == Storage::Real)
            return GridVariant::Date(stmt.Double(col) - kJulianOfOleEpoch);
        if (storage == Storage::Text) {
            if (auto days = ParseIsoDate(stmt.Text(col)))
                return GridVariant::Date(*days);
        }
        break;
    case ColumnKind::Boolean:
        if (numeric)
            return GridVariant(int32_t { stmt.Double(col) != 0.0 ? 1 : 0 });
        break;
    case ColumnKind::Text: break;
    }
    return GridVariant(stmt.Text(col));
}

}  // namespace tavix::view
