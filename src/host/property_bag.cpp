#include <tavix/property_bag.h>

#include "host/property_bag_codec.h"

#include <algorithm>
#include <strings.h>

namespace tavix {

namespace {

bool SameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && ::strncasecmp(a.data(), b.data(), a.size()) == 0;
}

bool ValidName(std::string_view name) { return !name.empty() && name.find_first_of("=\r\n") == std::string_view::npos; }

bool IsNothing(const GridVariant& v) { return v.IsObject() && !v.AsObject(); }

// Defaults of 32-bit settings are often given as 16-bit values, so numbers compare by value
// across their types; anything else must have the default's type to be skipped.
bool EqualsDefault(const GridVariant& value, const GridVariant& def)
{
    if (IsNothing(value))
        return def.IsEmpty() || IsNothing(def);
    if (IsNumericVariant(value) && IsNumericVariant(def))
        return VariantEquals(value, def);
    if (value.VarType() != def.VarType())
        return false;
    // Host equality says Null equals nothing; for storage a Null default is met by Null.
    if (value.IsEmpty() || value.IsNull())
        return true;
    return VariantEquals(value, def);
}

}  // namespace

std::vector<PropertyBag::Entry>::iterator PropertyBag::Find(std::string_view name)
{
    return std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return SameName(e.first, name); });
}

std::vector<PropertyBag::Entry>::const_iterator PropertyBag::Find(std::string_view name) const
{
    return std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return SameName(e.first, name); });
}

GridVariant PropertyBag::ReadProperty(std::string_view name, const GridVariant& defaultValue) const
{
    auto it = Find(name);
    return it == entries_.end() ? defaultValue : it->second;
}

void PropertyBag::WriteProperty(std::string_view name, const GridVariant& value, const GridVariant& defaultValue)
{
    if (!ValidName(name))
        throw TavixError::Grid(tvErrInvalidArgument);
    auto it = Find(name);
    if (EqualsDefault(value, defaultValue)) {
        if (it != entries_.end())
            entries_.erase(it);
        return;
    }
    if (it != entries_.end())
        it->second = value;
    else
        entries_.emplace_back(std::string(name), value);
}

bool PropertyBag::Contains(std::string_view name) const { return Find(name) != entries_.end(); }

std::string PropertyBag::Save() const
{
    std::string out;
    for (const auto& [name, value] : entries_) {
        out += name;
        out += '=';
        out += bagcodec::Encode(value);
        out += '\n';
    }
    return out;
}

PropertyBag PropertyBag::Load(std::string_view text)
{
    PropertyBag bag;
    bag.Restore(text);
    return bag;
}

void PropertyBag::Restore(std::string_view text)
{
    std::vector<Entry> parsed;
    while (!text.empty()) {
        const size_t eol = text.find('\n');
        std::string_view line = text.substr(0, eol);
        text = eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty())
            continue;
        const size_t eq = line.find('=');
        if (eq == std::string_view::npos)
            throw TavixError::Grid(tvErrInvalidArgument);
        const std::string_view name = line.substr(0, eq);
        const bool duplicate
            = std::any_of(parsed.begin(), parsed.end(), [&](const Entry& e) { return SameName(e.first, name); });
        if (!ValidName(name) || duplicate)
            throw TavixError::Grid(tvErrInvalidArgument);
        parsed.emplace_back(std::string(name), bagcodec::Decode(line.substr(eq + 1)));
    }
    entries_ = std::move(parsed);
}

}  // namespace tavix
