#pragma once
// Drag and drop between windows of the desktop: a data object that carries
// values by format, windows registered as drop targets, and the modal drag
// loop that moves the data from a source to the target under the pointer.
// Dropping into other X applications is not offered: the loop only sees the
// windows of this desktop.
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tavix/native/window.h>

namespace tavix::native {

inline constexpr DWORD DROPEFFECT_NONE = 0, DROPEFFECT_COPY = 1, DROPEFFECT_MOVE = 2, DROPEFFECT_LINK = 4;
// Key-state bit of the Alt key; the others are the MK_* of the mouse messages.
inline constexpr DWORD MK_ALT = 0x20;
// Drop modes: 0 the window refuses drops; 1 (manual) its target hears every step.
// There is no automatic drop for a window of ours, so 2 (automatic) works as 1.
inline constexpr int DROPMODE_NONE = 0, DROPMODE_MANUAL = 1, DROPMODE_AUTOMATIC = 2;
// Text, UTF-8.
inline constexpr UINT CF_TEXT = 1;
// The cursors the loop shows for an effect when the source keeps the default ones.
inline constexpr HCURSOR IDC_NO = 32648, IDC_DRAGMOVE = 32760, IDC_DRAGCOPY = 32761, IDC_DRAGLINK = 32762;

// Values by format, each a string of bytes (text is UTF-8). A format may be
// announced without a value; its value is then asked of the DataWanted
// callback when someone wants it, so that a source prepares only what the
// target takes.
class DataObject {
public:
    using DataWanted = std::function<void(DataObject& data, UINT format)>;

    // Without a value the format is only announced (a value it had is dropped).
    void SetData(UINT format, std::optional<std::string> value);
    // Nothing when the format has no value, even after asking for it.
    std::optional<std::string> GetData(UINT format);
    // Announced or holding a value.
    bool GetFormat(UINT format) const;
    void Clear();
    void SetDataWanted(DataWanted wanted) { wanted_ = std::move(wanted); }

private:
    std::map<UINT, std::optional<std::string>> formats_;
    DataWanted wanted_;
    bool asking_ { false };
};

// What a drop target hears while a drag passes over its window. Points are in
// screen coordinates; key states are MK_* masks. `effect` enters as the effects
// the source allows and leaves as the one the target would take (none refuses).
class DropTarget {
public:
    virtual ~DropTarget() = default;
    virtual void DragEnter(const std::shared_ptr<DataObject>& data, DWORD keyState, POINT pt, DWORD& effect) = 0;
    virtual void DragOver(DWORD keyState, POINT pt, DWORD& effect) = 0;
    virtual void DragLeave() = 0;
    virtual void Drop(const std::shared_ptr<DataObject>& data, DWORD keyState, POINT pt, DWORD& effect) = 0;
};

// The source of a running drag.
class DropSource {
public:
    virtual ~DropSource() = default;
    // After each step: the effect the target would take. With useDefaultCursors
    // left true the loop shows the cursor of the effect as the source leaves it;
    // false leaves the cursor to the source.
    virtual void GiveFeedback(DWORD& effect, bool& useDefaultCursors) = 0;
};

// Makes the window a drop target in the given mode; DROPMODE_NONE or an unknown
// mode revokes it. The target is not owned: revoke it before it goes.
bool RegisterDragDrop(HWND hwnd, DropTarget* target, int mode = DROPMODE_MANUAL);
bool RevokeDragDrop(HWND hwnd);

// Runs a drag of `data` with the pointer captured: the target under the pointer
// (the nearest registered window at or above the one hit) hears enter, over and
// leave, the source gives feedback after each step; releasing the button that
// carries the drag drops, Escape cancels. Returns the effect the target took
// (limited to `allowedEffects`), DROPEFFECT_NONE when cancelled or refused. The
// loop runs on the desktop's event pump; without one, a drag whose button is
// still down cannot end and is cancelled at once. The drop reports the key state
// with the button that carried the drag, although it has just been released.
DWORD DoDragDrop(HWND source, const std::shared_ptr<DataObject>& data, DropSource& feedback, DWORD allowedEffects);

}  // namespace tavix::native
