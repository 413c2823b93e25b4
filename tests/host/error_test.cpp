#include <tavix/error.h>

#include <gtest/gtest.h>

using namespace tavix;

TEST(TavixError, GridErrorsCarryTableTextAndObjectNumber)
{
    const struct {
        int32_t code;
        const char* text;
    } table[] = {
        { 513, "Subscript out of range." },
        { 514, "Invalid procedure call or argument." },
        { 515, "This key is already associated with an element of this collection." },
        { 516, "Attempt to add rows with no columns." },
        { 517, "Attempt to add more than one row text column." },
        { 518, "This property expects an ImageList object or a long hImageList handle." },
        { 519, "Column maximum width can not be less than its minimum width." },
        { 520, "Column width can not be less than its minimum width or greater than its maximum width." },
        { 521, "Attempt to add columns after the row text column." },
    };
    for (const auto& row : table) {
        const TavixError e = TavixError::Grid(row.code);
        EXPECT_EQ(e.Code(), row.code);
        EXPECT_EQ(static_cast<uint32_t>(e.Number()), 0x80040000u + row.code);
        EXPECT_EQ(e.Source(), "Tavix");
        EXPECT_EQ(e.Description(), row.text);
        EXPECT_STREQ(e.what(), row.text);
    }
}

TEST(TavixError, RuntimeAndTimerNumbers)
{
    EXPECT_EQ(TavixError::Runtime(13).Number(), 13);
    EXPECT_EQ(TavixError::Runtime(13).Description(), "Type mismatch");
    EXPECT_EQ(TavixError::Runtime(6).Description(), "Overflow");
    EXPECT_EQ(TavixError::Runtime(94).Description(), "Invalid use of Null");

    const TavixError tooMany = TavixError::Timer(eeTooManyTimers);
    EXPECT_EQ(static_cast<uint32_t>(tooMany.Number()), 0x80040000u + 13651);
    EXPECT_EQ(tooMany.Source(), "Tavix.CTimer.WindowProc");
    EXPECT_EQ(tooMany.Description(), "No more than 10 timers allowed per class");
    EXPECT_EQ(TavixError::Timer(eeCantCreateTimer).Description(), "Can't create system timer");

    const TavixError low = TavixError::Timer(7);
    EXPECT_EQ(low.Number(), 7);
    EXPECT_EQ(low.Source(), "");
    EXPECT_EQ(low.Description(), "");
}

TEST(TavixError, RaiseGridErrorThrows)
{
    try {
        RaiseGridError(515);
        FAIL();
    } catch (const TavixError& e) {
        EXPECT_EQ(e.Code(), 515);
    }
}
