// The one owner of a handle: releases it exactly once, on every path. The
// traits say what releases it, which values hold nothing, and what else the
// release needs (the window of a DC or a timer, the DC a selection is put
// back into); that context travels with the handle.
//
//   struct Traits {
//       using Context = ...;  // NoContext when the handle is enough
//       static bool Valid(Handle handle);
//       static void Close(Handle handle, const Context& context);
//   };
#ifndef QXDRV_FRAMEWORK_UNIQUE_OWNER_H
#define QXDRV_FRAMEWORK_UNIQUE_OWNER_H

#include <utility>

namespace qx {

struct NoContext {};

// Traits for handles where null means none.
struct NullMeansNone {
    using Context = NoContext;
    template <typename Handle>
    static bool Valid(Handle handle) {
        return handle != Handle{};
    }
};

template <typename Handle, typename Traits>
class UniqueOwner {
public:
    using Context = typename Traits::Context;

    UniqueOwner() = default;
    explicit UniqueOwner(Handle handle, Context context = Context{})
        : handle_(handle), context_(std::move(context)) {}
    ~UniqueOwner() { Reset(); }
    UniqueOwner(const UniqueOwner&) = delete;
    UniqueOwner& operator=(const UniqueOwner&) = delete;
    UniqueOwner(UniqueOwner&& other) noexcept
        : handle_(other.Release()), context_(std::move(other.context_)) {}
    UniqueOwner& operator=(UniqueOwner&& other) noexcept {
        if (this != &other) {
            Context context = std::move(other.context_);
            Reset(other.Release(), std::move(context));
        }
        return *this;
    }

    static bool IsValid(Handle handle) { return Traits::Valid(handle); }
    bool Valid() const { return Traits::Valid(handle_); }
    Handle Get() const { return handle_; }
    const Context& GetContext() const { return context_; }

    // Releases what is held and takes `handle` instead.
    void Reset(Handle handle = Handle{}, Context context = Context{}) {
        if (Valid()) Traits::Close(handle_, context_);
        handle_ = handle;
        context_ = std::move(context);
    }
    // Gives the handle up without releasing it.
    Handle Release() {
        Handle handle = handle_;
        handle_ = Handle{};
        return handle;
    }
    // For an API that writes a new handle into place; only on an empty owner.
    Handle* Put() { return &handle_; }

private:
    Handle handle_{};
    Context context_{};
};

}  // namespace qx

#endif
