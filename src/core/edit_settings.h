#pragma once

namespace tavix::core {

// The editing settings that core queries read; the in-place editor keeps them.
struct EditSettings {
    bool editable { true };
};

}  // namespace tavix::core
