// The main window's pen path on a fake clock: the router with its decoder,
// the engine and the fake pointer output they inject into, as the window
// wires them.
#ifndef QXDRV_TESTS_PEN_RIG_H
#define QXDRV_TESTS_PEN_RIG_H

#include <cstdint>
#include <string>

#include "fakes/fake_pointer_output.h"
#include "pen/pen_router.h"
#include "pointer/pointer_engine.h"

namespace qx::test {

// The clock and the cursor are set before the engine reads them at construction.
struct PenRig {
    explicit PenRig(std::uint32_t start = 0, ScreenPoint cursor = {}) : out(start, cursor) {}

    // One WM_PENDATA delivery: the text and its count, zero-terminated as
    // the receive buffer always is.
    void Deliver(const std::string& bytes) { router.OnPenData(bytes.c_str(), bytes.size()); }
    std::string_view Pending() const { return router.Decoder().PendingText(); }

    FakePointerOutput out;
    CalibValues calib;
    PointerEngine engine{out};
    PenRouter router{calib, engine};
};

}  // namespace qx::test

#endif
