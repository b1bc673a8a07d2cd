#include "win/Controls.h"

#include <vector>

#include "win/Strings.h"

namespace win {

RECT Control::Rect() const {
    RECT rect{};
    if (::GetWindowRect(hwnd_, &rect))
        ::MapWindowPoints(nullptr, ::GetParent(hwnd_), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void Control::SetFont(HFONT font, bool redraw) const {
    Send(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw ? TRUE : FALSE);
}

std::wstring Control::GetText() const {
    return GetWindowTextString(hwnd_);
}

int ComboBox::AddString(const std::wstring& text) const {
    if (!Hwnd())
        return CB_ERR;
    return static_cast<int>(Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

int ComboBox::InsertString(int index, const std::wstring& text) const {
    if (!Hwnd())
        return CB_ERR;
    return static_cast<int>(Send(CB_INSERTSTRING, index, reinterpret_cast<LPARAM>(text.c_str())));
}

bool ComboBox::SetCurSel(int index) const {
    if (index != -1 && Send(CB_SETCURSEL, index) != CB_ERR)
        return true;
    Send(CB_SETCURSEL, static_cast<WPARAM>(-1));
    return index == -1;
}

int ComboBox::GetCount() const {
    // A null window answers 0 from SendMessage; a failure is CB_ERR.
    int count = static_cast<int>(Send(CB_GETCOUNT));
    return count > 0 ? count : 0;
}

std::wstring ComboBox::GetItemText(int index) const {
    LRESULT length = Send(CB_GETLBTEXTLEN, index);
    if (length == CB_ERR || length <= 0)
        return L"";
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1);
    LRESULT copied = Send(CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(buffer.data()));
    if (copied == CB_ERR || copied < 0)
        return L"";
    return std::wstring(buffer.data(), static_cast<size_t>(copied));
}

int ComboBox::FindString(int start, const std::wstring& text) const {
    if (!Hwnd())
        return CB_ERR;
    return static_cast<int>(Send(CB_FINDSTRING, start, reinterpret_cast<LPARAM>(text.c_str())));
}

int ComboBox::FindStringExact(int start, const std::wstring& text) const {
    if (!Hwnd())
        return CB_ERR;
    return static_cast<int>(
        Send(CB_FINDSTRINGEXACT, start, reinterpret_cast<LPARAM>(text.c_str())));
}

int ListView::InsertColumn(int column, const std::wstring& title, int width, int format) const {
    LVCOLUMNW col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
    col.fmt = format;
    col.cx = width;
    col.pszText = const_cast<wchar_t*>(title.c_str());
    col.iSubItem = column;
    if (!Hwnd())
        return -1;
    return static_cast<int>(Send(LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&col)));
}

int ListView::GetColumnCount() const {
    auto header = reinterpret_cast<HWND>(Send(LVM_GETHEADER));
    if (!header)
        return 0;
    int count = static_cast<int>(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    return count > 0 ? count : 0;
}

int ListView::InsertItem(int row, const std::wstring& text) const {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    if (!Hwnd())
        return -1;
    return static_cast<int>(Send(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

bool ListView::SetItemText(int row, int column, const std::wstring& text) const {
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    return Send(LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item)) != FALSE;
}

std::wstring ListView::GetItemText(int row, int column) const {
    // LVM_GETITEMTEXT answers the characters copied; grow until they fit.
    std::vector<wchar_t> buffer(64);
    for (;;) {
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(buffer.size());
        auto copied =
            static_cast<size_t>(Send(LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item)));
        if (copied + 1 < buffer.size())
            return std::wstring(buffer.data(), copied);
        if (buffer.size() >= 0x10000)
            return std::wstring(buffer.data(), buffer.size() - 1);
        buffer.resize(buffer.size() * 4);
    }
}

bool ListView::SetItemState(int row, UINT state, UINT mask) const {
    LVITEMW item{};
    item.state = state;
    item.stateMask = mask;
    return Send(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)) !=
           FALSE;
}

void ListView::SelectRow(int row) const {
    SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (row < 0)
        return;
    SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EnsureVisible(row);
}

} // namespace win
