#include "sample_database.h"

#include <tavix/sqlite/database.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace tavix::view {

namespace fs = std::filesystem;

namespace {

// Small deterministic generator so that every machine gets the same sample.
class Lcg {
public:
    explicit Lcg(uint64_t seed)
        : state_(seed)
    {
    }
    uint32_t Next()
    {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<uint32_t>(state_ >> 33);
    }
    template <size_t N> const char* Pick(const std::array<const char*, N>& words) { return words[Next() % N]; }

private:
    uint64_t state_;
};

constexpr std::array kFirst { "Ada", "Bruno", "Chiara", "Dmitri", "Elena", "Farid", "Greta", "Hugo", "Ines", "Jonas",
    "Kira", "Luca", "Mira", "Nils", "Olga", "Pavel", "Rosa", "Sven", "Tara", "Umar" };
constexpr std::array kLast { "Abbott", "Berger", "Costa", "Duval", "Eriksen", "Fischer", "Gallo", "Horvat", "Ivanova",
    "Jensen", "Keller", "Lindqvist", "Moreau", "Novak", "Olsen", "Petrov", "Quist", "Romano", "Schulz", "Varga" };
constexpr std::array kWords { "please", "deliver", "before", "noon", "fragile", "parcel", "call", "customer", "on",
    "arrival", "gift", "wrap", "invoice", "separately", "back", "door", "leave", "with", "neighbour", "express",
    "second", "attempt", "address", "changed", "warehouse", "partial", "shipment", "refund", "requested" };

std::string Note(Lcg& rng, int32_t id)
{
    // Most notes are short or empty; every ninth one runs long enough to wrap.
    int words = id % 9 == 0 ? 30 + static_cast<int>(rng.Next() % 20) : static_cast<int>(rng.Next() % 6);
    std::string note;
    for (int i = 0; i < words; ++i) {
        if (i > 0)
            note += ' ';
        note += rng.Pick(kWords);
    }
    if (!note.empty())
        note[0] = static_cast<char>(note[0] - 'a' + 'A');
    return note;
}

std::string IsoDate(int32_t dayOffset)
{
    // Days after 2021-01-01 within five years, without calendar arithmetic at run time.
    static constexpr int kMonthDays[] = { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    int year = 2021;
    int day = dayOffset;
    for (;;) {
        int len = (year % 4 == 0) ? 366 : 365;
        if (day < len)
            break;
        day -= len;
        ++year;
    }
    int month = 0;
    for (;; ++month) {
        int len = kMonthDays[month] + (month == 1 && year % 4 == 0 ? 1 : 0);
        if (day < len)
            break;
        day -= len;
    }
    char buf[48];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", year, month + 1, day + 1);
    return buf;
}

bool Writable(const fs::path& dir)
{
    std::error_code ec;
    fs::create_directories(dir, ec);
    return fs::is_directory(dir, ec) && ::access(dir.c_str(), W_OK) == 0;
}

}  // namespace

const std::vector<std::string>& SampleDatabase::Statuses()
{
    static const std::vector<std::string> statuses { "New", "Processing", "Shipped", "Delivered", "Cancelled" };
    return statuses;
}

std::string SampleDatabase::DefaultDirectory()
{
    std::vector<fs::path> candidates;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg != nullptr && *xdg != '\0')
        candidates.push_back(fs::path(xdg) / "tavix-view");
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0')
        candidates.push_back(fs::path(home) / ".local/share/tavix-view");
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec)
        candidates.push_back(exe.parent_path());
    for (const auto& dir : candidates)
        if (Writable(dir))
            return dir.string();
    return fs::current_path().string();
}

std::string SampleDatabase::Ensure(const std::string& directory, int32_t rows)
{
    fs::path path = fs::path(directory) / kFileName;
    if (fs::exists(path)) {
        try {
            // The row count is stamped in user_version when the sample is complete: counting
            // 200,000 rows would cost more than the rest of the start-up.
            sqlite::Database db(path.string());
            auto version = db.Prepare("PRAGMA user_version");
            if (version.Step() && version.Int64(0) == rows && db.HasTable(kTable))
                return path.string();
        } catch (const sqlite::Error&) {
            // An interrupted or foreign file: build it again below.
        }
    }
    // Built beside the target and renamed, so that a crash never leaves half a sample behind.
    fs::path partial = path;
    partial += ".partial";
    Create(partial.string(), rows);
    fs::rename(partial, path);
    return path.string();
}

void SampleDatabase::Create(const std::string& path, int32_t rows)
{
    std::error_code ec;
    fs::remove(path, ec);
    sqlite::Database db(path, sqlite::Database::Mode::ReadWriteCreate);
    db.Exec("PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF;"
            "CREATE TABLE orders (id INTEGER PRIMARY KEY, customer TEXT NOT NULL, order_date DATE NOT NULL,"
            " amount CURRENCY NOT NULL, status TEXT NOT NULL, paid BOOLEAN NOT NULL, note TEXT NOT NULL);"
            "BEGIN;");
    auto insert = db.Prepare("INSERT INTO orders VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)");
    Lcg rng(20240611);
    const auto& statuses = Statuses();
    for (int32_t id = 1; id <= rows; ++id) {
        std::string customer = std::string(rng.Pick(kFirst)) + ' ' + rng.Pick(kLast);
        int64_t cents = 199 + static_cast<int64_t>(rng.Next() % 250'000);
        if (id % 97 == 0)
            cents *= 40;  // a few large orders reach the thousands separators
        const std::string& status = statuses[rng.Next() % statuses.size()];
        bool paid = status == "Delivered" || status == "Shipped" || rng.Next() % 3 == 0;
        insert.Reset();
        insert.Bind(1, int64_t { id });
        insert.Bind(2, customer);
        insert.Bind(3, IsoDate(static_cast<int32_t>(rng.Next() % 1826)));
        insert.Bind(4, static_cast<double>(cents) / 100.0);
        insert.Bind(5, status);
        insert.Bind(6, int64_t { paid ? 1 : 0 });
        insert.Bind(7, Note(rng, id));
        insert.Step();
    }
    db.Exec("COMMIT; PRAGMA user_version = " + std::to_string(rows) + ";");
}

void SampleDatabase::Decorate(std::vector<ColumnInfo>& columns)
{
    for (auto& column : columns) {
        if (column.name == "status") {
            column.cellType = tvCellCombo;
            column.comboItems = Statuses();
            column.comboIcons = true;
            column.width = 120;
        } else if (column.name == "note") {
            column.width = 320;
        }
    }
}

}  // namespace tavix::view
