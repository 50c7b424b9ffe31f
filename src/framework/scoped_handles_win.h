// Owners for the kernel, registry, icon and menu handles QXdrv holds.
#ifndef QXDRV_FRAMEWORK_SCOPED_HANDLES_WIN_H
#define QXDRV_FRAMEWORK_SCOPED_HANDLES_WIN_H

#include <windows.h>

#include "framework/unique_owner.h"

namespace qx {

// Both NULL and INVALID_HANDLE_VALUE (what CreateFile returns on failure)
// count as "no handle".
struct CloseHandleTraits {
    using Context = NoContext;
    static bool Valid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h, NoContext) { ::CloseHandle(h); }
};
using UniqueHandle = UniqueOwner<HANDLE, CloseHandleTraits>;

struct RegCloseKeyTraits : NullMeansNone {
    static void Close(HKEY key, NoContext) { ::RegCloseKey(key); }
};
using UniqueHKey = UniqueOwner<HKEY, RegCloseKeyTraits>;

// An icon of one's own (LoadImage without LR_SHARED).
struct DestroyIconTraits : NullMeansNone {
    static void Close(HICON icon, NoContext) { ::DestroyIcon(icon); }
};
using UniqueIcon = UniqueOwner<HICON, DestroyIconTraits>;

// Release() hands a sub-menu to the parent menu that destroys it with itself.
struct DestroyMenuTraits : NullMeansNone {
    static void Close(HMENU menu, NoContext) { ::DestroyMenu(menu); }
};
using UniqueMenu = UniqueOwner<HMENU, DestroyMenuTraits>;

}  // namespace qx

#endif
