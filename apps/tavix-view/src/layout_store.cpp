#include "layout_store.h"

#include <tavix/error.h>
#include <tavix/grid.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace tavix::view {

namespace fs = std::filesystem;

namespace {

// Stable across runs and builds, unlike std::hash: the name of a layout's file.
uint64_t Fnv1a(const std::string& text)
{
    uint64_t h = 14695981039346656037ull;
    for (unsigned char c : text) {
        h ^= c;
        h *= 1099511628211ull;
    }
    return h;
}

// The columns a layout fits: their keys in index order.
std::string ColumnKeys(const Tavix& grid)
{
    std::string keys;
    for (int32_t c = 1; c <= grid.ColCount(); ++c)
        keys += (c > 1 ? "\t" : "") + grid.ColKey(c);
    return keys;
}

// Values are kept on one line each; query texts may span several.
std::string OneLine(const std::string& text)
{
    std::string out;
    for (char c : text)
        out += c == '\n' ? "\\n" : c == '\\' ? "\\\\" : std::string(1, c);
    return out;
}

std::map<std::string, std::string> ReadEntries(const std::string& path)
{
    std::map<std::string, std::string> entries;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        const size_t eq = line.find('=');
        if (eq != std::string::npos)
            entries[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return entries;
}

}  // namespace

std::string LayoutStore::DefaultDirectory()
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr && *config == '/')
        return (fs::path(config) / "tavix-view").string();
    const char* home = std::getenv("HOME");
    return (fs::path(home != nullptr ? home : ".") / ".config" / "tavix-view").string();
}

LayoutStore::LayoutStore(std::string directory, const std::string& database, std::string source)
    : source_(std::move(source))
{
    std::error_code ec;
    const fs::path absolute = fs::weakly_canonical(database, ec);
    database_ = ec ? database : absolute.string();
    char name[32];
    std::snprintf(
        name, sizeof name, "%016llx.layout", static_cast<unsigned long long>(Fnv1a(database_ + '\n' + source_)));
    path_ = (fs::path(directory) / name).string();
}

void LayoutStore::Restore(Tavix& grid, bool withSort) const
{
    const auto entries = ReadEntries(path_);
    if (entries.empty())
        return;
    // Another result whose name hashes alike is not ours.
    if (entries.count("database") == 0 || entries.at("database") != OneLine(database_) || entries.count("source") == 0
        || entries.at("source") != OneLine(source_))
        return;
    const auto columns = entries.find("columns");
    if (columns == entries.end() || columns->second != OneLine(ColumnKeys(grid))) {
        std::fprintf(
            stderr, "tavix-view: the columns changed since the layout in %s was saved; it is dropped\n", path_.c_str());
        return;
    }
    const auto col = entries.find("LayoutCol");
    const auto sort = entries.find("LayoutSort");
    try {
        // LayoutCol applies whole or not at all; only then is the sort restored.
        if (col != entries.end())
            grid.SetLayoutCol(col->second);
        if (withSort && sort != entries.end())
            grid.SetLayoutSort(sort->second);
    } catch (const TavixError& e) {
        std::fprintf(stderr, "tavix-view: the layout in %s is damaged (%s); it is dropped\n", path_.c_str(),
            e.Description().c_str());
    }
}

void LayoutStore::Save(const Tavix& grid) const
{
    std::ostringstream text;
    text << "database=" << OneLine(database_) << "\nsource=" << OneLine(source_)
         << "\ncolumns=" << OneLine(ColumnKeys(grid)) << "\nLayoutCol=" << grid.LayoutCol()
         << "\nLayoutSort=" << grid.LayoutSort() << "\n";
    std::error_code ec;
    fs::create_directories(fs::path(path_).parent_path(), ec);
    const std::string temp = path_ + ".new";
    {
        std::ofstream out(temp, std::ios::trunc);
        out << text.str();
        if (!out.flush()) {
            std::fprintf(stderr, "tavix-view: cannot write the layout to %s\n", temp.c_str());
            return;
        }
    }
    // Renamed into place, so that a viewer ended half-way never leaves half a layout.
    fs::rename(temp, path_, ec);
    if (ec)
        std::fprintf(stderr, "tavix-view: cannot write the layout to %s: %s\n", path_.c_str(), ec.message().c_str());
}

}  // namespace tavix::view
