#include "core/cell_look_pool.h"

#include <functional>

namespace tavix::core {

CellLookPool::CellLookPool() { IndexOf(CellLook {}); }

uint32_t CellLookPool::IndexOf(const CellLook& look)
{
    const auto [it, added] = numbers_.try_emplace(look, static_cast<uint32_t>(looks_.size()));
    if (added)
        looks_.push_back(look);
    return it->second;
}

size_t CellLookPool::Hash::operator()(const CellLook& l) const noexcept
{
    uint64_t h = (uint64_t { l.BackColor } << 32) ^ l.ForeColor;
    for (const int64_t part : { int64_t { l.TextFlags }, int64_t { l.Icon }, int64_t { l.ExtraIcon },
             int64_t { l.FontIndex }, int64_t { l.Indent }, int64_t { l.RightIndent }, int64_t { l.FmtIndex },
             int64_t { l.CtrlKeyIndex }, int64_t { l.Hatch } })
        h = h * 0x100000001B3ULL ^ static_cast<uint64_t>(part);
    return std::hash<uint64_t> {}(h);
}

}  // namespace tavix::core
