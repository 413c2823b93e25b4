#pragma once

#include <cstdint>

namespace tavix::core {

// Selection regime and the keyboard settings that go with it.
struct SelectionState {
    bool multiSelect { false };
    bool rowMode { false };
};

}  // namespace tavix::core
