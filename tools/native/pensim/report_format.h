// Byte forms of the pen board's reports.
#ifndef QXDRV_TOOLS_PENSIM_REPORT_FORMAT_H
#define QXDRV_TOOLS_PENSIM_REPORT_FORMAT_H

#include <string>

namespace qx::pensim {

constexpr char kLineEnd = '\r';
constexpr int kMaxBoardX = 9999;  // four decimal digits
constexpr int kMaxBoardY = 999;   // three decimal digits
constexpr char kHoverLead = '@';
constexpr char kLeftLead = 'L';
constexpr char kRightLead = 'R';
constexpr char kMiddleLead = 'M';

// "?T" CR: pen lifted; "?M" CR: small button.
std::string ReleaseReport();
std::string SmallButtonReport();

// Lead character, X in four zero-padded digits, Y in three, CR. Fails (false)
// when a coordinate does not fit the board's fields.
bool CoordinateReport(char lead, int x, int y, std::string& out);

}  // namespace qx::pensim

#endif
