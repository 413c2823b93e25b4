#include <tavix/dispatch.h>
#include <tavix/events.h>
#include <tavix/variant.h>

#include "host/text_convert.h"

#include <array>
#include <charconv>

namespace tavix {

namespace {

constexpr std::array<const char*, kEventCount> kNames = {
    "AfterCommitEdit",
    "BeforeCommitEdit",
    "CancelEdit",
    "CellSelectionChange",
    "ColDividerDblClick",
    "ColHeaderBeginDrag",
    "ColHeaderClick",
    "ColHeaderDblClick",
    "ColHeaderEndDrag",
    "ColHeaderMouseEnter",
    "ColHeaderMouseLeave",
    "ColWidthChanging",
    "ColWidthChanged",
    "ContentsSorted",
    "CurCellChange",
    "CustomDrawCell",
    "CustomDrawCellGetSize",
    "CustomSort",
    "DblClick",
    "HeaderRightClick",
    "KeyDown",
    "KeyPress",
    "KeyUp",
    "MouseDown",
    "MouseMove",
    "MouseUp",
    "MouseEnter",
    "MouseLeave",
    "OLEDragDrop",
    "OLEDragOver",
    "OLECompleteDrag",
    "OLEGiveFeedback",
    "OLESetData",
    "OLEStartDrag",
    "QuitCustomEdit",
    "RequestEdit",
    "RequestRow",
    "RequestRowData",
    "ScrollBarPosChanged",
    "ScrollBarVisibilityChanged",
    "ScrollBarEndScroll",
    "ScrollBarThumbTrack",
    "ScrollBarThicknessChanged",
    "StartCellDrag",
    "StartColWidthChange",
    "TextEditChange",
    "TextEditKeyDown",
    "TextEditKeyPress",
    "TextEditKeyUp",
    "TextEditDblClick",
    "TextEditMouseDown",
    "TextEditMouseMove",
    "TextEditMouseUp",
    "TextEditCustomContextMenu",
    "WindowsThemeChanged",
};

template <typename T> std::string Shortest(T value)
{
    std::array<char, 32> buf {};
    auto [end, ec] = std::to_chars(buf.data(), buf.data() + buf.size(), value);
    return ec == std::errc() ? std::string(buf.data(), end) : std::string("?");
}

std::string FormatArg(const GridVariant& v)
{
    switch (v.VarType()) {
    case VtEmpty: return "Empty";
    case VtNull: return "Null";
    case VtInteger: return std::to_string(v.AsInteger());
    case VtLong: return std::to_string(v.AsLong());
    case VtByte: return std::to_string(v.AsByte());
    case VtSingle: return Shortest(v.AsSingle());
    case VtDouble:
    case VtDate: return Shortest(v.AsDouble());
    case VtDecimal: return v.AsDecimal().ToString();
    case VtCurrency: return text::CurrencyText(v.AsCurrencyScaled(), Locale());
    case VtBoolean: return v.AsBool() ? "True" : "False";
    case VtString: return '"' + std::string(v.AsString()) + '"';
    case VtError: return "Error " + std::to_string(v.AsErrorCode());
    case VtObject: return v.AsObject() ? v.AsObject()->TypeName() : "Nothing";
    }
    return "?";
}

}  // namespace

const char* EventName(EventId id)
{
    const auto n = static_cast<int32_t>(id);
    return n >= 1 && n <= kEventCount ? kNames[static_cast<size_t>(n - 1)] : "";
}

std::string FormatEventCall(EventId id, std::span<const GridVariant> args)
{
    std::string out = EventName(id);
    out += '(';
    for (size_t i = 0; i < args.size(); ++i) {
        if (i > 0)
            out += ',';
        out += FormatArg(args[i]);
    }
    out += ')';
    return out;
}

}  // namespace tavix
