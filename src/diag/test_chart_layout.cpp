#include "diag/test_chart_layout.h"


namespace qx {
namespace {

constexpr int kFrameInset = 2;    // the frame's right and bottom lines lie this far in
constexpr int kTextMargin = 10;   // both texts, from the left and right edges
constexpr int kInstructionTop = 20;
constexpr int kInstructionHeight = 60;
constexpr int kModeLineAbove = 30;  // the mode line's top, above the stripes
constexpr int kModeLineHeight = 20;

}  // namespace

TestChartLayout ChartLayout(int width, int height) {
    TestChartLayout layout;
    const int right = width - kFrameInset;
    const int bottom = height - kFrameInset;
    layout.frame[0] = ChartLine{0, 0, 0, bottom};
    layout.frame[1] = ChartLine{0, bottom, right, bottom};
    layout.frame[2] = ChartLine{0, 0, right, 0};
    layout.frame[3] = ChartLine{right, 0, right, bottom};
    const int w3 = width / 3;
    const int h3 = height / 3;
    layout.firstColumn = w3;
    layout.lastColumn = 2 * w3;
    layout.stripeTop = h3;
    layout.stripeBottom = 2 * h3;
    layout.instruction =
        ChartBox{kTextMargin, kInstructionTop, width - 2 * kTextMargin, kInstructionHeight};
    layout.modeLine =
        ChartBox{kTextMargin, h3 - kModeLineAbove, width - 2 * kTextMargin, kModeLineHeight};
    return layout;
}

bool StripeIsWhite(const TestChartLayout& layout, int column) {
    return (column - layout.firstColumn) % 2 != 0;
}

}  // namespace qx
