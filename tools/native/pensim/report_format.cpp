#include "report_format.h"

#include <cstdio>

namespace qx::pensim {

std::string ReleaseReport() { return std::string("?T") + kLineEnd; }

std::string SmallButtonReport() { return std::string("?M") + kLineEnd; }

bool CoordinateReport(char lead, int x, int y, std::string& out) {
    if (x < 0 || x > kMaxBoardX || y < 0 || y > kMaxBoardY) return false;
    char text[16];
    std::snprintf(text, sizeof text, "%c%04d%03d", lead, x, y);
    out = std::string(text) + kLineEnd;
    return true;
}

}  // namespace qx::pensim
