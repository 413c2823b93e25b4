// One field of a record set as a late-bound object: "Name", "Type", "Value" (the current
// record's) and "Properties"("BASETABLENAME") / ("BASECOLUMNNAME").
#pragma once

#include <tavix/dispatch.h>
#include <tavix/sqlite/recordset.h>

#include <memory>

namespace tavix::sqlite {

class FieldObject : public Dispatch {
public:
    FieldObject(std::shared_ptr<Recordset> recordset, int index);

    GridVariant Invoke(std::string_view member, InvokeKind kind, std::span<GridVariant> args) override;
    std::string TypeName() const override { return "Field"; }

private:
    GridVariant Property(const GridVariant& name) const;

    std::shared_ptr<Recordset> recordset_;
    int index_;
};

}  // namespace tavix::sqlite
