#include "viewer_options.h"

#include <gtest/gtest.h>

namespace tavix::view {
namespace {

TEST(ViewerOptions, ParsesEveryOption)
{
    auto p = ParseViewerOptions({ "shop.db", "--query", "SELECT 1;", "--virtual", "--screenshot", "a.png", "--size",
        "800x600", "--shot-dir", "shots", "--trace" });
    ASSERT_TRUE(p.options) << p.error;
    const ViewerOptions& o = *p.options;
    EXPECT_EQ(o.database, "shop.db");
    EXPECT_EQ(o.query, "SELECT 1;");
    EXPECT_TRUE(o.forceVirtual && o.trace);
    EXPECT_EQ(o.screenshot, "a.png");
    EXPECT_EQ(o.shotDir, "shots");
    EXPECT_EQ(o.width, 800);
    EXPECT_EQ(o.height, 600);

    auto defaults = ParseViewerOptions({});
    ASSERT_TRUE(defaults.options);
    EXPECT_TRUE(defaults.options->database.empty());
    EXPECT_FALSE(defaults.options->forceVirtual);
}

TEST(ViewerOptions, RejectsWithAReason)
{
    struct Case {
        std::vector<std::string> args;
        std::string error;
    };
    const Case cases[] = {
        { { "--table" }, "--table needs a table name" },
        { { "--query", "" }, "--query needs an SQL statement" },
        { { "--table", "t", "--query", "q" }, "give either --table or --query, not both" },
        { { "--size", "800" }, "--size needs WIDTHxHEIGHT, each 100..8192 (e.g. 1024x640)" },
        { { "--size", "800x" }, "--size needs WIDTHxHEIGHT, each 100..8192 (e.g. 1024x640)" },
        { { "--size", "99x600" }, "--size needs WIDTHxHEIGHT, each 100..8192 (e.g. 1024x640)" },
        { { "--size", "800x600px" }, "--size needs WIDTHxHEIGHT, each 100..8192 (e.g. 1024x640)" },
        { { "--fast" }, "unknown option --fast" },
        { { "a.db", "b.db" }, "more than one database given: a.db, b.db" },
    };
    for (const auto& c : cases) {
        auto p = ParseViewerOptions(c.args);
        EXPECT_FALSE(p.options) << c.args[0];
        EXPECT_EQ(p.error, c.error);
    }
}

}  // namespace
}  // namespace tavix::view
