// The grid's events. The application derives from TavixEvents and overrides what it needs;
// by-reference arguments enter with the value the grid acts on by default and are read back.
#pragma once

#include <tavix/enums.h>

#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace tavix {

class Dispatch;
class GridVariant;

// Dispatch numbers of the events.
enum class EventId : int32_t {
    AfterCommitEdit = 1,
    BeforeCommitEdit = 2,
    CancelEdit = 3,
    CellSelectionChange = 4,
    ColDividerDblClick = 5,
    ColHeaderBeginDrag = 6,
    ColHeaderClick = 7,
    ColHeaderDblClick = 8,
    ColHeaderEndDrag = 9,
    ColHeaderMouseEnter = 10,
    ColHeaderMouseLeave = 11,
    ColWidthChanging = 12,
    ColWidthChanged = 13,
    ContentsSorted = 14,
    CurCellChange = 15,
    CustomDrawCell = 16,
    CustomDrawCellGetSize = 17,
    CustomSort = 18,
    DblClick = 19,
    HeaderRightClick = 20,
    KeyDown = 21,
    KeyPress = 22,
    KeyUp = 23,
    MouseDown = 24,
    MouseMove = 25,
    MouseUp = 26,
    MouseEnter = 27,
    MouseLeave = 28,
    OLEDragDrop = 29,
    OLEDragOver = 30,
    OLECompleteDrag = 31,
    OLEGiveFeedback = 32,
    OLESetData = 33,
    OLEStartDrag = 34,
    QuitCustomEdit = 35,
    RequestEdit = 36,
    RequestRow = 37,
    RequestRowData = 38,
    ScrollBarPosChanged = 39,
    ScrollBarVisibilityChanged = 40,
    ScrollBarEndScroll = 41,
    ScrollBarThumbTrack = 42,
    ScrollBarThicknessChanged = 43,
    StartCellDrag = 44,
    StartColWidthChange = 45,
    TextEditChange = 46,
    TextEditKeyDown = 47,
    TextEditKeyPress = 48,
    TextEditKeyUp = 49,
    TextEditDblClick = 50,
    TextEditMouseDown = 51,
    TextEditMouseMove = 52,
    TextEditMouseUp = 53,
    TextEditCustomContextMenu = 54,
    WindowsThemeChanged = 55,
};

inline constexpr int32_t kEventCount = 55;

// The event's name, or "" for a number outside 1..55.
const char* EventName(EventId id);

// "Name(arg,arg,...)": numbers plain, Booleans True/False, strings quoted; for logs and tests.
std::string FormatEventCall(EventId id, std::span<const GridVariant> args);

class TavixEvents {
public:
    using DataObject = std::shared_ptr<Dispatch>;

    virtual ~TavixEvents() = default;

    virtual void AfterCommitEdit(int32_t /*lRow*/, int32_t /*lCol*/) { }
    virtual void BeforeCommitEdit(int32_t /*lRow*/, int32_t /*lCol*/, EEditResults& /*eResult*/,
        const std::string& /*sNewText*/, GridVariant& /*vNewValue*/, int32_t /*lConvErr*/)
    {
    }
    virtual void CancelEdit(int32_t /*lRow*/, int32_t /*lCol*/) { }
    virtual void CellSelectionChange(int32_t /*lRow*/, int32_t /*lCol*/, bool /*bSelected*/) { }
    virtual void ColDividerDblClick(int32_t /*lCol*/, bool& /*bDoDefault*/) { }
    virtual void ColHeaderBeginDrag(int32_t /*lCol*/, bool& /*bCancel*/) { }
    virtual void ColHeaderClick(int32_t /*lCol*/, bool& /*bDoDefault*/, int16_t /*Shift*/, int32_t /*x*/, int32_t /*y*/)
    {
    }
    virtual void ColHeaderDblClick(int32_t /*lCol*/) { }
    virtual void ColHeaderEndDrag(int32_t /*lCol*/, int32_t /*lColBefore*/, bool& /*bCancel*/) { }
    virtual void ColHeaderMouseEnter(int32_t /*lCol*/) { }
    virtual void ColHeaderMouseLeave(int32_t /*lCol*/) { }
    virtual void ColWidthChanging(int32_t /*lCol*/, int32_t /*lWidth*/) { }
    virtual void ColWidthChanged(int32_t /*lCol*/, int32_t /*lWidth*/) { }
    virtual void ContentsSorted() { }
    virtual void CurCellChange(int32_t /*lRow*/, int32_t /*lCol*/) { }
    virtual void CustomDrawCell(int32_t /*lRow*/, int32_t /*lCol*/, int32_t /*hDC*/, int32_t /*lLeft*/,
        int32_t /*lTop*/, int32_t /*lRight*/, int32_t /*lBottom*/, bool /*bSelected*/)
    {
    }
    virtual void CustomDrawCellGetSize(int32_t /*lRow*/, int32_t /*lCol*/, int32_t& /*lWidth*/, int32_t& /*lHeight*/) {
    }
    virtual void CustomSort(GridVariant& /*v1*/, GridVariant& /*v2*/, bool& /*bIsGreater*/) { }
    virtual void DblClick(int32_t /*lRow*/, int32_t /*lCol*/, bool& /*bRequestEdit*/) { }
    virtual void HeaderRightClick(int32_t /*lCol*/, int16_t /*Shift*/, int32_t /*x*/, int32_t /*y*/) { }
    virtual void KeyDown(int16_t& /*KeyCode*/, int16_t& /*Shift*/, bool& /*bDoDefault*/) { }
    virtual void KeyPress(int16_t& /*KeyAscii*/) { }
    virtual void KeyUp(int16_t& /*KeyCode*/, int16_t& /*Shift*/) { }
    virtual void MouseDown(int16_t /*Button*/, int16_t& /*Shift*/, float /*x*/, float /*y*/, int32_t /*lRow*/,
        int32_t /*lCol*/, bool& /*bDoDefault*/, bool /*bUnderControl*/)
    {
    }
    virtual void MouseMove(
        int16_t /*Button*/, int16_t /*Shift*/, float /*x*/, float /*y*/, int32_t /*lRow*/, int32_t /*lCol*/)
    {
    }
    virtual void MouseUp(int16_t /*Button*/, int16_t /*Shift*/, float /*x*/, float /*y*/, int32_t /*lRow*/,
        int32_t /*lCol*/, bool& /*bDoDefault*/)
    {
    }
    virtual void MouseEnter(int32_t /*lRow*/, int32_t /*lCol*/) { }
    virtual void MouseLeave(int32_t /*lRow*/, int32_t /*lCol*/) { }
    virtual void OLEDragDrop(const DataObject& /*Data*/, int32_t& /*Effect*/, int16_t& /*Button*/, int16_t& /*Shift*/,
        float& /*x*/, float& /*y*/)
    {
    }
    virtual void OLEDragOver(const DataObject& /*Data*/, int32_t& /*Effect*/, int16_t& /*Button*/, int16_t& /*Shift*/,
        float& /*x*/, float& /*y*/, int16_t& /*State*/)
    {
    }
    virtual void OLECompleteDrag(int32_t& /*Effect*/) { }
    virtual void OLEGiveFeedback(int32_t& /*Effect*/, bool& /*DefaultCursors*/) { }
    virtual void OLESetData(const DataObject& /*Data*/, int16_t& /*DataFormat*/) { }
    virtual void OLEStartDrag(const DataObject& /*Data*/, int32_t& /*AllowedEffects*/) { }
    virtual void QuitCustomEdit() { }
    virtual void RequestEdit(int32_t /*lRow*/, int32_t /*lCol*/, int16_t /*iKeyAscii*/, bool& /*bCancel*/,
        std::string& /*sText*/, int32_t& /*lMaxLength*/, ETextEditFlags& /*eTextEditOpt*/)
    {
    }
    virtual void RequestRow(int32_t /*lRow*/, bool& /*bNoMoreRows*/) { }
    virtual void RequestRowData(int32_t /*lRow*/) { }
    virtual void ScrollBarPosChanged(EScrollBar /*eBar*/, int32_t /*lValue*/) { }
    virtual void ScrollBarVisibilityChanged(EScrollBar /*eBar*/, bool /*bVisible*/) { }
    virtual void ScrollBarEndScroll(EScrollBar /*eBar*/) { }
    virtual void ScrollBarThumbTrack(EScrollBar /*eBar*/, int32_t /*lValue*/) { }
    virtual void ScrollBarThicknessChanged(EScrollBar /*eBar*/, int32_t /*lValue*/) { }
    virtual void StartCellDrag(
        int16_t /*Button*/, int16_t /*Shift*/, float /*x*/, float /*y*/, int32_t /*lRow*/, int32_t /*lCol*/)
    {
    }
    virtual void StartColWidthChange(int32_t /*lCol*/, int32_t /*lWidth*/) { }
    virtual void TextEditChange(int32_t /*lRow*/, int32_t /*lCol*/) { }
    virtual void TextEditKeyDown(int32_t /*lRow*/, int32_t /*lCol*/, int16_t /*KeyCode*/, int16_t /*Shift*/) { }
    virtual void TextEditKeyPress(int32_t /*lRow*/, int32_t /*lCol*/, int16_t& /*KeyAscii*/) { }
    virtual void TextEditKeyUp(int32_t /*lRow*/, int32_t /*lCol*/, int16_t /*KeyCode*/, int16_t /*Shift*/) { }
    virtual void TextEditDblClick(int32_t /*lRow*/, int32_t /*lCol*/) { }
    virtual void TextEditMouseDown(
        int32_t /*lRow*/, int32_t /*lCol*/, int16_t /*Button*/, int16_t /*Shift*/, float /*x*/, float /*y*/)
    {
    }
    virtual void TextEditMouseMove(
        int32_t /*lRow*/, int32_t /*lCol*/, int16_t /*Button*/, int16_t /*Shift*/, float /*x*/, float /*y*/)
    {
    }
    virtual void TextEditMouseUp(
        int32_t /*lRow*/, int32_t /*lCol*/, int16_t /*Button*/, int16_t /*Shift*/, float /*x*/, float /*y*/)
    {
    }
    virtual void TextEditCustomContextMenu(int32_t /*lRow*/, int32_t /*lCol*/) { }
    virtual void WindowsThemeChanged(bool /*bAppUsesXPStyles*/) { }
};

}  // namespace tavix
