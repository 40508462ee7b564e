// ExtendedReport: the second record, for what the fixed record has no room
// for: the groups of the international code form and of national
// conventions, decoded from the groups the body walk passed over.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <string_view>
#include <vector>

#include "decode/DecodedReport.h"

namespace tarvik {

/// A decimal that is absent.
inline constexpr double kAbsentReal = std::numeric_limits<double>::quiet_NaN();
[[nodiscard]] inline bool HasReal(double value) { return !std::isnan(value); }

/// The owner of an entry: the observation itself, its remarks, or the trend
/// of that index in ExtendedReport::trends.
inline constexpr int16_t kObservation = -1;
inline constexpr int16_t kRemarks = -2;

/// Compass points as bits, N the lowest, clockwise: a set of directions.
inline constexpr uint8_t kAllOctants = 0xFF;

/// What every entry starts with. `group` is the group, or the groups with
/// what stood between them, as written in the report.
struct ExtendedHead {
  std::string_view group{};
  int16_t trend = kObservation;
};

// The entries. Whole numbers are kAbsentInt, decimals kAbsentReal and texts
// empty when the group does not give them; texts are views of the report or
// of fixed words. The code form's tables are beside the decoders that read
// them.

/// A wind the walk does not take: metres per second, kilometres per hour, a
/// trend's wind in any unit.
struct ExtendedWind {
  ExtendedHead head;
  int32_t direction = kAbsentInt;  // degrees
  bool variable = false;           // VRB
  int32_t speed = kAbsentInt;
  int32_t gust = kAbsentInt;
  bool above = false;            // P: the speed or gust is above the value given
  bool estimated = false;        // E before the group: an estimated wind
  std::string_view unit{};       // KT, MPS or KMH
  double speedKt = kAbsentReal;  // knots, to one decimal
  double gustKt = kAbsentReal;
};

/// A visibility in metres: the prevailing one the walk could not read, a
/// directional minimum, a trend's visibility.
struct ExtendedVisibility {
  ExtendedHead head;
  int32_t meters = kAbsentInt;
  std::string_view direction{};  // N, NE ... NW
  bool ndv = false;              // no directional variation can be given
  bool atLeast = false;          // 9999: 10 km or more
  bool lessThan = false;         // 0000: less than 50 m
};

/// A runway visual range in metres, or with a tendency.
struct ExtendedRunwayRange {
  ExtendedHead head;
  std::string_view runway{};
  int32_t meters = kAbsentInt;
  int32_t minMeters = kAbsentInt;
  int32_t maxMeters = kAbsentInt;
  int32_t feet = kAbsentInt;  // the forms in feet with a tendency
  int32_t minFeet = kAbsentInt;
  int32_t maxFeet = kAbsentInt;
  bool aboveMax = false;        // P: above the highest value the system measures
  bool belowMin = false;        // M: below the lowest
  std::string_view tendency{};  // U up, D down, N no change
};

/// NSC (no significant cloud) or NCD (no cloud detected).
struct ExtendedSky {
  ExtendedHead head;
  std::string_view sky{};
};

/// A cloud layer the walk does not take, parts not observed left out.
struct ExtendedCloud {
  ExtendedHead head;
  std::string_view cover{};  // FEW, SCT, BKN, OVC
  int32_t heightFt = kAbsentInt;
  std::string_view type{};  // CB, TCU
};

/// A present weather group the walk does not take (or a trend's).
struct ExtendedWeather {
  ExtendedHead head;
  std::string_view intensity{};   // - light, + heavy
  bool vicinity = false;          // VC
  std::string_view descriptor{};  // MI, PR, BC, DR, BL, SH, TS, FZ
  std::string_view phenomena{};   // two-letter codes run together: RA, SNRA
};

/// A temperature whose dew point is missing.
struct ExtendedTemperature {
  ExtendedHead head;
  int32_t temperature = kAbsentInt;
};

/// A second altimeter setting (Q then A, or the reverse).
struct ExtendedAltimeter {
  ExtendedHead head;
  double inches = kAbsentReal;
  int32_t hpa = kAbsentInt;
};

/// Recent weather: RE and the weather, or RE// (not reported).
struct ExtendedRecentWeather {
  ExtendedHead head;
  std::string_view weather{};  // as written after RE
  bool notReported = false;
};

/// Wind shear on a runway, or on all runways.
struct ExtendedWindShear {
  ExtendedHead head;
  std::string_view runway{};
  bool allRunways = false;
};

/// The state of a runway's surface.
struct ExtendedRunwayState {
  ExtendedHead head;
  std::string_view runway{};
  bool allRunways = false;     // 88
  bool repeated = false;       // 99: the last message repeated
  std::string_view deposit{};  // in words
  std::string_view extent{};   // the part of the runway covered, in words
  int32_t depthMm = kAbsentInt;
  bool depthOrMore = false;       // 98: 40 cm or more
  bool notOperational = false;    // depth 99: the runway is not in use
  double friction = kAbsentReal;  // the friction coefficient
  std::string_view braking{};     // the braking action, in words
  bool unreliable = false;        // 99: braking or friction unreliable
  bool cleared = false;           // CLRD: contamination has ceased to exist
  bool closedBySnow = false;      // SNOCLO: the aerodrome is closed by snow
};

/// The sea surface temperature and the state of the sea or the wave height.
struct ExtendedSeaState {
  ExtendedHead head;
  int32_t surfaceTemperature = kAbsentInt;
  std::string_view state{};  // the state of the sea, in words
  double waveHeightM = kAbsentReal;
};

/// Rainfall in millimetres: the last ten minutes and since 09 local time.
struct ExtendedRainfall {
  ExtendedHead head;
  double last10MinMm = kAbsentReal;
  double since9amMm = kAbsentReal;
};

/// A military aerodrome colour state.
struct ExtendedColourState {
  ExtendedHead head;
  std::string_view colour{};  // BLU, WHT, GRN, YLO, YLO1, YLO2, AMB, RED
  bool black = false;         // BLACK: unusable for reasons other than weather
  bool plus = false;          // a "+" after the colour
};

/// A report modifier the walk passes over: NIL after AUTO, RTD (a delayed
/// report), or a correction's sequence letter (CCA the first, CCB ...).
struct ExtendedModifier {
  ExtendedHead head;
  bool nil = false;
  bool delayed = false;
  int32_t correction = kAbsentInt;
};

/// A group of slashes (or M) standing for an element that is not reported.
struct ExtendedNotReported {
  ExtendedHead head;
  std::string_view element{};
};

/// A trend: NOSIG; BECMG, TEMPO or INTER with their times or period; or a
/// trend that FMhhmm opens (Australian reports). Its wind,
/// visibility, weather, clouds, sky and colour state are entries of their
/// own kinds whose `trend` is the trend's index.
struct ExtendedTrend {
  ExtendedHead head;        // the trend's groups, from its keyword on
  std::string_view type{};  // NOSIG, BECMG, TEMPO, INTER or FM
  std::string_view from{};  // hhmm of FMhhmm
  std::string_view till{};  // hhmm of TLhhmm
  std::string_view at{};    // hhmm of AThhmm
  bool cavok = false;
  bool nsw = false;  // no significant weather
  int32_t verticalVisibilityFt = kAbsentInt;
};

// --- The remarks' own entries ---------------------------------------------------

/// A cloud layer, or a phenomenon hiding the sky, with its amount in oktas:
/// a Canadian layer by type (SC4 in SC1SC4AC3, or a trace: AC TR), or a layer
/// with its height (4CU030).
struct ExtendedCloudLayer {
  ExtendedHead head;
  std::string_view type{};  // SC, AC ... or what hides the sky: FG, SN, BLSN
  int32_t oktas = kAbsentInt;
  bool trace = false;  // TR: a trace of it, less than an okta
  int32_t heightFt = kAbsentInt;
};

/// The total cloud amount, which Italian reports give first in the remarks
/// (the layers after it are entries of the clouds kind).
struct ExtendedTotalCloud {
  ExtendedHead head;
  std::string_view cover{};  // SKC, FEW, SCT, BKN, OVC
};

/// The highest or lowest temperature (TX, TN).
struct ExtendedTemperatureExtreme {
  ExtendedHead head;
  std::string_view extreme{};  // TX the highest, TN the lowest
  double celsius = kAbsentReal;
};

/// Lightning, or another phenomenon, where it is seen and where it moves.
struct ExtendedSighting {
  ExtendedHead head;
  std::string_view phenomenon{};  // LTG, CB, TCU, TS, VIRGA, or weather codes: SH, FG
  std::string_view frequency{};   // OCNL, FRQ, CONS
  std::string_view types{};       // lightning types run together: IC, CG, CC, CA
  std::string_view location{};    // DSNT, VC, OHD, AP
  uint8_t directions = 0;         // compass points, as bits
  bool allQuadrants = false;      // ALQDS: in every direction
  std::string_view movement{};    // a compass point, or STNRY
};

/// When a weather phenomenon began or ended (RAB05E30): one entry per time.
struct ExtendedWeatherEvent {
  ExtendedHead head;
  std::string_view weather{};  // as written: RA, -SHRA, FZDZ
  std::string_view event{};    // B began, E ended
  int32_t hour = kAbsentInt;
  int32_t minute = kAbsentInt;
};

/// A peak wind the record's repeat rule cleared.
struct ExtendedPeakWind {
  ExtendedHead head;
  int32_t direction = kAbsentInt;
  int32_t speed = kAbsentInt;  // knots
  int32_t hour = kAbsentInt;
  int32_t minute = kAbsentInt;
};

/// The ceiling at a second site.
struct ExtendedCeiling {
  ExtendedHead head;
  int32_t heightFt = kAbsentInt;
  std::string_view location{};  // a runway or a compass point, as written
};

/// An element that is estimated or missing: WND DATA ESTMD, DP MISG.
struct ExtendedDataState {
  ExtendedHead head;
  std::string_view element{};  // as written: WND DATA, ALSTG/SLP, DP
  bool estimated = false;
  bool missing = false;
};

/// The depth of snow on the ground.
struct ExtendedSnowOnGround {
  ExtendedHead head;
  int32_t cm = kAbsentInt;
  bool trace = false;
};

/// The density altitude.
struct ExtendedDensityAltitude {
  ExtendedHead head;
  int32_t feet = kAbsentInt;
  bool missing = false;
};

/// Ice accreted on a sensor over the last hour, 3 or 6 hours.
struct ExtendedIceAccretion {
  ExtendedHead head;
  int32_t hours = kAbsentInt;
  double inches = kAbsentReal;
};

/// A sensor at a second site that is not available: CHINO, VISNO.
struct ExtendedSensorOut {
  ExtendedHead head;
  std::string_view sensor{};
  std::string_view location{};  // a runway (RWY06) or a compass point, as written
};

/// Precipitation: over the past hour, or since the report before.
struct ExtendedPrecipitation {
  ExtendedHead head;
  double inches = kAbsentReal;  // the North American Prrrr
  double mm = kAbsentReal;
  int32_t hours = kAbsentInt;
  bool sinceLastReport = false;
  bool notReported = false;
};

/// The pressure tendency of the last three hours.
struct ExtendedPressureTendency {
  ExtendedHead head;
  int32_t characteristic = kAbsentInt;  // WMO code table 0200
  double changeHpa = kAbsentReal;
  bool missing = false;
};

/// When the station is staffed: its last staffed report, the next one.
struct ExtendedSchedule {
  ExtendedHead head;
  bool first = false;        // FIRST: the first report after a break
  bool lastStaffed = false;  // LAST STFD OBS: the last staffed report
  int32_t nextDay = kAbsentInt;
  std::string_view nextTime{};  // hhmm (UTC) of the next staffed report
};

/// The pressure at the aerodrome's elevation (QFE).
struct ExtendedStationPressure {
  ExtendedHead head;
  double mmHg = kAbsentReal;
  double hpa = kAbsentReal;  // as given, or from the mmHg when only they are given
};

/// The height of the cloud base (QBB).
struct ExtendedCloudBase {
  ExtendedHead head;
  int32_t meters = kAbsentInt;
  int32_t feet = kAbsentInt;
};

/// A wind measured somewhere else than the report's: at a runway or its
/// threshold, at a height, at a named place.
struct ExtendedLocalWind {
  ExtendedHead head;
  std::string_view place{};  // RWY, THR, TDZ, MID, END, ARP, or the place's name
  std::string_view runway{};
  int32_t heightFt = kAbsentInt;
  int32_t direction = kAbsentInt;
  bool variable = false;
  int32_t speed = kAbsentInt;
  int32_t gust = kAbsentInt;
  std::string_view unit{};
  double speedKt = kAbsentReal;
  double gustKt = kAbsentReal;
  int32_t variableFrom = kAbsentInt;
  int32_t variableTo = kAbsentInt;
  bool notReported = false;
};

/// A visibility given in the remarks: the lowest (VIS MIN), toward the sea
/// (VIS MAR), a variable one, or one in given directions.
struct ExtendedRemarkVisibility {
  ExtendedHead head;
  std::string_view qualifier{};  // MIN, MAR, VRB, LWR
  int32_t meters = kAbsentInt;
  bool atLeast = false;  // 9999: 10 km or more
  double statuteMiles = kAbsentReal;
  double minStatuteMiles = kAbsentReal;
  double maxStatuteMiles = kAbsentReal;
  bool lessThan = false;  // M before the lowest value
  uint8_t directions = 0;
  std::string_view location{};  // a runway, as written
};

/// Mountains, valleys or obstacles: obscured, clear, not visible.
struct ExtendedTerrain {
  ExtendedHead head;
  std::string_view feature{};  // MT, OBST, MON, VAL
  std::string_view state{};    // OBSC, INVIS, LIB, NIL
};

/// The state of the sea and of the swell (QUK, QUL).
struct ExtendedSea {
  ExtendedHead head;
  int32_t seaState = kAbsentInt;  // WMO code table 3700
  int32_t swell = kAbsentInt;     // the swell's code, 0 to 9
  std::string_view swellDirection{};
};

/// The relative humidity.
struct ExtendedHumidity {
  ExtendedHead head;
  int32_t percent = kAbsentInt;
};

/// Birds are a hazard, on the runways named.
struct ExtendedBirdHazard {
  ExtendedHead head;
  std::string_view runway{};  // as written: 10/28, 15
};

/// The second record. Each kind keeps its entries in report order within an
/// owner (the observation, each trend, the remarks); a record is cleared and
/// reused, so its lists keep their room.
struct ExtendedReport {
  std::vector<ExtendedWind> wind;
  std::vector<ExtendedVisibility> visibility;
  std::vector<ExtendedRunwayRange> runwayVisualRange;
  std::vector<ExtendedWeather> weather;
  std::vector<ExtendedSky> sky;
  std::vector<ExtendedCloud> clouds;
  std::vector<ExtendedTemperature> temperature;
  std::vector<ExtendedAltimeter> altimeter;
  std::vector<ExtendedRecentWeather> recentWeather;
  std::vector<ExtendedWindShear> windShear;
  std::vector<ExtendedSeaState> seaState;
  std::vector<ExtendedRunwayState> runwayState;
  std::vector<ExtendedRainfall> rainfall;
  std::vector<ExtendedColourState> colourState;
  std::vector<ExtendedModifier> modifier;
  std::vector<ExtendedNotReported> notReported;
  std::vector<ExtendedTrend> trends;
  // The remarks' own kinds.
  std::vector<ExtendedTotalCloud> totalCloud;
  std::vector<ExtendedCloudLayer> cloudLayers;
  std::vector<ExtendedTemperatureExtreme> temperatureExtremes;
  std::vector<ExtendedSighting> lightning;
  std::vector<ExtendedSighting> phenomena;
  std::vector<ExtendedWeatherEvent> weatherEvents;
  std::vector<ExtendedCeiling> ceiling;
  std::vector<ExtendedPeakWind> peakWind;
  std::vector<ExtendedDataState> dataState;
  std::vector<ExtendedSnowOnGround> snowOnGround;
  std::vector<ExtendedDensityAltitude> densityAltitude;
  std::vector<ExtendedIceAccretion> iceAccretion;
  std::vector<ExtendedSensorOut> sensorOut;
  std::vector<ExtendedPrecipitation> precipitation;
  std::vector<ExtendedPressureTendency> pressureTendency;
  std::vector<ExtendedSchedule> schedule;
  std::vector<ExtendedStationPressure> stationPressure;
  std::vector<ExtendedCloudBase> cloudBase;
  std::vector<ExtendedLocalWind> localWind;
  std::vector<ExtendedRemarkVisibility> remarkVisibility;
  std::vector<ExtendedTerrain> terrain;
  std::vector<ExtendedSea> sea;
  std::vector<ExtendedHumidity> humidity;
  std::vector<ExtendedBirdHazard> birdHazard;

  void Clear();
  [[nodiscard]] bool Empty() const;
};

}  // namespace tarvik
