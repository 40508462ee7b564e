// Obscuration remarks (the phenomenon of a body partial-obscuration layer,
// surface-based obscuration, obscuration aloft), hail and virga.
#include <iterator>
#include <string_view>

#include "decode/TokenShape.h"
#include "decode/Vocabulary.h"
#include "decode/remarks/FractionValue.h"
#include "decode/remarks/RemarkDecoders.h"
#include "decode/remarks/RemarkWords.h"

namespace tarvik {
namespace {

bool IsObscurationCodeRun(std::string_view text) {
  if (text.empty()) return false;
  while (!text.empty()) {
    std::string_view code = kObscurationCodeIndex.FirstCodeOf(text);
    if (code.empty()) return false;
    text.remove_prefix(code.size());
  }
  return true;
}

}  // namespace

bool DecodeObscuration(const TokenList& tokens, DecodedReport& report, int& index, int slot) {
  const char* layer = tokens[index];
  if (!IsOneOf(layer, kPartialObscurations)) return false;
  // The phenomenon is the token before, which the walk has already passed.
  const char* phenomenon = index >= 1 ? tokens[index - 1] : nullptr;
  ++index;  // a layer is taken whether or not it decodes
  // The layer must repeat one of the body's, slot by slot; a third has no
  // slot left.
  if (slot < 0 || slot >= kObscurationSlots) return false;
  if (std::string_view(report.ObscurationAmount[slot]) != layer) return false;
  if (!IsOneOf(phenomenon, kObscuringPhenomena)) return false;
  CopyText(report.ObscurationPhenomenon[slot], phenomenon);
  return true;
}

bool DecodeHail(const TokenList& tokens, DecodedReport& report, int& index) {
  if (IsExactly(tokens[index], "GS")) {
    report.Hail = 1;
    ++index;
    return true;
  }
  const char* size = tokens[index + 1];
  if (!IsExactly(tokens[index], "GR") || size == nullptr) return false;

  std::string_view text(size);
  int used = 1;
  if (text.find('/') != std::string_view::npos) {
    if (text == "M1/4") {
      report.HailstoneSize = 0.125F;
      used = 2;
    } else if (IsFractionToken(size)) {
      report.HailstoneSize = FractionValue(size);
      used = 2;
    }
  } else if (AllDigits(size, -1)) {
    int32_t whole = IntOfFirst(size, static_cast<int>(text.size()));
    report.HailstoneSize = static_cast<float>(whole);
    used = 2;
    if (const char* fraction = tokens[index + 2]; IsFractionToken(fraction)) {
      report.HailstoneSize = WholeAndFraction(whole, fraction);
      used = 3;
    }
  }
  // GR is taken even when the size cannot be read.
  report.Hail = 1;
  index += used;
  return true;
}

bool DecodeVirga(const TokenList& tokens, DecodedReport& report, int& index) {
  if (!IsExactly(tokens[index], "VIRGA")) return false;
  report.Virga = 1;
  ++index;
  if (IsDirectionWord(tokens[index])) {
    CopyText(report.VirgaDirection, tokens[index]);
    ++index;
  }
  return true;
}

bool DecodeSurfaceObscuration(const TokenList& tokens, DecodedReport& report, int& index) {
  if (tokens[index] == nullptr) return false;
  std::string_view token = tokens.View(index);
  if (!token.starts_with("-X") || token.size() < 4 || !IsDigit(token.back())) return false;

  std::string_view codes = token.substr(2, token.size() - 3);
  int stored = 0;
  while (!codes.empty()) {
    std::string_view code = kObscurationCodeIndex.FirstCodeOf(codes);
    if (code.empty()) {
      ++index;
      return false;
    }
    // Codes past the sixth are still checked, just not kept.
    if (stored < kSurfaceObscurationSlots) CopyText(report.SurfaceObscuration[stored++], code);
    codes.remove_prefix(code.size());
  }
  report.SkyObscuredEighths = token.back() - '0';
  ++index;
  return true;
}

bool DecodeObscurationAloft(const TokenList& tokens, DecodedReport& report, int& index) {
  const char* phenomenon = tokens[index];
  const char* layer = tokens[index + 1];
  if (phenomenon == nullptr || !IsObscurationCodeRun(phenomenon)) return false;
  if (layer == nullptr || std::string_view(layer).size() != 6) return false;

  std::string_view cover = CoverCodePrefix(layer);
  std::string_view height = std::string_view(layer).substr(3);
  if (cover.empty() || !AllDigits(height.data(), 3) || height == "000") {
    // No usable layer: the codes are taken alone. This is how a surface
    // layer such as SCT000 is left for the obscuration group.
    ++index;
    return true;
  }
  CopyText(report.ObscurationAloftPhenomenon, phenomenon);
  CopyText(report.ObscurationAloftSkyCondition, cover);
  report.ObscurationAloftHeight = IntOfFirst(height.data(), 3) * 100;
  index += 2;
  return true;
}

}  // namespace tarvik
