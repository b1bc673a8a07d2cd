#include "win/Dialog.h"

#include "win/Strings.h"

namespace win {

namespace {

// The dialog being created by DoModal on this thread, and its hook.
thread_local Dialog* t_creating = nullptr;
thread_local HHOOK t_creationHook = nullptr;

void EndCreationHook() {
    if (t_creationHook)
        ::UnhookWindowsHookEx(t_creationHook);
    t_creationHook = nullptr;
    t_creating = nullptr;
}

} // namespace

HINSTANCE ResourceInstance() {
    return ::GetModuleHandleW(nullptr);
}

INT_PTR Dialog::DoModal() {
    // A nested DoModal (a dialog opened from a dialog) starts its own hook.
    Dialog* outer = t_creating;
    HHOOK outerHook = t_creationHook;
    t_creating = this;
    t_creationHook = ::SetWindowsHookExW(WH_CBT, &CreationHook, nullptr, ::GetCurrentThreadId());
    INT_PTR result = template_
                         ? ::DialogBoxIndirectParamW(ResourceInstance(), template_, parent_,
                                                     &DialogProc, reinterpret_cast<LPARAM>(this))
                         : ::DialogBoxParamW(ResourceInstance(), MAKEINTRESOURCEW(templateId_),
                                             parent_, &DialogProc, reinterpret_cast<LPARAM>(this));
    EndCreationHook();
    t_creating = outer;
    t_creationHook = outerHook;
    return result;
}

LRESULT CALLBACK Dialog::CreationHook(int code, WPARAM wp, LPARAM lp) {
    if (code == HCBT_CREATEWND && t_creating) {
        // The first window created by DialogBoxParamW is the dialog itself;
        // its controls come after it.
        Dialog* self = t_creating;
        HHOOK hook = t_creationHook;
        t_creating = nullptr;
        t_creationHook = nullptr;
        self->Attach(reinterpret_cast<HWND>(wp));
        LRESULT r = ::CallNextHookEx(hook, code, wp, lp);
        ::UnhookWindowsHookEx(hook);
        return r;
    }
    return ::CallNextHookEx(nullptr, code, wp, lp);
}

INT_PTR CALLBACK Dialog::DialogProc(HWND hwnd, UINT msg, WPARAM /*wp*/, LPARAM lp) {
    if (msg == WM_INITDIALOG && !FromHandle(hwnd)) {
        // The creation hook missed the window: bind now and initialise.
        auto* self = reinterpret_cast<Dialog*>(lp);
        self->Attach(hwnd);
        return self->OnInitDialog();
    }
    return FALSE;
}

void Dialog::OnOK() {
    UpdateData(true);
    EndDialog(IDOK);
}

void Dialog::OnCommand(int id, UINT code, CommandHandler handler) {
    commands_[{id, code}] = std::move(handler);
}

void Dialog::OnNotify(int id, UINT code, NotifyHandler handler) {
    notifies_[{static_cast<UINT_PTR>(id), code}] = std::move(handler);
}

namespace {

bool IsButton(HWND control) {
    wchar_t cls[16] = {};
    return control && ::GetClassNameW(control, cls, 16) > 0 && ::lstrcmpiW(cls, L"Button") == 0;
}

} // namespace

const Dialog::CommandHandler* Dialog::FindCommand(WPARAM wp, LPARAM lp) const {
    int id = LOWORD(wp);
    UINT code = HIWORD(wp);
    auto control = reinterpret_cast<HWND>(lp);
    // Menu items (code 0) and accelerators (code 1) come without a control.
    if (!control || (code == BN_DOUBLECLICKED && IsButton(control))) {
        auto exact = commands_.find({id, code});
        if (exact != commands_.end())
            return &exact->second;
        code = BN_CLICKED;
    }
    auto found = commands_.find({id, code});
    return found != commands_.end() ? &found->second : nullptr;
}

LRESULT Dialog::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_COMMAND) {
        if (const CommandHandler* handler = FindCommand(wp, lp)) {
            // A copy: the handler may register or replace handlers.
            CommandHandler run = *handler;
            run();
            return 0;
        }
    } else if (msg == WM_NOTIFY && lp) {
        auto& header = *reinterpret_cast<NMHDR*>(lp);
        auto found = notifies_.find({header.idFrom, header.code});
        if (found != notifies_.end()) {
            NotifyHandler run = found->second;
            return run(header);
        }
    }
    return Window::WindowProc(msg, wp, lp);
}

void Dialog::ExchangeText(bool save, int id, std::wstring& value) {
    HWND control = Item(id);
    if (!control)
        return;
    if (save)
        value = GetWindowTextString(control);
    else
        ::SetWindowTextW(control, value.c_str());
}

BOOL Dialog::OnInitDialog() {
    UpdateData(false);
    return TRUE;
}

bool Dialog::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    switch (msg) {
    case WM_INITDIALOG:
        result = OnInitDialog();
        return true;
    case WM_COMMAND:
        if (HIWORD(wp) == BN_CLICKED ||
            (HIWORD(wp) == BN_DOUBLECLICKED && IsButton(reinterpret_cast<HWND>(lp)))) {
            if (LOWORD(wp) == IDOK) {
                OnOK();
                return true;
            }
            if (LOWORD(wp) == IDCANCEL) {
                OnCancel();
                return true;
            }
        }
        return false;
    default:
        return false;
    }
}

void Dialog::ModifyStyle(DWORD remove, DWORD add) {
    LONG_PTR style = ::GetWindowLongPtrW(Hwnd(), GWL_STYLE);
    ::SetWindowLongPtrW(Hwnd(), GWL_STYLE, (style & ~static_cast<LONG_PTR>(remove)) | add);
}

} // namespace win
