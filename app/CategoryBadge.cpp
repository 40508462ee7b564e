// CategoryBadge: the flight categories' colours, shared by the status bar
// and the forecast strip so that both tell a category alike.
#include "app/CategoryBadge.h"

namespace tarvik {

QColor CategoryColour(std::optional<FlightCategory> category) {
  if (!category) return {0x80, 0x80, 0x80};  // grey: not enough to tell
  switch (*category) {
  case FlightCategory::Vfr: return {0x00, 0x80, 0x00};   // green
  case FlightCategory::Mvfr: return {0x00, 0x00, 0xFF};  // blue
  case FlightCategory::Ifr: return {0xFF, 0x00, 0x00};   // red
  case FlightCategory::Lifr: return {0xFF, 0x00, 0xFF};  // magenta
  }
  return {0x80, 0x80, 0x80};
}

std::optional<FlightCategory> CategoryNamed(std::string_view name) {
  for (FlightCategory category :
       {FlightCategory::Lifr, FlightCategory::Ifr, FlightCategory::Mvfr, FlightCategory::Vfr}) {
    if (!name.empty() && FlightCategoryName(category) == name) return category;
  }
  return std::nullopt;
}

QString CategoryBadge(FlightCategory category) {
  return QStringLiteral(
             "<span style=\"background-color:%1; color:white; font-weight:bold\">"
             "&nbsp;%2&nbsp;</span>")
      .arg(CategoryColour(category).name(), QString::fromLatin1(FlightCategoryName(category)));
}

}  // namespace tarvik
