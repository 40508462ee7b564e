#include "report/ReportJson.h"

#include <charconv>
#include <cstdint>

#include "report/StationDirectory.h"

namespace tarvik {
namespace {

constexpr char kHex[] = "0123456789abcdef";

// Length of the valid UTF-8 sequence at the start of `text`, or 0.
std::size_t Utf8SequenceLength(std::string_view text) {
  auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  unsigned char lead = byte(0);
  std::size_t length = 0;
  uint32_t min = 0;
  uint32_t code = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, min = 0x80, code = lead & 0x1FU;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, min = 0x800, code = lead & 0x0FU;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, min = 0x10000, code = lead & 0x07U;
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0U) != 0x80U) return 0;
    code = code << 6 | (byte(i) & 0x3FU);
  }
  // No overlong forms, no surrogates, nothing beyond U+10FFFF.
  if (code < min || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) return 0;
  return length;
}

// Writes the members of one JSON object, minding the commas.
class ObjectWriter {
 public:
  explicit ObjectWriter(std::string& out) : out_(out) { out_ += '{'; }
  void Close() { out_ += '}'; }

  void Key(std::string_view name) {
    if (!first_) out_ += ',';
    first_ = false;
    out_ += '"';
    out_ += name;
    out_ += "\":";
  }
  void Text(std::string_view name, const char* text) {
    if (!IsPresent(text)) return;
    Key(name);
    AppendJsonString(out_, text);
  }
  void Character(std::string_view name, char c) {
    if (c == 0) return;
    Key(name);
    AppendJsonString(out_, std::string_view(&c, 1));
  }
  void Flag(std::string_view name, int16_t flag) {
    if (flag == 0) return;
    Key(name);
    out_ += "true";
  }
  void Int(std::string_view name, int32_t value) {
    if (!IsPresent(value)) return;
    Key(name);
    Number(value);
  }
  void Float(std::string_view name, float value) {
    if (!IsPresent(value)) return;
    Key(name);
    Number(value);
  }
  // The one double of the record, AltimeterInches, is the group times 0.01:
  // fifteen significant digits give 28.06, not 28.060000000000002.
  void Double(std::string_view name, double value) {
    Key(name);
    char buffer[32];
    auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    out_.append(buffer, error == std::errc() ? end : buffer);
  }
  template <typename T>
  void Number(T value) {
    char buffer[32];
    // Shortest form that reads back to the same value; never locale-bound.
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    out_.append(buffer, error == std::errc() ? end : buffer);
  }
  std::string& Out() { return out_; }

 private:
  std::string& out_;
  bool first_ = true;
};

// A list that ends at its first empty slot.
template <std::size_t N, std::size_t M>
void TextList(ObjectWriter& w, std::string_view name, const char (&slots)[N][M]) {
  if (!IsPresent(slots[0])) return;
  w.Key(name);
  std::string& out = w.Out();
  out += '[';
  for (std::size_t k = 0; k < N && IsPresent(slots[k]); ++k) {
    if (k > 0) out += ',';
    AppendJsonString(out, slots[k]);
  }
  out += ']';
}

// Every slot that holds a text, with its slot number.
template <std::size_t N, std::size_t M>
void TextSlots(ObjectWriter& w, std::string_view name, const char (&slots)[N][M]) {
  bool any = false;
  std::string& out = w.Out();
  for (std::size_t k = 0; k < N; ++k) {
    if (!IsPresent(slots[k])) continue;
    if (!any) w.Key(name), out += '[';
    else out += ',';
    any = true;
    ObjectWriter slot(out);
    slot.Key("Slot");
    slot.Number(static_cast<int>(k));
    slot.Text("Value", slots[k]);
    slot.Close();
  }
  if (any) out += ']';
}

// The fields that runway and dispatch visual ranges share.
template <typename Range>
void VisualRangeFields(ObjectWriter& o, const Range& v) {
  o.Flag("Variable", v.Variable);
  o.Flag("BelowMin", v.BelowMin);
  o.Flag("AboveMax", v.AboveMax);
  o.Int("VisualRange", v.VisualRange);
  o.Int("MaxVisualRange", v.MaxVisualRange);
  o.Int("MinVisualRange", v.MinVisualRange);
}

bool HasValue(const RunwayVisualRangeEntry& v) {
  return IsPresent(v.RunwayDesignator) || v.Variable || v.BelowMin || v.AboveMax ||
         IsPresent(v.VisualRange) || IsPresent(v.MaxVisualRange) || IsPresent(v.MinVisualRange);
}

void RunwayVisualRanges(ObjectWriter& w, const DecodedReport& r) {
  bool any = false;
  std::string& out = w.Out();
  for (std::size_t k = 0; k < std::size(r.RunwayVisualRange); ++k) {
    const RunwayVisualRangeEntry& v = r.RunwayVisualRange[k];
    if (!HasValue(v)) continue;
    if (!any) w.Key("RunwayVisualRange"), out += '[';
    else out += ',';
    any = true;
    ObjectWriter slot(out);
    slot.Key("Slot");
    slot.Number(static_cast<int>(k));
    slot.Text("RunwayDesignator", v.RunwayDesignator);
    VisualRangeFields(slot, v);
    slot.Close();
  }
  if (any) out += ']';
}

void DispatchVisualRange(ObjectWriter& w, const DispatchVisualRangeEntry& d) {
  if (!(d.Variable || d.BelowMin || d.AboveMax || IsPresent(d.VisualRange) ||
        IsPresent(d.MaxVisualRange) || IsPresent(d.MinVisualRange))) {
    return;
  }
  w.Key("DispatchVisualRange");
  ObjectWriter o(w.Out());
  VisualRangeFields(o, d);
  o.Close();
}

void RecentWeather(ObjectWriter& w, const DecodedReport& r) {
  if (!IsPresent(r.RecentWeather[0].Phenomenon)) return;
  w.Key("RecentWeather");
  std::string& out = w.Out();
  out += '[';
  for (std::size_t k = 0; k < std::size(r.RecentWeather); ++k) {
    const RecentWeatherEntry& e = r.RecentWeather[k];
    if (!IsPresent(e.Phenomenon)) break;
    if (k > 0) out += ',';
    ObjectWriter o(out);
    o.Text("Phenomenon", e.Phenomenon);
    o.Int("BeginHour", e.BeginHour);
    o.Int("BeginMinute", e.BeginMinute);
    o.Int("EndHour", e.EndHour);
    o.Int("EndMinute", e.EndMinute);
    o.Close();
  }
  out += ']';
}

void Wind(ObjectWriter& w, const WindGroup& wind) {
  if (!(IsPresent(wind.Units) || wind.Variable || IsPresent(wind.Direction) ||
        IsPresent(wind.Speed) || IsPresent(wind.Gust))) {
    return;
  }
  w.Key("Wind");
  ObjectWriter o(w.Out());
  o.Text("Units", wind.Units);
  o.Flag("Variable", wind.Variable);
  o.Int("Direction", wind.Direction);
  o.Int("Speed", wind.Speed);
  o.Int("Gust", wind.Gust);
  o.Close();
}

void CloudLayers(ObjectWriter& w, const DecodedReport& r) {
  if (!IsPresent(r.CloudLayer[0].Cover)) return;
  w.Key("CloudLayer");
  std::string& out = w.Out();
  out += '[';
  for (std::size_t k = 0; k < std::size(r.CloudLayer); ++k) {
    const CloudLayerEntry& c = r.CloudLayer[k];
    if (!IsPresent(c.Cover)) break;
    if (k > 0) out += ',';
    ObjectWriter o(out);
    o.Text("Cover", c.Cover);
    o.Text("HeightCode", c.HeightCode);
    o.Text("Phenomenon", c.Phenomenon);
    o.Int("HeightMeters", c.HeightMeters);
    o.Close();
  }
  out += ']';
}

void Station(ObjectWriter& w, const StationEntry* e) {
  if (e == nullptr) return;
  w.Key("Station");
  ObjectWriter o(w.Out());
  o.Text("Id", e->Id);
  o.Text("Name", e->Name);
  o.Text("State", e->State);
  o.Text("Latitude", e->Latitude);
  o.Text("Longitude", e->Longitude);
  o.Key("Elevation");
  o.Number(e->Elevation);
  o.Close();
}

void Report(ObjectWriter& w, const DecodedReport& r, const StationEntry* station) {
  w.Text("SynopticCloudGroup", r.SynopticCloudGroup);
  w.Text("SnowDepthGroup", r.SnowDepthGroup);
  w.Text("ReportCodeName", r.ReportCodeName);
  w.Text("StationId", r.StationId);
  Station(w, station);
  w.Text("HorizVisibility", r.HorizVisibility);
  w.Text("MinHorizVisibilityDirection", r.MinHorizVisibilityDirection);
  w.Text("VisibilityDirection", r.VisibilityDirection);
  TextList(w, "PresentWeather", r.PresentWeather);
  w.Text("AutoIndicator", r.AutoIndicator);
  w.Text("SecondSiteVisibilityLocation", r.SecondSiteVisibilityLocation);
  w.Text("SectorVisibilityOctant", r.SectorVisibilityOctant);
  w.Text("ObscurationAloftPhenomenon", r.ObscurationAloftPhenomenon);
  w.Text("ObscurationAloftSkyCondition", r.ObscurationAloftSkyCondition);
  w.Text("VariableSkyConditionBelow", r.VariableSkyConditionBelow);
  w.Text("VariableSkyConditionAbove", r.VariableSkyConditionAbove);
  w.Text("LightningDirection", r.LightningDirection);
  w.Character("LowCloudCode", r.LowCloudCode);
  w.Character("MediumCloudCode", r.MediumCloudCode);
  w.Character("HighCloudCode", r.HighCloudCode);
  w.Text("SecondSiteCeilingLocation", r.SecondSiteCeilingLocation);
  w.Text("VirgaDirection", r.VirgaDirection);
  w.Text("TornadicActivityType", r.TornadicActivityType);
  w.Text("TornadicLocation", r.TornadicLocation);
  w.Text("TornadicDirection", r.TornadicDirection);
  w.Text("TornadicMovementDirection", r.TornadicMovementDirection);
  w.Text("ChinoLocation", r.ChinoLocation);
  w.Text("VisnoLocation", r.VisnoLocation);
  TextSlots(w, "ObscurationAmount", r.ObscurationAmount);
  TextSlots(w, "ObscurationPhenomenon", r.ObscurationPhenomenon);
  TextSlots(w, "SurfaceObscuration", r.SurfaceObscuration);
  w.Text("ThunderstormLocation", r.ThunderstormLocation);
  w.Text("ThunderstormMovement", r.ThunderstormMovement);

  w.Flag("Precip3or6HourIndeterminate", r.Precip3or6HourIndeterminate);
  w.Flag("Precip24HourIndeterminate", r.Precip24HourIndeterminate);
  w.Flag("CigNo", r.CigNo);
  w.Flag("SlpNo", r.SlpNo);
  w.Flag("NoSpeci", r.NoSpeci);
  w.Flag("LastReport", r.LastReport);
  w.Flag("SunSensorOut", r.SunSensorOut);
  w.Flag("AutoReport", r.AutoReport);
  w.Flag("CorrectedReport", r.CorrectedReport);
  w.Flag("NilReport", r.NilReport);
  w.Flag("Cavok", r.Cavok);
  w.Flag("RvrNo", r.RvrNo);
  w.Flag("AltimeterInchesPresent", r.AltimeterInchesPresent);
  w.Flag("AltimeterHpaPresent", r.AltimeterHpaPresent);
  w.Flag("Virga", r.Virga);
  w.Flag("VolcanicAsh", r.VolcanicAsh);
  w.Flag("Hail", r.Hail);
  w.Flag("ChiNo", r.ChiNo);
  w.Flag("VisNo", r.VisNo);
  w.Flag("PNo", r.PNo);
  w.Flag("PwiNo", r.PwiNo);
  w.Flag("FzraNo", r.FzraNo);
  w.Flag("TsNo", r.TsNo);
  w.Flag("MaintenanceIndicator", r.MaintenanceIndicator);
  w.Flag("PressureRisingRapidly", r.PressureRisingRapidly);
  w.Flag("PressureFallingRapidly", r.PressureFallingRapidly);
  w.Flag("WindShiftFrontalPassage", r.WindShiftFrontalPassage);
  w.Flag("LightningOccasional", r.LightningOccasional);
  w.Flag("LightningFrequent", r.LightningFrequent);
  w.Flag("LightningContinuous", r.LightningContinuous);
  w.Flag("LightningCloudGround", r.LightningCloudGround);
  w.Flag("LightningInCloud", r.LightningInCloud);
  w.Flag("LightningCloudCloud", r.LightningCloudCloud);
  w.Flag("LightningCloudAir", r.LightningCloudAir);
  w.Flag("LightningDistant", r.LightningDistant);
  w.Flag("LightningAtAirport", r.LightningAtAirport);
  w.Flag("LightningVicinity", r.LightningVicinity);
  w.Flag("LightningOverhead", r.LightningOverhead);
  w.Flag("LightningWithin5To10", r.LightningWithin5To10);
  w.Flag("LightningWithin5", r.LightningWithin5);

  w.Int("TornadicDistance", r.TornadicDistance);
  w.Int("ObservationHour", r.ObservationHour);
  w.Int("ObservationMinute", r.ObservationMinute);
  w.Int("ObservationDay", r.ObservationDay);
  w.Int("MinWindDirection", r.MinWindDirection);
  w.Int("MaxWindDirection", r.MaxWindDirection);
  w.Int("VerticalVisibility", r.VerticalVisibility);
  w.Int("Temperature", r.Temperature);
  w.Int("DewPoint", r.DewPoint);
  w.Int("Qfe", r.Qfe);
  if (r.AltimeterHpaPresent) w.Int("AltimeterHpa", r.AltimeterHpa);
  w.Int("PressureTendencyCharacter", r.PressureTendencyCharacter);
  w.Int("MinVariableCeiling", r.MinVariableCeiling);
  w.Int("MaxVariableCeiling", r.MaxVariableCeiling);
  w.Int("WindShiftHour", r.WindShiftHour);
  w.Int("WindShiftMinute", r.WindShiftMinute);
  w.Int("MinVariableWindDirection", r.MinVariableWindDirection);
  w.Int("MaxVariableWindDirection", r.MaxVariableWindDirection);
  w.Int("PeakWindDirection", r.PeakWindDirection);
  w.Int("PeakWindSpeed", r.PeakWindSpeed);
  w.Int("PeakWindHour", r.PeakWindHour);
  w.Int("PeakWindMinute", r.PeakWindMinute);
  w.Int("Ceiling", r.Ceiling);
  w.Int("EstimatedCeiling", r.EstimatedCeiling);
  w.Int("SnowIncrease", r.SnowIncrease);
  w.Int("SnowIncreaseTotal", r.SnowIncreaseTotal);
  w.Int("SunshineMinutes", r.SunshineMinutes);
  w.Int("ObscurationAloftHeight", r.ObscurationAloftHeight);
  w.Int("VariableSkyConditionHeight", r.VariableSkyConditionHeight);
  w.Int("SkyObscuredEighths", r.SkyObscuredEighths);
  w.Int("SecondSiteCeiling", r.SecondSiteCeiling);
  w.Int("SnowDepth", r.SnowDepth);
  w.Int("TornadicBeginHour", r.TornadicBeginHour);
  w.Int("TornadicBeginMinute", r.TornadicBeginMinute);
  w.Int("TornadicEndHour", r.TornadicEndHour);
  w.Int("TornadicEndMinute", r.TornadicEndMinute);

  w.Float("SectorVisibility", r.SectorVisibility);
  w.Float("SnowWaterEquivalent", r.SnowWaterEquivalent);
  w.Float("SecondSiteVisibility", r.SecondSiteVisibility);
  w.Float("PrevailingVisibilitySm", r.PrevailingVisibilitySm);
  w.Float("PrevailingVisibilityM", r.PrevailingVisibilityM);
  w.Float("PrevailingVisibilityKm", r.PrevailingVisibilityKm);
  w.Float("PressureTendencyHpa", r.PressureTendencyHpa);
  w.Float("Precip3or6Hour", r.Precip3or6Hour);
  w.Float("Precip24Hour", r.Precip24Hour);
  w.Float("MaxTemperature", r.MaxTemperature);
  w.Float("MinTemperature", r.MinTemperature);
  w.Float("MaxTemperature24Hour", r.MaxTemperature24Hour);
  w.Float("MinTemperature24Hour", r.MinTemperature24Hour);
  w.Float("MinVariableVisibility", r.MinVariableVisibility);
  w.Float("MaxVariableVisibility", r.MaxVariableVisibility);
  w.Float("HourlyPrecip", r.HourlyPrecip);
  w.Float("TowerVisibility", r.TowerVisibility);
  w.Float("SurfaceVisibility", r.SurfaceVisibility);
  w.Float("PreciseTemperature", r.PreciseTemperature);
  w.Float("PreciseDewPoint", r.PreciseDewPoint);
  w.Float("SeaLevelPressure", r.SeaLevelPressure);
  w.Float("HailstoneSize", r.HailstoneSize);
  if (r.AltimeterInchesPresent) w.Double("AltimeterInches", r.AltimeterInches);

  RunwayVisualRanges(w, r);
  DispatchVisualRange(w, r.DispatchVisualRange);
  RecentWeather(w, r);
  Wind(w, r.Wind);
  CloudLayers(w, r);
}

}  // namespace

void AppendJsonString(std::string& out, std::string_view text) {
  out += '"';
  std::size_t i = 0;
  while (i < text.size()) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c >= 0x20 && c < 0x80 && c != '"' && c != '\\') {
      // Copy the run of plain characters at once.
      std::size_t run = i + 1;
      while (run < text.size()) {
        unsigned char d = static_cast<unsigned char>(text[run]);
        if (d < 0x20 || d >= 0x80 || d == '"' || d == '\\') break;
        ++run;
      }
      out.append(text.data() + i, run - i);
      i = run;
      continue;
    }
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
      ++i;
    } else if (c < 0x20) {
      switch (c) {
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        out += "\\u00";
        out += kHex[c >> 4];
        out += kHex[c & 0xF];
      }
      ++i;
    } else if (std::size_t length = Utf8SequenceLength(text.substr(i)); length != 0) {
      out.append(text.data() + i, length);
      i += length;
    } else {
      out += "\\ufffd";  // not UTF-8: replaced, so the line stays valid
      ++i;
    }
  }
  out += '"';
}

void AppendReportJson(std::string& out, std::string_view input, int result,
                      const DecodedReport* report, const StationEntry* station) {
  ObjectWriter line(out);
  line.Key("input");
  AppendJsonString(out, input);
  line.Key("result");
  line.Number(result);
  if (report != nullptr) {
    line.Key("report");
    ObjectWriter object(out);
    Report(object, *report, station);
    object.Close();
  }
  line.Close();
  out += '\n';
}

}  // namespace tarvik
