#include <tavix/dispatch.h>
#include <tavix/host.h>

#include "support/event_recorder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

using tavix::EventId;
using tavix::GridVariant;
using tavix::StandaloneHost;
using tavix::testing::EventRecorder;
using ::testing::ElementsAre;

TEST(Events, DispatchNumbersAndNames)
{
    std::set<std::string> names;
    for (int32_t n = 1; n <= tavix::kEventCount; ++n)
        names.insert(tavix::EventName(static_cast<EventId>(n)));
    EXPECT_EQ(names.size(), 55u);
    EXPECT_EQ(names.count(""), 0u);
    EXPECT_STREQ(tavix::EventName(EventId::AfterCommitEdit), "AfterCommitEdit");
    EXPECT_STREQ(tavix::EventName(EventId::CustomSort), "CustomSort");
    EXPECT_STREQ(tavix::EventName(EventId::OLEDragDrop), "OLEDragDrop");
    EXPECT_STREQ(tavix::EventName(EventId::RequestEdit), "RequestEdit");
    EXPECT_STREQ(tavix::EventName(EventId::WindowsThemeChanged), "WindowsThemeChanged");
    EXPECT_STREQ(tavix::EventName(static_cast<EventId>(56)), "");
    EXPECT_STREQ(tavix::EventName(static_cast<EventId>(0)), "");
}

TEST(EventRecorder, FormatsArgumentsAsTestsCompareThem)
{
    StandaloneHost host;
    EventRecorder rec;
    host.SetEventSink(&rec);
    tavix::TavixEvents& sink = *host.EventSink();

    sink.CurCellChange(4, 1);
    sink.CellSelectionChange(2, 3, false);
    tavix::EEditResults result = tavix::tvEditResCommit;
    GridVariant value(1.5);
    sink.BeforeCommitEdit(1, 2, result, "a\"b", value, 0);
    sink.ScrollBarPosChanged(tavix::tvScrollBarV, 40);
    sink.MouseMove(1, 0, 2.5f, 3.0f, 7, 8);
    sink.ContentsSorted();
    auto data = std::make_shared<tavix::DispatchObject>("DataObject");
    int16_t format = 1;
    sink.OLESetData(data, format);

    EXPECT_THAT(rec.Strings(),
        ElementsAre("CurCellChange(4,1)", "CellSelectionChange(2,3,False)", "BeforeCommitEdit(1,2,1,\"a\"b\",1.5,0)",
            "ScrollBarPosChanged(1,40)", "MouseMove(1,0,2.5,3,7,8)", "ContentsSorted()", "OLESetData(DataObject,1)"));
    EXPECT_EQ(rec.Count(EventId::CurCellChange), 1u);
    EXPECT_EQ(rec.Names().front(), "CurCellChange");
    rec.Clear();
    EXPECT_TRUE(rec.Events().empty());
}

TEST(EventRecorder, HooksChangeByReferenceArgumentsAfterRecordingEntryValues)
{
    EventRecorder rec;
    rec.onKeyDown = [](int16_t& key, int16_t& shift, bool& doDefault) {
        key = 0;
        shift = 1;
        doDefault = false;
    };
    rec.onRequestRow = [](int32_t row, bool& noMore) { noMore = row > 3; };
    rec.onCustomSort = [](GridVariant& a, GridVariant& b, bool& greater) { greater = a.AsLong() > b.AsLong(); };
    std::vector<std::string> seen;
    rec.onAny = [&](const tavix::testing::RecordedEvent& e) { seen.push_back(e.Name()); };

    int16_t key = 40, shift = 0;
    bool doDefault = true;
    rec.KeyDown(key, shift, doDefault);
    EXPECT_EQ(key, 0);
    EXPECT_EQ(shift, 1);
    EXPECT_FALSE(doDefault);

    bool noMore = false;
    rec.RequestRow(4, noMore);
    EXPECT_TRUE(noMore);

    GridVariant a(int32_t { 5 }), b(int32_t { 2 });
    bool greater = false;
    rec.CustomSort(a, b, greater);
    EXPECT_TRUE(greater);

    EXPECT_THAT(rec.Strings(), ElementsAre("KeyDown(40,0,True)", "RequestRow(4,False)", "CustomSort(5,2,False)"));
    EXPECT_THAT(seen, ElementsAre("KeyDown", "RequestRow", "CustomSort"));
}

TEST(StandaloneHost, RecordsPropertyChangesAndMessageBoxes)
{
    StandaloneHost host;
    EXPECT_EQ(host.EventSink(), nullptr);
    host.PropertyChanged("BackColor");
    host.PropertyChanged("Font");
    EXPECT_THAT(host.ChangedProperties(), ElementsAre("BackColor", "Font"));
    host.ClearChangedProperties();
    EXPECT_TRUE(host.ChangedProperties().empty());

    EXPECT_EQ(host.MessageBox("Invalid value (Type mismatch).", "Input validation", tavix::MB_OK | tavix::MB_ICONSTOP),
        tavix::IDOK);
    host.SetMessageBoxResponder([](const StandaloneHost::ShownMessage& m) {
        return m.flags & tavix::MB_YESNO ? tavix::IDNO : tavix::IDCANCEL;
    });
    EXPECT_EQ(host.MessageBox("Sure?", "Q", tavix::MB_YESNO), tavix::IDNO);
    ASSERT_EQ(host.ShownMessages().size(), 2u);
    EXPECT_EQ(host.ShownMessages()[0].title, "Input validation");
    EXPECT_EQ(host.ShownMessages()[0].flags, 16);
    EXPECT_EQ(host.ShownMessages()[1].text, "Sure?");
}

TEST(StandaloneHost, AmbientSettingsAndScreenMetrics)
{
    StandaloneHost host;
    EXPECT_TRUE(host.UserMode());
    host.SetUserMode(false);
    EXPECT_FALSE(host.UserMode());
    EXPECT_EQ(host.TwipsPerPixelX(), 15);
    EXPECT_EQ(host.ScreenWidthTwips(), 1920 * 15);
    EXPECT_EQ(host.ScreenHeightTwips(), 1080 * 15);
    host.SetScreenSizePixels(800, 600);
    EXPECT_EQ(host.ScreenHeightTwips(), 9000);
    EXPECT_THROW(host.SetScreenSizePixels(0, 600), tavix::TavixError);

    tavix::FontRef font("Liberation Serif", 12);
    host.SetAmbientFont(font);
    EXPECT_TRUE(host.AmbientFont().SameObject(font));
    host.Properties().WriteProperty("Rows", GridVariant(int32_t { 3 }), GridVariant());
    EXPECT_TRUE(host.Properties().Contains("Rows"));
}
