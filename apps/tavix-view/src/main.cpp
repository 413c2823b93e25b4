// tavix-view: shows a table or query of an SQLite database in a Tavix grid.
#include "error_report.h"
#include "viewer_app.h"
#include "viewer_options.h"

#include <tavix/sqlite/error.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    using namespace tavix::view;
    auto parsed = ParseViewerOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.options) {
        std::fprintf(stderr, "tavix-view: %s\n%s", parsed.error.c_str(), ViewerOptions::Usage());
        return 2;
    }
    if (parsed.options->help) {
        std::fputs(ViewerOptions::Usage(), stdout);
        return 0;
    }
    const bool onDisplay = parsed.options->screenshot.empty() && std::getenv("DISPLAY") != nullptr;
    try {
        ViewerApp app(*parsed.options);
        return app.Run();
    } catch (const tavix::sqlite::Error& e) {
        ReportError(std::string("SQLite: ") + e.what(), onDisplay);
    } catch (const std::exception& e) {
        ReportError(e.what(), onDisplay);
    }
    return 1;
}
