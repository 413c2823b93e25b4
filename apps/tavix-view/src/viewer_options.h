// The viewer's command line.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tavix::view {

struct ViewerOptions {
    std::string database;  // empty: the bundled sample
    std::string table;  // empty with no query: the first table (or the sample's)
    std::string query;
    bool forceVirtual { false };
    std::string screenshot;  // render one frame headless to this PNG
    std::string shotDir;  // F12 writes numbered PNGs here
    bool noLayout { false };  // neither restore nor remember the column layout and sort
    bool trace { false };  // print the grid's state after each key and at exit
    bool help { false };
    int width { 1024 };
    int height { 640 };

    static const char* Usage();
};

struct ParsedOptions {
    std::optional<ViewerOptions> options;
    std::string error;  // set when options is empty
};

ParsedOptions ParseViewerOptions(const std::vector<std::string>& args);

}  // namespace tavix::view
