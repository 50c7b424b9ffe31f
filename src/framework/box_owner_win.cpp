#include "framework/box_owner_win.h"

#include <algorithm>
#include <vector>

namespace qx {
namespace {

// Per thread: a box of the receive thread must not disable a window of the
// window thread.
std::vector<HWND>& Scopes() {
    thread_local std::vector<HWND> scopes;
    return scopes;
}

}  // namespace

BoxOwnerScope::BoxOwnerScope(HWND window) : window_(window) { Scopes().push_back(window); }

BoxOwnerScope::~BoxOwnerScope() {
    // Scopes end in any order (a property page goes before or after its
    // neighbours): the latest entry of this window goes.
    std::vector<HWND>& scopes = Scopes();
    const auto it = std::find(scopes.rbegin(), scopes.rend(), window_);
    if (it != scopes.rend()) scopes.erase(std::next(it).base());
}

HWND CurrentBoxOwner() {
    const std::vector<HWND>& scopes = Scopes();
    for (auto it = scopes.rbegin(); it != scopes.rend(); ++it) {
        // A page is a child of its sheet: the sheet owns the box.
        if (*it && ::IsWindow(*it)) return ::GetAncestor(*it, GA_ROOT);
    }
    return nullptr;
}

}  // namespace qx
