// Owners for GDI objects, device contexts and timers: every one is
// released on every path, and a selection into a DC is undone when its
// guard goes.
#ifndef QXDRV_FRAMEWORK_GDI_OWNERS_WIN_H
#define QXDRV_FRAMEWORK_GDI_OWNERS_WIN_H

#include <windows.h>

#include "framework/unique_owner.h"

namespace qx {

// A pen, brush, font or bitmap.
struct DeleteObjectTraits : NullMeansNone {
    static void Close(HGDIOBJ object, NoContext) { ::DeleteObject(object); }
};
template <typename T>
using UniqueGdi = UniqueOwner<T, DeleteObjectTraits>;
using UniquePen = UniqueGdi<HPEN>;
using UniqueBrush = UniqueGdi<HBRUSH>;
using UniqueFont = UniqueGdi<HFONT>;
using UniqueBitmap = UniqueGdi<HBITMAP>;

// A memory DC of one's own (CreateCompatibleDC).
struct DeleteDCTraits : NullMeansNone {
    static void Close(HDC dc, NoContext) { ::DeleteDC(dc); }
};
using MemoryDC = UniqueOwner<HDC, DeleteDCTraits>;

// GetDC / ReleaseDC: the DC goes back to its window.
struct ReleaseDCTraits : NullMeansNone {
    using Context = HWND;
    static void Close(HDC dc, HWND hwnd) { ::ReleaseDC(hwnd, dc); }
};
class WindowDC : public UniqueOwner<HDC, ReleaseDCTraits> {
public:
    explicit WindowDC(HWND hwnd) : UniqueOwner(::GetDC(hwnd), hwnd) {}
};

// BeginPaint / EndPaint.
struct PaintContext {
    HWND hwnd = nullptr;
    PAINTSTRUCT paint{};
};
struct EndPaintTraits : NullMeansNone {
    using Context = PaintContext;
    static void Close(HDC, const PaintContext& context) { ::EndPaint(context.hwnd, &context.paint); }
};
class PaintDC : public UniqueOwner<HDC, EndPaintTraits> {
public:
    explicit PaintDC(HWND hwnd) {
        PaintContext context{hwnd, {}};
        HDC dc = ::BeginPaint(hwnd, &context.paint);
        Reset(dc, context);
    }
};

// Puts the previously selected object back into the DC.
struct RestoreSelectionTraits {
    using Context = HDC;
    static bool Valid(HGDIOBJ old) { return old != nullptr && old != HGDI_ERROR; }
    static void Close(HGDIOBJ old, HDC dc) { ::SelectObject(dc, old); }
};
using Selection = UniqueOwner<HGDIOBJ, RestoreSelectionTraits>;
class SelectGuard : public Selection {
public:
    SelectGuard(HDC dc, HGDIOBJ object) : Selection(::SelectObject(dc, object), dc) {}
};

// A window timer, killed when its owner goes.
struct KillTimerTraits : NullMeansNone {
    using Context = HWND;
    static void Close(UINT_PTR id, HWND hwnd) { ::KillTimer(hwnd, id); }
};
class WindowTimer : public UniqueOwner<UINT_PTR, KillTimerTraits> {
public:
    // Restarts it if it runs; `id` is not 0.
    void Start(HWND hwnd, UINT_PTR id, UINT ms) {
        Reset();
        if (::SetTimer(hwnd, id, ms, nullptr)) Reset(id, hwnd);
    }
    void Stop() { Reset(); }
    bool Running() const { return Valid(); }
};

}  // namespace qx

#endif
