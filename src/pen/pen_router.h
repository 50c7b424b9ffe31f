// The one way a pen report goes: bytes into the line decoder, each decoded
// line either to the running calibration procedure (board coordinates) or,
// through BoardToScreen and the live calibration, to the pointer engine.
//
// Owned by the main window and called on its thread only.
#ifndef QXDRV_PEN_PEN_ROUTER_H
#define QXDRV_PEN_PEN_ROUTER_H

#include <cstddef>

#include "calib/calib_values.h"
#include "calib/pen_procedure.h"
#include "link/pen_decoder.h"
#include "pointer/pointer_engine.h"

namespace qx {

// Told of every small-button report the decoder gives, before anything acts
// on it (the test mode dialog's middle-button marks).
class SmallButtonObserver {
public:
    virtual ~SmallButtonObserver() = default;
    virtual void OnSmallButton() = 0;
};

class PenRouter : public PenProcedureSlot {
public:
    // `live` is the live calibration's values (LiveCalibration::Values()),
    // read afresh for every report; it and `engine` must outlive the router.
    PenRouter(const CalibValues& live, PointerEngine& engine) : live_(live), engine_(engine) {}
    PenRouter(const PenRouter&) = delete;
    PenRouter& operator=(const PenRouter&) = delete;

    // WM_PENDATA: appends the text (up to its first zero byte, at most
    // `count` bytes) and routes every complete line. While a procedure is
    // attached a delivery that comes while it handles one is only appended.
    void OnPenData(const char* text, std::size_t count);

    void Attach(PenProcedure& procedure) override;
    void Detach(const PenProcedure& procedure) override;
    bool Calibrating() const override { return procedure_ != nullptr; }
    void ClearPending() override { decoder_.ClearBuffer(); }
    // The port was opened again: the bytes that follow are a new stream.
    void NewStream() { decoder_.Restart(); }

    // Where the panel's display starts on the desktop: BoardToScreen gives
    // pixels of that display, the engine takes desktop pixels. Set when the
    // display is chosen, so that no report asks the system.
    void SetOrigin(ScreenPoint origin) { origin_ = origin; }

    // The test mode dialog while it exists, else null. Not owned.
    void SetObserver(SmallButtonObserver* observer) { observer_ = observer; }
    const PenDecoder& Decoder() const { return decoder_; }

private:
    bool HoldNested(bool hold) override;
    void ToProcedure(bool lineWaits);
    void Notify(const PenEvent& event);
    void ToEngine(const PenEvent& event);

    const CalibValues& live_;
    PointerEngine& engine_;
    PenDecoder decoder_;
    PenProcedure* procedure_ = nullptr;
    SmallButtonObserver* observer_ = nullptr;
    ScreenPoint origin_;
    bool holdNested_ = false;  // inside the procedure: deliveries only append
};

}  // namespace qx

#endif
