// Changes to the system's pointer metrics (SystemParametersInfo with
// SPIF_SENDCHANGE: broadcast, never written to the user profile).
#ifndef QXDRV_BASE_SYSTEM_PARAMS_PORT_H
#define QXDRV_BASE_SYSTEM_PARAMS_PORT_H

namespace qx {

// SPI_ actions, with the system's numbers.
constexpr unsigned kSpiSetDoubleClkWidth = 0x1D;
constexpr unsigned kSpiSetDoubleClkHeight = 0x1E;
constexpr unsigned kSpiSetDoubleClickTime = 0x20;
constexpr unsigned kSpiSetDragWidth = 0x4C;
constexpr unsigned kSpiSetDragHeight = 0x4D;

class SystemParamsPort {
public:
    virtual ~SystemParamsPort() = default;
    // SystemParametersInfoA(action, value, nullptr, SPIF_SENDCHANGE).
    virtual void SetSystemParam(unsigned action, unsigned value) = 0;
};

}  // namespace qx

#endif
