// Built-in calibrations ("Easy Setting") of the two display models: one
// preset per resolution and screen mode, which modes suit which resolution,
// and the nearest-resolution fallback for a desktop size the tables lack.
#ifndef QXDRV_CALIB_PRESETS_H
#define QXDRV_CALIB_PRESETS_H

#include <cstdint>

#include "base/settings_store.h"
#include "calib/calib_values.h"

namespace qx {

// Screen mode indexes. The third mode is "ORIGINAL" on PX-A100 and
// "DOT BY DOT" on PX-B200.
constexpr int kModeFull = 0;
constexpr int kMode4By3 = 1;
constexpr int kModeThird = 2;
constexpr int kModeCount = 3;
constexpr int kNoMode = -1;  // a search for an available mode found none

// Every model code other than kModelPxA100 (base/settings_store.h) selects
// PX-B200's tables.

// Width and height of the row that closes every table.
constexpr std::int32_t kTableEnd = -1;

struct PresetRow {
    std::int32_t width;
    std::int32_t height;
    CalibValues values[kModeCount];  // indexed by screen mode
};

struct AvailabilityRow {
    std::int32_t width;
    std::int32_t height;
    int available[kModeCount];  // 1 where the mode suits the resolution
};

inline bool IsTableEnd(const PresetRow& row) {
    return row.width == kTableEnd && row.height == kTableEnd;
}
inline bool IsTableEnd(const AvailabilityRow& row) {
    return row.width == kTableEnd && row.height == kTableEnd;
}

// The model's tables, each closed by a -1, -1 row. Preset rows ascend by
// width, rows of one width by height.
const PresetRow* PresetTableFor(std::int32_t model);
const AvailabilityRow* AvailabilityTableFor(std::int32_t model);

// The preset of one mode: the exact row when the table has the resolution,
// else the nearest row. The mode is used whether or not it is available
// there; an index outside 0..2 takes the third mode, the one
// ScreenModeName names for such an index.
CalibValues LookupPreset(std::int32_t model, int width, int height, int mode);

// The table width nearest to width; a tie goes to the larger width. -1 for
// a table without rows.
int NearestPresetWidth(const PresetRow* table, int width);

// The index of the row of that width whose height is nearest to height; a
// tie goes to the larger height. -1 when no row has that width.
int NearestPresetRow(const PresetRow* table, int width, int height);

// 0 or 1 for the mode at that resolution; 0 for a resolution the model's
// availability table does not list and for a mode outside 0..2.
int IsModeAvailableAt(std::int32_t model, int width, int height, int mode);

// True when the model's preset table has a row of exactly that size.
bool IsSupportedResolutionOf(std::int32_t model, int width, int height);

}  // namespace qx

#endif
