#pragma once
// The drag's data as the host reaches it in the OLE events: a late-bound
// object with GetData, SetData, GetFormat and Clear over the platform's data
// object, formats numbered as the platform numbers them (1 text).
#include <tavix/dispatch.h>
#include <tavix/native/drag_drop.h>

#include <memory>

namespace tavix::interaction {

class OleDataObject final : public Dispatch {
public:
    explicit OleDataObject(std::shared_ptr<native::DataObject> data)
        : data_(std::move(data))
    {
    }

    GridVariant Invoke(std::string_view member, InvokeKind kind, std::span<GridVariant> args) override;
    std::string TypeName() const override { return "DataObject"; }

private:
    GridVariant GetData(std::span<GridVariant> args);
    GridVariant SetData(std::span<GridVariant> args);

    std::shared_ptr<native::DataObject> data_;
};

}  // namespace tavix::interaction
