#pragma once
// One "COMBOBOX" window: the selection field with its button, the items and
// the selection, and the opening and closing of its drop-down list.
#include "native/win/combo_items.h"
#include "native/win/window_control.h"
#include <tavix/native/combobox.h>
#include <tavix/native/owner_draw.h>

namespace tavix::native {

class ComboBoxControl final : public WindowControl {
public:
    explicit ComboBoxControl(HWND hwnd)
        : hwnd_(hwnd)
    {
    }
    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);

    HWND Hwnd() const { return hwnd_; }
    HWND List() const { return list_; }
    const ComboItems& Items() const { return items_; }
    int CurSel() const { return cursel_; }
    bool Dropped() const { return dropped_; }
    bool ListScrollBar() const { return listScrollBar_; }
    // Sends WM_DRAWITEM for an item (-1: none) to the parent.
    void DrawItem(HDC dc, int index, const RECT& rc, UINT state) const;

    void DropDown();
    // Closes the list: with `ok` the list's highlighted item becomes the
    // selection (CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE when it changed),
    // otherwise CBN_SELENDCANCEL, CBN_CLOSEUP.
    void CloseUp(bool ok);

private:
    LRESULT ComboMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void OnCreate();
    void OnKeyDown(int vk, bool alt);
    void OnChar(char32_t ch);
    void OnFocus(bool gained);
    void Paint();
    // The user moves the selection: while dropped the list follows.
    void Navigate(int index);
    int Measure(int index, uintptr_t data);
    int AddString(int index, const char* text);
    LRESULT SetItemHeight(int index, int height);
    void FitFieldHeight();
    RECT ButtonRect() const;
    RECT ItemRect() const;
    void ListChanged() const;

    HWND hwnd_;
    HWND list_ { 0 };
    ComboItems items_;
    int cursel_ { -1 };
    bool dropped_ { false };
    bool listScrollBar_ { false };
    int32_t fieldItemHeight_ { 0 };
    int32_t droppedHeight_ { 0 };  // the height the window was created with: the list's, at most
    int32_t droppedWidth_ { 0 };
    HFONT font_ { 0 };
};

}  // namespace tavix::native
