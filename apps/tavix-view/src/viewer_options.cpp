#include "viewer_options.h"

#include <charconv>

namespace tavix::view {

namespace {

bool ParseSize(const std::string& text, int& width, int& height)
{
    auto x = text.find('x');
    if (x == std::string::npos)
        return false;
    auto number = [](const char* first, const char* last, int& out) {
        auto [end, ec] = std::from_chars(first, last, out);
        return ec == std::errc() && end == last && out >= 100 && out <= 8192;
    };
    const char* s = text.data();
    return number(s, s + x, width) && number(s + x + 1, s + text.size(), height);
}

}  // namespace

const char* ViewerOptions::Usage()
{
    return "usage: tavix-view [DATABASE] [--table NAME | --query SQL] [--virtual]\n"
           "                  [--screenshot FILE.png] [--size WxH] [--shot-dir DIR] [--no-layout] [--trace]\n"
           "Without DATABASE the bundled sample (200,000 orders) is shown.\n"
           "Keys: arrows, Page Up/Down move; letters search the current column; F5 sorts by the\n"
           "current column, Shift+F5 adds it to the sort; F12 saves a screenshot to --shot-dir;\n"
           "Escape quits. Column widths, order and sort are remembered per database and table\n"
           "(or query) in $XDG_CONFIG_HOME/tavix-view/ when the window closes; --no-layout ignores them.\n";
}

ParsedOptions ParseViewerOptions(const std::vector<std::string>& args)
{
    ViewerOptions o;
    auto fail = [](std::string message) { return ParsedOptions { std::nullopt, std::move(message) }; };
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size() || args[i + 1].empty())
                return false;
            out = args[++i];
            return true;
        };
        if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--table") {
            if (!value(o.table))
                return fail("--table needs a table name");
        } else if (a == "--query") {
            if (!value(o.query))
                return fail("--query needs an SQL statement");
        } else if (a == "--screenshot") {
            if (!value(o.screenshot))
                return fail("--screenshot needs a PNG file name");
        } else if (a == "--shot-dir") {
            if (!value(o.shotDir))
                return fail("--shot-dir needs a directory");
        } else if (a == "--size") {
            std::string size;
            if (!value(size) || !ParseSize(size, o.width, o.height))
                return fail("--size needs WIDTHxHEIGHT, each 100..8192 (e.g. 1024x640)");
        } else if (a == "--virtual") {
            o.forceVirtual = true;
        } else if (a == "--no-layout") {
            o.noLayout = true;
        } else if (a == "--trace") {
            o.trace = true;
        } else if (a.starts_with("-")) {
            return fail("unknown option " + a);
        } else if (o.database.empty()) {
            o.database = a;
        } else {
            return fail("more than one database given: " + o.database + ", " + a);
        }
    }
    if (!o.table.empty() && !o.query.empty())
        return fail("give either --table or --query, not both");
    return ParsedOptions { o, {} };
}

}  // namespace tavix::view
