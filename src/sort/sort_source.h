// What the sort engine needs to know about the rows it orders; the grid implements it.
#pragma once

#include <cstdint>
#include <string>

#include <tavix/ole_color.h>
#include <tavix/variant.h>

namespace tavix {

class SortSource {
public:
    virtual ~SortSource() = default;

    // Rows are 1-based positions before the sort; columns are the criterion's column index.
    // The stored value: CustomSort hands it to the application by reference.
    virtual GridVariant& Value(int32_t row, int16_t column) = 0;
    // The values of count rows from first on, for reading a whole column in order.
    virtual void Values(int16_t column, int32_t first, int32_t count, const GridVariant** out)
    {
        for (int32_t i = 0; i < count; ++i)
            out[i] = &Value(first + i, column);
    }
    virtual std::string DisplayText(int32_t row, int16_t column) = 0;
    virtual int16_t Icon(int32_t row, int16_t column) = 0;
    virtual int16_t ExtraIcon(int32_t row, int16_t column) = 0;
    virtual OleColor ForeColor(int32_t row, int16_t column) = 0;
    virtual OleColor BackColor(int32_t row, int16_t column) = 0;
    virtual int16_t FontIndex(int32_t row, int16_t column) = 0;
    virtual bool Selected(int32_t row, int16_t column) = 0;
    virtual int16_t Indent(int32_t row, int16_t column) = 0;
    virtual uint8_t Hatch(int32_t row, int16_t column) = 0;
    virtual bool IsGroupRow(int32_t row) = 0;
    // Raises the application's custom comparison; the handler sets isGreater.
    virtual void CustomSort(GridVariant& v1, GridVariant& v2, bool& isGreater) = 0;
};

}  // namespace tavix
