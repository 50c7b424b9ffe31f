// GetVersionExA, which MSVC marks deprecated; the one place that says so.
#ifndef QXDRV_APP_VERSION_INFO_WIN_H
#define QXDRV_APP_VERSION_INFO_WIN_H

#include <windows.h>

namespace qx {

inline bool QueryVersionInfo(OSVERSIONINFOA* info) {
#ifdef _MSC_VER
#pragma warning(push)
#pragma warning(disable : 4996)
#endif
    return ::GetVersionExA(info) != FALSE;
#ifdef _MSC_VER
#pragma warning(pop)
#endif
}

}  // namespace qx

#endif
