// ForecastTimeline: the periods placed in minutes, their lanes, and the
// words of their tooltips.
#include "app/ForecastTimeline.h"

#include <QStringList>
#include <algorithm>
#include <array>
#include <string_view>

#include "app/CategoryBadge.h"
#include "taf/TafTimes.h"

namespace tarvik {
namespace {

// A period's text in the tooltip, and each list of values, is cut: a pasted
// forecast can hold megabytes, a tooltip shows a few lines.
constexpr qsizetype kMostTextShown = 300;
constexpr qsizetype kMostValuesListed = 6;

QString Latin(std::string_view text) {
  const auto size = static_cast<qsizetype>(text.size());
  if (size <= kMostTextShown) return QString::fromLatin1(text.data(), size);
  return QString::fromLatin1(text.data(), kMostTextShown) + QChar(0x2026);
}

void AddValue(QStringList& list, const QString& value) {
  if (list.size() < kMostValuesListed) {
    list << value;
  } else if (list.size() == kMostValuesListed) {
    list << QString(QChar(0x2026));
  }
}

QString UnitWord(std::string_view unit) {
  if (unit == "KT") return QStringLiteral("kt");
  if (unit == "MPS") return QStringLiteral("m/s");
  if (unit == "KMH") return QStringLiteral("km/h");
  return Latin(unit);
}

QString WindWords(const ExtendedWind& wind) {
  if (!IsPresent(wind.speed)) return Latin(wind.head.group);
  if (wind.speed == 0 && !IsPresent(wind.gust)) return QStringLiteral("calm");
  const QString unit = UnitWord(wind.unit);
  QString words = wind.variable ? QStringLiteral("variable ")
                  : IsPresent(wind.direction)
                      ? QStringLiteral("%1\u00B0 ").arg(wind.direction, 3, 10, QLatin1Char('0'))
                      : QString();
  const bool aboveSpeed = wind.above && !IsPresent(wind.gust);
  words += QStringLiteral("%1%2 %3")
               .arg(aboveSpeed ? QStringLiteral("above ") : QString())
               .arg(wind.speed)
               .arg(unit);
  if (IsPresent(wind.gust)) {
    words += QStringLiteral(", gusts %1%2 %3")
                 .arg(wind.above ? QStringLiteral("above ") : QString())
                 .arg(wind.gust)
                 .arg(unit);
  }
  return words;
}

QString VisibilityWords(const ExtendedVisibility& v) {
  if (v.atLeast) return QStringLiteral("10 km or more");
  if (v.lessThan) return QStringLiteral("less than 50 m");
  if (!IsPresent(v.meters)) return Latin(v.head.group);
  QString words = QStringLiteral("%1 m").arg(v.meters);
  if (!v.direction.empty()) words += QStringLiteral(" to the ") + Latin(v.direction);
  return words;
}

QString CloudWords(const ExtendedCloud& c) {
  QString words = Latin(c.cover);
  if (IsPresent(c.heightFt)) words += QStringLiteral(" %1 ft").arg(c.heightFt);
  if (!c.type.empty()) words += QStringLiteral(" ") + Latin(c.type);
  return words.isEmpty() ? Latin(c.head.group) : words;
}

// The values of each period's entries, gathered in one pass over each kind:
// a forecast of thousands of periods costs no more than its entries.
struct PeriodValues {
  QStringList wind, visibility, weather, clouds;
};

template <typename Entry, typename Words>
void Gather(const std::vector<Entry>& entries, std::vector<PeriodValues>& values,
            QStringList PeriodValues::*list, Words words) {
  for (const Entry& entry : entries) {
    const int owner = entry.head.trend;
    if (owner < 0 || owner >= static_cast<int>(values.size())) continue;
    AddValue(values[static_cast<std::size_t>(owner)].*list, words(entry));
  }
}

std::vector<PeriodValues> GatherValues(const TafReport& taf) {
  std::vector<PeriodValues> values(taf.periods.size());
  const ExtendedReport& g = taf.groups;
  Gather(g.wind, values, &PeriodValues::wind, WindWords);
  Gather(g.visibility, values, &PeriodValues::visibility, VisibilityWords);
  Gather(g.weather, values, &PeriodValues::weather,
         [](const ExtendedWeather& w) { return Latin(w.head.group); });
  Gather(g.sky, values, &PeriodValues::clouds,
         [](const ExtendedSky& s) { return Latin(s.head.group); });
  Gather(g.clouds, values, &PeriodValues::clouds, CloudWords);
  return values;
}

// "17/0930Z"; without a day, "0930Z".
QString Time(int32_t day, int32_t hour, int32_t minute) {
  if (!IsPresent(hour)) return QStringLiteral("?");
  QString time = QStringLiteral("%1%2Z")
                     .arg(hour, 2, 10, QLatin1Char('0'))
                     .arg(IsPresent(minute) ? minute : 0, 2, 10, QLatin1Char('0'));
  return IsPresent(day) ? QStringLiteral("%1/").arg(day, 2, 10, QLatin1Char('0')) + time : time;
}

QString Label(const TafPeriod& p) {
  if (p.type == "BASE") return {};
  if (p.type != "PROB") return Latin(p.type);
  QString label = IsPresent(p.probability) ? QStringLiteral("PROB%1").arg(p.probability)
                                           : QStringLiteral("PROB");
  return p.tempo ? label + QStringLiteral(" TEMPO") : label;
}

// When the period is in force, in words.
QString WhenWords(const TafPeriod& p) {
  const QString from = Time(p.fromDay, p.fromHour, p.fromMinute);
  const QString till = IsPresent(p.tillHour)
                           ? QStringLiteral(" to ") + Time(p.tillDay, p.tillHour, kAbsentInt)
                           : QString();
  if (p.type == "BECMG") return QStringLiteral("Becoming so from ") + from + till;
  if (p.type == "TEMPO") return QStringLiteral("Temporarily from ") + from + till;
  if (p.type == "INTER") return QStringLiteral("Intermittently from ") + from + till;
  if (p.type == "PROB") {
    const QString chance = IsPresent(p.probability)
                               ? QStringLiteral("%1 % probability").arg(p.probability)
                               : QStringLiteral("Possibly");
    return chance + (p.tempo ? QStringLiteral(", temporarily,") : QString()) +
           QStringLiteral(" from ") + from + till;
  }
  return QStringLiteral("From ") + from + till;
}

QString Details(const TafPeriod& p, const PeriodValues& v) {
  QStringList lines{Latin(p.head.group), WhenWords(p)};
  const auto add = [&lines](const char* name, const QStringList& values) {
    if (!values.isEmpty()) lines << QString::fromLatin1(name) + values.join(QStringLiteral(", "));
  };
  QStringList visibility = v.visibility;
  if (HasReal(p.statuteMiles)) {
    visibility << (p.moreThan   ? QStringLiteral("more than ")
                   : p.lessThan ? QStringLiteral("less than ")
                                : QString()) +
                      QString::number(p.statuteMiles, 'g', 4) + QStringLiteral(" SM");
  }
  if (p.cavok) visibility << QStringLiteral("CAVOK: 10 km or more, no cloud below 5000 ft");
  QStringList weather = v.weather;
  if (p.nsw) weather << QStringLiteral("NSW: no significant weather");
  QStringList clouds = v.clouds;
  if (IsPresent(p.verticalVisibilityFt)) {
    clouds << QStringLiteral("sky obscured, vertical visibility %1 ft").arg(p.verticalVisibilityFt);
  }
  add("Wind: ", v.wind);
  add("Visibility: ", visibility);
  add("Weather: ", weather);
  add("Clouds: ", clouds);
  lines << QStringLiteral("Flight category: ") +
               (p.flightCategory.empty() ? QStringLiteral("unknown") : Latin(p.flightCategory));
  return lines.join(QLatin1Char('\n'));
}

// The start, and each 00Z before the end, with the day of the month that
// TafMinutesFromStart() puts there.
void LayDays(const TafReport& taf, ForecastTimeline& line) {
  line.days.push_back({0, taf.validFromDay});
  constexpr int kDay = 24 * 60;
  const int startMinute = (line.startHour % 24) * 60;
  for (int minute = (kDay - startMinute) % kDay; minute < line.minutes; minute += kDay) {
    if (minute == 0) continue;
    ForecastDay day{minute, 0};
    for (int32_t d = 1; d <= 31; ++d) {
      if (TafMinutesFromStart(taf, d, 0, 0) == minute) day.day = d;
    }
    line.days.push_back(day);
  }
}

void LayPeriods(const TafReport& taf, ForecastTimeline& line) {
  const int end = line.minutes;
  const auto within = [end](int32_t minute) { return std::clamp<int32_t>(minute, 0, end); };
  const std::vector<PeriodValues> values = GatherValues(taf);
  std::vector<ForecastBlock> prevailing;
  std::vector<ForecastBlock> temporary;
  for (std::size_t i = 0; i < taf.periods.size(); ++i) {
    const TafPeriod& p = taf.periods[i];
    int32_t from = TafMinutesFromStart(taf, p.fromDay, p.fromHour, p.fromMinute);
    if (!IsPresent(from)) {
      if (p.type != "BASE") continue;  // nowhere to put it
      from = 0;
    }
    ForecastBlock block;
    block.period = static_cast<int>(i);
    block.temporary = p.type == "TEMPO" || p.type == "INTER" || p.type == "PROB";
    block.from = within(from);
    block.settled = block.from;
    const int32_t till = TafMinutesFromStart(taf, p.tillDay, p.tillHour, 0);
    if (block.temporary) {
      block.till = IsPresent(till) ? within(till) : end;
      if (block.till <= block.from) continue;
    } else if (p.type == "BECMG" && IsPresent(till)) {
      block.settled = within(till);  // bounded by the block's end below
    }
    block.category = CategoryNamed(p.flightCategory);
    block.label = Label(p);
    block.text = Latin(p.head.group);
    block.details = Details(p, values[i]);
    (block.temporary ? temporary : prevailing).push_back(std::move(block));
  }

  // The prevailing conditions: each until the next change begins.
  const auto byStart = [](const ForecastBlock& a, const ForecastBlock& b) {
    return a.from < b.from;
  };
  std::stable_sort(prevailing.begin(), prevailing.end(), byStart);
  for (std::size_t k = 0; k < prevailing.size(); ++k) {
    ForecastBlock& block = prevailing[k];
    block.till = k + 1 < prevailing.size() ? prevailing[k + 1].from : end;
    block.settled = std::clamp(block.settled, block.from, block.till);
    if (block.till > block.from) line.blocks.push_back(std::move(block));
  }

  // The temporary ones: each in the first row free at its start.
  std::stable_sort(temporary.begin(), temporary.end(), byStart);
  std::array<int, kForecastLanes> laneEnds{};
  for (ForecastBlock& block : temporary) {
    int lane = 0;
    while (lane < line.lanes && laneEnds[static_cast<std::size_t>(lane)] > block.from) ++lane;
    if (lane == line.lanes) {
      if (line.lanes < kForecastLanes) {
        ++line.lanes;
      } else {
        // Every row is taken: over the one that frees first.
        lane =
            static_cast<int>(std::min_element(laneEnds.begin(), laneEnds.end()) - laneEnds.begin());
        block.overlaid = true;
      }
    }
    block.lane = lane;
    int& laneEnd = laneEnds[static_cast<std::size_t>(lane)];
    laneEnd = std::max(laneEnd, block.till);
    line.blocks.push_back(std::move(block));
  }
}

}  // namespace

ForecastTimeline LayForecast(const TafReport& taf) {
  ForecastTimeline line;
  const int32_t validity = TafValidityMinutes(taf);
  if (IsPresent(validity) && validity > 0) {
    line.minutes = validity;
    line.startHour = taf.validFromHour;
    LayDays(taf, line);
    LayPeriods(taf, line);
  }
  if (!line.blocks.empty()) return line;
  if (taf.nil) {
    line.note = QStringLiteral("NIL: no forecast was issued");
  } else if (taf.cancelled) {
    line.note = QStringLiteral("CNL: the forecast is cancelled");
  } else if (line.minutes == 0) {
    line.note = QStringLiteral("No validity period to draw the forecast along");
  } else {
    line.note = QStringLiteral("No forecast period within the validity");
  }
  return line;
}

}  // namespace tarvik
