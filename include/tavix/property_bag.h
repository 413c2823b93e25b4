// The host's property storage: named values with defaults, saved as text.
#pragma once

#include <tavix/font.h>
#include <tavix/variant.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tavix {

class PropertyBag {
public:
    // The stored value, or defaultValue when nothing is stored under that name.
    GridVariant ReadProperty(std::string_view name, const GridVariant& defaultValue) const;
    // Stores value; a value equal to the default is not kept and any earlier stored value is
    // dropped. Numbers equal the default by value whatever their types; other values need the
    // default's type, and Nothing (a null object) equals an Empty default. Throws error 514 for an empty name or
    // one with '=' or a line break.
    void WriteProperty(std::string_view name, const GridVariant& value, const GridVariant& defaultValue);

    bool Contains(std::string_view name) const;
    size_t Count() const { return entries_.size(); }
    void Clear() { entries_.clear(); }

    // One "Name=Type:Value" line per property, in writing order. Objects other than Nothing cannot be saved (error
    // 514).
    std::string Save() const;
    static PropertyBag Load(std::string_view text);
    // Replaces the contents with the parsed text; malformed text throws error 514 and changes nothing.
    void Restore(std::string_view text);

private:
    using Entry = std::pair<std::string, GridVariant>;
    std::vector<Entry>::iterator Find(std::string_view name);
    std::vector<Entry>::const_iterator Find(std::string_view name) const;

    std::vector<Entry> entries_;  // few dozen entries: a vector keeps the order and beats a map
};

// "Name,Size,Weight,Italic,Underline,Strikethrough,Charset", e.g. "DejaVu Sans,9,700,0,0,0,0".
GridVariant FontToVariant(const FontRef& font);
// Throws error 514 when the text is not a font description.
FontRef FontFromVariant(const GridVariant& value);

}  // namespace tavix
