// The settings a host keeps for a grid, in the order they are initialised, read and
// written. Each is reached through the grid's public getter and setter, so that loading
// has the side effects an application's assignment has.
#pragma once

#include <tavix/variant.h>

#include <span>
#include <string_view>

namespace tavix {
class Tavix;
class PropertyBag;
}  // namespace tavix

namespace tavix::persist {

struct StoredSetting {
    std::string_view name;
    // The value of a new instance, assumed when the setting is absent, and passed when writing.
    GridVariant (*defaultValue)(const Tavix& grid);
    GridVariant (*get)(const Tavix& grid);
    // Converts the stored value to the setting's type and assigns it; raises when either fails.
    void (*set)(Tavix& grid, const GridVariant& value);
};

std::span<const StoredSetting> StoredSettings();

// Each step continues past a failure, which leaves that setting as it was.
void InitSettings(Tavix& grid);
void ReadSettings(Tavix& grid, const PropertyBag& bag);
void WriteSettings(const Tavix& grid, PropertyBag& bag);

}  // namespace tavix::persist
