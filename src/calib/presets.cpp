#include "calib/presets.h"

namespace qx {
namespace {

// Each row: width, height, then ratioX, ratioY, offsetX, offsetY for FULL,
// 4 : 3 and the third mode. Rows whose mode is not available still hold
// values: direct requests and the nearest-row fallback can return them.
constexpr PresetRow kPxA100Presets[] = {
    {640, 480, {{0.499, 0.624, -1, -3}, {0.623, 0.625, 78, -3}, {0.998, 0.998, 318, 138}}},
    {800, 600, {{0.624, 0.779, -2, -5}, {0.78, 0.781, 99, -4}, {0.998, 0.997, 238, 78}}},
    {1024, 768, {{0.799, 0.999, -1, -5}, {0.8, 1, 0, 0}, {1, 0.995, 127, -8}}},
    {1072, 600, {{0.841, 0.78, 0, -4}, {1.051, 0.781, 135, -3}, {1.346, 0.998, 323, 80}}},
    {1152, 864, {{0.894, 1.121, -4, -8}, {1.118, 1.124, 139, -6}, {1, 1, 64, -48}}},
    {1280, 768, {{1, 1, 0, 0}, {1, 1, 0, 0}, {0.998, 0.999, -3, -4}}},
    {1280, 1024, {{0.998, 1.33, -2, -8}, {1.33, 1.332, 210, -8}, {1, 1, 0, -128}}},
    {1376, 768, {{1.075, 1, 0, 0}, {1.344, 1, 172, 0}, {1.069, 0.996, -2, -6}}},
    {1600, 1024, {{1.25, 1.333, 0, 0}, {1.652, 1.33, 257, -10}, {1, 1, -160, -128}}},
    {1600, 1200, {{1.25, 1.5625, 0, 0}, {1.561, 1.561, 197, -8}, {1, 1, -160, -216}}},
    {kTableEnd, kTableEnd, {{1, 1, 0, 0}, {1, 1, 0, 0}, {1, 1, 0, 0}}},
};

constexpr PresetRow kPxB200Presets[] = {
    {640, 480, {{0.499, 0.63, -2, -2}, {0.625, 0.627, 78, -2}, {0.993, 1.005, 315, 144}}},
    {800, 600, {{0.623, 0.78, -2, -2}, {0.78, 0.779, 98, -3}, {0.998, 0.997, 238, 78}}},
    {1024, 768, {{0.798, 1.004, -2, -2}, {1, 1, 0, 0}, {0.798, 1.004, -2, -2}}},
    {1072, 600, {{0.843, 0.783, -2, -2}, {1.048, 0.779, 130, -3}, {1.342, 1, 318, 81}}},
    {1152, 864, {{0.902, 1.134, 0, 0}, {1.123, 1.134, 140, -6}, {1, 1, 0, 0}}},
    {1280, 768, {{1, 1, 0, 0}, {1, 1, 0, 0}, {1, 1, -2, -4}}},
    {1280, 960, {{1, 1, 0, 0}, {1.18, 1.25, 105, 0}, {1, 1, 0, 0}}},
    {1280, 1024, {{0.997, 1.333, -5, -4}, {1.33, 1.33, 209, -6}, {1, 1, 0, 0}}},
    {1376, 768, {{1, 1, 0, 0}, {1, 1, 0, 0}, {1.08, 1.003, -2, -1}}},
    {1600, 1024, {{1.236, 1.357, -4, -1}, {1.651, 1.357, 259, -5}, {1, 1, 0, 0}}},
    {1600, 1200, {{1.25, 1.566, -3, -1}, {1.56, 1.56, 194, -4}, {1, 1, 0, 0}}},
    {kTableEnd, kTableEnd, {{1, 1, 0, 0}, {1, 1, 0, 0}, {1, 1, 0, 0}}},
};

// Flags for FULL, 4 : 3 and the third mode; the closing row never matches.
constexpr AvailabilityRow kPxA100Availability[] = {
    {640, 480, {1, 1, 1}},   {800, 600, {1, 1, 1}},   {1024, 768, {1, 0, 1}},
    {1072, 600, {1, 1, 1}},  {1152, 864, {1, 1, 0}},  {1280, 768, {0, 0, 1}},
    {1280, 1024, {1, 1, 0}}, {1376, 768, {0, 0, 1}},  {1600, 1024, {0, 1, 0}},
    {1600, 1200, {0, 1, 0}}, {kTableEnd, kTableEnd, {0, 0, 0}},
};

constexpr AvailabilityRow kPxB200Availability[] = {
    {640, 480, {1, 1, 1}},   {800, 600, {1, 1, 1}},   {1024, 768, {0, 0, 1}},
    {1072, 600, {1, 1, 1}},  {1152, 864, {1, 1, 0}},  {1280, 768, {0, 0, 1}},
    {1280, 960, {0, 1, 0}},  {1280, 1024, {1, 1, 0}}, {1376, 768, {0, 0, 1}},
    {1600, 1024, {1, 1, 0}}, {1600, 1200, {1, 1, 0}}, {kTableEnd, kTableEnd, {0, 0, 0}},
};

int PresetIndexOf(int mode) {
    return (mode >= 0 && mode < kModeCount) ? mode : kModeThird;
}

}  // namespace

const PresetRow* PresetTableFor(std::int32_t model) {
    return model == kModelPxA100 ? kPxA100Presets : kPxB200Presets;
}

const AvailabilityRow* AvailabilityTableFor(std::int32_t model) {
    return model == kModelPxA100 ? kPxA100Availability : kPxB200Availability;
}

int NearestPresetWidth(const PresetRow* table, int width) {
    if (IsTableEnd(table[0])) return -1;
    int i = 0;
    while (!IsTableEnd(table[i]) && table[i].width <= width) ++i;
    if (i == 0) return table[0].width;
    if (IsTableEnd(table[i])) return table[i - 1].width;
    // 64-bit differences: a table or a request near the int limits must not
    // overflow.
    const std::int64_t prev = table[i - 1].width;
    const std::int64_t next = table[i].width;
    const std::int64_t w = width;
    return static_cast<int>(next - w <= w - prev ? next : prev);
}

int NearestPresetRow(const PresetRow* table, int width, int height) {
    // Walk the rows of that width in table order, remembering the last one
    // at or below height; no candidate list, so any number of rows works.
    int prev = -1;
    for (int i = 0; !IsTableEnd(table[i]); ++i) {
        if (table[i].width != width) continue;
        if (table[i].height > height) {
            if (prev < 0) return i;  // below every candidate: the first
            const std::int64_t h = height;
            return (table[i].height - h <= h - table[prev].height) ? i : prev;
        }
        prev = i;
    }
    return prev;  // above every candidate: the last (-1 when there is none)
}

CalibValues LookupPreset(std::int32_t model, int width, int height, int mode) {
    const PresetRow* table = PresetTableFor(model);
    const int index = PresetIndexOf(mode);
    for (int i = 0; !IsTableEnd(table[i]); ++i) {
        if (table[i].width == width && table[i].height == height) return table[i].values[index];
    }
    const int row = NearestPresetRow(table, NearestPresetWidth(table, width), height);
    return row < 0 ? CalibValues{} : table[row].values[index];
}

int IsModeAvailableAt(std::int32_t model, int width, int height, int mode) {
    if (mode < 0 || mode >= kModeCount) return 0;
    const AvailabilityRow* table = AvailabilityTableFor(model);
    for (int i = 0; !IsTableEnd(table[i]); ++i) {
        if (table[i].width == width && table[i].height == height) return table[i].available[mode];
    }
    return 0;
}

bool IsSupportedResolutionOf(std::int32_t model, int width, int height) {
    const PresetRow* table = PresetTableFor(model);
    for (int i = 0; !IsTableEnd(table[i]); ++i) {
        if (table[i].width == width && table[i].height == height) return true;
    }
    return false;
}

}  // namespace qx
