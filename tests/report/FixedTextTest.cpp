// "%.Nf" without printf: every digit and every rounding as printf gives it.
#include "report/FixedText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <limits>
#include <random>
#include <string>

namespace tarvik {
namespace {

std::string Fixed(double value, int precision) {
  char text[512];
  return std::string(text, WriteFixed(text, value, precision));
}

std::string Printf(double value, int precision) {
  char text[512];
  std::snprintf(text, sizeof text, "%.*f", precision, value);
  return text;
}

TEST(WriteFixed, EdgesAsPrintfGivesThem) {
  const double inf = std::numeric_limits<double>::infinity();
  for (double value : std::initializer_list<double>{
           0.0,          -0.0,         0.5,        1.5,    2.5,       -2.5,
           0.125,        0.375,        -0.04,      0.05,   9.9999995, double{1012.3F},
           2147483648.0, 2147483647.0, 30199022.0, 1e-300, 5e-324,    9.1e18,
           9.3e18,       1e300,        -1e300,     inf,    -inf,      double{0.1875F},
           29.92,        1e15 + 0.5}) {
    for (int precision = 0; precision <= 6; ++precision) {
      SCOPED_TRACE(testing::Message() << value << " %." << precision << "f");
      EXPECT_EQ(Fixed(value, precision), Printf(value, precision));
    }
  }
}

// Random bit patterns of floats and doubles (the record's values are floats
// widened to double), and random values of the sizes reports hold.
TEST(WriteFixed, RandomValuesAsPrintfGivesThem) {
  std::mt19937_64 random(20261207);
  for (int i = 0; i < 200000; ++i) {
    double value = 0;
    switch (i % 3) {
    case 0: {
      auto bits = static_cast<uint32_t>(random());
      float f = 0;
      std::memcpy(&f, &bits, sizeof f);
      value = f;
      break;
    }
    case 1: {
      uint64_t bits = random();
      std::memcpy(&value, &bits, sizeof value);
      break;
    }
    default:
      value = std::ldexp(static_cast<double>(random() % 2000000) - 1000000.0,
                         static_cast<int>(random() % 40) - 30);
    }
    if (std::isnan(value)) continue;
    const int precision = static_cast<int>(random() % 7);
    ASSERT_EQ(Fixed(value, precision), Printf(value, precision))
        << value << " %." << precision << "f";
  }
}

}  // namespace
}  // namespace tarvik
