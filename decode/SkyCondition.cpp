// Sky condition: clear-sky words, vertical visibility and cloud layers.
#include <cstring>
#include <string_view>

#include "decode/BodyDecoders.h"
#include "decode/TokenShape.h"
#include "decode/Vocabulary.h"

namespace tarvik {

int32_t CloudHeightMeters(int32_t hundredsOfFeet) {
  // 999 stands for "unlimited" and is given as 30000 m, not 29970.
  if (hundredsOfFeet == 999) return 30000;
  return static_cast<int32_t>(static_cast<int64_t>(hundredsOfFeet) * 30);
}

bool IsCloudLayer(std::string_view group) {
  if (group.size() < 6) return false;
  const std::string_view text = group.substr(0, 6);
  bool cover = !FirstCodeOf(text, kCoverCodes).empty();
  bool typed = IsDigit(text[0]) && (text.substr(1, 2) == "CU" || text.substr(1, 2) == "SC");
  return (cover || typed) && AllDigits(text.data() + 3, 3);
}

void StoreCloudLayer(const char* group, DecodedReport& report, int slot) {
  std::string_view text(group);
  CloudLayerEntry& layer = report.CloudLayer[slot];
  CopyText(layer.Cover, text.substr(0, 3));
  CopyText(layer.HeightCode, text.substr(3, 3));
  layer.HeightMeters = CloudHeightMeters(IntOfFirst(group + 3, 3));
  if (text.size() > 6) CopyText(layer.Phenomenon, text.substr(6));
}

bool DecodeSkyCondition(const TokenList& tokens, DecodedReport& report, int& index) {
  const std::string_view text = tokens.View(index);
  const char* group = text.data();
  if (text == "CLR" || text == "SKC") {
    CopyText(report.CloudLayer[0].Cover, text);
    ++index;
    return true;
  }
  if (text.size() == 5 && text.starts_with("VV") && AllDigits(group + 2, 3)) {
    report.VerticalVisibility = CloudHeightMeters(IntOfFirst(group + 2, 3));
    CopyText(report.CloudLayer[0].Cover, "VV");
    ++index;
    return true;
  }
  int layers = 0;
  while (layers < kCloudLayerSlots && IsCloudLayer(tokens.View(index + layers))) {
    StoreCloudLayer(tokens[index + layers], report, layers);
    ++layers;
  }
  index += layers;
  return layers > 0;
}

}  // namespace tarvik
