// Decoders of the report body groups, one per kind of group, in the order
// the body walk tries them. Each follows the same contract: given the token
// list and the current index, it either accepts (writes its fields and moves
// the index past every group it used) or declines (index unchanged; a
// decoder that writes fields even when it declines says so below).
#pragma once

#include <string_view>

#include "decode/DecodedReport.h"
#include "decode/TokenList.h"

namespace tarvik {

/// DecodeWind() takes a knots wind group: dddff[f][Gff[f]]KT or VRB forms.
/// Advances by 1. Anything after the first "KT" is ignored.
bool DecodeWind(const TokenList& tokens, DecodedReport& report, int& index);

/// DecodeVariableWindDirection() takes dddVddd. Advances by 1.
bool DecodeVariableWindDirection(const TokenList& tokens, DecodedReport& report, int& index);

/// DecodeVisibility() takes the prevailing visibility in statute miles
/// (whole, fraction, or whole and fraction as two groups: advances by 2),
/// kilometres, or four-digit metres with an optional direction. A metre
/// group that names a direction writes VisibilityDirection even when its
/// value is then refused; a four-digit value that is not reportable is taken
/// without a value.
bool DecodeVisibility(const TokenList& tokens, DecodedReport& report, int& index);

/// VisibilityValue() is the number of statute miles of a group holding
/// "SM": numerator over denominator when it holds a "/", else the whole
/// number before "SM".
[[nodiscard]] double VisibilityValue(const char* group);

/// DecodeRunwayVisualRange() takes one RddD/[M|P]nnnn[V[M|P]nnnn]FT group
/// into RunwayVisualRange[slot]. Advances by 1.
bool DecodeRunwayVisualRange(const TokenList& tokens, DecodedReport& report, int& index, int slot);

/// DecodePresentWeather() splits one weather group into PresentWeather
/// entries starting at `count`, which it advances. Advances the index by 1.
/// On a decline the entries already written for the group stay written.
bool DecodePresentWeather(const TokenList& tokens, DecodedReport& report, int& index, int& count);

/// DecodePartialObscuration() takes one or two partial-obscuration amounts
/// (FEW///, SCT000 ...). Advances by 1 or 2.
bool DecodePartialObscuration(const TokenList& tokens, DecodedReport& report, int& index);

/// IsCloudLayer() is true for a cloud layer group: at least 6 characters,
/// OVC/SCT/FEW/BKN or a digit and CU/SC, then three digits.
[[nodiscard]] bool IsCloudLayer(std::string_view group);

/// StoreCloudLayer() writes one layer group into CloudLayer[slot].
void StoreCloudLayer(const char* group, DecodedReport& report, int slot);

/// CloudHeightMeters() converts hundreds of feet to metres (999 is 30000).
[[nodiscard]] int32_t CloudHeightMeters(int32_t hundredsOfFeet);

/// DecodeSkyCondition() takes CLR, SKC, a vertical visibility VVhhh, or one
/// to six consecutive cloud layers. Advances by 1 to 6.
bool DecodeSkyCondition(const TokenList& tokens, DecodedReport& report, int& index);

/// DecodeTemperature() takes the temperature and dew point group (M for
/// minus; either half may be missing). Advances by 1.
bool DecodeTemperature(const TokenList& tokens, DecodedReport& report, int& index);

/// DecodeAltimeter() takes Annnn (hundredths of inches of mercury) or Qnnnn
/// (hectopascals). Advances by 1.
bool DecodeAltimeter(const TokenList& tokens, DecodedReport& report, int& index);

}  // namespace tarvik
