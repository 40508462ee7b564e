#include "decode/DcdMETAR.h"

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

enum class BodyStep {
  ReportType, Station, Nil, Correction, DateTime, NilAfterDate, Auto, CorrectionAfterAuto,
  Wind, VariableWindDirection, Cavok, Visibility, RunwayVisualRange, PresentWeather,
  PartialObscuration, SkyCondition, Temperature, Altimeter, Finished = 99,
};

using StepDecoder = bool (*)(const TokenList&, DecodedReport&, int&);

bool IsGroup(const TokenList& tokens, int index, std::string_view keyword) {
  return keyword == tokens[index];
}

bool DecodeReportType(const TokenList& tokens, DecodedReport& report, int& index) {
  if (!IsGroup(tokens, index, "METAR") && !IsGroup(tokens, index, "SPECI")) return false;
  CopyText(report.ReportCodeName, tokens[index++]);
  return true;
}

bool DecodeStation(const TokenList& tokens, DecodedReport& report, int& index) {
  std::string_view group(tokens[index]);
  if (group.size() != 4 || !AllAlpha(group.data(), 1) || !AllAlnum(group.data() + 1, 3)) {
    return false;
  }
  CopyText(report.StationId, group);
  ++index;
  return true;
}

bool DecodeNil(const TokenList& tokens, DecodedReport& report, int& index) {
  return TakeFlagWord(tokens, report, index, "NIL", &DecodedReport::NilReport);
}

bool DecodeCorrection(const TokenList& tokens, DecodedReport& report, int& index) {
  return TakeFlagWord(tokens, report, index, "COR", &DecodedReport::CorrectedReport);
}

bool DecodeAuto(const TokenList& tokens, DecodedReport& report, int& index) {
  return TakeFlagWord(tokens, report, index, "AUTO", &DecodedReport::AutoReport);
}

bool DecodeCavok(const TokenList& tokens, DecodedReport& report, int& index) {
  return TakeFlagWord(tokens, report, index, "CAVOK", &DecodedReport::Cavok);
}

// hhmm, hhmmZ, ddhhmm or ddhhmmZ; no range check.
bool DecodeDateTime(const TokenList& tokens, DecodedReport& report, int& index) {
  std::string_view group(tokens[index]);
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
  BodyStep nextOnAccept;
  BodyStep nextOnDecline;
};

// The body groups in the order the code form places them. A step that
// declines leaves the group to the following steps.
constexpr BodyStepRow kBodySteps[] = {
    {BodyStep::ReportType, DecodeReportType, BodyStep::Station, BodyStep::Station},
    // A decline here ends the decoding with 12 (see DcdMETAR).
    {BodyStep::Station, DecodeStation, BodyStep::Nil, BodyStep::Nil},
    {BodyStep::Nil, DecodeNil, BodyStep::Correction, BodyStep::Correction},
    {BodyStep::Correction, DecodeCorrection, BodyStep::DateTime, BodyStep::DateTime},
    {BodyStep::DateTime, DecodeDateTime, BodyStep::NilAfterDate, BodyStep::NilAfterDate},
    {BodyStep::NilAfterDate, DecodeNil, BodyStep::Auto, BodyStep::Auto},
    {BodyStep::Auto, DecodeAuto, BodyStep::CorrectionAfterAuto, BodyStep::CorrectionAfterAuto},
    {BodyStep::CorrectionAfterAuto, DecodeCorrection, BodyStep::Wind, BodyStep::Wind},
    {BodyStep::Wind, DecodeWind, BodyStep::VariableWindDirection,
     BodyStep::VariableWindDirection},
    {BodyStep::VariableWindDirection, DecodeVariableWindDirection, BodyStep::Cavok,
     BodyStep::Cavok},
    {BodyStep::Cavok, DecodeCavok, BodyStep::Visibility, BodyStep::Visibility},
    {BodyStep::Visibility, DecodeVisibility, BodyStep::RunwayVisualRange,
     BodyStep::RunwayVisualRange},
    {BodyStep::RunwayVisualRange, DecodeRunwayVisualRanges, BodyStep::PresentWeather,
     BodyStep::PresentWeather},
    // A partial obscuration qualifies the weather just before it, so without
    // weather its step is skipped.
    {BodyStep::PresentWeather, DecodePresentWeatherGroups, BodyStep::PartialObscuration,
     BodyStep::SkyCondition},
    {BodyStep::PartialObscuration, DecodePartialObscuration, BodyStep::SkyCondition,
     BodyStep::SkyCondition},
    {BodyStep::SkyCondition, DecodeSkyCondition, BodyStep::Temperature, BodyStep::Temperature},
    {BodyStep::Temperature, DecodeTemperature, BodyStep::Altimeter, BodyStep::Altimeter},
    {BodyStep::Altimeter, DecodeAltimeter, BodyStep::Finished, BodyStep::Finished},
};

constexpr bool StepsInOrder() {
  int expected = 0;
  for (const BodyStepRow& row : kBodySteps) {
    if (static_cast<int>(row.step) != expected++) return false;
  }
  return expected == 18;
}
static_assert(StepsInOrder(), "kBodySteps must list the eighteen steps in order");

BodyStep StepAfter(BodyStep step) {
  if (step == BodyStep::Altimeter || step == BodyStep::Finished) return BodyStep::Finished;
  return static_cast<BodyStep>(static_cast<int>(step) + 1);
}

}  // namespace

int DcdMETAR(const char* text, DecodedReport& report, NotDecodedGroups* notDecoded) {
  if (notDecoded != nullptr) notDecoded->Clear();
  if (text == nullptr) return kDecodeNoText;
  ResetDecodedReport(report);
  // Splitting copies the text; without that copy nothing can be decoded, and
  // the failure is a result code, not an exception out of the decoder.
  TokenList tokens;
  try {
    tokens.Split(text);
  } catch (const std::bad_alloc&) {
    return kDecodeNoText;
  }

  int index = 0;
  BodyStep next = BodyStep::ReportType;
  bool anyTaken = false;
  BodyStep lastTaken = BodyStep::ReportType;

  while (const char* group = tokens[index]) {
    // The body ends at the first exact "RMK", wherever it stands.
    if (std::string_view(group) == "RMK") {
      DecodeRemarks(tokens, report, notDecoded);
      break;
    }
    if (next == BodyStep::Finished) {
      // Pass the group over and resume after the last step that took one.
      if (notDecoded != nullptr) notDecoded->Add(group);
      ++index;
      next = anyTaken ? StepAfter(lastTaken) : BodyStep::ReportType;
      continue;
    }
    const BodyStepRow& row = kBodySteps[static_cast<int>(next)];
    if (row.decode(tokens, report, index)) {
      anyTaken = true;
      lastTaken = row.step;
      next = row.nextOnAccept;
    } else if (row.step == BodyStep::Station) {
      DebugPrint("DcdMETAR: bad token[%d] = %s\n", index, group);
      return kDecodeBadStation;
    } else {
      next = row.nextOnDecline;
    }
  }
  return kDecodeOk;
}

}  // namespace tarvik
