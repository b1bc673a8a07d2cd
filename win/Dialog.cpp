#include "win/Dialog.h"

#include "win/Handles.h"
#include "win/Strings.h"

namespace win {

namespace {

// One DoModal's creation: the dialog still waiting to be bound and the CBT
// hook that binds it at its first window. The hook goes once it has bound
// the dialog, or with the creation.
struct Creation {
    Dialog* dialog = nullptr;
    UniqueHook hook;
};

// The creation under way on this thread. A nested DoModal (a dialog opened
// from a dialog) has its own and puts the outer one back.
thread_local Creation* t_creation = nullptr;

} // namespace

HINSTANCE ResourceInstance() {
    return ::GetModuleHandleW(nullptr);
}

INT_PTR Dialog::DoModal() {
    Creation creation{this, UniqueHook(::SetWindowsHookExW(WH_CBT, &CreationHook, nullptr,
                                                           ::GetCurrentThreadId()))};
    Creation* outer = std::exchange(t_creation, &creation);
    const INT_PTR result =
        template_ ? ::DialogBoxIndirectParamW(ResourceInstance(), template_, parent_, &DialogProc,
                                              reinterpret_cast<LPARAM>(this))
                  : ::DialogBoxParamW(ResourceInstance(), MAKEINTRESOURCEW(templateId_), parent_,
                                      &DialogProc, reinterpret_cast<LPARAM>(this));
    t_creation = outer;
    return result;
}

LRESULT CALLBACK Dialog::CreationHook(int code, WPARAM wp, LPARAM lp) {
    Creation* creation = t_creation;
    if (code == HCBT_CREATEWND && creation && creation->dialog) {
        // The first window created by DialogBoxParamW is the dialog itself;
        // its controls come after it.
        std::exchange(creation->dialog, nullptr)->Attach(reinterpret_cast<HWND>(wp));
        const LRESULT r = ::CallNextHookEx(creation->hook.Get(), code, wp, lp);
        creation->hook.Reset();
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
