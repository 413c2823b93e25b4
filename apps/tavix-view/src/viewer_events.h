// The viewer's event sink: hands the grid's row requests to the loader's virtual source.
#pragma once

#include "grid_loader.h"

#include <tavix/events.h>
#include <tavix/variant.h>

#include <functional>

namespace tavix::view {

class ViewerEvents : public TavixEvents {
public:
    // Asked at each request, since the loader replaces its source on every load.
    void SetLoader(GridLoader* loader) { loader_ = loader; }

    void RequestRow(int32_t lRow, bool& bNoMoreRows) override
    {
        if (VirtualRowSource* source = Source())
            source->RequestRow(lRow, bNoMoreRows);
        else
            bNoMoreRows = true;
    }
    void RequestRowData(int32_t lRow) override
    {
        if (VirtualRowSource* source = Source())
            source->RequestRowData(lRow);
    }

    // In virtual mode a header click would sort only the rows read so far; the database sorts instead.
    void SetVirtualSortHandler(std::function<void(int32_t col, bool add)> handler)
    {
        sortHandler_ = std::move(handler);
    }
    void ColHeaderClick(int32_t lCol, bool& bDoDefault, int16_t Shift, int32_t /*x*/, int32_t /*y*/) override
    {
        if (Source() == nullptr || !sortHandler_)
            return;
        bDoDefault = false;
        sortHandler_(lCol, Shift != 0);
    }

    // Edits: whether the cell can be edited, with the text the editor may start from, and the
    // write of a value that must succeed before the grid keeps it; it answers how the edit goes on.
    std::function<bool(int32_t row, int32_t col, std::string& text)> canEdit;
    std::function<EEditResults(int32_t row, int32_t col, const GridVariant& value)> write;
    // A key pressed in the text editor, which the grid window's command keys do not see.
    std::function<void(int vk)> editKey;
    // "commit" or "cancel", once an edit of the cell is over.
    std::function<void(const char* how, int32_t row, int32_t col)> editEnded;

    void RequestEdit(int32_t lRow, int32_t lCol, int16_t /*iKeyAscii*/, bool& bCancel, std::string& sText,
        int32_t& /*lMaxLength*/, ETextEditFlags& /*eTextEditOpt*/) override
    {
        if (canEdit && !canEdit(lRow, lCol, sText))
            bCancel = true;
    }
    void BeforeCommitEdit(int32_t lRow, int32_t lCol, EEditResults& eResult, const std::string& /*sNewText*/,
        GridVariant& vNewValue, int32_t /*lConvErr*/) override
    {
        if (eResult == tvEditResCommit && write)
            eResult = write(lRow, lCol, vNewValue);
    }
    void TextEditKeyDown(int32_t /*lRow*/, int32_t /*lCol*/, int16_t KeyCode, int16_t /*Shift*/) override
    {
        if (editKey)
            editKey(KeyCode);
    }

    void AfterCommitEdit(int32_t lRow, int32_t lCol) override { Ended("commit", lRow, lCol); }
    void CancelEdit(int32_t lRow, int32_t lCol) override { Ended("cancel", lRow, lCol); }

private:
    void Ended(const char* how, int32_t row, int32_t col) const
    {
        if (editEnded)
            editEnded(how, row, col);
    }
    VirtualRowSource* Source() const { return loader_ != nullptr ? loader_->Source() : nullptr; }

    GridLoader* loader_ { nullptr };
    std::function<void(int32_t, bool)> sortHandler_;
};

}  // namespace tavix::view
