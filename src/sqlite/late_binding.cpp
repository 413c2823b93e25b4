#include "sqlite/late_binding.h"

#include <tavix/error.h>

#include <algorithm>
#include <string>

namespace tavix::sqlite {

namespace {

// The record-set error numbers a late-bound caller knows these failures by.
constexpr int32_t kErrNoCurrentRecord = 3021;
constexpr int32_t kErrNoSuchItem = 3265;
constexpr const char* kSource = "Recordset";

}  // namespace

bool EqualNoCase(std::string_view a, std::string_view b)
{
    auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [&](char x, char y) { return fold(x) == fold(y); });
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
