// Thin wrappers over a dialog's standard controls. Each holds only the
// control's HWND (it owns nothing: the dialog destroys its controls), is
// cheap to copy and may be bound again each time the dialog opens:
//
//   win::ComboBox names;            // a member of the dialog
//   names.Bind(Hwnd(), IDC_NAME);   // in OnInitDialog
//
// An unbound wrapper (or one whose control is gone) answers as the system
// does for a null window: nothing happens, counts are 0, indexes -1.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>

namespace win {

class Control {
  public:
    Control() = default;
    explicit Control(HWND hwnd) : hwnd_(hwnd) {}
    Control(HWND dialog, int id) : hwnd_(::GetDlgItem(dialog, id)) {}

    void Attach(HWND hwnd) { hwnd_ = hwnd; }
    // False when the dialog has no control with this id.
    bool Bind(HWND dialog, int id) {
        hwnd_ = ::GetDlgItem(dialog, id);
        return hwnd_ != nullptr;
    }
    HWND Hwnd() const { return hwnd_; }
    int Id() const { return ::GetDlgCtrlID(hwnd_); }

    void Show(bool show) const { ::ShowWindow(hwnd_, show ? SW_SHOW : SW_HIDE); }
    bool IsVisible() const { return ::IsWindowVisible(hwnd_) != FALSE; }
    void Enable(bool enable) const { ::EnableWindow(hwnd_, enable ? TRUE : FALSE); }
    bool IsEnabled() const { return ::IsWindowEnabled(hwnd_) != FALSE; }
    // Position and size in the parent's client coordinates.
    void Move(int x, int y, int width, int height, bool repaint = true) const {
        ::MoveWindow(hwnd_, x, y, width, height, repaint ? TRUE : FALSE);
    }
    void Move(const RECT& rect, bool repaint = true) const {
        Move(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, repaint);
    }
    // The rectangle in the parent's client coordinates.
    RECT Rect() const;
    void SetFont(HFONT font, bool redraw = true) const;
    void SetFocus() const { ::SetFocus(hwnd_); }

    std::wstring GetText() const;
    void SetText(const std::wstring& text) const { ::SetWindowTextW(hwnd_, text.c_str()); }

  protected:
    LRESULT Send(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const {
        return ::SendMessageW(hwnd_, msg, wp, lp);
    }

  private:
    HWND hwnd_ = nullptr;
};

class Edit : public Control {
  public:
    using Control::Control;
    // Characters the user may type (0: the system's maximum).
    void SetLimitText(int limit) const { Send(EM_LIMITTEXT, static_cast<WPARAM>(limit)); }
    void SetReadOnly(bool readOnly) const { Send(EM_SETREADONLY, readOnly ? TRUE : FALSE); }
};

class Button : public Control {
  public:
    using Control::Control;
    bool IsChecked() const { return Send(BM_GETCHECK) == BST_CHECKED; }
    void SetCheck(bool checked) const { Send(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED); }
};

// A combo box; the text of an editable one is the Control text.
class ComboBox : public Control {
  public:
    using Control::Control;
    void ResetContent() const { Send(CB_RESETCONTENT); }
    // The new item's index (a sorted combo sorts it in), or CB_ERR.
    int AddString(const std::wstring& text) const;
    int InsertString(int index, const std::wstring& text) const;
    // The items left, or CB_ERR for a bad index.
    int DeleteString(int index) const {
        return Hwnd() ? static_cast<int>(Send(CB_DELETESTRING, index)) : CB_ERR;
    }
    int GetCount() const;
    int GetCurSel() const { return Hwnd() ? static_cast<int>(Send(CB_GETCURSEL)) : CB_ERR; }
    // -1 clears the selection. False when index names no item; the
    // selection is then cleared too (not every system's control does so).
    bool SetCurSel(int index) const;
    // The item's text; empty for a bad index.
    std::wstring GetItemText(int index) const;
    // The first item after `start` whose text begins with `text`, case
    // ignored, wrapping round to the top and ending at `start`; -1 searches
    // from the top. CB_ERR when none matches.
    int FindString(int start, const std::wstring& text) const;
    // As FindString, but the whole text must match.
    int FindStringExact(int start, const std::wstring& text) const;
};

// A report-view list control.
class ListView : public Control {
  public:
    using Control::Control;
    // Sets the extended styles in `mask` to those in `styles`.
    void SetExtendedStyle(DWORD mask, DWORD styles) const {
        Send(LVM_SETEXTENDEDLISTVIEWSTYLE, mask, styles);
    }
    DWORD GetExtendedStyle() const {
        return static_cast<DWORD>(Send(LVM_GETEXTENDEDLISTVIEWSTYLE));
    }
    // The new column's index, or -1.
    int InsertColumn(int column, const std::wstring& title, int width,
                     int format = LVCFMT_LEFT) const;
    bool DeleteColumn(int column) const { return Send(LVM_DELETECOLUMN, column) != FALSE; }
    int GetColumnCount() const;
    // A row with `text` in column 0; the new row's index, or -1.
    int InsertItem(int row, const std::wstring& text) const;
    bool SetItemText(int row, int column, const std::wstring& text) const;
    std::wstring GetItemText(int row, int column) const;
    bool DeleteItem(int row) const { return Send(LVM_DELETEITEM, row) != FALSE; }
    bool DeleteAllItems() const { return Send(LVM_DELETEALLITEMS) != FALSE; }
    int GetItemCount() const { return static_cast<int>(Send(LVM_GETITEMCOUNT)); }
    // The first selected row, or -1.
    int GetSelectedRow() const {
        if (!Hwnd())
            return -1;
        return static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    }
    // Sets the LVIS_* bits of `mask` on `row` (-1: every row) to `state`.
    bool SetItemState(int row, UINT state, UINT mask) const;
    UINT GetItemState(int row, UINT mask) const {
        return static_cast<UINT>(Send(LVM_GETITEMSTATE, row, mask));
    }
    // Selects and focuses `row` alone and scrolls it into view.
    void SelectRow(int row) const;
    bool EnsureVisible(int row, bool partialOk = false) const {
        return Send(LVM_ENSUREVISIBLE, row, partialOk ? TRUE : FALSE) != FALSE;
    }
};

} // namespace win
