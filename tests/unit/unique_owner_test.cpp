// The owner releases what it holds exactly once, with the context it was
// given, whichever way it goes; a handle that is none is never released.
#include "framework/unique_owner.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace qx {
namespace {

// What was released, with the context it was released in.
struct Closed {
    int handle;
    int context;
    bool operator==(const Closed& o) const { return handle == o.handle && context == o.context; }
};
std::vector<Closed> g_closed;

// -1 is "no handle" as well as 0, like INVALID_HANDLE_VALUE.
struct FakeTraits {
    using Context = int;
    static bool Valid(int h) { return h != 0 && h != -1; }
    static void Close(int h, int context) { g_closed.push_back({h, context}); }
};
using Owner = UniqueOwner<int, FakeTraits>;

TEST(UniqueOwner, ReleasesOnceWithItsContextOnEveryPath) {
    const struct {
        const char* path;
        void (*run)();
        std::vector<Closed> closed;
    } cases[] = {
        {"scope end", [] { Owner o(7, 70); }, {{7, 70}}},
        {"no handle", [] { Owner o(0, 1); Owner p(-1, 2); Owner q; }, {}},
        {"reset takes the new one", [] { Owner o(7, 70); o.Reset(8, 80); }, {{7, 70}, {8, 80}}},
        {"reset to none", [] { Owner o(7, 70); o.Reset(); EXPECT_FALSE(o.Valid()); }, {{7, 70}}},
        {"release gives it up", [] { Owner o(7, 70); EXPECT_EQ(o.Release(), 7); }, {}},
        {"move construction", [] { Owner a(7, 70); Owner b(std::move(a)); EXPECT_FALSE(a.Valid()); },
         {{7, 70}}},
        {"move assignment frees the target's own",
         [] { Owner a(7, 70); Owner b(8, 80); b = std::move(a); EXPECT_EQ(b.Get(), 7); },
         {{8, 80}, {7, 70}}},
        {"self move keeps it",
         [] { Owner a(7, 70); Owner& same = a; a = std::move(same); EXPECT_EQ(a.Get(), 7); },
         {{7, 70}}},
        {"put writes into an empty owner", [] { Owner o; *o.Put() = 9; EXPECT_TRUE(o.Valid()); },
         {{9, 0}}},
    };
    for (const auto& c : cases) {
        g_closed.clear();
        c.run();
        EXPECT_EQ(g_closed, c.closed) << c.path;
    }
}

}  // namespace
}  // namespace qx
