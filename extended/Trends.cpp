// A trend's own groups: its times, CAVOK and NSW.
#include "extended/ExtendedDecoders.h"
#include "extended/GroupScanner.h"

namespace tarvik {
namespace {

ExtendedTrend* OwnerTrend(ExtendedContext& context) {
  if (context.owner == kObservation) return nullptr;
  return &context.out.trends[static_cast<std::size_t>(context.owner)];
}

}  // namespace

// FMhhmm, TLhhmm or AThhmm: from, till or at that time (hhmm, UTC).
bool DecodeTrendTime(ExtendedContext& context, int& index) {
  ExtendedTrend* trend = OwnerTrend(context);
  GroupScanner scan(context.Group(index));
  if (trend == nullptr) return false;
  std::string_view* time = nullptr;
  if (scan.Take("FM")) {
    time = &trend->from;
  } else if (scan.Take("TL")) {
    time = &trend->till;
  } else if (scan.Take("AT")) {
    time = &trend->at;
  } else {
    return false;
  }
  int32_t hhmm = 0;
  const std::string_view digits = scan.Rest();
  if (!time->empty() || !scan.TakeDigits(4, &hhmm) || !scan.Done() || hhmm / 100 > 24 ||
      hhmm % 100 > 59) {
    return false;
  }
  *time = digits;
  ++index;
  return true;
}

// hhmm/hhmm: an Australian TEMPO's or INTER's period.
bool DecodeTrendPeriod(ExtendedContext& context, int& index) {
  ExtendedTrend* trend = OwnerTrend(context);
  const std::string_view group = context.Group(index);
  GroupScanner scan(group);
  int32_t from = 0;
  int32_t till = 0;
  if (trend == nullptr || !trend->from.empty() || !trend->till.empty() ||
      !scan.TakeDigits(4, &from) || !scan.Take("/") || !scan.TakeDigits(4, &till) || !scan.Done() ||
      from / 100 > 24 || from % 100 > 59 || till / 100 > 24 || till % 100 > 59) {
    return false;
  }
  trend->from = group.substr(0, 4);
  trend->till = group.substr(5, 4);
  ++index;
  return true;
}

bool DecodeTrendCavok(ExtendedContext& context, int& index) {
  ExtendedTrend* trend = OwnerTrend(context);
  if (trend == nullptr || context.Group(index) != "CAVOK") return false;
  trend->cavok = true;
  ++index;
  return true;
}

bool DecodeTrendNsw(ExtendedContext& context, int& index) {
  ExtendedTrend* trend = OwnerTrend(context);
  if (trend == nullptr || context.Group(index) != "NSW") return false;
  trend->nsw = true;
  ++index;
  return true;
}

}  // namespace tarvik
