#include <gtest/gtest.h>

#include "calib/presets.h"

namespace qx {
namespace {

constexpr std::int32_t A = kModelPxA100;
constexpr std::int32_t B = kModelPxB200;

void ExpectValues(const CalibValues& got, const CalibValues& want) {
    EXPECT_EQ(got.ratioX, want.ratioX);
    EXPECT_EQ(got.ratioY, want.ratioY);
    EXPECT_EQ(got.offsetX, want.offsetX);
    EXPECT_EQ(got.offsetY, want.offsetY);
}

// Cells copied from the models' preset tables; three full rows and odd cells.
TEST(PresetsTest, TableCellsMatchTheModelsData) {
    struct Case {
        std::int32_t model;
        int width, height, mode;
        CalibValues want;
    } const cases[] = {
        {A, 640, 480, 0, {0.499, 0.624, -1, -3}},
        {A, 640, 480, 1, {0.623, 0.625, 78, -3}},
        {A, 640, 480, 2, {0.998, 0.998, 318, 138}},
        {B, 1280, 960, 0, {1, 1, 0, 0}},
        {B, 1280, 960, 1, {1.18, 1.25, 105, 0}},
        {B, 1280, 960, 2, {1, 1, 0, 0}},
        {B, 1072, 600, 0, {0.843, 0.783, -2, -2}},
        {B, 1072, 600, 1, {1.048, 0.779, 130, -3}},
        {B, 1072, 600, 2, {1.342, 1, 318, 81}},
        {A, 1600, 1200, 0, {1.25, 1.5625, 0, 0}},
        {A, 1600, 1200, 2, {1, 1, -160, -216}},
        {A, 1024, 768, 2, {1, 0.995, 127, -8}},
        {A, 1376, 768, 1, {1.344, 1, 172, 0}},
        {A, 1280, 1024, 0, {0.998, 1.33, -2, -8}},
        {A, 1152, 864, 2, {1, 1, 64, -48}},
        {B, 1280, 1024, 0, {0.997, 1.333, -5, -4}},
        {B, 1024, 768, 2, {0.798, 1.004, -2, -2}},
        {B, 1600, 1200, 0, {1.25, 1.566, -3, -1}},
        {B, 1600, 1024, 1, {1.651, 1.357, 259, -5}},
        {B, 640, 480, 2, {0.993, 1.005, 315, 144}},
        {B, 1376, 768, 2, {1.08, 1.003, -2, -1}},
        // Unavailable modes still hold their values.
        {A, 1280, 768, 0, {1, 1, 0, 0}},
        {A, 1600, 1024, 2, {1, 1, -160, -128}},
        // Any model code other than 100 is PX-B200.
        {0, 1280, 960, 1, {1.18, 1.25, 105, 0}},
        {-7, 800, 600, 1, {0.78, 0.779, 98, -3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.model << " " << c.width << "x" << c.height
                                        << " mode " << c.mode);
        ExpectValues(LookupPreset(c.model, c.width, c.height, c.mode), c.want);
    }
}

TEST(PresetsTest, TablesAreOrderedAndClosedByIdentity) {
    for (const std::int32_t model : {A, B}) {
        const PresetRow* table = PresetTableFor(model);
        int rows = 0;
        for (; !IsTableEnd(table[rows]); ++rows) {
            if (rows > 0) {
                const PresetRow& prev = table[rows - 1];
                const PresetRow& row = table[rows];
                EXPECT_TRUE(prev.width < row.width ||
                            (prev.width == row.width && prev.height < row.height));
            }
        }
        EXPECT_EQ(rows, model == A ? 10 : 11);
        for (const CalibValues& v : table[rows].values) ExpectValues(v, CalibValues{});
        EXPECT_EQ(SupportedResolutions(model).size(), static_cast<std::size_t>(rows));

        // The availability table lists exactly the preset table's resolutions.
        const AvailabilityRow* avail = AvailabilityTableFor(model);
        int i = 0;
        for (; !IsTableEnd(avail[i]); ++i) {
            ASSERT_LT(i, rows);
            EXPECT_EQ(avail[i].width, table[i].width);
            EXPECT_EQ(avail[i].height, table[i].height);
        }
        EXPECT_EQ(i, rows);
    }
}

TEST(PresetsTest, AvailabilityTableInFull) {
    // Flags FULL, 4 : 3, third mode; nullptr: not listed for that model.
    struct Case {
        int width, height;
        const char* a100;
        const char* b200;
    } const cases[] = {
        {640, 480, "111", "111"},   {800, 600, "111", "111"},    {1024, 768, "101", "001"},
        {1072, 600, "111", "111"},  {1152, 864, "110", "110"},   {1280, 768, "001", "001"},
        {1280, 960, nullptr, "010"}, {1280, 1024, "110", "110"}, {1376, 768, "001", "001"},
        {1600, 1024, "010", "110"}, {1600, 1200, "010", "110"},  {1920, 1080, nullptr, nullptr},
        {-1, -1, nullptr, nullptr},
    };
    for (const Case& c : cases) {
        for (const std::int32_t model : {A, B}) {
            SCOPED_TRACE(testing::Message() << model << " " << c.width << "x" << c.height);
            const char* flags = model == A ? c.a100 : c.b200;
            for (int mode = 0; mode < kModeCount; ++mode) {
                const int want = flags ? flags[mode] - '0' : 0;
                EXPECT_EQ(IsModeAvailableAt(model, c.width, c.height, mode), want) << mode;
            }
            EXPECT_EQ(IsModeAvailableAt(model, c.width, c.height, kNoMode), 0);
            EXPECT_EQ(IsModeAvailableAt(model, c.width, c.height, kModeCount), 0);
            EXPECT_EQ(IsSupportedResolutionOf(model, c.width, c.height), flags != nullptr);
        }
    }
}

TEST(PresetsTest, NearestWidthTiesGoToTheLargerWidth) {
    const PresetRow* b200 = PresetTableFor(B);
    struct Case {
        int width, want;
    } const cases[] = {
        {600, 640},   {640, 640},   {1216, 1280}, {1215, 1152}, {1440, 1376},
        {1488, 1600}, {1487, 1376}, {2048, 1600}, {1100, 1072}, {-5, 640},
    };
    for (const Case& c : cases) EXPECT_EQ(NearestPresetWidth(b200, c.width), c.want) << c.width;

    const PresetRow empty[] = {{kTableEnd, kTableEnd, {}}};
    EXPECT_EQ(NearestPresetWidth(empty, 800), -1);
    EXPECT_EQ(NearestPresetRow(empty, -1, 600), -1);
}

TEST(PresetsTest, NearestRowTiesGoToTheLargerHeight) {
    struct Case {
        std::int32_t model;
        int width, height, wantHeight;  // -1: no row of that width
    } const cases[] = {
        {B, 1280, 990, 960},  {B, 1280, 992, 1024}, {B, 1280, 864, 960},  {B, 1280, 863, 768},
        {A, 1280, 990, 1024}, {A, 1280, 895, 768},  {A, 1280, 896, 1024}, {B, 1600, 100, 1024},
        {B, 1600, 1112, 1200}, {B, 1600, 1111, 1024}, {B, 1600, 5000, 1200}, {B, 1500, 768, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.model << " " << c.width << "x" << c.height);
        const PresetRow* table = PresetTableFor(c.model);
        const int row = NearestPresetRow(table, c.width, c.height);
        if (c.wantHeight < 0) {
            EXPECT_EQ(row, -1);
        } else {
            ASSERT_GE(row, 0);
            EXPECT_EQ(table[row].width, c.width);
            EXPECT_EQ(table[row].height, c.wantHeight);
        }
    }
}

TEST(PresetsTest, UnlistedResolutionsTakeTheNearestRow) {
    struct Case {
        std::int32_t model;
        int width, height, mode;
        CalibValues want;
    } const cases[] = {
        {B, 1440, 900, 0, {1, 1, 0, 0}},              // 1376 x 768
        {B, 1216, 990, 1, {1.18, 1.25, 105, 0}},      // 1280 x 960
        {A, 1216, 990, 0, {0.998, 1.33, -2, -8}},     // 1280 x 1024
        {A, 600, 400, 2, {0.998, 0.998, 318, 138}},   // 640 x 480
        {B, 2048, 1152, 0, {1.25, 1.566, -3, -1}},    // 1600 x 1200
        {A, 1920, 1080, 0, {1.25, 1.333, 0, 0}},      // 1600 x 1024
        {B, 1920, 1080, 0, {1.236, 1.357, -4, -1}},   // 1600 x 1024
        // A mode index outside 0..2 takes the third mode.
        {A, 640, 480, kNoMode, {0.998, 0.998, 318, 138}},
        {B, 1280, 768, 9, {1, 1, -2, -4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.model << " " << c.width << "x" << c.height
                                        << " mode " << c.mode);
        ExpectValues(LookupPreset(c.model, c.width, c.height, c.mode), c.want);
    }
}

}  // namespace
}  // namespace qx
