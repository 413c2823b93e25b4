// The column layout and sort the viewer remembers per database file and table (or query
// text), one small file each under $XDG_CONFIG_HOME/tavix-view/ (~/.config/tavix-view/).
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tavix {
class Tavix;
}

namespace tavix::view {

class LayoutStore {
public:
    // The directory of $XDG_CONFIG_HOME (or ~/.config) plus "tavix-view".
    static std::string DefaultDirectory();

    // `source` names the result: "table:NAME" or "query:SQL".
    LayoutStore(std::string directory, const std::string& database, std::string source);

    // Applies the remembered layout when it was saved for the very columns the grid has now;
    // a stale one is dropped with a note on stderr and the grid is left as it was. Without
    // `withSort` only the columns are restored (a result the database sorts for the grid).
    void Restore(Tavix& grid, bool withSort) const;
    // Remembers the grid's layout; failures to write are noted on stderr, not raised.
    void Save(const Tavix& grid) const;

    const std::string& Path() const { return path_; }

private:
    std::string database_;
    std::string source_;
    std::string path_;
};

}  // namespace tavix::view
