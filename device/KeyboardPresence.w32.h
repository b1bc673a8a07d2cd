// Keyboard presence on Win32: the start-up enumeration of the HID
// interfaces, the plug notification registration and the reading of
// WM_DEVICECHANGE. Acting on the answers (hook on or off) is the main
// dialog's business. GUI thread only.
#pragma once

#include <windows.h>

#include "win/Handles.h"

namespace orvane {

// TRUE when a present HID interface reports the VARNOK vendor identifier.
// FALSE when none does, when the interface set cannot be had, and after an
// allocation failure (reported to `owner` as "out of memory!"). Interfaces
// that cannot be read or opened are skipped. Stops at the first match.
BOOL IsKeyboardPresent(HWND owner);

// Registration for HID interface arrival and removal notifications to
// `wnd`. Register replaces the previous registration of this object, so a
// window that is shown and hidden many times holds exactly one.
class DeviceNotification {
  public:
    void Register(HWND wnd);
    void Unregister() { handle_.Reset(); }

  private:
    win::UniqueDeviceNotification handle_;
};

enum class KeyboardChange { None, Arrived, Removed };

// What a WM_DEVICECHANGE says about the keyboard: an arrival or removal of a
// device interface whose path carries the VARNOK vendor identifier. Every
// other event, record type or vendor is None.
KeyboardChange ReadKeyboardChange(WPARAM event, LPARAM record);

} // namespace orvane
