// The default cell of a column: the template from which new cells are initialised.
#pragma once

#include <tavix/enums.h>
#include <tavix/font.h>
#include <tavix/ole_color.h>
#include <tavix/variant.h>

#include <cstdint>
#include <optional>
#include <string>

namespace tavix {

namespace core {
class GridTable;
}

class CellObject {
public:
    explicit CellObject(core::GridTable& grid);

    OleColor oBackColor { kColorDefault };
    OleColor oForeColor { kColorDefault };
    int32_t eTextFlags { kDefaultTextFlags };
    int16_t iIconIndex { -1 };
    int16_t iExtraIconIndex { -1 };
    bool bSelected { false };
    int16_t iIndent { 2 };
    int16_t iRightIndent { 2 };
    int32_t eTypeFlags { 0 };
    int32_t eHatch { 7 };

    // No font means new cells use the control's font.
    const std::optional<FontRef>& oFont() const { return font_; }
    void SetoFont(std::optional<FontRef> font) { font_ = std::move(font); }

    const std::string& sFmtString() const { return fmtString_; }
    void SetsFmtString(const std::string& fmt);
    const std::string& sCtrlKey() const { return ctrlKey_; }
    void SetsCtrlKey(const std::string& key);
    const GridVariant& vValue() const { return value_; }
    void SetvValue(const GridVariant& value);
    int32_t eType() const { return type_; }
    void SeteType(int32_t type);

    // Pool and list numbers the grid copies into each new cell.
    int16_t FmtIndex() const { return fmtIndex_; }
    int16_t ListIndex() const { return listIndex_; }
    int16_t MatchedItem() const { return matchedItem_; }
    int16_t MatchedIcon() const { return matchedIcon_; }

private:
    core::GridTable* grid_;
    std::optional<FontRef> font_;
    std::string fmtString_;
    std::string ctrlKey_;
    GridVariant value_ { std::string() };
    int32_t type_ { 0 };
    int16_t fmtIndex_ { 0 };
    int16_t listIndex_ { 0 };
    int16_t matchedItem_ { -1 };
    int16_t matchedIcon_ { -1 };
};

}  // namespace tavix
