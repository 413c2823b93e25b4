// Whole painted scenes compared with the PNGs in tests/data/golden, within a few
// levels per channel. TAVIX_UPDATE_GOLDEN=1 rewrites those PNGs instead of comparing.
#include <tavix/grid.h>
#include <tavix/native/desktop.h>
#include <tavix/native/imagelist.h>
#include <tavix/native/png.h>
#include <tavix/native/text.h>
#include <tavix/native/window.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tavix::testing {
namespace {

constexpr int kGoldenWidth = 480;
constexpr int kGoldenHeight = 260;

constexpr int kIcon = 16;

// Hard-edged shapes only: anti-aliased edges would make the goldens depend on blending details
// that the scenes do not mean to pin.
native::RgbaImage DrawIcon(int shape, uint32_t argb)
{
    native::RgbaImage img { kIcon, kIcon, std::vector<uint32_t>(kIcon * kIcon, 0) };
    for (int y = 0; y < kIcon; ++y)
        for (int x = 0; x < kIcon; ++x) {
            const int dx = 2 * x - 15, dy = 2 * y - 15;
            bool in = false;
            switch (shape) {
            case 0: in = dx * dx + dy * dy <= 13 * 13; break;
            case 1: in = x >= 2 && x <= 13 && y >= 2 && y <= 13; break;
            case 2: in = y >= 2 && y <= 13 && std::abs(dx) <= (y - 1); break;
            default: in = std::abs(x - y) <= 1 || std::abs(x + y - 15) <= 1; break;
            }
            if (in)
                img.pixels[static_cast<size_t>(y) * kIcon + x] = argb;
        }
    return img;
}

FontRef Styled(bool bold, bool italic)
{
    FontRef f;
    f.SetBold(bold);
    f.SetItalic(italic);
    return f;
}

// OLE colours are 0x00BBGGRR.
constexpr OleColor Rgb(uint32_t r, uint32_t g, uint32_t b) { return r | (g << 8) | (b << 16); }

// Four icons drawn in code (a disc, a square, a triangle, a cross), so the
// goldens do not depend on an image file; the list dies with the object.
class GoldenIcons {
public:
    GoldenIcons()
    {
        const std::array<uint32_t, 4> colours { 0xFFD03030u, 0xFF2E8B57u, 0xFF2060C0u, 0xFF805020u };
        for (int i = 0; i < 4; ++i)
            native::ImageList_AddImage(handle_, DrawIcon(i, colours[static_cast<size_t>(i)]));
    }
    ~GoldenIcons() { native::ImageList_Destroy(handle_); }
    GoldenIcons(const GoldenIcons&) = delete;
    GoldenIcons& operator=(const GoldenIcons&) = delete;
    native::HIMAGELIST Handle() const { return handle_; }

private:
    native::HIMAGELIST handle_ { native::ImageList_Create(kIcon, kIcon, native::ILC_COLOR32 | native::ILC_MASK, 4, 0) };
};

// Text and numbers in the default look.
void FillPlainScene(Tavix& grid, const GoldenIcons&)
{
    grid.AddCol(AddColArgs { .sKey = "name", .sHeader = "Name", .lWidth = 150 });
    grid.AddCol(AddColArgs { .sKey = "city", .sHeader = "City", .lWidth = 110 });
    grid.AddCol(AddColArgs { .sKey = "qty", .sHeader = "Qty", .lWidth = 60 });
    grid.AddCol(AddColArgs { .sKey = "price", .sHeader = "Price", .lWidth = 90 });
    static const std::array<const char*, 6> cities { "Lisbon", "Oslo", "Quito", "Hanoi", "Perth", "Accra" };
    for (int32_t r = 1; r <= 22; ++r) {
        grid.AddRow();
        grid.SetCellValue(r, "name", "Customer " + std::to_string(r));
        grid.SetCellValue(r, "city", cities[static_cast<size_t>(r) % cities.size()]);
        grid.SetCellValue(r, "qty", GridVariant(r * 7 % 50));
        grid.SetCellValue(r, "price", GridVariant(r * 12.25));
    }
}

// Formats, alignment, cell colours, fonts, icons, check and combo cells, hatch,
// row bands, a selected cell and the current cell.
void FillFormattedScene(Tavix& grid, const GoldenIcons& icons)
{
    grid.SetImageList(GridVariant(icons.Handle()));
    grid.SetGridLines(tvGridLinesBoth);
    grid.SetGridLinesExtend(tvGridLinesExtendBoth);
    grid.SetGridLineColor(Rgb(0xA8, 0xB4, 0xC8));
    grid.SetBackColorOddRows(Rgb(0xF0, 0xF4, 0xFF));
    grid.SetBackColorEvenRows(Rgb(0xFF, 0xFF, 0xF0));
    grid.SetShowControlsInAllCells(true);

    grid.AddCol(AddColArgs { .sKey = "item", .sHeader = "Item", .lWidth = 130 });
    grid.AddCol(AddColArgs { .sKey = "amount", .sHeader = "Amount", .lWidth = 90 });
    grid.AddCol(AddColArgs { .sKey = "share", .sHeader = "Share", .lWidth = 60 });
    grid.AddCol(AddColArgs { .sKey = "done", .sHeader = "Done", .lWidth = 40 });
    grid.AddCol(AddColArgs { .sKey = "status", .sHeader = "Status", .lWidth = 110 });
    // Sort marks only, the rows keep their order: one key ascending, one descending.
    grid.SetColSortOrder("status", tvSortAsc);
    grid.SetColSortKey("status", 1);
    grid.SetColSortOrder("amount", tvSortDesc);
    grid.SetColSortKey("amount", 2);
    grid.ColDefaultCell("amount").SetsFmtString("#,##0.00");
    grid.ColDefaultCell("amount").eTextFlags |= tvTextRight;
    grid.ColDefaultCell("share").SetsFmtString("0.0%");
    grid.ColDefaultCell("share").eTextFlags |= tvTextRight;
    grid.ColDefaultCell("done").SeteType(tvCellCheck);
    grid.ColDefaultCell("status").SeteType(tvCellCombo);

    auto& states = grid.Combos().Add("states");
    states.AddItem("Open", GridVariant(int32_t { 1 }));
    states.AddItem("Shipped", GridVariant(int32_t { 2 }));
    states.AddItem("Closed", GridVariant(int32_t { 3 }));

    static const std::array<const char*, 9> items { "Bolts", "Nuts", "Washers", "Springs", "Hinges", "Rivets", "Screws",
        "Gaskets", "Pins" };
    for (int32_t r = 1; r <= 9; ++r) {
        grid.AddRow();
        grid.SetCellValue(r, "item", items[static_cast<size_t>(r - 1)]);
        grid.SetCellIcon(r, "item", static_cast<int16_t>((r - 1) % 4));
        grid.SetCellValue(r, "amount", GridVariant((r % 3 == 0 ? -1.0 : 1.0) * r * 1234.5));
        grid.SetCellValue(r, "share", GridVariant(r / 40.0));
        grid.SetCellValue(r, "done", GridVariant(r % 2 == 0));
        grid.SetCellCtrlKey(r, "status", "states");
        grid.SetCellValue(r, "status", GridVariant(int32_t { 1 + r % 3 }));
        if (r % 3 == 0)
            grid.SetCellForeColor(r, "amount", Rgb(0xC0, 0, 0));
    }
    grid.SetCellExtraIcon(2, "item", 3);
    grid.SetCellFont(1, "item", Styled(true, false));
    grid.SetCellFont(2, "item", Styled(false, true));
    grid.SetCellBackColor(4, "item", Rgb(0xFF, 0xE0, 0x80));
    grid.SetCellBackColor(5, "amount", Rgb(0x40, 0xA0, 0x40));
    grid.SetCellHatch(5, "amount", tvHatchDiagCross);
    grid.SetCellBackColor(6, "share", Rgb(0x30, 0x30, 0x80));
    grid.SetCellForeColor(6, "share", Rgb(0xFF, 0xFF, 0xFF));
    grid.SetCellTypeFlags(7, "done", tvCheckBox3State);
    grid.SetCellValue(7, "done", GridVariant(int32_t { 2 }));
    // Multi-select keeps a selected cell apart from the current one.
    grid.SetMultiSelect(true);
    grid.SetCurCell(3, "share");
    grid.SetCellSelected(8, "amount", true);

    // A no-clip text flows over the empty amount and share cells and stops at the check cell.
    // (An end ellipsis would measure it to its own width and keep it in its cell.)
    grid.AddRow();
    grid.SetCellValue(10, "item", "A note that runs on over its empty neighbours");
    grid.SetCellTextFlags(10, "item", tvTextSingleLine | tvTextNoClip);
}

// Group rows and row text under the normal cells of taller rows.
void FillGroupScene(Tavix& grid, const GoldenIcons& icons)
{
    grid.SetImageList(GridVariant(icons.Handle()));
    grid.SetGridLines(tvGridLinesHorizontal);
    grid.SetRowMode(true);
    grid.SetDrawRowText(true);

    grid.AddCol(AddColArgs { .sKey = "id", .lWidth = 50 });
    grid.AddCol(AddColArgs { .sKey = "title", .lWidth = 170 });
    grid.AddCol(AddColArgs { .sKey = "owner", .lWidth = 100 });
    grid.AddCol(AddColArgs { .sKey = "hours", .lWidth = 60 });
    grid.AddCol(AddColArgs { .sKey = "note", .bRowTextCol = true });
    grid.ColDefaultCell("hours").eTextFlags |= tvTextRight;
    grid.SetRowTextStartCol(grid.ColIndex("title"));

    int32_t r = 0;
    auto group = [&](const std::string& title, int16_t icon) {
        grid.AddRow(AddRowArgs { .bGroupRow = true, .lGroupColStartIndex = 1 });
        ++r;
        grid.SetCellValue(r, "note", title);
        grid.SetCellIcon(r, "note", icon);
        grid.SetCellFont(r, "note", Styled(true, false));
        grid.SetCellBackColor(r, "note", Rgb(0xDD, 0xE6, 0xF2));
    };
    auto task
        = [&](int32_t id, const std::string& title, const std::string& owner, int32_t hours, const std::string& note) {
              grid.AddRow(AddRowArgs { .lHeight = note.empty() ? -1 : 30 });
              ++r;
              grid.SetCellValue(r, "id", GridVariant(id));
              grid.SetCellValue(r, "title", title);
              grid.SetCellValue(r, "owner", owner);
              grid.SetCellValue(r, "hours", GridVariant(hours));
              if (!note.empty()) {
                  grid.SetCellValue(r, "note", note);
                  grid.SetCellForeColor(r, "note", Rgb(0x60, 0x60, 0x60));
                  grid.SetCellFont(r, "note", Styled(false, true));
              }
          };
    group("Backlog", 0);
    task(101, "Parse the export", "Ana", 6, "Waits for the new file layout");
    task(102, "Retry failed uploads", "Bo", 3, "");
    task(103, "Trim old snapshots", "Chen", 2, "Keep the last seven");
    group("In progress", 1);
    task(201, "Nightly report", "Dara", 8, "");
    task(202, "Search by tag", "Eli", 5, "Needs an index on tags");
    group("Done", 2);
    task(301, "Sign-in page", "Femi", 4, "");
    grid.SetCurCell(3, "title");
}

// A disabled grid whose icons are drawn disabled.
void FillDisabledScene(Tavix& grid, const GoldenIcons& icons)
{
    grid.SetImageList(GridVariant(icons.Handle()));
    grid.SetGridLines(tvGridLinesBoth);
    grid.AddCol(AddColArgs { .sKey = "file", .lWidth = 160 });
    grid.AddCol(AddColArgs { .sKey = "size", .lWidth = 80 });
    grid.AddCol(AddColArgs { .sKey = "ok", .lWidth = 40 });
    grid.ColDefaultCell("size").eTextFlags |= tvTextRight;
    grid.ColDefaultCell("ok").SeteType(tvCellCheck);
    for (int32_t r = 1; r <= 8; ++r) {
        grid.AddRow();
        grid.SetCellValue(r, "file", "report-" + std::to_string(2000 + r) + ".csv");
        grid.SetCellIcon(r, "file", static_cast<int16_t>(r % 4));
        grid.SetCellValue(r, "size", GridVariant(r * 317));
        grid.SetCellValue(r, "ok", GridVariant(r % 3 != 0));
    }
    // Neither the cell colour nor the selection may show while disabled.
    grid.SetCellBackColor(2, "size", Rgb(0xFF, 0x80, 0x80));
    grid.SetCellSelected(4, "file", true);
    grid.SetDisableIcons(true);
    grid.SetEnabled(false);
}

// The default font at the default row height: accents over capitals and descenders whole,
// and text of other scripts from the fallback fonts.
void FillTextScene(Tavix& grid, const GoldenIcons&)
{
    grid.SetGridLines(tvGridLinesBoth);
    grid.AddCol(AddColArgs { .sKey = "text", .sHeader = "gjpqy ÁÉ", .lWidth = 300 });
    for (const char* text :
        { "gjpqy ÁÉ Ñ Ü Å", "Hugo Processing", "日本語のテキスト 中文", "مرحبا بالعالم", "Emoji 😀 🎉", "Tab\there" }) {
        grid.AddRow();
        grid.SetCellValue(grid.RowCount(), "text", text);
    }
}

std::string GoldenPath(const std::string& scene)
{
    return std::string(TAVIX_TEST_DATA_DIR) + "/golden/" + scene + ".png";
}

// Anti-aliased edges may shift by a rounding step between library versions;
// anything a real painting change moves differs by far more.
constexpr int kTolerance = 4;

bool Near(uint32_t a, uint32_t b)
{
    for (int shift : { 0, 8, 16 })
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > kTolerance)
            return false;
    return true;
}

int64_t CountDifferences(const native::Surface& frame, const native::RgbaImage& golden)
{
    int64_t diff = 0;
    for (int y = 0; y < frame.Height(); ++y)
        for (int x = 0; x < frame.Width(); ++x)
            diff += Near(frame.Pixel(x, y), golden.At(x, y)) ? 0 : 1;
    return diff;
}

// The goldens were drawn in DejaVu Sans (regular, bold, oblique); with another
// font every text would differ, which says nothing about the painting.
std::optional<std::string> OtherFont()
{
    for (const auto& [weight, italic] :
        { std::pair { native::FW_NORMAL, false }, { native::FW_BOLD, false }, { native::FW_NORMAL, true } }) {
        const native::HFONT font = native::CreateFontFromSpec({ .weight = weight, .italic = italic });
        const std::string family = native::GetFontFamily(font);
        native::DeleteObject(font);
        if (family != "DejaVu Sans")
            return family;
    }
    return std::nullopt;
}

// `focused` scenes take the keyboard focus, so the focus rectangle shows.
void ExpectSceneMatchesItsPng(const std::string& name, void (*fill)(Tavix&, const GoldenIcons&), bool focused = false)
{
    if (const auto other = OtherFont())
        FAIL() << "fontconfig resolves DejaVu Sans to \"" << *other
               << "\": install fonts-dejavu-core; the goldens cannot be compared with another font";
    // The screen is the grid's window alone, so the frame is exactly the scene.
    native::Desktop desktop(kGoldenWidth, kGoldenHeight);
    GoldenIcons icons;  // outlives the grid that draws with it
    Tavix grid;
    fill(grid, icons);
    grid.Create(0, 0, 0, kGoldenWidth, kGoldenHeight);
    if (focused)
        native::SetFocus(grid.hwnd());
    desktop.RunUntilIdle();
    const native::Surface& frame = desktop.Frame();
    if (const char* update = std::getenv("TAVIX_UPDATE_GOLDEN"); update != nullptr && std::string(update) == "1") {
        ASSERT_TRUE(native::SavePng(frame, GoldenPath(name)));
        GTEST_SKIP() << "rewrote " << GoldenPath(name);
    }
    const auto golden = native::LoadPngRgba(GoldenPath(name));
    ASSERT_TRUE(golden.has_value()) << "missing " << GoldenPath(name);
    ASSERT_EQ(golden->width, frame.Width());
    ASSERT_EQ(golden->height, frame.Height());
    const int64_t diff = CountDifferences(frame, *golden);
    if (diff != 0) {
        std::filesystem::create_directories(TAVIX_TEST_OUTPUT_DIR);
        const std::string actual = std::string(TAVIX_TEST_OUTPUT_DIR) + "/golden-" + name + ".png";
        native::SavePng(frame, actual);
        FAIL() << diff << " pixels differ by more than " << kTolerance << " levels from " << GoldenPath(name)
               << "; actual image: " << actual;
    }
}

TEST(Golden, Plain) { ExpectSceneMatchesItsPng("plain", &FillPlainScene); }
TEST(Golden, Formatted) { ExpectSceneMatchesItsPng("formatted", &FillFormattedScene, true); }
TEST(Golden, Groups) { ExpectSceneMatchesItsPng("groups", &FillGroupScene, true); }
TEST(Golden, Disabled) { ExpectSceneMatchesItsPng("disabled", &FillDisabledScene); }
TEST(Golden, Text) { ExpectSceneMatchesItsPng("text", &FillTextScene); }

}  // namespace
}  // namespace tavix::testing
