#include <tavix/font.h>

#include <gtest/gtest.h>

using tavix::FontRef;
using tavix::FontsEqual;

TEST(FontRef, CopiesShareAndClonesAreIndependent)
{
    FontRef a("Arial", 10);
    FontRef shared = a;
    FontRef clone = a.Clone();
    shared.SetItalic(true);
    clone.SetName("Courier");
    EXPECT_TRUE(a.Italic());
    EXPECT_EQ(a.Name(), "Arial");
    EXPECT_FALSE(clone.Italic());
    EXPECT_TRUE(a.SameObject(shared));
    EXPECT_FALSE(a.SameObject(clone));
}

TEST(FontRef, BoldAndWeightAreOneSetting)
{
    FontRef f;
    EXPECT_EQ(f.Name(), "DejaVu Sans");
    EXPECT_EQ(f.SizeScaled(), 90000);
    f.SetBold(true);
    EXPECT_EQ(f.Weight(), 700);
    f.SetWeight(400);
    EXPECT_FALSE(f.Bold());
    f.SetWeight(800);
    EXPECT_TRUE(f.Bold());
    f.SetBold(false);
    EXPECT_EQ(f.Weight(), 400);
}

TEST(FontRef, SizeIsHeldToFourDecimalsHalvesToEven)
{
    FontRef f;
    f.SetSize(8.25);
    EXPECT_EQ(f.SizeScaled(), 82500);
    f.SetSize(8.123449);
    EXPECT_EQ(f.SizeScaled(), 81234);
    f.SetSizeScaled(81235);
    EXPECT_DOUBLE_EQ(f.Size(), 8.1235);
}

TEST(FontRef, NotifiesOnlyRealChangesAndStopsAfterUnsubscribe)
{
    FontRef f;
    int calls = 0;
    {
        auto sub = f.OnChanged([&] { ++calls; });
        FontRef other = f;  // a change through any copy is a change of the font
        other.SetUnderline(true);
        f.SetUnderline(true);  // unchanged: no notification
        f.SetBold(false);  // already 400
        f.SetCharset(2);
        EXPECT_EQ(calls, 2);
        auto clone = f.Clone();  // listeners are not cloned
        clone.SetItalic(true);
        EXPECT_EQ(calls, 2);
    }
    f.SetName("Other");
    EXPECT_EQ(calls, 2);
}

TEST(FontRef, ListenerMayUnsubscribeWhileNotified)
{
    FontRef f;
    int calls = 0;
    FontRef::Subscription sub;
    sub = f.OnChanged([&] {
        ++calls;
        sub.Reset();
    });
    f.SetItalic(true);
    f.SetItalic(false);
    EXPECT_EQ(calls, 1);

    // A listener dropping a later one stops it from being called for the same change.
    int later = 0;
    FontRef::Subscription second;
    auto first = f.OnChanged([&] { second.Reset(); });
    second = f.OnChanged([&] { ++later; });
    f.SetUnderline(true);
    EXPECT_EQ(later, 0);
}

TEST(FontsEqual, ComparesEveryFieldButBoldSeparately)
{
    FontRef a("Tahoma", 8.25);
    FontRef b = a.Clone();
    EXPECT_TRUE(FontsEqual(a, b));

    b.SetName("tahoma");  // binary comparison: case matters
    EXPECT_FALSE(FontsEqual(a, b));
    b.SetName("Tahoma");

    b.SetSize(8.2501);
    EXPECT_FALSE(FontsEqual(a, b));
    b.SetSize(8.25000001);  // below the fixed-point resolution
    EXPECT_TRUE(FontsEqual(a, b));

    b.SetWeight(401);  // not bold, yet a different weight
    EXPECT_FALSE(b.Bold());
    EXPECT_FALSE(FontsEqual(a, b));
    b.SetWeight(400);

    for (auto change : { +[](FontRef& f) { f.SetItalic(true); }, +[](FontRef& f) { f.SetUnderline(true); },
             +[](FontRef& f) { f.SetStrikethrough(true); }, +[](FontRef& f) { f.SetCharset(238); } }) {
        FontRef c = a.Clone();
        change(c);
        EXPECT_FALSE(FontsEqual(a, c));
        EXPECT_FALSE(FontsEqual(c, a));
    }
}
