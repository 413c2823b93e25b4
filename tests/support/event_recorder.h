// Records every grid event with its arguments; hooks let a test answer by-reference arguments.
// Header-only on purpose: tests/support is linked into every test program, including those
// that do not link the host module, so nothing here may emit out-of-line host references.
#pragma once

#include <tavix/dispatch.h>
#include <tavix/events.h>
#include <tavix/variant.h>

#include <algorithm>
#include <functional>
#include <string>
#include <type_traits>
#include <vector>

namespace tavix::testing {

struct RecordedEvent {
    EventId id;
    std::vector<GridVariant> args;  // by-reference arguments as they entered

    std::string Name() const { return EventName(id); }
    std::string ToString() const { return FormatEventCall(id, args); }
};

class EventRecorder : public TavixEvents {
public:
    std::function<void(const RecordedEvent&)> onAny;
    // QuitCustomEdit comes with every scroll and structural change; only the editing tests want it.
    bool recordQuitCustomEdit { false };
    std::function<void(int16_t& KeyCode, int16_t& Shift, bool& bDoDefault)> onKeyDown;
    std::function<void(int16_t& KeyAscii)> onKeyPress;
    std::function<void(int32_t lRow, bool& bNoMoreRows)> onRequestRow;
    std::function<void(int32_t lRow)> onRequestRowData;
    std::function<void(int32_t lRow, int32_t lCol, int16_t iKeyAscii, bool& bCancel, std::string& sText,
        int32_t& lMaxLength, ETextEditFlags& eTextEditOpt)>
        onRequestEdit;
    std::function<void(int32_t lRow, int32_t lCol, EEditResults& eResult, const std::string& sNewText,
        GridVariant& vNewValue, int32_t lConvErr)>
        onBeforeCommitEdit;
    std::function<void(GridVariant& v1, GridVariant& v2, bool& bIsGreater)> onCustomSort;
    std::function<void(int32_t lCol, bool& bDoDefault, int16_t Shift, int32_t x, int32_t y)> onColHeaderClick;
    std::function<void(int32_t lCol, bool& bDoDefault)> onColDividerDblClick;
    std::function<void(int32_t lCol, int32_t lColBefore, bool& bCancel)> onColHeaderEndDrag;
    std::function<void(int32_t lRow, int32_t lCol, bool& bRequestEdit)> onDblClick;
    std::function<void(int16_t Button, int16_t& Shift, bool& bDoDefault)> onMouseDown;
    std::function<void(int32_t lRow, int32_t lCol, int16_t& KeyAscii)> onTextEditKeyPress;
    std::function<void(const DataObject& Data, int32_t& Effect)> onOLEDragDrop;
    std::function<void(const DataObject& Data, int32_t& Effect, int16_t State)> onOLEDragOver;
    std::function<void(int32_t& Effect, bool& DefaultCursors)> onOLEGiveFeedback;
    std::function<void(const DataObject& Data, int16_t& DataFormat)> onOLESetData;
    std::function<void(const DataObject& Data, int32_t& AllowedEffects)> onOLEStartDrag;

    const std::vector<RecordedEvent>& Events() const { return events_; }
    void Clear() { events_.clear(); }
    size_t Count(EventId id) const
    {
        return static_cast<size_t>(
            std::count_if(events_.begin(), events_.end(), [id](const auto& e) { return e.id == id; }));
    }
    std::vector<std::string> Names() const
    {
        std::vector<std::string> out;
        for (const auto& e : events_)
            out.push_back(e.Name());
        return out;
    }
    std::vector<std::string> Strings() const
    {
        std::vector<std::string> out;
        for (const auto& e : events_)
            out.push_back(e.ToString());
        return out;
    }

    void AfterCommitEdit(int32_t lRow, int32_t lCol) override { Record(EventId::AfterCommitEdit, lRow, lCol); }
    void BeforeCommitEdit(int32_t lRow, int32_t lCol, EEditResults& eResult, const std::string& sNewText,
        GridVariant& vNewValue, int32_t lConvErr) override
    {
        Record(EventId::BeforeCommitEdit, lRow, lCol, eResult, sNewText, vNewValue, lConvErr);
        Answer(onBeforeCommitEdit, lRow, lCol, eResult, sNewText, vNewValue, lConvErr);
    }
    void CancelEdit(int32_t lRow, int32_t lCol) override { Record(EventId::CancelEdit, lRow, lCol); }
    void CellSelectionChange(int32_t lRow, int32_t lCol, bool bSelected) override
    {
        Record(EventId::CellSelectionChange, lRow, lCol, bSelected);
    }
    void ColDividerDblClick(int32_t lCol, bool& bDoDefault) override
    {
        Record(EventId::ColDividerDblClick, lCol, bDoDefault);
        Answer(onColDividerDblClick, lCol, bDoDefault);
    }
    void ColHeaderBeginDrag(int32_t lCol, bool& bCancel) override
    {
        Record(EventId::ColHeaderBeginDrag, lCol, bCancel);
    }
    void ColHeaderClick(int32_t lCol, bool& bDoDefault, int16_t Shift, int32_t x, int32_t y) override
    {
        Record(EventId::ColHeaderClick, lCol, bDoDefault, Shift, x, y);
        Answer(onColHeaderClick, lCol, bDoDefault, Shift, x, y);
    }
    void ColHeaderDblClick(int32_t lCol) override { Record(EventId::ColHeaderDblClick, lCol); }
    void ColHeaderEndDrag(int32_t lCol, int32_t lColBefore, bool& bCancel) override
    {
        Record(EventId::ColHeaderEndDrag, lCol, lColBefore, bCancel);
        Answer(onColHeaderEndDrag, lCol, lColBefore, bCancel);
    }
    void ColHeaderMouseEnter(int32_t lCol) override { Record(EventId::ColHeaderMouseEnter, lCol); }
    void ColHeaderMouseLeave(int32_t lCol) override { Record(EventId::ColHeaderMouseLeave, lCol); }
    void ColWidthChanging(int32_t lCol, int32_t lWidth) override { Record(EventId::ColWidthChanging, lCol, lWidth); }
    void ColWidthChanged(int32_t lCol, int32_t lWidth) override { Record(EventId::ColWidthChanged, lCol, lWidth); }
    void ContentsSorted() override { Record(EventId::ContentsSorted); }
    void CurCellChange(int32_t lRow, int32_t lCol) override { Record(EventId::CurCellChange, lRow, lCol); }
    void CustomDrawCell(int32_t lRow, int32_t lCol, int32_t hDC, int32_t lLeft, int32_t lTop, int32_t lRight,
        int32_t lBottom, bool bSelected) override
    {
        Record(EventId::CustomDrawCell, lRow, lCol, hDC, lLeft, lTop, lRight, lBottom, bSelected);
    }
    void CustomDrawCellGetSize(int32_t lRow, int32_t lCol, int32_t& lWidth, int32_t& lHeight) override
    {
        Record(EventId::CustomDrawCellGetSize, lRow, lCol, lWidth, lHeight);
    }
    void CustomSort(GridVariant& v1, GridVariant& v2, bool& bIsGreater) override
    {
        Record(EventId::CustomSort, v1, v2, bIsGreater);
        Answer(onCustomSort, v1, v2, bIsGreater);
    }
    void DblClick(int32_t lRow, int32_t lCol, bool& bRequestEdit) override
    {
        Record(EventId::DblClick, lRow, lCol, bRequestEdit);
        Answer(onDblClick, lRow, lCol, bRequestEdit);
    }
    void HeaderRightClick(int32_t lCol, int16_t Shift, int32_t x, int32_t y) override
    {
        Record(EventId::HeaderRightClick, lCol, Shift, x, y);
    }
    void KeyDown(int16_t& KeyCode, int16_t& Shift, bool& bDoDefault) override
    {
        Record(EventId::KeyDown, KeyCode, Shift, bDoDefault);
        Answer(onKeyDown, KeyCode, Shift, bDoDefault);
    }
    void KeyPress(int16_t& KeyAscii) override
    {
        Record(EventId::KeyPress, KeyAscii);
        Answer(onKeyPress, KeyAscii);
    }
    void KeyUp(int16_t& KeyCode, int16_t& Shift) override { Record(EventId::KeyUp, KeyCode, Shift); }
    void MouseDown(int16_t Button, int16_t& Shift, float x, float y, int32_t lRow, int32_t lCol, bool& bDoDefault,
        bool bUnderControl) override
    {
        Record(EventId::MouseDown, Button, Shift, x, y, lRow, lCol, bDoDefault, bUnderControl);
        Answer(onMouseDown, Button, Shift, bDoDefault);
    }
    void MouseMove(int16_t Button, int16_t Shift, float x, float y, int32_t lRow, int32_t lCol) override
    {
        Record(EventId::MouseMove, Button, Shift, x, y, lRow, lCol);
    }
    void MouseUp(int16_t Button, int16_t Shift, float x, float y, int32_t lRow, int32_t lCol, bool& bDoDefault) override
    {
        Record(EventId::MouseUp, Button, Shift, x, y, lRow, lCol, bDoDefault);
    }
    void MouseEnter(int32_t lRow, int32_t lCol) override { Record(EventId::MouseEnter, lRow, lCol); }
    void MouseLeave(int32_t lRow, int32_t lCol) override { Record(EventId::MouseLeave, lRow, lCol); }
    void OLEDragDrop(
        const DataObject& Data, int32_t& Effect, int16_t& Button, int16_t& Shift, float& x, float& y) override
    {
        Record(EventId::OLEDragDrop, Data, Effect, Button, Shift, x, y);
        Answer(onOLEDragDrop, Data, Effect);
    }
    void OLEDragOver(const DataObject& Data, int32_t& Effect, int16_t& Button, int16_t& Shift, float& x, float& y,
        int16_t& State) override
    {
        Record(EventId::OLEDragOver, Data, Effect, Button, Shift, x, y, State);
        Answer(onOLEDragOver, Data, Effect, State);
    }
    void OLECompleteDrag(int32_t& Effect) override { Record(EventId::OLECompleteDrag, Effect); }
    void OLEGiveFeedback(int32_t& Effect, bool& DefaultCursors) override
    {
        Record(EventId::OLEGiveFeedback, Effect, DefaultCursors);
        Answer(onOLEGiveFeedback, Effect, DefaultCursors);
    }
    void OLESetData(const DataObject& Data, int16_t& DataFormat) override
    {
        Record(EventId::OLESetData, Data, DataFormat);
        Answer(onOLESetData, Data, DataFormat);
    }
    void OLEStartDrag(const DataObject& Data, int32_t& AllowedEffects) override
    {
        Record(EventId::OLEStartDrag, Data, AllowedEffects);
        Answer(onOLEStartDrag, Data, AllowedEffects);
    }
    void QuitCustomEdit() override
    {
        if (recordQuitCustomEdit)
            Record(EventId::QuitCustomEdit);
    }
    void RequestEdit(int32_t lRow, int32_t lCol, int16_t iKeyAscii, bool& bCancel, std::string& sText,
        int32_t& lMaxLength, ETextEditFlags& eTextEditOpt) override
    {
        Record(EventId::RequestEdit, lRow, lCol, iKeyAscii, bCancel, sText, lMaxLength, eTextEditOpt);
        Answer(onRequestEdit, lRow, lCol, iKeyAscii, bCancel, sText, lMaxLength, eTextEditOpt);
    }
    void RequestRow(int32_t lRow, bool& bNoMoreRows) override
    {
        Record(EventId::RequestRow, lRow, bNoMoreRows);
        Answer(onRequestRow, lRow, bNoMoreRows);
    }
    void RequestRowData(int32_t lRow) override
    {
        Record(EventId::RequestRowData, lRow);
        Answer(onRequestRowData, lRow);
    }
    void ScrollBarPosChanged(EScrollBar eBar, int32_t lValue) override
    {
        Record(EventId::ScrollBarPosChanged, eBar, lValue);
    }
    void ScrollBarVisibilityChanged(EScrollBar eBar, bool bVisible) override
    {
        Record(EventId::ScrollBarVisibilityChanged, eBar, bVisible);
    }
    void ScrollBarEndScroll(EScrollBar eBar) override { Record(EventId::ScrollBarEndScroll, eBar); }
    void ScrollBarThumbTrack(EScrollBar eBar, int32_t lValue) override
    {
        Record(EventId::ScrollBarThumbTrack, eBar, lValue);
    }
    void ScrollBarThicknessChanged(EScrollBar eBar, int32_t lValue) override
    {
        Record(EventId::ScrollBarThicknessChanged, eBar, lValue);
    }
    void StartCellDrag(int16_t Button, int16_t Shift, float x, float y, int32_t lRow, int32_t lCol) override
    {
        Record(EventId::StartCellDrag, Button, Shift, x, y, lRow, lCol);
    }
    void StartColWidthChange(int32_t lCol, int32_t lWidth) override
    {
        Record(EventId::StartColWidthChange, lCol, lWidth);
    }
    void TextEditChange(int32_t lRow, int32_t lCol) override { Record(EventId::TextEditChange, lRow, lCol); }
    void TextEditKeyDown(int32_t lRow, int32_t lCol, int16_t KeyCode, int16_t Shift) override
    {
        Record(EventId::TextEditKeyDown, lRow, lCol, KeyCode, Shift);
    }
    void TextEditKeyPress(int32_t lRow, int32_t lCol, int16_t& KeyAscii) override
    {
        Record(EventId::TextEditKeyPress, lRow, lCol, KeyAscii);
        Answer(onTextEditKeyPress, lRow, lCol, KeyAscii);
    }
    void TextEditKeyUp(int32_t lRow, int32_t lCol, int16_t KeyCode, int16_t Shift) override
    {
        Record(EventId::TextEditKeyUp, lRow, lCol, KeyCode, Shift);
    }
    void TextEditDblClick(int32_t lRow, int32_t lCol) override { Record(EventId::TextEditDblClick, lRow, lCol); }
    void TextEditMouseDown(int32_t lRow, int32_t lCol, int16_t Button, int16_t Shift, float x, float y) override
    {
        Record(EventId::TextEditMouseDown, lRow, lCol, Button, Shift, x, y);
    }
    void TextEditMouseMove(int32_t lRow, int32_t lCol, int16_t Button, int16_t Shift, float x, float y) override
    {
        Record(EventId::TextEditMouseMove, lRow, lCol, Button, Shift, x, y);
    }
    void TextEditMouseUp(int32_t lRow, int32_t lCol, int16_t Button, int16_t Shift, float x, float y) override
    {
        Record(EventId::TextEditMouseUp, lRow, lCol, Button, Shift, x, y);
    }
    void TextEditCustomContextMenu(int32_t lRow, int32_t lCol) override
    {
        Record(EventId::TextEditCustomContextMenu, lRow, lCol);
    }
    void WindowsThemeChanged(bool bAppUsesXPStyles) override { Record(EventId::WindowsThemeChanged, bAppUsesXPStyles); }

private:
    template <typename T> static GridVariant ToVariant(const T& value)
    {
        if constexpr (std::is_enum_v<T>)
            return GridVariant(static_cast<int32_t>(value));
        else
            return GridVariant(value);
    }

    template <typename... Args> void Record(EventId id, const Args&... args)
    {
        events_.push_back(RecordedEvent { id, { ToVariant(args)... } });
        if (onAny)
            onAny(events_.back());
    }

    template <typename Hook, typename... Args> static void Answer(const Hook& hook, Args&&... args)
    {
        if (hook)
            hook(std::forward<Args>(args)...);
    }

    std::vector<RecordedEvent> events_;
};

}  // namespace tavix::testing
