// The test chart's picture for a screen of W x H pixels: the frame, the
// block of one-pixel stripes in the middle third, where its two texts go,
// and the display-mode line.
#ifndef QXDRV_DIAG_TEST_CHART_LAYOUT_H
#define QXDRV_DIAG_TEST_CHART_LAYOUT_H

#include <string>

namespace qx {

struct ChartLine {
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
};

struct ChartBox {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct TestChartLayout {
    // Drawn with the 2-pixel white pen: left, bottom, top, right.
    ChartLine frame[4];
    // Stripe columns firstColumn..lastColumn inclusive, each a line from
    // stripeTop down to stripeBottom (that row not drawn).
    int firstColumn = 0;
    int lastColumn = 0;
    int stripeTop = 0;
    int stripeBottom = 0;
    ChartBox instruction;  // static 1048
    ChartBox modeLine;     // static 1050
};

// Integer divisions throughout: the stripes span the middle third,
// W / 3 to 2 x (W / 3) and rows H / 3 to 2 x (H / 3).
TestChartLayout ChartLayout(int width, int height);

// Column x of the stripe block is white when it lies an odd number of
// columns right of the first one, black otherwise.
bool StripeIsWhite(const TestChartLayout& layout, int column);

}  // namespace qx

#endif
