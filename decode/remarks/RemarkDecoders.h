// Decoders of the remark groups after "RMK", in the order the remarks walk
// tries them.
//
// Every decoder is given the token list, the current index and the record.
// On success it has written its fields and moved the index past every token
// it used. On failure it may still have moved the index past a keyword it
// recognised but could not complete ("consumed"): the following decoders
// then start at the later token. Each declaration says how far the index
// moves for each outcome. No decoder reads past the last token.
#pragma once

#include "decode/DecodedReport.h"
#include "decode/FlagWord.h"
#include "decode/TokenList.h"

namespace tarvik {

// --- Tornadic activity and automated-station indicator ----------------------

/// DecodeTornadic(): TORNADO, TORNADOS, TORNADOES, WATERSPOUT(S), or FUNNEL
/// CLOUD(S), then any begin/end times, distance, location, direction and
/// movement tokens. Success consumes the keyword and every detail token
/// taken. A FUNNEL followed by another token fails consuming 1; otherwise a
/// failure consumes 0.
bool DecodeTornadic(const TokenList& tokens, DecodedReport& report, int& index);

/// DecodeAutoIndicator(): one of the ten automated-station words (AO1, AO2A,
/// A01 ...). Consumes 1 on success, 0 on failure.
bool DecodeAutoIndicator(const TokenList& tokens, DecodedReport& report, int& index);

// --- Wind and visibility ----------------------------------------------------

/// DecodePeakWind(): PK WND dddff(f)/(hh)mm, PKWND ..., PK .... Success
/// consumes 2 or 3; a value without "/" fails consuming the keyword tokens;
/// other failures consume 0.
bool DecodePeakWind(const TokenList& tokens, DecodedReport& report, int& index);

/// DecodeWindShift(): WSHFT (hh)mm [FROPA]. Success consumes 2 or 3; a bad
/// time fails consuming 1; no keyword or no time token fails consuming 0.
bool DecodeWindShift(const TokenList& tokens, DecodedReport& report, int& index);

/// DecodeTowerVisibility() / DecodeSurfaceVisibility(): TWR VIS v / SFC VIS v
/// with v a whole number, a fraction, or both. Success consumes 3 or 4; a
/// keyword without VIS fails consuming 1; a bad value fails consuming 2;
/// other failures consume 0.
bool DecodeTowerVisibility(const TokenList& tokens, DecodedReport& report, int& index);
bool DecodeSurfaceVisibility(const TokenList& tokens, DecodedReport& report, int& index);

/// DecodeVariableVisibility(): VIS minVmax, each bound a whole number with an
/// optional fraction. Success consumes 2 to 4; failure consumes 0.
bool DecodeVariableVisibility(const TokenList& tokens, DecodedReport& report, int& index);

/// DecodeSecondSiteVisibility(): VIS v RMYnn. Success consumes 3 or 4;
/// failure consumes 0.
bool DecodeSecondSiteVisibility(const TokenList& tokens, DecodedReport& report, int& index);

/// DecodeSectorVisibility(): VIS octant v. Success consumes 3 or 4; failure
/// consumes 0.
bool DecodeSectorVisibility(const TokenList& tokens, DecodedReport& report, int& index);

// --- Lightning and thunderstorm location -------------------------------------

/// DecodeLightning(): VCTS, or [OCNL|FRQ|CONS] LTG[types] [location]
/// [direction] (the frequency word is the token before). Success consumes 1
/// to 3; failure consumes 0 (a frequency flag may stay set).
bool DecodeLightning(const TokenList& tokens, DecodedReport& report, int& index);

/// IsLightningFrequency() is true for OCNL, FRQ and CONS: the words that
/// DecodeLightning() reads from before the LTG group (null: false).
[[nodiscard]] bool IsLightningFrequency(const char* group);

/// DecodeThunderstormLocation(): TS direction [MOV direction]. Success
/// consumes 2 to 4. TS direction MOV followed by a non-direction stores the
/// location and fails consuming 2; other failures consume 0.
bool DecodeThunderstormLocation(const TokenList& tokens, DecodedReport& report, int& index);

// --- Begin and end of weather -------------------------------------------------

/// DecodeRecentWeather(): one token of pieces such as RAB15E30SNB30, stored
/// from RecentWeather[count] on while count < 3 (count advances). Success
/// consumes 1; failure consumes 0 (entries already stored stay).
bool DecodeRecentWeather(const TokenList& tokens, DecodedReport& report, int& index, int& count);

// --- Ceiling and sky condition --------------------------------------------------

/// DecodeVariableCeiling(): CIG hhhVhhh (values as written). Consumes 2 on
/// success, 0 on failure.
bool DecodeVariableCeiling(const TokenList& tokens, DecodedReport& report, int& index);

/// DecodeSecondSiteCeiling(): CIG hhh RYnn (value x 10). Consumes 3 on
/// success, 0 on failure.
bool DecodeSecondSiteCeiling(const TokenList& tokens, DecodedReport& report, int& index);

/// DecodeCeilingRemark(): CIGNO, CIGhhh or CIGEhhh (value x 100). Consumes 1
/// on success, 0 on failure.
bool DecodeCeilingRemark(const TokenList& tokens, DecodedReport& report, int& index);

/// DecodeVariableSky(): cover[hhh] V cover. Success consumes 3; a third
/// token without a cover code fails consuming 2; other failures consume 0.
bool DecodeVariableSky(const TokenList& tokens, DecodedReport& report, int& index);

// --- Obscuration, hail and virga ------------------------------------------------

/// DecodeObscuration(): a partial-obscuration layer (FEW000 ...) that equals
/// ObscurationAmount[slot] of the body, its phenomenon being the token
/// before. Consumes 1 when the token is such a layer (success or not), 0
/// otherwise. A slot of 2 or more has no entry and fails.
bool DecodeObscuration(const TokenList& tokens, DecodedReport& report, int& index, int slot);

/// DecodeHail(): GS, or GR with a size. Success consumes 1 to 3; failure
/// consumes 0.
bool DecodeHail(const TokenList& tokens, DecodedReport& report, int& index);

/// DecodeVirga(): VIRGA [direction]. Consumes 1 or 2 on success, 0 on
/// failure.
bool DecodeVirga(const TokenList& tokens, DecodedReport& report, int& index);

/// DecodeSurfaceObscuration(): -Xcodes followed by a digit (eighths).
/// Success consumes 1; an unknown code fails consuming 1 (codes already
/// stored stay); other failures consume 0.
bool DecodeSurfaceObscuration(const TokenList& tokens, DecodedReport& report, int& index);

/// DecodeObscurationAloft(): codes followed by a layer coverhhh. Success
/// consumes 2, or 1 when the layer is not usable (nothing stored); failure
/// consumes 0.
bool DecodeObscurationAloft(const TokenList& tokens, DecodedReport& report, int& index);

// --- Pressure ---------------------------------------------------------------------

/// DecodePresfr() / DecodePresrr(): the words PRESFR / PRESRR. Consumes 1 on
/// success, 0 on failure.
inline constexpr auto DecodePresfr =
    DecodeFlagWord<"PRESFR", &DecodedReport::PressureFallingRapidly>;
inline constexpr auto DecodePresrr =
    DecodeFlagWord<"PRESRR", &DecodedReport::PressureRisingRapidly>;

/// DecodeSeaLevelPressure(): SLPNO, SLPppp or SLP ppp. Consumes 1 or 2 on
/// success, 0 on failure.
bool DecodeSeaLevelPressure(const TokenList& tokens, DecodedReport& report, int& index);

/// DecodePressureTendency(): 5appp or 5a///. Consumes 1 on success, 0 on
/// failure.
bool DecodePressureTendency(const TokenList& tokens, DecodedReport& report, int& index);

// --- Precipitation, snow and sunshine ---------------------------------------------

/// DecodeSnowIncrease(): SNINCR a/b. Success consumes 2; a bad value fails
/// consuming 1; other failures consume 0.
bool DecodeSnowIncrease(const TokenList& tokens, DecodedReport& report, int& index);

/// DecodeSnowDepth() (4/sss), DecodeSnowWaterEquivalent() (933rrr),
/// DecodeSunshine() (98mmm or 98///): one token. Consumes 1 on success, 0 on
/// failure.
bool DecodeSnowDepth(const TokenList& tokens, DecodedReport& report, int& index);
bool DecodeSnowWaterEquivalent(const TokenList& tokens, DecodedReport& report, int& index);
bool DecodeSunshine(const TokenList& tokens, DecodedReport& report, int& index);

/// DecodeHourlyPrecip(): Prrrr or P rrrr. Success consumes 1 or 2; P with a
/// non-digit amount token fails consuming 1; a Pddd.. token with a later
/// non-digit fails consuming 1; other failures consume 0.
bool DecodeHourlyPrecip(const TokenList& tokens, DecodedReport& report, int& index);

/// DecodePrecip3or6Hour() (6rrrr, 6////) and DecodePrecip24Hour() (7rrrr,
/// 7////). Consumes 1 on success, 0 on failure.
bool DecodePrecip3or6Hour(const TokenList& tokens, DecodedReport& report, int& index);
bool DecodePrecip24Hour(const TokenList& tokens, DecodedReport& report, int& index);

// --- Temperature and cloud-type groups ----------------------------------------------

/// DecodePreciseTemperature() (TsTTT[sDDD]), DecodeMaxTemperature() (1sTTT),
/// DecodeMinTemperature() (2sTTT), DecodeMaxMinTemperature24Hour()
/// (4sTTTsTTT), DecodeSynopticCloudTypes() (8/LMH). Consume 1 on success, 0
/// on failure.
bool DecodePreciseTemperature(const TokenList& tokens, DecodedReport& report, int& index);
bool DecodeMaxTemperature(const TokenList& tokens, DecodedReport& report, int& index);
bool DecodeMinTemperature(const TokenList& tokens, DecodedReport& report, int& index);
bool DecodeMaxMinTemperature24Hour(const TokenList& tokens, DecodedReport& report, int& index);
bool DecodeSynopticCloudTypes(const TokenList& tokens, DecodedReport& report, int& index);

// --- Sensor status, indicators and dispatch visual range ---------------------------

/// The indicator words NOSPECI, LAST, PWINO, FZRANO, TSNO, $, RVRNO and PNO,
/// each setting its flag. Consume 1 on success, 0 on failure.
inline constexpr auto DecodeNoSpeci = DecodeFlagWord<"NOSPECI", &DecodedReport::NoSpeci>;
inline constexpr auto DecodeLastReport = DecodeFlagWord<"LAST", &DecodedReport::LastReport>;
inline constexpr auto DecodePwiNo = DecodeFlagWord<"PWINO", &DecodedReport::PwiNo>;
inline constexpr auto DecodeFzraNo = DecodeFlagWord<"FZRANO", &DecodedReport::FzraNo>;
inline constexpr auto DecodeTsNo = DecodeFlagWord<"TSNO", &DecodedReport::TsNo>;
inline constexpr auto DecodeMaintenanceIndicator =
    DecodeFlagWord<"$", &DecodedReport::MaintenanceIndicator>;
inline constexpr auto DecodeRvrNo = DecodeFlagWord<"RVRNO", &DecodedReport::RvrNo>;
inline constexpr auto DecodePNo = DecodeFlagWord<"PNO", &DecodedReport::PNo>;

/// DecodeVisNo() (VISNO RYnn) and DecodeChiNo() (CHINO RYnn). Success
/// consumes 2; a keyword with a bad location fails consuming 1; other
/// failures consume 0.
bool DecodeVisNo(const TokenList& tokens, DecodedReport& report, int& index);
bool DecodeChiNo(const TokenList& tokens, DecodedReport& report, int& index);

/// DecodeDispatchVisualRange(): DVR/[M|P]nnnn[V[P]nnnn]FT. Success consumes
/// 1; DVR without "/" fails consuming 1; other failures consume 0.
bool DecodeDispatchVisualRange(const TokenList& tokens, DecodedReport& report, int& index);

}  // namespace tarvik
