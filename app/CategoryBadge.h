// CategoryBadge: how the desktop shows a flight category: its colour and
// the status bar's badge.
#pragma once

#include <QColor>
#include <QString>
#include <optional>
#include <string_view>

#include "report/DerivedValues.h"

namespace tarvik {

/// CategoryColour() is the colour public aviation weather maps give the
/// category (VFR green, MVFR blue, IFR red, LIFR magenta), grey without one.
[[nodiscard]] QColor CategoryColour(std::optional<FlightCategory> category);

/// CategoryNamed() is the category FlightCategoryName() calls `name`, none
/// for any other text (a forecast period's empty name among them).
[[nodiscard]] std::optional<FlightCategory> CategoryNamed(std::string_view name);

/// CategoryBadge() is the category's name as rich text: bold white on its
/// colour.
[[nodiscard]] QString CategoryBadge(FlightCategory category);

}  // namespace tarvik
