#include "base/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using nav::formatGeneral;
using nav::parseInteger;
using nav::parseReal;

TEST(NumberFormat, GeneralFormat) {
  EXPECT_EQ(formatGeneral(139.0), "139");
  EXPECT_EQ(formatGeneral(-180.0), "-180");
  EXPECT_EQ(formatGeneral(0.0), "0");
  EXPECT_EQ(formatGeneral(424732.17391304346), "424732.173913043");
  EXPECT_EQ(formatGeneral(0.5, ','), "0,5");
  EXPECT_EQ(formatGeneral(0.00001), "0.00001");
  EXPECT_EQ(formatGeneral(0.0000015), "1.5E-6");
  EXPECT_EQ(formatGeneral(123456789012345.0), "123456789012345");
  EXPECT_EQ(formatGeneral(1e20), "1E20");
  EXPECT_EQ(formatGeneral(-2.5e-7, ','), "-2,5E-7");
}

TEST(NumberFormat, RealsReadBackWithTheSameSeparator) {
  for (double v : {139.0, -81000.0, 424732.17391304346, 1.5e-6, 1e20, -0.1}) {
    // Fifteen significant digits: equal up to the last one.
    EXPECT_NEAR(*parseReal(formatGeneral(v, ','), ','), v, std::abs(v) * 1e-14);
    EXPECT_NEAR(*parseReal(formatGeneral(v, '.'), '.'), v, std::abs(v) * 1e-14);
  }
  EXPECT_EQ(parseReal("1.5", ','), std::nullopt);  // the other separator is not the user's
  EXPECT_EQ(parseReal("abc"), std::nullopt);
  EXPECT_EQ(parseReal(""), std::nullopt);
  EXPECT_EQ(parseReal("12x"), std::nullopt);
  EXPECT_EQ(parseReal("1e999"), std::nullopt);
  EXPECT_EQ(parseReal("nan"), std::nullopt);
  EXPECT_EQ(parseReal("inf"), std::nullopt);
  EXPECT_EQ(parseReal("+7"), 7.0);
}

TEST(NumberFormat, IntegersInDecimalAndHexadecimal) {
  EXPECT_EQ(parseInteger("2"), 2);
  EXPECT_EQ(parseInteger("-12"), -12);
  EXPECT_EQ(parseInteger("0x3"), 3);
  EXPECT_EQ(parseInteger("0X1f"), 31);
  EXPECT_EQ(parseInteger("$10"), 16);
  EXPECT_EQ(parseInteger("$FFFFFFFF"), -1);  // the 32-bit pattern
  EXPECT_EQ(parseInteger("0x100000000"), std::nullopt);
  EXPECT_EQ(parseInteger("2147483648"), std::nullopt);
  EXPECT_EQ(parseInteger("-2147483648"), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(parseInteger("yes"), std::nullopt);
  EXPECT_EQ(parseInteger("0x"), std::nullopt);
  EXPECT_EQ(parseInteger("1.0"), std::nullopt);
  EXPECT_EQ(parseInteger(""), std::nullopt);
}

}  // namespace
