#pragma once

#include <tavix/variant.h>

#include <cstdint>
#include <memory>
#include <string>

namespace tavix::core {

// A row key in one pointer: almost every row has none, and a million rows of
// empty std::string would cost more than their flags and sizes together.
class RowKeyText {
public:
    RowKeyText() = default;
    RowKeyText(const RowKeyText& other)
        : text_(other.text_ ? std::make_unique<std::string>(*other.text_) : nullptr)
    {
    }
    RowKeyText(RowKeyText&&) noexcept = default;
    RowKeyText& operator=(const RowKeyText& other)
    {
        if (this != &other)
            text_ = other.text_ ? std::make_unique<std::string>(*other.text_) : nullptr;
        return *this;
    }
    RowKeyText& operator=(RowKeyText&&) noexcept = default;
    RowKeyText& operator=(const std::string& key)
    {
        text_ = key.empty() ? nullptr : std::make_unique<std::string>(key);
        return *this;
    }

    bool empty() const { return !text_; }
    void clear() { text_.reset(); }
    operator const std::string&() const { return text_ ? *text_ : Empty(); }

private:
    static const std::string& Empty()
    {
        static const std::string none;
        return none;
    }

    std::unique_ptr<std::string> text_;
};

// Fields grouped by size so that the record has no padding.
struct RowData {
    int32_t Height { 0 };
    int32_t NormalCellHeight { 0 };
    int32_t Top { 0 };
    int32_t GroupStartCol { 0 };
    bool Visible { false };
    bool IsGroup { false };
    bool OddRow { false };
    RowKeyText Key;
    GridVariant Tag;
};

static_assert(sizeof(RowData) <= 48, "a million rows must not outweigh their flags");

}  // namespace tavix::core
