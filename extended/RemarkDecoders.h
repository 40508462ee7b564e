// RemarkDecoders: one decoder per family of remark groups that the remarks
// walk leaves, each writing into the second record's remarks. They keep
// the contract of ExtendedDecoder (extended/ExtendedDecoders.h); the
// context's owner is kRemarks.
#pragma once

#include "extended/ExtendedDecoders.h"

namespace tarvik {

/// Lightning: [OCNL|FRQ|CONS] LTG[types] (or LTNG) and where it is, any
/// groups of it the walk read included, so that every lightning remark has
/// an entry. Reads again.
bool DecodeLightningRemark(ExtendedContext& context, int& index);

/// A phenomenon and where it is: CB, TCU, TS, VIRGA, PCPN, SH or a weather
/// code ([VC]FG, BR), then DSNT, VC, OHD, ALQDS, compass points joined by
/// AND, THRU or "-", and MOV with a compass point. Reads again.
bool DecodePhenomenonRemark(ExtendedContext& context, int& index);

/// Weather with when it began and ended, the forms the walk does not
/// take: RAE16B32E45, UPB0157E10RAB02SNE0157.
bool DecodeWeatherEvents(ExtendedContext& context, int& index);

/// CIG hhh and a runway or compass point: the ceiling at a second site.
bool DecodeSecondSiteCeiling(ExtendedContext& context, int& index);

/// appp (or M) standing alone after AO1 or AO2 in a Canadian report: the
/// pressure tendency.
bool DecodeAutomaticTendency(ExtendedContext& context, int& index);

/// A remark of the record's own whose values its repeat rule cleared (a
/// peak wind, an hourly precipitation given twice), read again by the
/// record's decoder into an entry of the second record.
bool DecodeClearedRemark(ExtendedContext& context, int& index);

/// Canadian cloud layers by type and oktas (SC1SC4AC3, FG2), a trace of a
/// type (AC TR), and layers with oktas and height (4CU030).
bool DecodeCloudTypes(ExtendedContext& context, int& index);
bool DecodeCloudTrace(ExtendedContext& context, int& index);
bool DecodeOktaLayer(ExtendedContext& context, int& index);

/// The total cloud amount first in the remarks (SKC, FEW, SCT, BKN, OVC)
/// and the cloud layers after it; SKC anywhere (the sky is clear).
bool DecodeTotalCloud(ExtendedContext& context, int& index);

/// TX[M]nn.n and TN[M]nn.n: the highest and lowest temperature.
bool DecodeTemperatureExtreme(ExtendedContext& context, int& index);

/// QBBhhh: the cloud base in metres.
bool DecodeCloudBase(ExtendedContext& context, int& index);

/// SOG nn (snow on the ground, cm) and the tendency group after it.
bool DecodeSnowOnGround(ExtendedContext& context, int& index);

/// nPAST HR (tenths of a millimetre in the past hour) and the tendency
/// group after it; PCPN n.nMM PAST HR; PPnnn (tenths of a millimetre since
/// the report before) and PP///.
bool DecodePastHourPrecipitation(ExtendedContext& context, int& index);
bool DecodePrecipitationMm(ExtendedContext& context, int& index);
bool DecodePrecipitationSinceLast(ExtendedContext& context, int& index);

/// I1nnn, I3nnn, I6nnn: ice accretion in hundredths of an inch.
bool DecodeIceAccretion(ExtendedContext& context, int& index);

/// DENSITY ALT [-]nnnnFT or DENSITY ALT MISG.
bool DecodeDensityAltitude(ExtendedContext& context, int& index);

/// An element and ESTMD, EST or MISG: WND DATA ESTMD, DP MISG.
bool DecodeDataState(ExtendedContext& context, int& index);

/// LAST STFD OBS / NEXT ddhhmm UTC and its spellings, and FIRST. Reads
/// again (the walk takes LAST).
bool DecodeSchedule(ExtendedContext& context, int& index);

/// CHINO or VISNO with a runway or a compass point.
bool DecodeSensorOut(ExtendedContext& context, int& index);

/// QFEnnn[/nnnn], QFEnnn.n (mmHg, and hPa) and QFEnnnn (hPa).
bool DecodeStationPressure(ExtendedContext& context, int& index);

/// A wind at a runway, its threshold, a height or a named place:
/// [WIND] (RWYnn|RWY nn|THRnn|nnnnFT|name|TDZ|MID|END) wind [dddVddd],
/// and Rnn/wind, ARP/wind.
bool DecodeLocalWind(ExtendedContext& context, int& index);

/// VIS MIN nnnn[point], VIS MAR nn KM|M; VIS vVv, VIS VRB v-v and VIS
/// point v or v point (statute miles), VIS v RWYnn.
bool DecodeRemarkVisibility(ExtendedContext& context, int& index);

/// MT OBSC, OBST OBSC, MON INVIS|LIB, VAL NIL|INVIS.
bool DecodeTerrain(ExtendedContext& context, int& index);

/// QUK s QUL s [point]: the state of the sea and of the swell.
bool DecodeSea(ExtendedContext& context, int& index);

/// RHnn or RHnnn: the relative humidity.
bool DecodeHumidity(ExtendedContext& context, int& index);

/// BIRD HAZARD [RWY [nn[/nn]]].
bool DecodeBirdHazard(ExtendedContext& context, int& index);

}  // namespace tarvik
