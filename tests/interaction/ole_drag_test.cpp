// Drag and drop between two grids on one headless desktop: the six OLE events,
// their order and arguments, and the host's answers reaching the other side.
#include "support/grid_window.h"
#include "support/scripted_pump.h"

#include <gtest/gtest.h>
#include <tavix/error.h>
#include <tavix/native/drag_drop.h>

namespace tavix::testing {
namespace {

// Grid A at the left of the screen, grid B at x 150; the pointer presses cell (1, 1) of A.
struct TwoGrids : ::testing::Test {
    TwoGrids()
    {
        target.SetEventSink(&targetEvents);
        target.AddCol(AddColArgs { .lWidth = 60 });
        target.SetRowCount(3);
        target.Create(0, 150, 0, 130, 80);
        target.SetOLEDropMode(1);
        scene.desktop.MouseMove(10, 10);
        scene.desktop.MouseDown();
        scene.Take();
    }
    Strings Drag(std::vector<std::function<void()>> steps)
    {
        ScriptedPump pump(std::move(steps));
        scene.desktop.SetEventPump(&pump);
        scene.grid.OLEDrag();
        scene.desktop.SetEventPump(nullptr);
        return scene.Take();
    }
    Strings TargetEvents()
    {
        Strings out = targetEvents.Strings();
        targetEvents.Clear();
        return out;
    }

    WindowScene scene { { .cols = 2, .rows = 3, .colWidth = 60, .width = 130, .height = 80, .screenHeight = 100 } };
    EventRecorder targetEvents;
    Tavix target;
};

TEST_F(TwoGrids, TheDataGoesOverAndTheTargetsEffectReachesTheSource)
{
    // The source announces text and supplies it only when the target asks.
    scene.events.onOLEStartDrag = [](const auto& data, int32_t&) {
        data->Call("SetData", { GridVariant::Missing(), 1 });
    };
    scene.events.onOLESetData = [](const auto& data, int16_t& format) {
        if (format == 1)
            data->Call("SetData", { "héllo", format });
    };
    targetEvents.onOLEDragOver = [](const auto&, int32_t& effect, int16_t) { effect = native::DROPEFFECT_COPY; };
    std::string dropped;
    targetEvents.onOLEDragDrop = [&](const auto& data, int32_t& effect) {
        EXPECT_TRUE(data->Call("GetFormat", { 1 }).ToBool());
        EXPECT_EQ(native::GetCursor(), native::IDC_DRAGCOPY);
        EXPECT_THROW(data->Call("GetData", { 2 }), TavixError);
        dropped = data->Call("GetData", { 1 }).ToString();
        effect = native::DROPEFFECT_COPY;
    };
    EXPECT_EQ(Drag({
                  [&] { scene.desktop.MouseMove(170, 20); },
                  [&] { scene.desktop.KeyDown(native::VK_CONTROL); },
                  [&] { scene.desktop.MouseDown(native::Desktop::Button::Right); },
                  [&] { scene.desktop.MouseUp(); },
              }),
        (Strings { "OLEStartDrag(DataObject,3)", "OLEGiveFeedback(0,True)", "OLEGiveFeedback(1,True)",
            "OLEGiveFeedback(1,True)", "OLEGiveFeedback(1,True)", "OLESetData(DataObject,2)",
            "OLESetData(DataObject,1)", "OLECompleteDrag(1)" }));
    // Client coordinates of B (its client area starts at 152, 2); Button 1 left, 2 right; Shift 2 Ctrl.
    EXPECT_EQ(TargetEvents(),
        (Strings { "OLEDragOver(DataObject,3,1,0,18,18,0)", "OLEDragOver(DataObject,3,1,2,18,18,2)",
            "OLEDragOver(DataObject,3,3,2,18,18,2)", "OLEDragDrop(DataObject,3,3,2,18,18)" }));
    scene.desktop.MouseUp(native::Desktop::Button::Right);
    scene.desktop.KeyUp(native::VK_CONTROL);
    EXPECT_EQ(dropped, "héllo");
    EXPECT_EQ(native::GetCapture(), 0) << "the drag ended the press";
}

TEST_F(TwoGrids, EscapeCancelsAndDropModeZeroRefuses)
{
    // A disabled grid still hears its drags; the drop mode set at run time registers the window.
    // (By-reference arguments are recorded as they enter the handler.)
    scene.grid.SetEnabled(false);
    scene.grid.SetOLEDropMode(1);
    scene.events.onOLEGiveFeedback = [](int32_t&, bool& defaultCursors) { defaultCursors = false; };
    const native::HCURSOR before = native::GetCursor();
    native::HCURSOR during = 0;
    EXPECT_EQ(Drag({
                  [&] { scene.desktop.MouseMove(12, 10); },
                  [&] {
                      during = native::GetCursor();
                      scene.desktop.KeyDown(native::VK_ESCAPE);
                  },
              }),
        (Strings { "OLEStartDrag(DataObject,3)", "OLEDragOver(DataObject,3,1,0,8,8,0)", "OLEGiveFeedback(3,True)",
            "OLEDragOver(DataObject,3,1,0,10,8,2)", "OLEGiveFeedback(3,True)", "OLEDragOver(DataObject,3,1,0,10,8,1)",
            "OLECompleteDrag(0)" }));
    EXPECT_EQ(during, before) << "the source kept the cursor to itself";
    scene.desktop.KeyUp(native::VK_ESCAPE);

    // Neither grid takes drops in mode 0, and the released button ends the drag over nothing.
    scene.grid.SetOLEDropMode(0);
    target.SetOLEDropMode(0);
    EXPECT_EQ(Drag({ [&] { scene.desktop.MouseMove(170, 20); }, [&] { scene.desktop.MouseUp(); } }),
        (Strings { "OLEStartDrag(DataObject,3)", "OLEGiveFeedback(0,True)", "OLEGiveFeedback(0,True)",
            "OLECompleteDrag(0)" }));
    EXPECT_TRUE(TargetEvents().empty());
}

TEST_F(TwoGrids, NothingAllowedOrNobodyToReleaseTheButtonEndsTheDragAtOnce)
{
    scene.desktop.MouseMove(170, 20);
    scene.Take();
    scene.events.onOLEStartDrag = [](const auto& data, int32_t& allowed) {
        data->Call("SetData", { "text without a format" });
        EXPECT_EQ(data->Call("GetData").ToString(), "text without a format");
        data->Call("Clear");
        EXPECT_FALSE(data->Call("GetFormat", { 1 }).ToBool());
        EXPECT_THROW(data->Call("SetData", { "x", 0 }), TavixError);
        allowed = 0;
    };
    EXPECT_EQ(Drag({}), (Strings { "OLEStartDrag(DataObject,3)", "OLECompleteDrag(0)" }));
    scene.events.onOLEStartDrag = nullptr;
    // Without a pump the held button could never come up: the drag is cancelled.
    scene.grid.OLEDrag();
    EXPECT_EQ(
        TargetEvents(), (Strings { "OLEDragOver(DataObject,3,1,0,18,18,0)", "OLEDragOver(DataObject,3,1,0,18,18,1)" }));
    // With no button down the drag drops where it starts; a target that leaves Effect alone takes all allowed.
    scene.desktop.MouseUp();
    scene.Take();
    TargetEvents();
    EXPECT_EQ(Drag({}), (Strings { "OLEStartDrag(DataObject,3)", "OLEGiveFeedback(3,True)", "OLECompleteDrag(3)" }));
    EXPECT_EQ(
        TargetEvents(), (Strings { "OLEDragOver(DataObject,3,0,0,18,18,0)", "OLEDragDrop(DataObject,3,0,0,18,18)" }));
}

}  // namespace
}  // namespace tavix::testing
