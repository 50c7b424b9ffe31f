// Owners for GDI objects, device contexts and timers: every one is
// released on every path, and a selection into a DC is undone when its
// guard goes.
#ifndef QXDRV_FRAMEWORK_GDI_OWNERS_WIN_H
#define QXDRV_FRAMEWORK_GDI_OWNERS_WIN_H

#include <windows.h>

namespace qx {

// A pen, brush, font or bitmap.
template <typename T>
class UniqueGdi {
public:
    UniqueGdi() = default;
    explicit UniqueGdi(T object) : object_(object) {}
    ~UniqueGdi() { Reset(); }
    UniqueGdi(const UniqueGdi&) = delete;
    UniqueGdi& operator=(const UniqueGdi&) = delete;

    T Get() const { return object_; }
    void Reset(T object = nullptr) {
        if (object_) ::DeleteObject(object_);
        object_ = object;
    }

private:
    T object_ = nullptr;
};

using UniquePen = UniqueGdi<HPEN>;
using UniqueBrush = UniqueGdi<HBRUSH>;
using UniqueFont = UniqueGdi<HFONT>;
using UniqueBitmap = UniqueGdi<HBITMAP>;

// Puts the previously selected object back into the DC.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), old_(::SelectObject(dc, object)) {}
    ~SelectGuard() {
        if (old_ && old_ != HGDI_ERROR) ::SelectObject(dc_, old_);
    }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// BeginPaint / EndPaint.
class PaintDC {
public:
    explicit PaintDC(HWND hwnd) : hwnd_(hwnd), dc_(::BeginPaint(hwnd, &paint_)) {}
    ~PaintDC() { ::EndPaint(hwnd_, &paint_); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    HDC Get() const { return dc_; }

private:
    HWND hwnd_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// A memory DC compatible with another.
class MemoryDC {
public:
    MemoryDC() = default;
    ~MemoryDC() { Reset(); }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;

    bool Create(HDC compatible) {
        Reset();
        dc_ = ::CreateCompatibleDC(compatible);
        return dc_ != nullptr;
    }
    HDC Get() const { return dc_; }
    void Reset() {
        if (dc_) ::DeleteDC(dc_);
        dc_ = nullptr;
    }

private:
    HDC dc_ = nullptr;
};

// A window timer, killed when the owner goes.
class WindowTimer {
public:
    WindowTimer() = default;
    ~WindowTimer() { Stop(); }
    WindowTimer(const WindowTimer&) = delete;
    WindowTimer& operator=(const WindowTimer&) = delete;

    void Start(HWND hwnd, UINT_PTR id, UINT ms) {
        Stop();
        if (::SetTimer(hwnd, id, ms, nullptr)) {
            hwnd_ = hwnd;
            id_ = id;
        }
    }
    void Stop() {
        if (hwnd_) ::KillTimer(hwnd_, id_);
        hwnd_ = nullptr;
    }
    bool Running() const { return hwnd_ != nullptr; }

private:
    HWND hwnd_ = nullptr;
    UINT_PTR id_ = 0;
};

}  // namespace qx

#endif
