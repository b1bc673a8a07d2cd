#include "win/EventSignal.h"

#include <windows.h>

#include "win/Handles.h"

namespace win {

NamedEventSignal::NamedEventSignal(const wchar_t* variable) {
    wchar_t buffer[128];
    const DWORD n = ::GetEnvironmentVariableW(variable, buffer, 128);
    if (n > 0 && n < 128)
        event_.assign(buffer, n);
}

void NamedEventSignal::Set() const {
    if (event_.empty())
        return;
    if (UniqueHandleObject event{::OpenEventW(EVENT_MODIFY_STATE, FALSE, event_.c_str())})
        ::SetEvent(event.Get());
}

} // namespace win
