// RAII owners for the raw Win32 handles the program keeps, and a guard that
// puts back what SelectObject replaced. Each owner frees its handle exactly
// once, with the function that matches how the handle was obtained.
#pragma once

#include <windows.h>

#include <string>
#include <utility>

namespace win {

template <typename H, typename Traits> class UniqueHandle {
  public:
    UniqueHandle() = default;
    explicit UniqueHandle(H h) : handle_(h) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        Reset(other.Release());
        return *this;
    }
    ~UniqueHandle() { Reset(); }

    H Get() const { return handle_; }
    explicit operator bool() const { return Traits::IsValid(handle_); }

    // Gives up ownership without freeing.
    H Release() { return std::exchange(handle_, Traits::Invalid()); }

    // Frees the current handle (if any) and takes h.
    void Reset(H h = Traits::Invalid()) {
        H old = std::exchange(handle_, h);
        if (Traits::IsValid(old) && old != h)
            Traits::Free(old);
    }

  private:
    H handle_ = Traits::Invalid();
};

template <typename H, BOOL(WINAPI* FreeFn)(H)> struct NullInvalidTraits {
    static H Invalid() { return nullptr; }
    static bool IsValid(H h) { return h != nullptr; }
    static void Free(H h) { FreeFn(h); }
};

template <typename H> struct GdiObjectTraits {
    static H Invalid() { return nullptr; }
    static bool IsValid(H h) { return h != nullptr; }
    static void Free(H h) { ::DeleteObject(h); }
};

// CreateFileW and friends answer INVALID_HANDLE_VALUE on failure, others null.
struct KernelHandleTraits {
    static HANDLE Invalid() { return nullptr; }
    static bool IsValid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Free(HANDLE h) { ::CloseHandle(h); }
};

using UniqueBitmap = UniqueHandle<HBITMAP, GdiObjectTraits<HBITMAP>>;
using UniqueFont = UniqueHandle<HFONT, GdiObjectTraits<HFONT>>;
using UniqueRegion = UniqueHandle<HRGN, GdiObjectTraits<HRGN>>;
using UniqueMemoryDC = UniqueHandle<HDC, NullInvalidTraits<HDC, ::DeleteDC>>; // CreateCompatibleDC
using UniqueHook = UniqueHandle<HHOOK, NullInvalidTraits<HHOOK, ::UnhookWindowsHookEx>>;
using UniqueHandleObject = UniqueHandle<HANDLE, KernelHandleTraits>;
using UniqueMenu = UniqueHandle<HMENU, NullInvalidTraits<HMENU, ::DestroyMenu>>;
using UniqueWindow = UniqueHandle<HWND, NullInvalidTraits<HWND, ::DestroyWindow>>;
using UniqueDeviceNotification =
    UniqueHandle<HDEVNOTIFY, NullInvalidTraits<HDEVNOTIFY, ::UnregisterDeviceNotification>>;

// Holds a mutex (WaitForSingleObject) for its lifetime and releases it when
// it ends. A wait that fails holds nothing and releases nothing; an
// abandoned mutex is owned like any other.
class MutexLock {
  public:
    explicit MutexLock(HANDLE mutex) : mutex_(mutex), held_(Acquired(mutex)) {}
    MutexLock(const MutexLock&) = delete;
    MutexLock& operator=(const MutexLock&) = delete;
    ~MutexLock() {
        if (held_)
            ::ReleaseMutex(mutex_);
    }

  private:
    static bool Acquired(HANDLE mutex) {
        const DWORD r = ::WaitForSingleObject(mutex, INFINITE);
        return r == WAIT_OBJECT_0 || r == WAIT_ABANDONED;
    }

    HANDLE mutex_;
    bool held_;
};

// A DC obtained from GetDC / GetWindowDC, released to its window.
class WindowDC {
  public:
    // window = true: GetWindowDC (the whole window), else GetDC (client area).
    explicit WindowDC(HWND hwnd, bool window = false)
        : hwnd_(hwnd), dc_(window ? ::GetWindowDC(hwnd) : ::GetDC(hwnd)) {}
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC() {
        if (dc_)
            ::ReleaseDC(hwnd_, dc_);
    }
    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

  private:
    HWND hwnd_;
    HDC dc_;
};

// BeginPaint / EndPaint.
class PaintDC {
  public:
    explicit PaintDC(HWND hwnd) : hwnd_(hwnd) { dc_ = ::BeginPaint(hwnd, &ps_); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    ~PaintDC() { ::EndPaint(hwnd_, &ps_); }
    HDC Get() const { return dc_; }

  private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

// Selects an object into a DC and puts the previous one back when it ends,
// so the object can be freed afterwards.
class SelectGuard {
  public:
    SelectGuard(HDC dc, HGDIOBJ obj)
        : dc_(dc), previous_(obj ? ::SelectObject(dc, obj) : nullptr) {}
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
    ~SelectGuard() {
        if (Selected())
            ::SelectObject(dc_, previous_);
    }
    // Whether the object went into the DC.
    bool Selected() const { return previous_ && previous_ != HGDI_ERROR; }

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A memory DC (CreateCompatibleDC of `reference`, null for the screen) with
// `object` selected into it for as long as it lives; the object is put back
// out before the DC is deleted, so the caller can free it afterwards.
class SelectedMemoryDC {
  public:
    SelectedMemoryDC(HDC reference, HGDIOBJ object)
        : dc_(::CreateCompatibleDC(reference)), select_(dc_.Get(), dc_ ? object : nullptr) {}

    HDC Get() const { return dc_.Get(); }
    // The DC exists and holds the object.
    bool Selected() const { return select_.Selected(); }

  private:
    UniqueMemoryDC dc_; // declared first: deleted after the guard has run
    SelectGuard select_;
};

// A file path that is deleted (DeleteFileW) when the owner ends unless it
// was released: a temporary file that only a successful replace keeps.
class UniqueFilePath {
  public:
    explicit UniqueFilePath(std::wstring path) : path_(std::move(path)) {}
    UniqueFilePath(const UniqueFilePath&) = delete;
    UniqueFilePath& operator=(const UniqueFilePath&) = delete;
    ~UniqueFilePath() {
        if (!path_.empty())
            ::DeleteFileW(path_.c_str());
    }
    const std::wstring& Get() const { return path_; }
    // Keeps the file; the owner forgets it.
    void Release() { path_.clear(); }

  private:
    std::wstring path_;
};

} // namespace win
