#include <tavix/dispatch.h>
#include <tavix/property_bag.h>

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>

using tavix::GridVariant;
using tavix::PropertyBag;
using tavix::TavixError;

namespace {

void ExpectSameVariant(const GridVariant& a, const GridVariant& b)
{
    ASSERT_EQ(a.VarType(), b.VarType());
    switch (a.VarType()) {
    case tavix::VtString: EXPECT_EQ(a.AsString(), b.AsString()); break;
    case tavix::VtSingle:
        EXPECT_EQ(std::bit_cast<uint32_t>(a.AsSingle()), std::bit_cast<uint32_t>(b.AsSingle()));
        break;
    case tavix::VtDouble:
    case tavix::VtDate: EXPECT_EQ(std::bit_cast<uint64_t>(a.AsDouble()), std::bit_cast<uint64_t>(b.AsDouble())); break;
    case tavix::VtDecimal: EXPECT_EQ(a.AsDecimal().ToString(), b.AsDecimal().ToString()); break;
    case tavix::VtCurrency: EXPECT_EQ(a.AsCurrencyScaled(), b.AsCurrencyScaled()); break;
    case tavix::VtBoolean: EXPECT_EQ(a.AsBool(), b.AsBool()); break;
    case tavix::VtInteger: EXPECT_EQ(a.AsInteger(), b.AsInteger()); break;
    case tavix::VtByte: EXPECT_EQ(a.AsByte(), b.AsByte()); break;
    case tavix::VtLong:
    case tavix::VtError: EXPECT_EQ(a.AsLong(), b.AsLong()); break;
    case tavix::VtObject: EXPECT_EQ(a.AsObject(), b.AsObject()); break;
    default: break;
    }
}

}  // namespace

TEST(PropertyBag, DefaultsAreNotStoredAndOverwriteRemovesValue)
{
    PropertyBag bag;
    bag.WriteProperty("BackColor", GridVariant(int32_t { 5 }), GridVariant(int32_t { -1 }));
    EXPECT_EQ(bag.ReadProperty("backcolor", GridVariant()).AsLong(), 5);
    bag.WriteProperty("BackColor", GridVariant(int32_t { -1 }), GridVariant(int32_t { -1 }));
    EXPECT_FALSE(bag.Contains("BackColor"));
    EXPECT_EQ(bag.ReadProperty("BackColor", GridVariant(int32_t { 9 })).AsLong(), 9);

    bag.WriteProperty("Tag", GridVariant::Null(), GridVariant::Null());
    bag.WriteProperty("Empty", GridVariant(), GridVariant());
    EXPECT_EQ(bag.Count(), 0u);

    // 32-bit settings with a 16-bit default are skipped by value.
    bag.WriteProperty("BackColorOddRows", GridVariant(int32_t { -1 }), GridVariant(int16_t { -1 }));
    bag.WriteProperty("BackgroundPicture", GridVariant(std::shared_ptr<tavix::Dispatch>()), GridVariant());
    EXPECT_EQ(bag.Count(), 0u);
    // Other values must have the default's type: "" is not Empty, True is not -1.
    bag.WriteProperty("Text", GridVariant(""), GridVariant());
    bag.WriteProperty("Flag", GridVariant(true), GridVariant(int16_t { -1 }));
    EXPECT_EQ(bag.Count(), 2u);
    EXPECT_THROW(bag.WriteProperty("A=B", GridVariant(1), GridVariant()), TavixError);
    EXPECT_THROW(bag.WriteProperty("", GridVariant(1), GridVariant()), TavixError);
}

TEST(PropertyBag, SaveLoadRoundTripsEveryScalarTypeExactly)
{
    const std::vector<GridVariant> values {
        GridVariant(),
        GridVariant::Null(),
        GridVariant(int16_t { -32768 }),
        GridVariant(int32_t { 2147483647 }),
        GridVariant(0.1f),
        GridVariant(std::numeric_limits<float>::denorm_min()),
        GridVariant(0.1 + 0.2),
        GridVariant(-1e-300),
        GridVariant(std::numeric_limits<double>::infinity()),
        GridVariant::Currency(-922337203685477580LL),
        GridVariant::Date(45123.75),
        GridVariant("line1\nline2\r\\n=:x"),
        GridVariant(""),
        GridVariant::Error(static_cast<int32_t>(0x80020004u)),
        GridVariant(true),
        GridVariant(false),
        GridVariant::Decimal(123.456),
        GridVariant::Decimal(tavix::Decimal::FromDigits(false, "150", -2)),  // the scale is kept
        GridVariant::Decimal(tavix::Decimal::Max().Negated()),
        GridVariant(uint8_t { 255 }),
        GridVariant(std::shared_ptr<tavix::Dispatch>()),
    };
    PropertyBag bag;
    for (size_t i = 0; i < values.size(); ++i)
        bag.WriteProperty("P" + std::to_string(i), values[i], GridVariant(std::string("<default>")));
    const PropertyBag loaded = PropertyBag::Load(bag.Save());
    ASSERT_EQ(loaded.Count(), values.size());
    for (size_t i = 0; i < values.size(); ++i) {
        SCOPED_TRACE(i);
        ExpectSameVariant(loaded.ReadProperty("P" + std::to_string(i), GridVariant("missing")), values[i]);
    }
    EXPECT_EQ(loaded.Save(), bag.Save());
}

TEST(PropertyBag, MalformedTextThrowsAndKeepsContents)
{
    PropertyBag bag;
    bag.WriteProperty("Keep", GridVariant(int32_t { 1 }), GridVariant());
    for (const char* bad : { "NoEquals", "=Long:1", "X=Long:", "X=Long:1x", "X=Long:99999999999", "X=Integer:40000",
             "X=Boolean:yes", "X=Null:1", "X=Object:1", "X=Unknown:", "X=Long1", "X=String:bad\\q", "X=String:end\\",
             "X=Long:1\nX=Long:2", "X=Long:1\nbroken", "X=Decimal:1e5", "X=Decimal:-0", "X=Decimal:.5",
             "X=Decimal:79228162514264337593543950336" }) {
        SCOPED_TRACE(bad);
        try {
            bag.Restore(bad);
            ADD_FAILURE() << "accepted";
        } catch (const TavixError& e) {
            EXPECT_EQ(e.Code(), 514);
        }
        EXPECT_EQ(bag.Count(), 1u);
        EXPECT_EQ(bag.ReadProperty("Keep", GridVariant()).AsLong(), 1);
    }
    bag.Restore("A=Long:2\r\n\nB=String:x\n");  // blank lines and CRLF are tolerated
    EXPECT_EQ(bag.Count(), 2u);
    EXPECT_FALSE(bag.Contains("Keep"));
}

TEST(PropertyBag, ObjectsCannotBeSaved)
{
    PropertyBag bag;
    bag.WriteProperty("Picture", GridVariant(std::make_shared<tavix::DispatchObject>()), GridVariant());
    EXPECT_TRUE(bag.Contains("Picture"));
    EXPECT_THROW(bag.Save(), TavixError);
}

TEST(PropertyBag, FontTextRoundTrip)
{
    tavix::FontRef font("Name, with commas", 8.25);
    font.SetBold(true);
    font.SetStrikethrough(true);
    font.SetCharset(238);
    const GridVariant v = tavix::FontToVariant(font);
    EXPECT_EQ(v.AsString(), "Name, with commas,8.25,700,0,0,1,238");
    EXPECT_TRUE(tavix::FontsEqual(tavix::FontFromVariant(v), font));
    EXPECT_EQ(tavix::FontToVariant(tavix::FontRef()).AsString(), "DejaVu Sans,9,400,0,0,0,0");
    EXPECT_EQ(tavix::FontFromVariant(GridVariant("A,0.0001,400,0,0,0,0")).SizeScaled(), 1);
    for (const char* bad :
        { "A,9,400,0,0,0", ",9,400,0,0,0,0", "A,9.12345,400,0,0,0,0", "A,9,400,2,0,0,0", "A,9.,400,0,0,0,0" })
        EXPECT_THROW(tavix::FontFromVariant(GridVariant(bad)), TavixError) << bad;
    EXPECT_THROW(tavix::FontFromVariant(GridVariant(int32_t { 1 })), TavixError);
}
