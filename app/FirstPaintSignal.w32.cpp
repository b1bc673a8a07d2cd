#include "app/FirstPaintSignal.w32.h"

#include <windows.h>

namespace orvane {

void SignalFirstPaint() {
    static bool done = false;
    if (done)
        return;
    done = true;
    wchar_t name[128];
    DWORD n = GetEnvironmentVariableW(L"ORVANE_FIRST_PAINT_EVENT", name, 128);
    if (n == 0 || n >= 128)
        return;
    if (HANDLE event = OpenEventW(EVENT_MODIFY_STATE, FALSE, name)) {
        SetEvent(event);
        CloseHandle(event);
    }
}

} // namespace orvane
