#include "viewer_app.h"

#include "listed_values.h"
#include "null_cells.h"
#include "sample_database.h"

#include <tavix/native/clipboard.h>
#include <tavix/native/message_box.h>
#include <tavix/native/window_paint.h>
#include <tavix/native/x11_display.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace tavix::view {

namespace fs = std::filesystem;

ViewerApp::ViewerApp(ViewerOptions options)
    : o_(std::move(options))
{
}

ViewerApp::~ViewerApp()
{
    window_.reset();
    loader_.reset();
    grid_.reset();
}

double ViewerApp::MsSinceStart() const
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start_).count();
}

void ViewerApp::OpenDatabase()
{
    std::string path = o_.database;
    if (path.empty()) {
        std::string dir = SampleDatabase::DefaultDirectory();
        if (!fs::exists(fs::path(dir) / SampleDatabase::kFileName))
            std::printf("creating the sample database in %s ...\n", dir.c_str());
        path = SampleDatabase::Ensure(dir);
        isSample_ = true;
    } else if (!fs::exists(path)) {
        throw std::runtime_error("no such database file: " + path);
    }
    // Read-write for the edits; a read-only file still opens, and its writes fail with a message.
    db_ = std::make_unique<sqlite::Database>(path, sqlite::Database::Mode::ReadWriteCreate);

    std::string what;
    if (!o_.query.empty()) {
        sql_ = o_.query;
        what = "query";
    } else {
        table_ = ChooseTable();
        sql_ = GridLoader::TableQuery(table_);
        what = table_;
    }
    title_ = fs::path(path).filename().string() + " \xE2\x80\x94 " + what;
}

std::string ViewerApp::ChooseTable()
{
    const std::string& path = db_->Path();
    if (!o_.table.empty()) {
        if (!db_->HasTable(o_.table))
            throw std::runtime_error(path + " has no table or view named " + o_.table);
        return o_.table;
    }
    if (isSample_)
        return SampleDatabase::kTable;
    const std::vector<std::string> tables = db_->Tables();
    if (tables.empty())
        throw std::runtime_error(path + " has no tables");
    if (tables.size() > 1) {
        std::string list;
        for (const std::string& table : tables)
            list += (list.empty() ? "" : ", ") + table;
        std::fprintf(stderr, "tavix-view: %s has %zu tables: %s\ntavix-view: showing %s (--table NAME shows another)\n",
            path.c_str(), tables.size(), list.c_str(), tables.front().c_str());
    }
    return tables.front();
}

void ViewerApp::Load()
{
    // A table's text columns limited to listed values show as combos; the sample's statuses carry icons too.
    const ListedValues lists = table_.empty() ? ListedValues {} : ListedValuesOf(*db_, table_);
    const GridLoader::Decorator decorate = [&lists, sample = isSample_](std::vector<ColumnInfo>& columns) {
        ShowListsAsCombos(columns, lists);
        if (sample)
            SampleDatabase::Decorate(columns);
    };
    if (!table_.empty() && sqlSort_.Keys().empty())
        loader_->LoadTable(table_, o_.forceVirtual, decorate, sql_);
    else  // a result shown in virtual mode stays so when read again sorted: no need to measure it twice
        loader_->Load(sqlSort_.Wrap(sql_), o_.forceVirtual || loader_->IsVirtual(), decorate);
    writer_->Loaded(table_);
}

int ViewerApp::Run()
{
    OpenDatabase();
    const bool headless = !o_.screenshot.empty() || std::getenv("DISPLAY") == nullptr;
    desktop_ = std::make_unique<native::Desktop>(o_.width, o_.height);
    grid_ = std::make_unique<Tavix>();
    grid_->SetEventSink(&events_);
    grid_->SetKeyPressBehaviour(tvKeyPressSearchCurCol);
    if (isSample_) {
        icons_ = std::make_unique<StatusIcons>();
        grid_->SetImageList(GridVariant(static_cast<int32_t>(icons_->Handle())));
    }
    loader_ = std::make_unique<GridLoader>(*grid_, *db_);
    SetUpEditing();
    events_.SetLoader(loader_.get());
    events_.SetVirtualSortHandler(
        [this](int32_t col, bool add) { window_->Defer((col << kColumnShift) | (add ? kSortAdd : kSort)); });
    ViewerWindow::KeyHandlers keys {
        .command = [this](int vk, bool shift) { return OnCommandKey(vk, shift); },
        .after = [this](bool isChar, int code) { Trace((isChar ? "char " : "key ") + std::to_string(code)); },
        .deferred = [this](int command) { RunDeferred(command); },
    };
    // Loaded before the window exists, so that the window's first paint already shows the rows.
    Load();
    window_ = std::make_unique<ViewerWindow>(*grid_, title_, o_.width, o_.height, std::move(keys));
    // Restored once the window has laid the grid out, as a sort made there would be, and
    // still before its first paint.
    if (!o_.noLayout) {
        layouts_.emplace(
            LayoutStore::DefaultDirectory(), db_->Path(), table_.empty() ? "query:" + sql_ : "table:" + table_);
        // A result the database sorts for the grid keeps only its columns' layout.
        layouts_->Restore(*grid_, !loader_->IsVirtual());
    }
    if (headless)
        return RunHeadless(o_.screenshot.empty() ? "tavix-view.png" : o_.screenshot);
    return RunOnDisplay();
}

int ViewerApp::RunHeadless(const std::string& path)
{
    desktop_->RunUntilIdle();
    desktop_->Frame();
    if (o_.trace)
        std::printf("first-frame-ms %.1f\n", MsSinceStart());
    if (!desktop_->Screenshot(path))
        throw std::runtime_error("cannot write " + path);
    std::printf("%s\n", fs::absolute(path).c_str());
    Trace("exit");
    return 0;
}

int ViewerApp::RunOnDisplay()
{
    native::X11Display display(*desktop_, nullptr, title_.c_str(), "tavix-view");
    if (!display.IsOpen())
        throw std::runtime_error("cannot open the X display; use --screenshot FILE.png without one");
    bool first = true;
    int width = desktop_->Width(), height = desktop_->Height();
    while (!quit_ && display.PumpOnce(10)) {
        if (first && o_.trace)
            std::printf("first-frame-ms %.1f\n", MsSinceStart());
        if (first)
            Trace("ready");
        first = false;
        if (desktop_->Width() != width || desktop_->Height() != height) {
            width = desktop_->Width();
            height = desktop_->Height();
            window_->Resize(width, height);
        }
    }
    if (layouts_)
        layouts_->Save(*grid_);
    Trace("exit");
    window_.reset();
    return 0;
}

bool ViewerApp::OnCommandKey(int vk, bool shift)
{
    switch (vk) {
    case native::VK_ESCAPE: quit_ = true; return true;
    case native::VK_F5: window_->Defer(shift ? kSortAdd : kSort); return true;
    case native::VK_F12: SaveShot(); return true;
    case 'C':
        if ((native::GetKeyState(native::VK_CONTROL) & 0x8000) == 0)
            return false;
        CopySelection();
        return true;
    default: return false;
    }
}

void ViewerApp::RunDeferred(int command)
{
    const bool add = (command & kSortAdd) != 0;
    const int32_t col = command >> kColumnShift;
    SortByColumn(col != 0 ? col : grid_->CurCol(), add);
    Trace(add ? "sort-add" : "sort");
}

void ViewerApp::SortByColumn(int32_t col, bool add)
{
    if (col <= 0 || col > grid_->ColCount())
        return;
    if (!loader_->IsVirtual()) {
        grid_->DoDefaultSort(col, add ? int16_t { 1 } : int16_t { 0 });
        return;
    }
    // Rows not read yet can only be sorted by the database: read the result again in the new order,
    // with the columns as the user has arranged them since it was opened.
    const std::string columns = grid_->LayoutCol();
    sqlSort_.Apply(col, grid_->ColHeaderText(col), add);
    Load();
    grid_->SetLayoutCol(columns);
    // The header shows the database's order as it would show the grid's own.
    for (size_t k = 0; k < sqlSort_.Keys().size(); ++k) {
        const SqlSort::Key& key = sqlSort_.Keys()[k];
        grid_->SetColSortKey(GridVariant(key.column), static_cast<int32_t>(k + 1));
        grid_->SetColSortOrder(GridVariant(key.column), key.descending ? tvSortDesc : tvSortAsc);
    }
    // Painting now requests the first rows, so the current cell can go back to the sorted column.
    native::InvalidateRect(grid_->hwnd(), nullptr, false);
    native::UpdateWindow(grid_->hwnd());
    if (grid_->RowCount() > 0)
        grid_->SetCurCell(1, col);
}

void ViewerApp::SetUpEditing()
{
    writer_ = std::make_unique<CellWriter>(*grid_, *db_);
    if (!table_.empty())
        sql_ = writer_->TableQuery(table_);
    grid_->SetMultiSelect(true);
    // The grid's validation message, and ours, as real message boxes.
    static_cast<StandaloneHost&>(grid_->GetHost())
        .SetMessageBoxResponder(
            [this](const StandaloneHost::ShownMessage& m) { return ShowMessage(m.text, m.title, m.flags); });
    events_.canEdit = [this](int32_t row, int32_t col, std::string& text) {
        if (!writer_->Editable()) {
            ShowMessage("This result cannot be edited: it has no row identity (a view, a join or an aggregate).",
                "Read-only", MB_ICONINFORMATION);
            return false;
        }
        // A NULL shows as the word NULL, which must not come back as text: its editor starts empty,
        // and committing it empty leaves the NULL.
        const std::string shown = grid_->CellText(row, col);
        if (grid_->CellValue(row, col).IsNull() && text.starts_with(shown))
            text.erase(0, shown.size());
        return true;
    };
    events_.editEnded = [this](const char* how, int32_t row, int32_t col) {
        if (std::string_view(how) == "commit")
            ShowEditedCell(*grid_, row, col);
        Trace(std::string("edit-") + how);
    };
    events_.write = [this](int32_t row, int32_t col, const GridVariant& value) {
        const std::optional<std::string> error = writer_->Write(row, col, value);
        if (error)
            ShowMessage("The change was not saved: " + *error, "Save failed", MB_ICONERROR);
        Trace(error ? "write-failed" : "write");
        if (!error)
            return tvEditResCommit;
        // The text editor stays open with what was typed, for the user to correct or drop with Escape;
        // a toggle or a pick has nothing to keep.
        return grid_->TextEditHwnd() != 0 ? tvEditResProceed : tvEditResCancel;
    };
    events_.editKey = [this](int vk) {
        if (vk == native::VK_F12)
            SaveShot();
    };
}

int ViewerApp::ShowMessage(const std::string& text, const std::string& title, int flags)
{
    Trace("message " + title);
    return native::MessageBox(grid_->hwnd(), text, title, static_cast<native::UINT>(flags));
}

void ViewerApp::CopySelection()
{
    std::string text = grid_->SelectionAsText();
    if (text.empty() && grid_->CurRow() > 0 && grid_->CurCol() > 0)
        text = grid_->CellText(grid_->CurRow(), grid_->CurCol());
    native::SetClipboardText(text);
    Trace("copy");
}

void ViewerApp::SaveShot()
{
    if (o_.shotDir.empty())
        return;
    fs::create_directories(o_.shotDir);
    const std::string path = (fs::path(o_.shotDir) / ("shot-" + std::to_string(++shots_) + ".png")).string();
    desktop_->Frame();
    if (desktop_->Screenshot(path))
        std::printf("shot %s\n", path.c_str());
    else
        std::printf("shot-failed %s\n", path.c_str());
    std::fflush(stdout);
}

std::string ViewerApp::SortText()
{
    std::string text;
    if (loader_->IsVirtual()) {
        for (const auto& key : sqlSort_.Keys())
            text += (text.empty() ? "" : ",") + key.name + (key.descending ? ":desc" : ":asc");
        return text.empty() ? "-" : text;
    }
    ShellSortObject& sort = grid_->SortObject();
    for (int16_t i = 1; i <= sort.ColCount(); ++i) {
        const int16_t col = sort.SortCol(i);
        const std::string name = col >= 1 && col <= grid_->ColCount() ? grid_->ColKey(col) : std::to_string(col);
        text += (text.empty() ? "" : ",") + name + (sort.SortOrder(i) == tvSortDesc ? ":desc" : ":asc");
    }
    return text.empty() ? "-" : text;
}

void ViewerApp::Trace(const std::string& event)
{
    if (!o_.trace)
        return;
    // The scroll position rather than the first visible row: asking the layout for its visible
    // range here would refresh the range cache between the grid's own paints.
    const int32_t scrollY = grid_->VScrollBar().Value();
    const int32_t row = grid_->CurRow(), col = grid_->CurCol();
    auto text = [&](int32_t r, int32_t c) {
        return r >= 1 && r <= grid_->RowCount() && c >= 1 && c <= grid_->ColCount() ? grid_->CellText(r, c) : "";
    };
    // The current column's first rows show whether a sort took effect, wherever the view is scrolled.
    std::string head;
    for (int32_t r = 1; r <= std::min(grid_->RowCount(), 5); ++r) {
        if (r > 1)
            head += '|';
        head += text(r, col);
    }
    // What the open text editor holds, which the cell does not until a commit.
    const std::string editor = grid_->TextEditHwnd() != 0 ? "\tedit=" + grid_->TextEditText() : "";
    std::printf("state %s\tcur=%d,%d\tscroll=%d\trows=%d\tsort=%s\thead=%s\ttext=%s%s\n", event.c_str(), row, col,
        scrollY, grid_->RowCount(), SortText().c_str(), head.c_str(), text(row, col).c_str(), editor.c_str());
    std::fflush(stdout);
}

}  // namespace tavix::view
