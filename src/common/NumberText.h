#pragma once
// Every number text the controller writes or reads: format patterns, the shortest general form
// of a single, 16-bit conversions and "is numeric". The decimal separator is always ".", whatever
// the locale, so files and cells move between machines unchanged.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kavro {

// Formats value with a pattern of "#" (optional digit), "0" (required digit) and one optional
// "." (decimal point): "####0.000" -> "12.500", "#0.0000" -> "0.1235", "##0" -> "13", "#000" ->
// "007", "######0.000#" -> "1.2345" / "1.500". A "0" makes its place and every place nearer the
// point required; integer digits beyond the pattern are all written (123456 with "##0").
// Rounds half away from zero at the last shown digit of the value's 15-significant-digit
// decimal (as the pattern formatter of the original platform does): 0.125 -> "0.13", 2.675 ->
// "2.68"; a widened single keeps its binary value (1.0005f is 1.00049996... -> "1.000").
// No thousands separator, a leading "-" for negatives; a value that rounds to zero is written
// without the minus. NaN and infinities give "NaN", "Inf", "-Inf" (deliberately not numeric).
// A pattern with any other character throws KavroError 5 "Invalid procedure call or argument".
std::string FormatNumber(double value, std::string_view pattern);

// A FormatNumber pattern read once, for callers that format many numbers with it.
class NumberPattern {
 public:
  explicit NumberPattern(std::string_view pattern);  // throws as FormatNumber does
  // The pattern's shape: how many integer digits are always written and how many fraction
  // digits at least and at most.
  struct Shape {
    int minIntegerDigits = 0;
    int minFractionDigits = 0;
    int maxFractionDigits = 0;
  };
  explicit NumberPattern(const Shape& shape) : shape_(shape) {}
  const Shape& shape() const { return shape_; }

 private:
  Shape shape_;
};

// Appends FormatNumber's text of value to text and returns the number that text reads as
// (ToNumber of it, worked out without reading it in most cases); NaN where reading it fails:
// "NaN", "Inf", and the texts of the largest doubles, whose 15-digit decimal overflows.
double AppendNumber(std::string& text, double value, const NumberPattern& pattern);

// The shortest general form of a single: up to seven significant digits, no trailing zeros,
// no decimal point for whole numbers ("12.5", "-3", "0.1", "1E+08", "1.5E-07"). Fixed form for
// magnitudes from 1E-4 up to below 1E7 after rounding to seven digits ("0.0001", "1234567"),
// exponent form with a sign and at least two exponent digits outside ("1E-05", "1.234568E+07").
std::string GeneralNumber(float value);

// Nearest integer, halves to even (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
double RoundHalfEven(double value);

// Conversion to a 16-bit integer: RoundHalfEven, then outside -32768..32767 (or not finite)
// throws KavroError 6 "Overflow".
int16_t ToInt16(double value);

// True when text, with blanks (spaces, tabs) around it, is a number: optional sign, digits with an optional
// "." fraction (at least one digit in all), optional exponent ("E" or "e", optional sign,
// digits). Empty or blank text is not numeric.
bool IsNumeric(std::string_view text);

// The number of a numeric text (see IsNumeric); throws KavroError 13 "Type mismatch" otherwise,
// 6 "Overflow" beyond the double range; a value too small for a double reads as 0.
double ToNumber(std::string_view text);

// ToNumber narrowed to a single; a value beyond the single range throws 6 "Overflow".
float ToSingle(std::string_view text);
// The same narrowing of a number already read.
float SingleOfNumber(double value);

// ToNumber and ToSingle for texts from outside (files, notes): nothing, never a throw, when the
// text is no number or lies beyond the double or single range ("1e999", "1e39").
std::optional<double> NumberIfInRange(std::string_view text);
std::optional<float> SingleIfInRange(std::string_view text);

// The whole number a text states when it lies within low..high ("7", "7.0", "7e0"), else
// nothing: "7.5", "1e30" and "abc" give nothing.
std::optional<int> WholeNumberIn(std::string_view text, int low, int high);

// The leading numeric part of a cell text: leading blanks skipped, then the longest prefix that
// reads as a number ("12.5 kg" -> 12.5, "-3abc" -> -3, "2e" -> 2, "abc" -> 0, "" -> 0). Never
// throws: a prefix beyond the double range ("1e999 kg") gives 0 as well.
double LeadingNumber(std::string_view text);

}  // namespace kavro
