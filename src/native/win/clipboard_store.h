#pragma once
// Where clipboard text lives for a desktop.
#include <array>
#include <optional>
#include <string>
#include <tavix/native/clipboard.h>

namespace tavix::native {

class ClipboardStore {
public:
    virtual ~ClipboardStore() = default;
    virtual bool SetText(ClipboardSelection which, std::string utf8) = 0;
    virtual std::optional<std::string> Text(ClipboardSelection which) = 0;
};

// The headless desktop's: both selections held in the process.
class InProcessClipboard final : public ClipboardStore {
public:
    bool SetText(ClipboardSelection which, std::string utf8) override
    {
        texts_[Index(which)] = std::move(utf8);
        return true;
    }
    std::optional<std::string> Text(ClipboardSelection which) override { return texts_[Index(which)]; }

private:
    static size_t Index(ClipboardSelection which) { return which == ClipboardSelection::Primary ? 1 : 0; }
    std::array<std::optional<std::string>, 2> texts_;
};

}  // namespace tavix::native
