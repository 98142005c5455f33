// FormatNumber rounds most values in binary; these tests hold it to the decimal path's texts.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "common/NumberFormatPaths.h"
#include "common/NumberText.h"

namespace kavro {
namespace {

// Every pattern the controller formats with, and a few a script may use.
const std::vector<const char*> kPatterns = {
    "0",          "00",     "#0",      "##0",       "###0",         "####0",   "#000",
    "##0.0",      "##0.00", "#0.00",   "###0.00",   "###0.000",     "####0.000",
    "####0.000#", "#0.0000", "##0.0##", "######0.000#", "#.00",   "0.000000000", "0.0000000000",
    "0000000000000000000000000.00"};  // more integer places than the short layout writes

// Compares the two paths for value and -value under every pattern; counts what differs.
int Mismatches(double value) {
  int mismatches = 0;
  for (const double v : {value, -value}) {
    for (const char* pattern : kPatterns) {
      const std::string fast = FormatNumber(v, pattern);
      const std::string decimal = FormatNumberThroughDecimal(v, pattern);
      if (fast != decimal) {
        ADD_FAILURE() << "value " << v << " (bits " << std::hexfloat << v << std::defaultfloat
                      << ") pattern \"" << pattern << "\": \"" << fast << "\" vs \"" << decimal
                      << "\"";
        ++mismatches;
      }
      // The appending form writes the same text after what is there, and knows the number it
      // reads as, bit for bit.
      std::string appended = "x";
      const double number = AppendNumber(appended, v, NumberPattern(pattern));
      const double read = NumberIfInRange(fast).value_or(std::nan(""));
      const bool sameNumber =
          std::isnan(read) ? std::isnan(number) : std::memcmp(&number, &read, sizeof number) == 0;
      if (appended != "x" + fast || !sameNumber) {
        ADD_FAILURE() << "value " << v << " pattern \"" << pattern << "\": appended \"" << appended
                      << "\" reading " << number << ", the text reads " << read;
        ++mismatches;
      }
    }
  }
  return mismatches;
}

TEST(FormatNumberPaths, SameTextForTiesAndValuesNextToThem) {
  // Decimal halves at every place a pattern shows, and the doubles either side of each.
  int mismatches = 0;
  for (int places = 0; places <= 10; ++places) {
    const double scale = std::pow(10.0, places);
    for (const double whole : {0.0, 1.0, 2.0, 7.0, 99.0, 12345.0, 999999.0, 4503599627.0}) {
      const double tie = (whole + 0.5) / scale;
      for (const double v : {tie, std::nextafter(tie, 0.0), std::nextafter(tie, 1e300)}) {
        mismatches += Mismatches(v);
      }
    }
  }
  // Binary values whose 15-digit decimal is the tie (2.67499999999999982... -> 2.675).
  for (const double v : {2.675, 1.005, 0.125, 0.375, 1.0005, 99.995, 0.99995, 1234.5675}) {
    mismatches += Mismatches(v);
  }
  EXPECT_EQ(mismatches, 0);
}

TEST(FormatNumberPaths, SameTextForZerosTinyLargeAndSingles) {
  int mismatches = 0;
  for (const double v : {0.0, -0.0, DBL_TRUE_MIN, DBL_MIN, 1e-300, 4e-10, 5e-10, 0.5, 1.0,
                         9.9999999999999e12, 1e13, 1.0000000000001e13, 123456789012.345,
                         999999999999.9995, 1e15, 1e20, 4503599627370495.5, 9007199254740993.0,
                         DBL_MAX}) {
    mismatches += Mismatches(v);
  }
  // Singles widened as the engine widens them: strengths, indexes, process values.
  for (const float f : {0.1f, 0.2f, 0.3f, 1.0005f, 12.345f, 99.995f, 0.99995f, 50.125f,
                        1234.5675f, 16777216.0f, FLT_MAX}) {
    mismatches += Mismatches(f);
  }
  EXPECT_EQ(mismatches, 0);
}

TEST(FormatNumberPaths, SameTextForRandomValuesOfEveryMagnitude) {
  std::mt19937_64 generator(20240611);
  std::uniform_real_distribution<double> mantissa(1.0, 10.0);
  std::uniform_int_distribution<int> exponent(-12, 16);
  std::uniform_int_distribution<int> decimals(0, 9);
  std::uniform_int_distribution<int64_t> digits(0, 99999999);
  int mismatches = 0;
  for (int n = 0; n < 4000 && mismatches < 20; ++n) {
    // Any magnitude, its single, a short decimal (as typed or read from a file) and any bits.
    const double any = mantissa(generator) * std::pow(10.0, exponent(generator));
    const double typed = static_cast<double>(digits(generator)) / std::pow(10.0, decimals(generator));
    uint64_t bits = generator();
    double raw = 0;
    std::memcpy(&raw, &bits, sizeof raw);
    for (const double v : {any, static_cast<double>(static_cast<float>(any)), typed,
                           static_cast<double>(static_cast<float>(typed)), raw}) {
      mismatches += Mismatches(v);
    }
  }
  EXPECT_EQ(mismatches, 0);
}

}  // namespace
}  // namespace kavro
