#include <gtest/gtest.h>

#include <array>

#include "calib/presets.h"

namespace qx {
namespace {

constexpr std::int32_t A = kModelPxA100;
constexpr std::int32_t B = kModelPxB200;

// Spot checks of the models' data: every mode of both models, the first and
// the last rows, none of them the identity a failed lookup would give; then
// what unlisted resolutions and modes fall back to.
TEST(PresetsTest, LookupsOfBothModelsAndTheirFallbacks) {
    const struct { std::int32_t model; int width, height, mode; std::array<double, 4> want; } cases[] = {
        {A, 640, 480, 0, {0.499, 0.624, -1, -3}},   {A, 1376, 768, 1, {1.344, 1, 172, 0}},
        {A, 1600, 1200, 2, {1, 1, -160, -216}},    {B, 640, 480, 2, {0.993, 1.005, 315, 144}},
        {B, 1072, 600, 1, {1.048, 0.779, 130, -3}}, {B, 1600, 1200, 0, {1.25, 1.566, -3, -1}},
        // Any model code other than 100 is PX-B200 (1280 x 960 is only there).
        {0, 1280, 960, 1, {1.18, 1.25, 105, 0}},    {-7, 800, 600, 1, {0.78, 0.779, 98, -3}},
        {B, 1440, 900, 2, {1.08, 1.003, -2, -1}},  // 1376 x 768
        {A, 1216, 990, 0, {0.998, 1.33, -2, -8}},  // 1280 x 1024
        {A, 600, 400, 1, {0.623, 0.625, 78, -3}},  // 640 x 480
        // A mode index outside 0..2 takes the third mode.
        {A, 640, 480, kNoMode, {0.998, 0.998, 318, 138}}, {B, 1280, 768, 9, {1, 1, -2, -4}},
    };
    for (const auto& c : cases) {
        const CalibValues v = LookupPreset(c.model, c.width, c.height, c.mode);
        EXPECT_EQ((std::array<double, 4>{v.ratioX, v.ratioY, v.offsetX, v.offsetY}), c.want)
            << c.model << " " << c.width << "x" << c.height << " mode " << c.mode;
    }
}

// The nearest-row search relies on the order; availability is looked up by
// resolution in a table of its own that must list the same rows.
TEST(PresetsTest, TablesAreOrderedAndListTheSameResolutions) {
    for (const std::int32_t model : {A, B}) {
        const PresetRow* table = PresetTableFor(model);
        const AvailabilityRow* avail = AvailabilityTableFor(model);
        int rows = 0;
        for (; !IsTableEnd(table[rows]); ++rows) {
            ASSERT_FALSE(IsTableEnd(avail[rows])) << model << " row " << rows;
            EXPECT_EQ(std::make_pair(avail[rows].width, avail[rows].height), std::make_pair(table[rows].width, table[rows].height));
            if (rows == 0) continue;
            const PresetRow& prev = table[rows - 1];
            EXPECT_TRUE(std::make_pair(prev.width, prev.height) < std::make_pair(table[rows].width, table[rows].height))
                << model << " row " << rows;
        }
        EXPECT_TRUE(IsTableEnd(avail[rows])) << model;
        EXPECT_EQ(rows, model == A ? 10 : 11);
        // A mode index outside 0..2 is never available (nor read past the row).
        EXPECT_EQ(IsModeAvailableAt(model, 640, 480, kNoMode), 0);
        EXPECT_EQ(IsModeAvailableAt(model, 640, 480, kModeCount), 0);
    }
}

// Ties go to the larger width, then to the larger height.
TEST(PresetsTest, NearestRowTiesGoToTheLargerSize) {
    const PresetRow* b200 = PresetTableFor(B);
    const struct { int width, want; } widths[] = {{600, 640}, {1216, 1280}, {1215, 1152}, {1488, 1600}, {1487, 1376}, {2048, 1600}};
    for (const auto& c : widths) EXPECT_EQ(NearestPresetWidth(b200, c.width), c.want) << c.width;

    const struct { int width, height, wantHeight; } rows[] = {  // -1: no row of that width
        {1280, 991, 960}, {1280, 992, 1024}, {1280, 864, 960}, {1280, 863, 768},
        {1600, 100, 1024}, {1600, 5000, 1200}, {1500, 768, -1},
    };
    for (const auto& c : rows) {
        const int row = NearestPresetRow(b200, c.width, c.height);
        EXPECT_EQ(row < 0 ? -1 : b200[row].height, c.wantHeight) << c.width << "x" << c.height;
        if (row >= 0) EXPECT_EQ(b200[row].width, c.width);
    }
}

}  // namespace
}  // namespace qx
