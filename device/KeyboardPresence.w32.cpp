#include "device/KeyboardPresence.w32.h"

#include <dbt.h>
#include <setupapi.h>

extern "C" {
#include <hidsdi.h>
}

#include <cstdlib>
#include <memory>
#include <string>

#include "device/HidPath.h"
#include "win/Handles.h"
#include "win/MessageBox.h"

namespace orvane {

namespace {

struct DeviceInfoSet {
    HDEVINFO set;
    ~DeviceInfoSet() {
        if (set != INVALID_HANDLE_VALUE)
            SetupDiDestroyDeviceInfoList(set);
    }
};

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};

// The DevicePath of one enumerated interface; false when it cannot be read.
// Sets outOfMemory when the detail buffer cannot be allocated.
bool InterfacePath(HDEVINFO set, SP_DEVICE_INTERFACE_DATA& data, std::wstring& path,
                   bool& outOfMemory) {
    DWORD needed = 0;
    SetupDiGetDeviceInterfaceDetailW(set, &data, nullptr, 0, &needed, nullptr);
    if (needed < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W))
        needed = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
    std::unique_ptr<SP_DEVICE_INTERFACE_DETAIL_DATA_W, FreeDeleter> detail(
        static_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(std::malloc(needed)));
    if (!detail) {
        outOfMemory = true;
        return false;
    }
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
    if (!SetupDiGetDeviceInterfaceDetailW(set, &data, detail.get(), needed, nullptr, nullptr))
        return false;
    path = detail->DevicePath;
    return true;
}

bool IsVendorInterface(const std::wstring& path) {
    win::UniqueHandleObject device(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                               nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                               nullptr));
    if (!device)
        return false;
    HIDD_ATTRIBUTES attributes{};
    attributes.Size = sizeof(attributes);
    if (!HidD_GetAttributes(device.Get(), &attributes))
        return false;
    return attributes.VendorID == kKeyboardVendorId;
}

} // namespace

BOOL IsKeyboardPresent(HWND owner) {
    GUID hidGuid;
    HidD_GetHidGuid(&hidGuid);
    DeviceInfoSet devices{
        SetupDiGetClassDevsW(&hidGuid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE)};
    if (devices.set == INVALID_HANDLE_VALUE)
        return FALSE;
    for (DWORD index = 0;; ++index) {
        SP_DEVICE_INTERFACE_DATA data{};
        data.cbSize = sizeof(data);
        if (!SetupDiEnumDeviceInterfaces(devices.set, nullptr, &hidGuid, index, &data))
            return FALSE;
        std::wstring path;
        bool outOfMemory = false;
        if (!InterfacePath(devices.set, data, path, outOfMemory)) {
            if (outOfMemory) {
                win::KeyboardMessageBox(owner, L"out of memory!", MB_OKCANCEL | MB_ICONEXCLAMATION);
                return FALSE;
            }
            continue;
        }
        if (IsVendorInterface(path))
            return TRUE;
    }
}

void DeviceNotification::Register(HWND wnd) {
    DEV_BROADCAST_DEVICEINTERFACE_W filter{};
    filter.dbcc_size = sizeof(filter);
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    HidD_GetHidGuid(&filter.dbcc_classguid);
    // The new registration is in place before the old one goes.
    handle_.Reset(RegisterDeviceNotificationW(wnd, &filter, DEVICE_NOTIFY_WINDOW_HANDLE));
}

KeyboardChange ReadKeyboardChange(WPARAM event, LPARAM record) {
    if (event != DBT_DEVICEARRIVAL && event != DBT_DEVICEREMOVECOMPLETE)
        return KeyboardChange::None;
    auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(record);
    if (!header || header->dbch_devicetype != DBT_DEVTYP_DEVICEINTERFACE)
        return KeyboardChange::None;
    auto* iface = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W*>(header);
    // The name runs to the end of the record; never read beyond dbch_size.
    size_t offset = offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name);
    if (header->dbch_size <= offset)
        return KeyboardChange::None;
    size_t maxChars = (header->dbch_size - offset) / sizeof(wchar_t);
    std::wstring path(iface->dbcc_name, wcsnlen(iface->dbcc_name, maxChars));
    if (ReadPathId(path, L"vid") != kKeyboardVendorId)
        return KeyboardChange::None;
    return event == DBT_DEVICEARRIVAL ? KeyboardChange::Arrived : KeyboardChange::Removed;
}

} // namespace orvane
