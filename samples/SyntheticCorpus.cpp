// SyntheticReports: realistic reports made from templates and a seeded generator.
#include "samples/SyntheticCorpus.h"

#include <cstdio>
#include <random>

namespace tarvik {
namespace {

class ReportMaker {
 public:
  explicit ReportMaker(uint32_t seed) : random_(seed) {}

  std::string Make() {
    text_.clear();
    bool american = Chance(0.66);
    if (Chance(0.3)) Add(Chance(0.9) ? "METAR" : "SPECI");
    Add(Station(american));
    Add(Format("%02d%02d%02dZ", Pick(1, 28), Pick(0, 23), Pick(0, 11) * 5));
    if (Chance(0.3)) Add("AUTO");
    Wind();
    if (Chance(0.05)) Add(Format("%03dV%03d", Pick(0, 17) * 10, Pick(18, 35) * 10));
    bool cavok = !american && Chance(0.3);
    if (cavok) {
      Add("CAVOK");
    } else {
      Visibility(american);
      if (Chance(0.04))
        Add(Format("R%02d%s/%04dFT", Pick(1, 36), Chance(0.5) ? "L" : "", Pick(6, 60) * 100));
      Weather();
      Clouds();
    }
    Add(Format("%s%02d/%s%02d", Chance(0.15) ? "M" : "", Pick(0, 35), Chance(0.25) ? "M" : "",
               Pick(0, 25)));
    Add(american ? Format("A%04d", Pick(2900, 3070)) : Format("Q%04d", Pick(985, 1035)));
    if (american)
      Remarks();
    else if (Chance(0.4))
      Add(Chance(0.5) ? "NOSIG" : "BECMG 4000 BR");
    return text_;
  }

 private:
  int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  bool Chance(double p) { return std::bernoulli_distribution(p)(random_); }
  template <std::size_t N>
  const char* OneOf(const char* const (&words)[N]) {
    return words[static_cast<std::size_t>(Pick(0, static_cast<int>(N) - 1))];
  }
  void Add(const std::string& group) {
    if (!text_.empty()) text_ += ' ';
    text_ += group;
  }
  template <typename... Args>
  static std::string Format(const char* format, Args... args) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, args...);
    return buffer;
  }

  std::string Station(bool american) {
    std::string id(1, american ? (Chance(0.9) ? 'K' : 'C') : "EYLRSZUV"[Pick(0, 7)]);
    for (int i = 0; i < 3; ++i) id += static_cast<char>('A' + Pick(0, 25));
    return id;
  }
  void Wind() {
    if (Chance(0.1)) {
      Add(Format("VRB%02dKT", Pick(1, 6)));
      return;
    }
    int direction = Pick(0, 36) * 10;
    int speed = Pick(0, 25);
    if (Chance(0.2))
      Add(Format("%03d%02dG%02dKT", direction, speed, speed + Pick(5, 20)));
    else
      Add(Format("%03d%02dKT", direction, speed));
  }
  void Visibility(bool american) {
    if (!american) {
      static const char* const metres[] = {"9999", "8000", "6000", "4000", "2500", "1200", "0800"};
      Add(OneOf(metres));
      return;
    }
    static const char* const miles[] = {"10SM", "10SM", "10SM",  "7SM",   "5SM",
                                        "3SM",  "2SM",  "1/2SM", "3/4SM", "M1/4SM"};
    if (Chance(0.05)) {
      Add("1");
      Add("1/2SM");
    } else {
      Add(OneOf(miles));
    }
  }
  void Weather() {
    static const char* const weather[] = {"-RA", "RA",  "+RA",  "BR",    "HZ",    "-SN",  "SN",
                                          "FG",  "-DZ", "VCTS", "+TSRA", "-SHRA", "FZFG", "-RASN"};
    for (int n = Chance(0.3) ? Pick(1, 2) : 0; n > 0; --n) Add(OneOf(weather));
  }
  void Clouds() {
    if (Chance(0.25)) {
      Add(Chance(0.5) ? "CLR" : "SKC");
      return;
    }
    static const char* const covers[] = {"FEW", "SCT", "BKN", "OVC"};
    int height = Pick(2, 40);
    for (int n = Pick(1, 4); n > 0; --n) {
      Add(Format("%s%03d%s", OneOf(covers), height, Chance(0.05) ? "CB" : ""));
      height += Pick(5, 60);
    }
  }
  void Remarks() {
    Add("RMK");
    Add(Chance(0.8) ? "AO2" : "AO1");
    if (Chance(0.1))
      Add(Format("PK WND %03d%02d/%02d%02d", Pick(0, 35) * 10, Pick(26, 50), Pick(0, 23),
                 Pick(0, 59)));
    if (Chance(0.05)) Add(Format("WSHFT %02d%02d", Pick(0, 23), Pick(0, 59)));
    if (Chance(0.05)) Add("LTG DSNT NE");
    if (Chance(0.1)) Add(Format("RAB%02dE%02d", Pick(0, 59), Pick(0, 59)));
    if (Chance(0.8)) Add(Format("SLP%03d", Pick(0, 999)));
    if (Chance(0.3)) Add(Format("P%04d", Pick(0, 50)));
    if (Chance(0.2)) Add(Format("6%04d", Pick(0, 120)));
    if (Chance(0.8))
      Add(Format("T%d%03d%d%03d", Pick(0, 1), Pick(0, 350), Pick(0, 1), Pick(0, 250)));
    if (Chance(0.2)) Add(Format("1%d%03d", Pick(0, 1), Pick(0, 350)));
    if (Chance(0.2)) Add(Format("2%d%03d", Pick(0, 1), Pick(0, 300)));
    if (Chance(0.3)) Add(Format("5%d%03d", Pick(0, 8), Pick(0, 60)));
    if (Chance(0.05)) Add("TSNO");
    if (Chance(0.1)) Add("$");
  }

  std::mt19937 random_;
  std::string text_;
};

}  // namespace

std::vector<std::string> SyntheticReports(std::size_t count, uint32_t seed) {
  ReportMaker maker(seed);
  std::vector<std::string> reports;
  reports.reserve(count);
  for (std::size_t i = 0; i < count; ++i) reports.push_back(maker.Make());
  return reports;
}

}  // namespace tarvik
