#include "assign/DialogPaintSignal.w32.h"

#include <windows.h>

#include <string>

namespace orvane {

void SignalDialogPaint() {
    static const std::wstring name = [] {
        wchar_t buffer[128];
        DWORD n = GetEnvironmentVariableW(L"ORVANE_DIALOG_PAINT_EVENT", buffer, 128);
        return n == 0 || n >= 128 ? std::wstring() : std::wstring(buffer, n);
    }();
    if (name.empty())
        return;
    if (HANDLE event = OpenEventW(EVENT_MODIFY_STATE, FALSE, name.c_str())) {
        SetEvent(event);
        CloseHandle(event);
    }
}

} // namespace orvane
