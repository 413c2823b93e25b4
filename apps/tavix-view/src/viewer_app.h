// The viewer program: opens the database, shows the table or query in a grid in
// a window (X11, or one headless frame written to a PNG) and runs the command keys.
#pragma once

#include "cell_writer.h"
#include "grid_loader.h"
#include "layout_store.h"
#include "sql_sort.h"
#include "status_icons.h"
#include "viewer_events.h"
#include "viewer_options.h"
#include "viewer_window.h"

#include <tavix/grid.h>
#include <tavix/native/desktop.h>
#include <tavix/sqlite/database.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>

namespace tavix::view {

class ViewerApp {
public:
    explicit ViewerApp(ViewerOptions options);
    ~ViewerApp();
    ViewerApp(const ViewerApp&) = delete;
    ViewerApp& operator=(const ViewerApp&) = delete;

    // The process exit code; throws sqlite::Error and std::runtime_error with a message for the user.
    int Run();

private:
    void OpenDatabase();
    std::string ChooseTable();
    void Load();
    int RunHeadless(const std::string& path);
    int RunOnDisplay();

    // Deferred commands; a header click's column travels in the higher bits.
    enum Command { kSort = 1, kSortAdd = 2, kColumnShift = 8 };
    bool OnCommandKey(int vk, bool shift);
    void RunDeferred(int command);
    void SortByColumn(int32_t col, bool add);
    void SaveShot();
    void SetUpEditing();
    void CopySelection();
    int ShowMessage(const std::string& text, const std::string& title, int flags);
    void Trace(const std::string& event);
    std::string SortText();
    double MsSinceStart() const;

    ViewerOptions o_;
    std::chrono::steady_clock::time_point start_ { std::chrono::steady_clock::now() };
    std::unique_ptr<sqlite::Database> db_;
    std::string sql_;
    std::string table_;  // empty for a query
    std::string title_;
    bool isSample_ { false };
    std::optional<LayoutStore> layouts_;  // none with --no-layout
    SqlSort sqlSort_;
    ViewerEvents events_;
    // Declared in this order so that the window goes before the grid and the grid before the desktop.
    std::unique_ptr<native::Desktop> desktop_;
    std::unique_ptr<StatusIcons> icons_;
    std::unique_ptr<Tavix> grid_;
    std::unique_ptr<GridLoader> loader_;
    std::unique_ptr<CellWriter> writer_;
    std::unique_ptr<ViewerWindow> window_;
    bool quit_ { false };
    int shots_ { 0 };
};

}  // namespace tavix::view
