#pragma once
// The grid window in the platform's drag and drop: as a source (OLEDrag) and,
// in a drop mode other than none, as a target. Every notification becomes its
// OLE event with the arguments by reference and the host's answer goes back to
// the platform; the grid adds nothing of its own.
#include "core/grid_table.h"

#include <tavix/native/drag_drop.h>

#include <cstdint>
#include <memory>

namespace tavix::interaction {

class OleDataObject;

class OleDragDrop final : public native::DropTarget, public native::DropSource {
public:
    explicit OleDragDrop(core::GridTable& table)
        : table_(table)
    {
    }
    OleDragDrop(const OleDragDrop&) = delete;
    OleDragDrop& operator=(const OleDragDrop&) = delete;
    ~OleDragDrop() override;

    void AttachWindow(native::HWND hwnd);
    void DetachWindow();
    int16_t DropMode() const { return dropMode_; }
    void SetDropMode(int16_t mode);
    // Runs a drag of the grid window to its end; returns the effect it ended with.
    int32_t Drag();

    // native::DropSource
    void GiveFeedback(native::DWORD& effect, bool& useDefaultCursors) override;
    // native::DropTarget
    void DragEnter(const std::shared_ptr<native::DataObject>& data, native::DWORD keyState, native::POINT pt,
        native::DWORD& effect) override;
    void DragOver(native::DWORD keyState, native::POINT pt, native::DWORD& effect) override;
    void DragLeave() override;
    void Drop(const std::shared_ptr<native::DataObject>& data, native::DWORD keyState, native::POINT pt,
        native::DWORD& effect) override;

private:
    // The OLEDragOver states, as the platform numbers them.
    enum class OverState : int16_t { Enter = 0, Leave = 1, Over = 2 };

    struct DropArgs {
        int32_t effect;
        int16_t button;
        int16_t shift;
        float x;
        float y;
    };

    DropArgs ArgsOf(native::DWORD keyState, native::POINT pt, native::DWORD effect) const;
    void RaiseOver(native::DWORD keyState, native::POINT pt, native::DWORD& effect, OverState state);
    void Register();

    core::GridTable& table_;
    native::HWND hwnd_ { 0 };
    int16_t dropMode_ { 0 };
    // The data passing over the window, for the leave that comes without it.
    std::shared_ptr<OleDataObject> overData_;
    native::DWORD overKeys_ { 0 };
    native::POINT overPt_ {};
    native::DWORD overEffect_ { 0 };
};

}  // namespace tavix::interaction
