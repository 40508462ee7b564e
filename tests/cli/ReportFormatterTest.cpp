// The command's listing is the desktop terminal's rows, one per line.
#include "cli/ReportFormatter.h"

#include <gtest/gtest.h>

#include <string>

#include "app/SubmitReport.h"
#include "report/StationDirectory.h"
#include "support/TextOps.h"
#include "terminal/Terminal.h"

namespace tarvik {
namespace {

// The terminal's rows as the command writes them: a row that ends in a line
// feed keeps it, any other row gets one.
std::string TerminalText(const char* report, TemperatureUnit unit) {
  CTerminal terminal;
  StationDirectory stations(std::shared_ptr<const StationTable>{});
  SubmitReport(report, terminal, stations, unit);
  std::string text;
  for (const TerminalLine& line : terminal.Lines()) {
    text.append(line.text, line.length);
    if (line.length == 0 || line.text[line.length - 1] != '\n') text += '\n';
  }
  return text;
}

TEST(ReportFormatter, ListingIsTheTerminalsRows) {
  std::string huge = "KABC 121755Z 24010KT RMK";
  while (huge.size() < 300'000) huge += " SLP123 XYZ";  // grows the buffer while a line is open
  const std::string cases[] = {
      "METAR KABC 121755Z 24010KT 10SM FEW250 24/12 A3001 RMK AO2 SLP163 T02440122 RAB15E30",
      "",                         // the two hint lines
      " \t KABC 121755Z  ",       // leading blanks and tabs skipped, trailing ones kept
      "metar kabc",               // rejected: the error line ends in its own line feed
      "KABC 121755Z\r\n24010KT",  // a line end inside the echo stays
      huge,
  };
  for (TemperatureUnit unit : {TemperatureUnit::Celsius, TemperatureUnit::Fahrenheit}) {
    ReportFormatter formatter(nullptr, unit, OutputFormat::Listing);
    for (const std::string& report : cases) {
      SCOPED_TRACE(report.substr(0, 40));
      testing::internal::CaptureStderr();  // the rejected report's diagnostic
      std::string out = "before\n";
      const bool decoded = formatter.Format(report.c_str(), out);
      EXPECT_EQ(decoded, report != "metar kabc");
      EXPECT_EQ(out, "before\n" + TerminalText(SkipBlanks(report.c_str()), unit));
      testing::internal::GetCapturedStderr();
    }
  }
}

}  // namespace
}  // namespace tarvik
