#include <tavix/dispatch.h>

#include <gtest/gtest.h>

#include <vector>

using tavix::Dispatch;
using tavix::DispatchObject;
using tavix::GridVariant;
using tavix::TavixError;

namespace {

int ErrorNumberOf(const std::function<void()>& fn)
{
    try {
        fn();
    } catch (const TavixError& e) {
        return e.Number();
    }
    return 0;
}

}  // namespace

TEST(DispatchObject, PropertiesAreCaseInsensitiveAndTyped)
{
    DispatchObject obj("Recordset");
    obj.DefineProperty("EOF", GridVariant(false));
    obj.Put("eof", GridVariant(true));
    EXPECT_EQ(obj.Get("Eof").VarType(), tavix::VtBoolean);
    EXPECT_TRUE(obj.Get("EOF").AsBool());
    EXPECT_EQ(obj.TypeName(), "Recordset");
    obj.SetTypeName("Picture");
    EXPECT_EQ(obj.TypeName(), "Picture");
}

TEST(DispatchObject, MethodWritesBackByReferenceArguments)
{
    DispatchObject obj;
    obj.DefineMethod("Swap", [](std::span<GridVariant> args) {
        std::swap(args[0], args[1]);
        return GridVariant(int32_t { 2 });
    });
    std::vector<GridVariant> args { GridVariant("a"), GridVariant(int32_t { 7 }) };
    const GridVariant r = obj.Invoke("swap", Dispatch::InvokeKind::Method, args);
    EXPECT_EQ(r.AsLong(), 2);
    EXPECT_EQ(args[0].AsLong(), 7);
    EXPECT_EQ(args[1].AsString(), "a");
}

TEST(DispatchObject, CallPassesArgumentsAndGetReachesParameterlessMethods)
{
    DispatchObject obj;
    obj.DefineMethod("ToString", [](std::span<GridVariant> args) {
        return GridVariant(args.empty() ? std::string("none") : std::string(args[0].AsString()) + "!");
    });
    EXPECT_EQ(obj.Call("ToString", { GridVariant("x") }).AsString(), "x!");
    EXPECT_EQ(obj.Get("tostring").AsString(), "none");
}

TEST(DispatchObject, UnknownMembersAndMethodErrors)
{
    DispatchObject obj;
    obj.DefineProperty("Value", GridVariant(int16_t { 1 }));
    obj.DefineMethod("Fail", [](std::span<GridVariant>) -> GridVariant { throw TavixError::Runtime(13); });
    EXPECT_EQ(ErrorNumberOf([&] { obj.Get("Missing"); }), 438);
    EXPECT_EQ(ErrorNumberOf([&] { obj.Put("Missing", GridVariant()); }), 438);
    EXPECT_EQ(ErrorNumberOf([&] { obj.Call("Value", { GridVariant(1) }); }), 438);  // not an indexed property
    EXPECT_EQ(obj.Call("Value").AsInteger(), 1);  // "obj.Value()" reads it
    EXPECT_EQ(ErrorNumberOf([&] { obj.Put("Fail", GridVariant()); }), 438);
    EXPECT_EQ(ErrorNumberOf([&] { obj.Call("Fail"); }), 13);
    EXPECT_EQ(obj.Get("Value").AsInteger(), 1);  // failed puts left it alone
}
