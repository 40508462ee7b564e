// DecodedReport: the flat, fixed-size record that decoding one report fills.
#pragma once

#include <cstdint>
#include <string_view>

namespace tarvik {

/// Sentinels for "no value": the largest signed 32-bit value for integers,
/// 2^31 for single-precision values (bit pattern 0x4F000000).
inline constexpr int32_t kAbsentInt = 2147483647;
inline constexpr float kAbsentFloat = 2147483648.0F;
/// Initial value of AltimeterInches; its flag, not its value, tells presence.
inline constexpr double kAltimeterInchesInitial = 2147483647.0;

inline constexpr int kRunwayVisualRangeSlots = 12;
inline constexpr int kPresentWeatherSlots = 10;
inline constexpr int kCloudLayerSlots = 6;
inline constexpr int kRecentWeatherSlots = 3;
inline constexpr int kObscurationSlots = 2;
inline constexpr int kSurfaceObscurationSlots = 6;

using Flag = int16_t;

struct RunwayVisualRangeEntry {
  char RunwayDesignator[6];
  Flag Variable;
  Flag BelowMin;
  Flag AboveMax;
  int32_t VisualRange;
  int32_t MaxVisualRange;
  int32_t MinVisualRange;
};

struct DispatchVisualRangeEntry {
  Flag Variable;
  Flag BelowMin;
  Flag AboveMax;
  int32_t VisualRange;
  int32_t MaxVisualRange;
  int32_t MinVisualRange;
};

struct RecentWeatherEntry {
  char Phenomenon[8];
  int32_t BeginHour;
  int32_t BeginMinute;
  int32_t EndHour;
  int32_t EndMinute;
};

struct WindGroup {
  char Units[4];
  Flag Variable;
  int32_t Direction;
  int32_t Speed;
  int32_t Gust;
};

struct CloudLayerEntry {
  char Cover[5];
  char HeightCode[4];
  char Phenomenon[4];
  int32_t HeightMeters;
};

/// Every decoded element of a report body and its remarks, in a fixed order.
/// Texts are zero-terminated and empty when absent; integers and floats hold
/// kAbsentInt / kAbsentFloat when absent; flags are 0 or 1.
struct DecodedReport {
  // Text and character fields.
  char SynopticCloudGroup[6];
  char SnowDepthGroup[6];
  char ReportCodeName[6];
  char StationId[5];
  char HorizVisibility[5];
  char MinHorizVisibilityDirection[3];
  char VisibilityDirection[3];
  char PresentWeather[kPresentWeatherSlots][8];
  char AutoIndicator[5];
  char SecondSiteVisibilityLocation[10];
  char SectorVisibilityOctant[3];
  char ObscurationAloftPhenomenon[12];
  char ObscurationAloftSkyCondition[12];
  char VariableSkyConditionBelow[4];
  char VariableSkyConditionAbove[4];
  char LightningDirection[3];
  char LowCloudCode;
  char MediumCloudCode;
  char HighCloudCode;
  char SecondSiteCeilingLocation[10];
  char VirgaDirection[3];
  char TornadicActivityType[15];
  char TornadicLocation[10];
  char TornadicDirection[4];
  char TornadicMovementDirection[3];
  char ChinoLocation[6];
  char VisnoLocation[6];
  char ObscurationAmount[kObscurationSlots][7];
  char ObscurationPhenomenon[kObscurationSlots][12];
  char SurfaceObscuration[kSurfaceObscurationSlots][10];
  char ThunderstormLocation[3];
  char ThunderstormMovement[3];

  // Flags.
  Flag Precip3or6HourIndeterminate;
  Flag Precip24HourIndeterminate;
  Flag CigNo;
  Flag SlpNo;
  Flag NoSpeci;
  Flag LastReport;
  Flag SunSensorOut;
  Flag AutoReport;
  Flag CorrectedReport;
  Flag NilReport;
  Flag Cavok;
  Flag RvrNo;
  Flag AltimeterInchesPresent;
  Flag AltimeterHpaPresent;
  Flag Virga;
  Flag VolcanicAsh;
  Flag Hail;
  Flag ChiNo;
  Flag VisNo;
  Flag PNo;
  Flag PwiNo;
  Flag FzraNo;
  Flag TsNo;
  Flag MaintenanceIndicator;
  Flag PressureRisingRapidly;
  Flag PressureFallingRapidly;
  Flag WindShiftFrontalPassage;
  Flag LightningOccasional;
  Flag LightningFrequent;
  Flag LightningContinuous;
  Flag LightningCloudGround;
  Flag LightningInCloud;
  Flag LightningCloudCloud;
  Flag LightningCloudAir;
  Flag LightningDistant;
  Flag LightningAtAirport;
  Flag LightningVicinity;
  Flag LightningOverhead;
  Flag LightningWithin5To10;
  Flag LightningWithin5;

  // Integer fields.
  int32_t TornadicDistance;
  int32_t ObservationHour;
  int32_t ObservationMinute;
  int32_t ObservationDay;
  int32_t MinWindDirection;
  int32_t MaxWindDirection;
  int32_t VerticalVisibility;
  int32_t Temperature;
  int32_t DewPoint;
  int32_t Qfe;
  int32_t AltimeterHpa;
  int32_t PressureTendencyCharacter;
  int32_t MinVariableCeiling;
  int32_t MaxVariableCeiling;
  int32_t WindShiftHour;
  int32_t WindShiftMinute;
  int32_t MinVariableWindDirection;
  int32_t MaxVariableWindDirection;
  int32_t PeakWindDirection;
  int32_t PeakWindSpeed;
  int32_t PeakWindHour;
  int32_t PeakWindMinute;
  int32_t Ceiling;
  int32_t EstimatedCeiling;
  int32_t SnowIncrease;
  int32_t SnowIncreaseTotal;
  int32_t SunshineMinutes;
  int32_t ObscurationAloftHeight;
  int32_t VariableSkyConditionHeight;
  int32_t SkyObscuredEighths;
  int32_t SecondSiteCeiling;
  int32_t SnowDepth;
  int32_t TornadicBeginHour;
  int32_t TornadicBeginMinute;
  int32_t TornadicEndHour;
  int32_t TornadicEndMinute;

  // Single-precision fields.
  float SectorVisibility;
  float SnowWaterEquivalent;
  float SecondSiteVisibility;
  float PrevailingVisibilitySm;
  float PrevailingVisibilityM;
  float PrevailingVisibilityKm;
  float PressureTendencyHpa;
  float Precip3or6Hour;
  float Precip24Hour;
  float MaxTemperature;
  float MinTemperature;
  float MaxTemperature24Hour;
  float MinTemperature24Hour;
  float MinVariableVisibility;
  float MaxVariableVisibility;
  float HourlyPrecip;
  float TowerVisibility;
  float SurfaceVisibility;
  float PreciseTemperature;
  float PreciseDewPoint;
  float SeaLevelPressure;
  float HailstoneSize;

  double AltimeterInches;

  // Sub-records.
  RunwayVisualRangeEntry RunwayVisualRange[kRunwayVisualRangeSlots];
  DispatchVisualRangeEntry DispatchVisualRange;
  RecentWeatherEntry RecentWeather[kRecentWeatherSlots];
  WindGroup Wind;
  CloudLayerEntry CloudLayer[kCloudLayerSlots];
};

/// ResetDecodedReport() writes every field's initial value: texts empty,
/// characters and flags 0, integers and floats absent, AltimeterInches
/// 2147483647.0.
void ResetDecodedReport(DecodedReport& report);

/// Presence tests used by every reader of the record.
[[nodiscard]] constexpr bool IsPresent(int32_t value) { return value != kAbsentInt; }
[[nodiscard]] constexpr bool IsPresent(float value) { return value != kAbsentFloat; }
[[nodiscard]] constexpr bool IsPresent(const char* text) { return text[0] != '\0'; }

/// CopyText() fills a fixed-capacity text field with at most N-1 characters
/// of `source`, always terminating and zero-filling the rest of the field.
template <std::size_t N>
void CopyText(char (&destination)[N], std::string_view source) {
  std::size_t length = source.size() < N - 1 ? source.size() : N - 1;
  for (std::size_t i = 0; i < length; ++i) destination[i] = source[i];
  for (std::size_t i = length; i < N; ++i) destination[i] = '\0';
}

}  // namespace tarvik
