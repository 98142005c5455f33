#pragma once
// The language's operators on Variants: result subtypes, Integer -> Long -> Double promotion on
// overflow, Null propagation, "numbers sort before strings", bitwise logic on integers.
#include "scripting/vbs/Variant.h"

namespace kavro::vbs {

enum class BinaryOp {
  Add,
  Subtract,
  Multiply,
  Divide,
  IntDivide,
  Mod,
  Power,
  Concat,
  Equal,
  NotEqual,
  Less,
  Greater,
  LessEqual,
  GreaterEqual,
  And,
  Or,
  Xor,
  Eqv,
  Imp,
  Is,
};

Variant ApplyBinary(BinaryOp op, const Variant& a, const Variant& b);
Variant Negate(const Variant& a);
Variant LogicalNot(const Variant& a);

// -1, 0 or 1; neither may be Null. textCompare ignores letter case.
int CompareValues(const Variant& a, const Variant& b, bool textCompare);
// -1, 0 or 1 comparing two texts, binary or ignoring letter case.
int CompareText(std::string_view a, std::string_view b, bool textCompare);

}  // namespace kavro::vbs
