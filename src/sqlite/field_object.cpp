#include "sqlite/field_object.h"

#include "sqlite/late_binding.h"

#include <tavix/error.h>

namespace tavix::sqlite {

namespace {

GridVariant TextOrNull(const std::string& text) { return text.empty() ? GridVariant::Null() : GridVariant(text); }

}  // namespace

FieldObject::FieldObject(std::shared_ptr<Recordset> recordset, int index)
    : recordset_(std::move(recordset))
    , index_(index)
{
}

GridVariant FieldObject::Invoke(std::string_view member, InvokeKind kind, std::span<GridVariant> args)
{
    // Asked once per cell by an import: checked first.
    if (IsMember(member, "Value") && kind != InvokeKind::PropertyPut)
        return recordset_->Value(index_);
    const FieldInfo& field = recordset_->Field(index_);
    if (IsMember(member, "Name"))
        return GridVariant(field.name);
    if (IsMember(member, "Type"))
        return GridVariant(static_cast<int32_t>(field.type));
    if (IsMember(member, "Properties") && args.size() == 1)
        return Property(args[0]);
    throw TavixError::Runtime(kErrNoSuchMember);
}

GridVariant FieldObject::Property(const GridVariant& name) const
{
    const FieldInfo& field = recordset_->Field(index_);
    const std::string key = name.ToString();
    GridVariant value;
    if (IsMember(key, "BASETABLENAME"))
        value = TextOrNull(field.baseTable);
    else if (IsMember(key, "BASECOLUMNNAME"))
        value = TextOrNull(field.baseColumn);
    else
        RaiseNoSuchItem(key);
    auto property = std::make_shared<DispatchObject>("Property");
    property->DefineProperty("Name", GridVariant(key));
    property->DefineProperty("Value", value);
    return GridVariant(std::shared_ptr<Dispatch>(std::move(property)));
}

}  // namespace tavix::sqlite
