#include "scripting/vbs/Operators.h"

#include <cmath>
#include <limits>
#include <string_view>

#include "scripting/vbs/Conversions.h"
#include "scripting/vbs/DateMath.h"
#include "scripting/vbs/ScriptError.h"

namespace kavro::vbs {
namespace {

// Arithmetic rank of an operand: which subtype an arithmetic result takes.
enum Rank { kByte = 1, kInteger, kLong, kSingle, kDouble, kCurrency, kDate };

Rank RankOf(const Variant& v) {
  switch (v.Type()) {
    case VarType::Byte:
      return kByte;
    case VarType::Empty:
    case VarType::Boolean:
    case VarType::Integer:
      return kInteger;
    case VarType::Long:
      return kLong;
    case VarType::Single:
      return kSingle;
    case VarType::Date:
      return kDate;
    case VarType::Currency:
      return kCurrency;
    case VarType::Double:
    case VarType::String:
      return kDouble;
    default:
      throw ScriptError(err::TypeMismatch);
  }
}

Rank ResultRank(Rank a, Rank b) {
  if ((a == kSingle && b == kLong) || (a == kLong && b == kSingle)) return kDouble;
  // Currency with a whole number stays Currency; with a Single or Double it is a Double.
  if ((a == kCurrency && (b == kSingle || b == kDouble)) ||
      (b == kCurrency && (a == kSingle || a == kDouble))) {
    return kDouble;
  }
  return a > b ? a : b;
}

int64_t IntegralValue(const Variant& v) {
  switch (v.Type()) {
    case VarType::Byte:
      return v.ByteValue();
    case VarType::Integer:
      return v.IntegerValue();
    case VarType::Long:
      return v.LongValue();
    case VarType::Boolean:
      return v.BoolValue() ? -1 : 0;
    default:
      return 0;  // Empty
  }
}

VarType IntegralType(Rank rank) {
  return rank == kByte ? VarType::Byte : rank == kInteger ? VarType::Integer : VarType::Long;
}

Variant FloatResult(double value, Rank rank) {
  if (!std::isfinite(value)) throw ScriptError(err::Overflow);
  if (rank == kSingle) {
    if (std::fabs(value) <= static_cast<double>(std::numeric_limits<float>::max())) {
      return Variant::Single(static_cast<float>(value));
    }
  }
  if (rank == kCurrency) return Variant::Currency(ToCurrencyValue(value));
  return Variant::Double(value);
}

Variant DateResult(double value) {
  if (!(value >= kMinDate && value <= kMaxDate)) throw ScriptError(err::Overflow);
  return Variant::Date(value);
}

Variant Arithmetic(BinaryOp op, const Variant& a, const Variant& b) {
  const Rank rank = ResultRank(RankOf(a), RankOf(b));
  if (rank <= kLong) {
    const int64_t x = IntegralValue(a), y = IntegralValue(b);
    const VarType narrow = IntegralType(rank);
    switch (op) {
      case BinaryOp::Add:
        return IntegerResult(x + y, narrow);
      case BinaryOp::Subtract:
        return IntegerResult(x - y, narrow);
      default:
        return IntegerResult(x * y, narrow);
    }
  }
  const double x = ToDouble(a), y = ToDouble(b);
  double r = op == BinaryOp::Add ? x + y : op == BinaryOp::Subtract ? x - y : x * y;
  if (rank == kDate) {
    // A date plus or minus a number is a date; the difference of two dates and any product
    // are numbers.
    if (op == BinaryOp::Add) return DateResult(r);
    if (op == BinaryOp::Subtract && b.Type() != VarType::Date) return DateResult(r);
    return FloatResult(r, kDouble);
  }
  return FloatResult(r, rank);
}

Variant Divide(const Variant& a, const Variant& b) {
  const Rank ra = RankOf(a), rb = RankOf(b);
  const double y = ToDouble(b);
  if (y == 0) throw ScriptError(err::DivisionByZero);
  const double r = ToDouble(a) / y;
  const bool single = (ra == kSingle || rb == kSingle) && ra <= kSingle && rb <= kSingle &&
                      ra != kLong && rb != kLong;
  return FloatResult(r, single ? kSingle : kDouble);
}

// Operands of \ and Mod: rounded halves to even to Byte, Integer or Long.
Rank IntegerOperandRank(const Variant& v) {
  const Rank r = RankOf(v);
  return r <= kInteger ? r : kLong;
}

Variant IntegerDivision(BinaryOp op, const Variant& a, const Variant& b) {
  const Rank rank = ResultRank(IntegerOperandRank(a), IntegerOperandRank(b));
  const int64_t x = ToLong(a), y = ToLong(b);
  if (y == 0) throw ScriptError(err::DivisionByZero);
  const int64_t r = op == BinaryOp::IntDivide ? x / y : x % y;
  if (r > INT32_MAX) throw ScriptError(err::Overflow);
  return IntegerResult(r, IntegralType(rank));
}

Variant Power(const Variant& a, const Variant& b) {
  const double x = ToDouble(a), y = ToDouble(b);
  if (x == 0 && y < 0) throw ScriptError(err::InvalidCall);
  if (x < 0 && y != std::trunc(y)) throw ScriptError(err::InvalidCall);
  const double r = std::pow(x, y);
  if (!std::isfinite(r)) throw ScriptError(err::Overflow);
  return Variant::Double(r);
}

// Operand of a logical operator: a Boolean stays logical, anything else is an integer.
struct LogicOperand {
  bool isBool;
  int64_t bits;
  Rank rank;
};

LogicOperand LogicValue(const Variant& v) {
  switch (v.Type()) {
    case VarType::Boolean:
      return {true, v.BoolValue() ? -1 : 0, kInteger};
    case VarType::Byte:
      return {false, v.ByteValue(), kByte};
    case VarType::Empty:
      return {false, 0, kInteger};
    case VarType::Integer:
      return {false, v.IntegerValue(), kInteger};
    case VarType::String: {
      const std::string& s = v.StringValue();
      if (!ParseNumber(s)) return {true, ToBool(v) ? -1 : 0, kInteger};
      return {false, ToLong(v), kLong};
    }
    default:
      return {false, ToLong(v), kLong};
  }
}

int64_t LogicBits(BinaryOp op, int64_t x, int64_t y) {
  switch (op) {
    case BinaryOp::And:
      return x & y;
    case BinaryOp::Or:
      return x | y;
    case BinaryOp::Xor:
      return x ^ y;
    case BinaryOp::Eqv:
      return ~(x ^ y);
    default:
      return ~x | y;  // Imp
  }
}

Variant LogicResult(int64_t bits, bool isBool, Rank rank) {
  if (isBool) return Variant::Boolean(bits != 0);
  if (rank == kByte) return Variant::Byte(static_cast<uint8_t>(bits & 0xFF));
  if (rank == kInteger) return Variant::Integer(static_cast<int16_t>(bits));
  return Variant::Long(static_cast<int32_t>(bits));
}

// Logical operators with Null: the cases whose result the other operand alone decides.
Variant LogicWithNull(BinaryOp op, const Variant& a, const Variant& b) {
  const bool aNull = a.IsNull(), bNull = b.IsNull();
  if (aNull && bNull) return Variant::MakeNull();
  const Variant& other = aNull ? b : a;
  const LogicOperand o = LogicValue(other);
  switch (op) {
    case BinaryOp::And:
      if (o.bits == 0) return LogicResult(0, o.isBool, o.rank);
      return Variant::MakeNull();
    case BinaryOp::Or:
      if (o.isBool && o.bits != 0) return Variant::Boolean(true);
      if (!o.isBool && o.bits == -1) return LogicResult(-1, false, o.rank);
      return Variant::MakeNull();
    case BinaryOp::Imp:
      // False Imp Null is True; Null Imp True is True.
      if (bNull && o.bits == 0) return LogicResult(-1, o.isBool, o.rank);
      if (aNull && o.isBool && o.bits != 0) return Variant::Boolean(true);
      if (aNull && !o.isBool && o.bits == -1) return LogicResult(-1, false, o.rank);
      return Variant::MakeNull();
    default:
      return Variant::MakeNull();
  }
}

// Nothing in an operation other than Is: the object variable is not set.
void RejectNothing(const Variant& v) {
  if (v.IsObject() && !v.ObjectValue()) throw ScriptError(91);
}

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

int CompareText(std::string_view a, std::string_view b, bool textCompare) {
  const size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    unsigned char x = static_cast<unsigned char>(textCompare ? Lower(a[i]) : a[i]);
    unsigned char y = static_cast<unsigned char>(textCompare ? Lower(b[i]) : b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

int CompareValues(const Variant& a, const Variant& b, bool textCompare) {
  if (a.IsArray() || b.IsArray() || a.IsObject() || b.IsObject()) {
    throw ScriptError(err::TypeMismatch);
  }
  const bool aText = a.IsString(), bText = b.IsString();
  if (aText && bText) return CompareText(a.StringValue(), b.StringValue(), textCompare);
  if (aText && b.IsEmpty()) return CompareText(a.StringValue(), "", textCompare);
  if (bText && a.IsEmpty()) return CompareText("", b.StringValue(), textCompare);
  if (aText) return 1;  // a number is less than a string
  if (bText) return -1;
  const VarType ta = a.Type(), tb = b.Type();
  if ((ta == VarType::Single && tb == VarType::Double) ||
      (ta == VarType::Double && tb == VarType::Single)) {
    // A Double compared with a Single is first rounded to the Single's precision.
    const float x = static_cast<float>(ToDouble(a)), y = static_cast<float>(ToDouble(b));
    return x < y ? -1 : x > y ? 1 : 0;
  }
  const double x = ToDouble(a), y = ToDouble(b);
  return x < y ? -1 : x > y ? 1 : 0;
}

Variant ApplyBinary(BinaryOp op, const Variant& a, const Variant& b) {
  if (op != BinaryOp::Is) {
    RejectNothing(a);
    RejectNothing(b);
  }
  switch (op) {
    case BinaryOp::Concat: {
      if (a.IsNull() && b.IsNull()) return Variant::MakeNull();
      if (a.IsArray() || b.IsArray() || a.IsObject() || b.IsObject()) {
        throw ScriptError(err::TypeMismatch);
      }
      std::string out;
      AppendText(out, a);
      AppendText(out, b);
      return Variant::String(std::move(out));
    }
    case BinaryOp::Is: {
      if (!a.IsObject() || !b.IsObject()) throw ScriptError(err::ObjectRequired);
      return Variant::Boolean(a.ObjectValue() == b.ObjectValue());
    }
    case BinaryOp::And:
    case BinaryOp::Or:
    case BinaryOp::Xor:
    case BinaryOp::Eqv:
    case BinaryOp::Imp: {
      if (a.IsNull() || b.IsNull()) return LogicWithNull(op, a, b);
      const LogicOperand x = LogicValue(a), y = LogicValue(b);
      const bool both = x.isBool && y.isBool;
      return LogicResult(LogicBits(op, x.bits, y.bits), both, ResultRank(x.rank, y.rank));
    }
    default:
      break;
  }
  if (a.IsNull() || b.IsNull()) {
    if (a.IsArray() || b.IsArray() || a.IsObject() || b.IsObject()) {
      throw ScriptError(err::TypeMismatch);
    }
    return Variant::MakeNull();
  }
  switch (op) {
    case BinaryOp::Add:
      if (a.IsString() && b.IsString()) return Variant::String(a.StringValue() + b.StringValue());
      if (a.IsString() && b.IsEmpty()) return a;
      if (b.IsString() && a.IsEmpty()) return b;
      return Arithmetic(op, a, b);
    case BinaryOp::Subtract:
    case BinaryOp::Multiply:
      return Arithmetic(op, a, b);
    case BinaryOp::Divide:
      return Divide(a, b);
    case BinaryOp::IntDivide:
    case BinaryOp::Mod:
      return IntegerDivision(op, a, b);
    case BinaryOp::Power:
      return Power(a, b);
    case BinaryOp::Equal:
      return Variant::Boolean(CompareValues(a, b, false) == 0);
    case BinaryOp::NotEqual:
      return Variant::Boolean(CompareValues(a, b, false) != 0);
    case BinaryOp::Less:
      return Variant::Boolean(CompareValues(a, b, false) < 0);
    case BinaryOp::Greater:
      return Variant::Boolean(CompareValues(a, b, false) > 0);
    case BinaryOp::LessEqual:
      return Variant::Boolean(CompareValues(a, b, false) <= 0);
    default:
      return Variant::Boolean(CompareValues(a, b, false) >= 0);
  }
}

Variant Negate(const Variant& a) {
  switch (a.Type()) {
    case VarType::Null:
      return a;
    case VarType::Empty:
      return Variant::Integer(0);
    case VarType::Boolean:
    case VarType::Byte:
    case VarType::Integer:
      return IntegerResult(-IntegralValue(a), VarType::Integer);
    case VarType::Long:
      return IntegerResult(-static_cast<int64_t>(a.LongValue()), VarType::Long);
    case VarType::Single:
      return Variant::Single(-a.SingleValue());
    case VarType::Currency:
      return Variant::Currency(-a.DoubleValue());
    case VarType::Date:
      return DateResult(-a.DoubleValue());
    case VarType::Double:
    case VarType::String:
      return Variant::Double(-ToDouble(a));
    default:
      RejectNothing(a);
      throw ScriptError(err::TypeMismatch);
  }
}

Variant LogicalNot(const Variant& a) {
  if (a.IsNull()) return a;
  RejectNothing(a);
  const LogicOperand x = LogicValue(a);
  return LogicResult(~x.bits, x.isBool, x.rank);
}

}  // namespace kavro::vbs
