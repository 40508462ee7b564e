// Resetting the record to the initial values its field catalogue gives.
#include "decode/DecodedReport.h"

#include <cstring>

#include "decode/ReportFields.h"

namespace tarvik {

void ResetDecodedReport(DecodedReport& report) {
  // One prepared image, copied whole: the reset runs once per report.
  std::memcpy(&report, &InitialReport(), sizeof report);
}

}  // namespace tarvik
