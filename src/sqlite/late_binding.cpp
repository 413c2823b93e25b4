#include "sqlite/late_binding.h"

#include <tavix/error.h>

#include <algorithm>
#include <cctype>
#include <string>

namespace tavix::sqlite {

namespace {

// The record-set error numbers a late-bound caller knows these failures by.
constexpr int32_t kErrNoCurrentRecord = 3021;
constexpr int32_t kErrNoSuchItem = 3265;
constexpr const char* kSource = "Recordset";

}  // namespace

bool IsMember(std::string_view asked, std::string_view name)
{
    return std::equal(asked.begin(), asked.end(), name.begin(), name.end(),
        [](unsigned char a, unsigned char b) { return std::tolower(a) == std::tolower(b); });
}

void RaiseNoSuchItem(std::string_view item)
{
    throw TavixError(kErrNoSuchItem, kErrNoSuchItem, kSource, "No item " + std::string(item) + " in the collection.");
}

void RaiseNoCurrentRecord()
{
    throw TavixError(kErrNoCurrentRecord, kErrNoCurrentRecord, kSource, "There is no current record.");
}

}  // namespace tavix::sqlite
