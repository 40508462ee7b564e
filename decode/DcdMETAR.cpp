// DcdMETAR: splitting the report, the body step table and its walk, then the remarks.
#include "decode/DcdMETAR.h"

#include <iterator>
#include <new>
#include <string_view>

#include "decode/BodyDecoders.h"
#include "decode/FlagWord.h"
#include "decode/TokenList.h"
#include "decode/TokenShape.h"
#include "decode/remarks/DecodeRemarks.h"
#include "support/Diagnostics.h"

namespace tarvik {
namespace {

using StepDecoder = bool (*)(const TokenList&, DecodedReport&, int&);

bool IsGroup(const TokenList& tokens, int index, std::string_view keyword) {
  return TextEquals(tokens[index], keyword);
}

bool DecodeReportType(const TokenList& tokens, DecodedReport& report, int& index) {
  if (!IsGroup(tokens, index, "METAR") && !IsGroup(tokens, index, "SPECI")) return false;
  CopyText(report.ReportCodeName, tokens[index++]);
  return true;
}

bool IsStation(std::string_view group) {
  return group.size() == 4 && AllAlpha(group.data(), 1) && AllAlnum(group.data() + 1, 3);
}

// The station; right after the report type, "COR CCCC" too: the code form
// puts a correction's COR there.
bool DecodeStation(const TokenList& tokens, DecodedReport& report, int& index) {
  std::string_view group = tokens.View(index);
  if (IsGroup(tokens, index, "COR") && IsPresent(report.ReportCodeName) &&
      IsStation(tokens.View(index + 1))) {
    report.CorrectedReport = 1;
    group = tokens.View(++index);
  }
  if (!IsStation(group)) return false;
  CopyText(report.StationId, group);
  ++index;
  return true;
}

constexpr auto DecodeNil = DecodeFlagWord<"NIL", &DecodedReport::NilReport>;
constexpr auto DecodeCorrection = DecodeFlagWord<"COR", &DecodedReport::CorrectedReport>;
constexpr auto DecodeAuto = DecodeFlagWord<"AUTO", &DecodedReport::AutoReport>;
constexpr auto DecodeCavok = DecodeFlagWord<"CAVOK", &DecodedReport::Cavok>;

// hhmm, hhmmZ, ddhhmm or ddhhmmZ; no range check.
bool DecodeDateTime(const TokenList& tokens, DecodedReport& report, int& index) {
  std::string_view group = tokens.View(index);
  std::size_t digits = group.size();
  if (digits == 5 || digits == 7) {
    if (group.back() != 'Z') return false;
    --digits;
  }
  if ((digits != 4 && digits != 6) || !AllDigits(group.data(), static_cast<int>(digits))) {
    return false;
  }
  const char* p = group.data();
  if (digits == 6) {
    report.ObservationDay = IntOfFirst(p, 2);
    p += 2;
  }
  report.ObservationHour = IntOfFirst(p, 2);
  report.ObservationMinute = IntOfFirst(p + 2, 2);
  ++index;
  return true;
}

// Step 12 takes up to twelve consecutive runway visual range groups.
bool DecodeRunwayVisualRanges(const TokenList& tokens, DecodedReport& report, int& index) {
  int taken = 0;
  while (taken < kRunwayVisualRangeSlots && tokens[index] != nullptr &&
         DecodeRunwayVisualRange(tokens, report, index, taken)) {
    ++taken;
  }
  return taken > 0;
}

// Step 13 takes consecutive weather groups until the ten entries are full.
bool DecodePresentWeatherGroups(const TokenList& tokens, DecodedReport& report, int& index) {
  int count = 0;
  bool accepted = false;
  while (count < kPresentWeatherSlots && tokens[index] != nullptr &&
         DecodePresentWeather(tokens, report, index, count)) {
    accepted = true;
  }
  return accepted;
}

struct BodyStepRow {
  BodyStep step;
  StepDecoder decode;
  // A step that declines leaves the group to the next step, or, with this
  // set, to the one after it.
  bool skipsNextOnDecline = false;
};

// The body groups in the order the code form places them; each step that
// declines leaves the group to the following steps.
// clang-format off
constexpr BodyStepRow kBodySteps[] = {
    {BodyStep::ReportType,          DecodeReportType},
    {BodyStep::Station,             DecodeStation},  // a decline ends the decoding with 12
    {BodyStep::Nil,                 DecodeNil},
    {BodyStep::Correction,          DecodeCorrection},
    {BodyStep::DateTime,            DecodeDateTime},
    {BodyStep::NilAfterDate,        DecodeNil},
    {BodyStep::Auto,                DecodeAuto},
    {BodyStep::CorrectionAfterAuto, DecodeCorrection},
    {BodyStep::Wind,                DecodeWind},
    {BodyStep::VariableWindDirection, DecodeVariableWindDirection},
    {BodyStep::Cavok,               DecodeCavok},
    {BodyStep::Visibility,          DecodeVisibility},
    {BodyStep::RunwayVisualRange,   DecodeRunwayVisualRanges},
    // A partial obscuration qualifies the weather just before it, so
    // without weather its step is skipped.
    {BodyStep::PresentWeather,      DecodePresentWeatherGroups, true},
    {BodyStep::PartialObscuration,  DecodePartialObscuration},
    {BodyStep::SkyCondition,        DecodeSkyCondition},
    {BodyStep::Temperature,         DecodeTemperature},
    {BodyStep::Altimeter,           DecodeAltimeter},
};
// clang-format on

constexpr int kStepCount = static_cast<int>(std::size(kBodySteps));

constexpr bool StepsInOrder() {
  int expected = 0;
  for (const BodyStepRow& row : kBodySteps) {
    if (static_cast<int>(row.step) != expected++) return false;
  }
  return expected == 18;
}
static_assert(StepsInOrder(), "kBodySteps must list the eighteen steps in order");

// The text without the "=" that ends a report in a bulletin, and the blanks
// after it.
std::string_view WithoutEndMark(std::string_view text) {
  std::string_view trimmed = text;
  while (!trimmed.empty() && trimmed.back() == ' ') trimmed.remove_suffix(1);
  if (trimmed.empty() || trimmed.back() != '=') return text;
  trimmed.remove_suffix(1);
  return trimmed;
}

}  // namespace

int DcdMETAR(const char* text, DecodedReport& report, NotDecodedGroups* notDecoded,
             RemarkDispatch dispatch, WalkTrace* trace) {
  if (notDecoded != nullptr) notDecoded->Clear();
  if (trace != nullptr) {
    trace->fate.clear();
    trace->remarks = -1;
  }
  if (text == nullptr) return kDecodeNoText;
  ResetDecodedReport(report);
  // Splitting copies the text; without that copy nothing can be decoded, and
  // the failure is a result code, not an exception out of the decoder.
  TokenList own;
  TokenList& tokens = trace != nullptr ? trace->tokens : own;
  try {
    tokens.Split(WithoutEndMark(text));
    if (trace != nullptr)
      trace->fate.assign(static_cast<std::size_t>(tokens.Size()), WalkTrace::kPassedOver);
  } catch (const std::bad_alloc&) {
    return kDecodeNoText;
  }
  // What the walk does with each group, when the caller keeps it.
  auto mark = [&](int first, int end, int8_t fate) {
    if (trace == nullptr) return;
    for (int i = first; i < end; ++i) trace->fate[static_cast<std::size_t>(i)] = fate;
  };

  int index = 0;
  int next = 0;        // the step to try; kStepCount once every step was tried
  int lastTaken = -1;  // the last step that took a group
  while (const char* group = tokens[index]) {
    // The body ends at the first exact "RMK", wherever it stands.
    if (TextEquals(group, "RMK")) {
      mark(index, tokens.Size(), WalkTrace::kRemarks);
      if (trace != nullptr) trace->remarks = index;
      std::vector<int8_t>* fate = trace != nullptr ? &trace->fate : nullptr;
      if (dispatch == RemarkDispatch::EveryRow) {
        DecodeRemarksPlain(tokens, report, notDecoded, fate);
      } else {
        DecodeRemarks(tokens, report, notDecoded, index + 1, fate);
      }
      break;
    }
    if (next == kStepCount) {
      // Pass the group over and resume after the last step that took one.
      if (notDecoded != nullptr) notDecoded->Add(index, group);
      mark(index, index + 1, WalkTrace::kPassedOver);
      ++index;
      next = lastTaken + 1;
      continue;
    }
    const BodyStepRow& row = kBodySteps[next];
    const int first = index;
    if (row.decode(tokens, report, index)) {
      mark(first, index, static_cast<int8_t>(row.step));
      lastTaken = next++;
    } else if (row.step == BodyStep::Station) {
      DebugPrint("DcdMETAR: bad token[%d] = %s\n", index, group);
      return kDecodeBadStation;
    } else {
      next += row.skipsNextOnDecline ? 2 : 1;
    }
  }
  return kDecodeOk;
}

}  // namespace tarvik
