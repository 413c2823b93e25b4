#include <tavix/grid.h>

#include "persist/recordset_import.h"

#include <tavix/dispatch.h>
#include <tavix/error.h>

namespace tavix {

void Tavix::FillFromRS(const std::shared_ptr<Dispatch>& rs)
{
    if (!rs || rs->TypeName() != "Recordset")
        RaiseGridError(tvErrInvalidArgument);
    persist::RecordsetImport(*this, *rs).Run();
}

}  // namespace tavix
