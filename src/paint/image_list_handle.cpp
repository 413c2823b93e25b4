#include "paint/image_list_handle.h"

#include <tavix/dispatch.h>
#include <tavix/error.h>

#include <vector>

namespace tavix::paint {

namespace {

int32_t HandleOfObject(const std::shared_ptr<Dispatch>& object)
{
    if (!object)
        return 0;
    try {
        std::vector<GridVariant> first { GridVariant(int32_t { 1 }) };
        GridVariant image = object->Invoke("ListImages", Dispatch::InvokeKind::PropertyGet, first);
        if (!image.IsObject() || !image.AsObject())
            return 0;
        image.AsObject()->Call("Draw");
        return object->Get("hImageList").ToLong();
    } catch (const TavixError&) {
        // An object without the members of an image list gives no list.
        return 0;
    }
}

}  // namespace

int32_t ImageListHandle(const GridVariant& v)
{
    if (v.IsObject())
        return HandleOfObject(v.AsObject());
    if (v.VarType() == VtLong)
        return v.ToLong();
    RaiseGridError(tvErrImageList);
}

}  // namespace tavix::paint
