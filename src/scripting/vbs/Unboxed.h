#pragma once
// Arithmetic without Variants: the hot path of loops. An expression the resolver marked numeric
// (variables, numeric literals, elements of one-dimensional arrays and the arithmetic and
// comparison operators over them) has no side effects, so it may be tried here first and, when
// an operand turns out to be anything but an Integer, Long or Double or the result needs the
// general rules (an error to raise, an overflow to report), evaluated again the general way,
// which gives the same value or raises the error.
#include <cstdint>

#include "scripting/vbs/Operators.h"
#include "scripting/vbs/Variant.h"

namespace kavro::vbs {

class Interpreter;
struct Expr;
struct IndexExpr;

// An Integer, Long, Double or (from a comparison) Boolean, 16 bytes, kept in registers.
struct Unboxed {
  VarType type;
  union {
    int32_t whole;  // Integer (within its range), Long, Boolean (0 or 1)
    double real;    // Double
  };
};

inline bool Unbox(const Variant& v, Unboxed& out) {
  switch (v.Type()) {
    case VarType::Integer:
      out.type = VarType::Integer;
      out.whole = v.IntegerValue();
      return true;
    case VarType::Long:
      out.type = VarType::Long;
      out.whole = v.LongValue();
      return true;
    case VarType::Double:
      out.type = VarType::Double;
      out.real = v.DoubleValue();
      return true;
    default:
      return false;
  }
}

inline Variant Boxed(const Unboxed& u) {
  switch (u.type) {
    case VarType::Integer:
      return Variant::Integer(static_cast<int16_t>(u.whole));
    case VarType::Long:
      return Variant::Long(u.whole);
    case VarType::Boolean:
      return Variant::Boolean(u.whole != 0);
    default:
      return Variant::Double(u.real);
  }
}

// A whole result in the narrowest of Integer (when both operands were), Long and Double.
inline void WholeResult(int64_t r, bool bothInteger, Unboxed& out) {
  if (bothInteger && r >= -32768 && r <= 32767) {
    out.type = VarType::Integer;
    out.whole = static_cast<int32_t>(r);
  } else if (r >= INT32_MIN && r <= INT32_MAX) {
    out.type = VarType::Long;
    out.whole = static_cast<int32_t>(r);
  } else {
    out.type = VarType::Double;
    out.real = static_cast<double>(r);
  }
}

// A whole divisor known when the script is compiled (x Mod 10, x \ 16): the quotient by a
// multiplication and a shift, which costs a fraction of a division.
class LiteralDivisor {
 public:
  LiteralDivisor() = default;
  // d from 1 to 2147483647; isInteger when the literal is an Integer.
  LiteralDivisor(int32_t d, bool isInteger);
  bool Known() const { return d_ != 0; }
  int32_t Value() const { return d_; }
  bool IsInteger() const { return isInteger_; }
  // x / d truncated toward zero, for any x of 32 bits.
  int32_t Quotient(int32_t x) const {
    const uint64_t n =
        x < 0 ? uint64_t{0} - static_cast<uint64_t>(int64_t{x}) : static_cast<uint64_t>(x);
    __extension__ using Wide = unsigned __int128;
    const auto q = static_cast<int64_t>((static_cast<Wide>(n) * magic_) >> shift_);
    return static_cast<int32_t>(x < 0 ? -q : q);
  }

 private:
  uint64_t magic_ = 0;
  int shift_ = 0;
  int32_t d_ = 0;
  bool isInteger_ = false;
};

// x op y on Integer, Long and Double operands as the language computes it (Integer overflow
// to Long, Long overflow to Double), And, Or and Xor on two whole numbers or two Booleans;
// false for a Boolean in arithmetic, an operator it does not cover, a division by zero, an
// overflow of \ or a result that is no finite number.
bool CombineUnboxed(BinaryOp op, const Unboxed& x, const Unboxed& y, Unboxed& out);

// How an expression marked numeric computes its value, or false as above; each node gets the
// one fitted to its shape when the script is compiled (see ChooseUnboxed).
using UnboxedFn = bool (*)(Interpreter& it, const Expr& e, Unboxed& out);

// Any numeric expression, by walking its tree.
bool EvalUnboxedTree(Interpreter& it, const Expr& e, Unboxed& out);

// The function fitted to a numeric expression whose parts already have theirs: an operator over
// variables, literals and array elements read without a dispatch on their kind.
UnboxedFn ChooseUnboxed(const Expr& e);

// The element a(i) or a(i, j) names, when its indexes are numeric expressions giving whole
// numbers within the bounds of the array the variable holds; otherwise null, and the general
// rules decide (an object's default member, error 9, an index to round).
Variant* ElementInPlace(Interpreter& it, const IndexExpr& e);

// The operators CombineUnboxed covers.
bool IsUnboxedOperator(BinaryOp op);

}  // namespace kavro::vbs
