#include "interaction/ole_drag_drop.h"

#include "core/message_boundary.h"
#include "interaction/ole_data_object.h"

#include <tavix/events.h>

namespace tavix::interaction {

namespace {

// The event masks: Button 1 left, 2 right, 4 middle; Shift 1 Shift, 2 Ctrl, 4 Alt.
int16_t ButtonOf(native::DWORD keys)
{
    return static_cast<int16_t>(((keys & native::MK_LBUTTON) != 0 ? 1 : 0) | ((keys & native::MK_RBUTTON) != 0 ? 2 : 0)
        | ((keys & native::MK_MBUTTON) != 0 ? 4 : 0));
}

int16_t ShiftOf(native::DWORD keys)
{
    return static_cast<int16_t>(((keys & native::MK_SHIFT) != 0 ? 1 : 0) | ((keys & native::MK_CONTROL) != 0 ? 2 : 0)
        | ((keys & native::MK_ALT) != 0 ? 4 : 0));
}

// The platform calls in from its drag loop, where no caller of the grid may be up the stack.
template <typename Raise> void AtBoundary(core::GridTable& table, Raise&& raise)
{
    core::AtMessageBoundary(table.GetHost(), [&] {
        raise();
        return native::LRESULT { 0 };
    });
}

}  // namespace

OleDragDrop::~OleDragDrop() { DetachWindow(); }

void OleDragDrop::AttachWindow(native::HWND hwnd)
{
    hwnd_ = hwnd;
    Register();
}

void OleDragDrop::DetachWindow()
{
    if (hwnd_ != 0)
        native::RevokeDragDrop(hwnd_);
    hwnd_ = 0;
}

void OleDragDrop::SetDropMode(int16_t mode)
{
    dropMode_ = mode;
    Register();
}

void OleDragDrop::Register()
{
    if (hwnd_ != 0)
        native::RegisterDragDrop(hwnd_, this, dropMode_);
}

int32_t OleDragDrop::Drag()
{
    auto data = std::make_shared<native::DataObject>();
    auto object = std::make_shared<OleDataObject>(data);
    int32_t allowed = native::DROPEFFECT_COPY | native::DROPEFFECT_MOVE;
    table_.Events().OLEStartDrag(object, allowed);
    data->SetDataWanted([this, weak = std::weak_ptr<OleDataObject>(object)](native::DataObject&, native::UINT format) {
        if (auto held = weak.lock()) {
            auto dataFormat = static_cast<int16_t>(format);
            AtBoundary(table_, [&] { table_.Events().OLESetData(held, dataFormat); });
        }
    });
    // A host that keeps the data object must not reach this grid through it afterwards.
    struct Unhook {
        native::DataObject& data;
        ~Unhook() { data.SetDataWanted(nullptr); }
    } unhook { *data };
    auto effect = static_cast<int32_t>(native::DoDragDrop(hwnd_, data, *this, static_cast<native::DWORD>(allowed)));
    table_.Events().OLECompleteDrag(effect);
    return effect;
}

void OleDragDrop::GiveFeedback(native::DWORD& effect, bool& useDefaultCursors)
{
    auto e = static_cast<int32_t>(effect);
    AtBoundary(table_, [&] { table_.Events().OLEGiveFeedback(e, useDefaultCursors); });
    effect = static_cast<native::DWORD>(e);
}

void OleDragDrop::DragEnter(
    const std::shared_ptr<native::DataObject>& data, native::DWORD keyState, native::POINT pt, native::DWORD& effect)
{
    overData_ = std::make_shared<OleDataObject>(data);
    RaiseOver(keyState, pt, effect, OverState::Enter);
}

void OleDragDrop::DragOver(native::DWORD keyState, native::POINT pt, native::DWORD& effect)
{
    RaiseOver(keyState, pt, effect, OverState::Over);
}

void OleDragDrop::DragLeave()
{
    native::DWORD effect = overEffect_;
    RaiseOver(overKeys_, overPt_, effect, OverState::Leave);
    overData_.reset();
}

// The by-reference arguments of OLEDragOver and OLEDragDrop, in the event's units.
OleDragDrop::DropArgs OleDragDrop::ArgsOf(native::DWORD keyState, native::POINT pt, native::DWORD effect) const
{
    native::ScreenToClient(hwnd_, &pt);
    return { static_cast<int32_t>(effect), ButtonOf(keyState), ShiftOf(keyState), static_cast<float>(pt.x),
        static_cast<float>(pt.y) };
}

void OleDragDrop::RaiseOver(native::DWORD keyState, native::POINT pt, native::DWORD& effect, OverState state)
{
    overKeys_ = keyState;
    overPt_ = pt;
    const TavixEvents::DataObject data = overData_;
    DropArgs a = ArgsOf(keyState, pt, effect);
    auto st = static_cast<int16_t>(state);
    AtBoundary(table_, [&] { table_.Events().OLEDragOver(data, a.effect, a.button, a.shift, a.x, a.y, st); });
    effect = overEffect_ = static_cast<native::DWORD>(a.effect);
}

void OleDragDrop::Drop(
    const std::shared_ptr<native::DataObject>& data, native::DWORD keyState, native::POINT pt, native::DWORD& effect)
{
    const TavixEvents::DataObject object = overData_ ? overData_ : std::make_shared<OleDataObject>(data);
    overData_.reset();
    DropArgs a = ArgsOf(keyState, pt, effect);
    AtBoundary(table_, [&] { table_.Events().OLEDragDrop(object, a.effect, a.button, a.shift, a.x, a.y); });
    effect = static_cast<native::DWORD>(a.effect);
}

}  // namespace tavix::interaction
