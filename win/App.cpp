#include "win/App.h"

namespace win {

WinApp* WinApp::current_ = nullptr;

WinApp::WinApp() {
    current_ = this;
}

WinApp::~WinApp() {
    if (current_ == this)
        current_ = nullptr;
}

int WinApp::Run(HINSTANCE instance) {
    instance_ = instance;
    if (!InitInstance())
        return 0;
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

HICON WinApp::LoadIcon(UINT id) const {
    HINSTANCE module = instance_ ? instance_ : ::GetModuleHandleW(nullptr);
    return ::LoadIconW(module, MAKEINTRESOURCEW(id));
}

} // namespace win
