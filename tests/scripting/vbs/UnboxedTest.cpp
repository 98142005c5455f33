// The unboxed arithmetic against the general rules it stands in for: wherever it gives a value,
// the general rules give the same subtype and the same bits; it declines only where they raise
// an error or round their operands first.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "TestHost.h"
#include "scripting/vbs/ScriptError.h"
#include "scripting/vbs/Unboxed.h"

namespace kavro::vbs::test {
namespace {

std::vector<Variant> Operands() {
  std::vector<Variant> v;
  for (int16_t i : {0, 1, -1, 2, -2, 3, 7, -7, 10, 16, 255, 256, 32767, -32768, -32767}) {
    v.push_back(Variant::Integer(i));
  }
  for (int32_t l : {32768, -32769, 65521, 65536, -65536, 46341, INT32_MAX, INT32_MIN, INT32_MIN + 1,
                    1000000007}) {
    v.push_back(Variant::Long(l));
  }
  for (double d : {0.0, 2.5, -2.5, 0.25, 1e300, -1e300, 2147483647.5, 1e-300, 65521.0}) {
    v.push_back(Variant::Double(d));
  }
  return v;
}

std::string Show(const Variant& v) {
  uint64_t bits = 0;
  switch (v.Type()) {
    case VarType::Integer:
      bits = static_cast<uint16_t>(v.IntegerValue());
      break;
    case VarType::Long:
      bits = static_cast<uint32_t>(v.LongValue());
      break;
    case VarType::Boolean:
      bits = v.BoolValue();
      break;
    default: {
      const double d = v.DoubleValue();
      std::memcpy(&bits, &d, sizeof bits);
    }
  }
  return std::to_string(static_cast<int>(v.Type())) + ":" + std::to_string(bits);
}

TEST(Unboxed, AgreesWithTheGeneralRulesOnEveryOperandPairAndOperator) {
  const std::vector<BinaryOp> ops = {BinaryOp::Add,     BinaryOp::Subtract,  BinaryOp::Multiply,
                                     BinaryOp::Divide,  BinaryOp::IntDivide, BinaryOp::Mod,
                                     BinaryOp::Equal,   BinaryOp::NotEqual,  BinaryOp::Less,
                                     BinaryOp::Greater, BinaryOp::LessEqual, BinaryOp::GreaterEqual,
                                     BinaryOp::And,     BinaryOp::Or,        BinaryOp::Xor};
  const std::vector<Variant> operands = Operands();
  int unboxed = 0;
  for (BinaryOp op : ops) {
    ASSERT_TRUE(IsUnboxedOperator(op));
    for (const Variant& a : operands) {
      for (const Variant& b : operands) {
        Unboxed x{}, y{}, r{};
        ASSERT_TRUE(Unbox(a, x) && Unbox(b, y));
        const bool fast = CombineUnboxed(op, x, y, r);
        bool raised = false;
        Variant general;
        try {
          general = ApplyBinary(op, a, b);
        } catch (const ScriptError&) {
          raised = true;
        }
        const std::string where =
            std::to_string(static_cast<int>(op)) + " on " + Show(a) + ", " + Show(b);
        if (fast) {
          ++unboxed;
          ASSERT_FALSE(raised) << where;
          EXPECT_EQ(Show(Boxed(r)), Show(general)) << where;
        } else {
          // Declining is only for errors and for \, Mod, And, Or and Xor, which round a Double
          // first.
          const bool rounding = op == BinaryOp::IntDivide || op == BinaryOp::Mod ||
                                op == BinaryOp::And || op == BinaryOp::Or || op == BinaryOp::Xor;
          const bool rounds =
              rounding && (a.Type() == VarType::Double || b.Type() == VarType::Double);
          EXPECT_TRUE(raised || rounds) << where;
        }
      }
    }
  }
  EXPECT_GT(unboxed, 8000);
  for (BinaryOp op : {BinaryOp::Power, BinaryOp::Concat, BinaryOp::Eqv, BinaryOp::Is}) {
    EXPECT_FALSE(IsUnboxedOperator(op));
  }
  // A comparison's Boolean is no operand of the unboxed arithmetic: True is -1, not 1. Two of
  // them join by And, Or and Xor into a Boolean; beside a number they are left to the general
  // rules, which take True as -1.
  Unboxed truth{}, falsehood{}, one{}, r{};
  ASSERT_TRUE(CombineUnboxed(BinaryOp::Less, Unboxed{VarType::Integer, {1}},
                             Unboxed{VarType::Integer, {2}}, truth));
  ASSERT_TRUE(CombineUnboxed(BinaryOp::Greater, Unboxed{VarType::Integer, {1}},
                             Unboxed{VarType::Integer, {2}}, falsehood));
  EXPECT_EQ(truth.type, VarType::Boolean);
  one.type = VarType::Integer;
  one.whole = 1;
  EXPECT_FALSE(CombineUnboxed(BinaryOp::Add, truth, one, r));
  EXPECT_FALSE(CombineUnboxed(BinaryOp::And, truth, one, r));
  EXPECT_FALSE(CombineUnboxed(BinaryOp::Less, truth, falsehood, r));
  for (BinaryOp op : {BinaryOp::And, BinaryOp::Or, BinaryOp::Xor}) {
    for (const Unboxed& x : {truth, falsehood}) {
      for (const Unboxed& y : {truth, falsehood}) {
        ASSERT_TRUE(CombineUnboxed(op, x, y, r));
        EXPECT_EQ(Show(Boxed(r)), Show(ApplyBinary(op, Boxed(x), Boxed(y))))
            << static_cast<int>(op) << " on " << x.whole << ", " << y.whole;
      }
    }
  }
}

TEST(Unboxed, ALiteralDivisorGivesTheTruncatedQuotientOfEveryLong) {
  std::mt19937 random(27);
  std::vector<int32_t> divisors = {
      1,   2,    3,     5,     7,     10,      16,        100,          255,
      256, 1000, 32767, 32768, 65521, 1 << 30, INT32_MAX, INT32_MAX - 1};
  for (int i = 0; i < 40; ++i) {
    divisors.push_back(static_cast<int32_t>(random() % static_cast<uint32_t>(INT32_MAX)) + 1);
  }
  for (int32_t d : divisors) {
    const LiteralDivisor divisor(d, d <= 32767);
    std::vector<int32_t> xs = {0, 1, -1, d, -d, INT32_MAX, INT32_MIN, INT32_MIN + 1};
    if (d < INT32_MAX) xs.insert(xs.end(), {d + 1, -d - 1, d - 1, 1 - d});
    for (int i = 0; i < 200; ++i) xs.push_back(static_cast<int32_t>(random()));
    for (int32_t x : xs) {
      EXPECT_EQ(divisor.Quotient(x), static_cast<int32_t>(int64_t{x} / d)) << x << " / " << d;
    }
  }
}

// The same operation written four ways: over a procedure's locals with a literal divisor (the
// unboxed path with a multiplication), with the divisor in a variable (unboxed with a
// division), through a function's results (operands as values) and over globals. All four
// print the same values and subtypes.
TEST(Unboxed, LiteralVariableCallAndGlobalOperandsGiveOneResult) {
  const std::string script =
      "Function Id(v) : Id = v : End Function\n"
      "Sub Four(x)\n"
      "  Dim a, ten, sixteen : a = x : ten = 10 : sixteen = 16\n"
      "  Echo a Mod 10, a Mod ten, Id(a) Mod Id(10), TypeName(a Mod 10), TypeName(Id(a) Mod 10)\n"
      "  Echo a \\ 16, a \\ sixteen, Id(a) \\ Id(16), TypeName(a \\ 16)\n"
      "  Echo a Mod 65521, a \\ 65521, TypeName(a Mod 65521), TypeName(Id(a) Mod 65521)\n"
      "  g = x : Echo g Mod 10, g \\ 16, TypeName(g \\ 16)\n"
      "End Sub\n"
      "Four 0 : Four 37 : Four -37 : Four 32767 : Four -32768 : Four 2147483647\n"
      "Four CLng(-2147483647) - 1 : Four 7.5 : Four -6.5 : Four 2.5\n";
  TestEngine t;
  EXPECT_EQ(t.Run(script),
            "0 0 0 Integer Integer\n0 0 0 Integer\n0 0 Long Long\n0 0 Integer\n"
            "7 7 7 Integer Integer\n2 2 2 Integer\n37 0 Long Long\n7 2 Integer\n"
            "-7 -7 -7 Integer Integer\n-2 -2 -2 Integer\n-37 0 Long Long\n-7 -2 Integer\n"
            "7 7 7 Integer Integer\n2047 2047 2047 Integer\n32767 0 Long Long\n7 2047 Integer\n"
            // -32768 is the negation of the Long 32768
            "-8 -8 -8 Long Long\n-2048 -2048 -2048 Long\n-32768 0 Long Long\n"
            "-8 -2048 Long\n"
            "7 7 7 Long Long\n134217727 134217727 134217727 Long\n32872 32775 Long Long\n"
            "7 134217727 Long\n"
            "-8 -8 -8 Long Long\n-134217728 -134217728 -134217728 Long\n-32873 -32775 Long Long\n"
            "-8 -134217728 Long\n"
            // 7.5 rounds to 8 and -6.5 to -6 (halves to even) before the division
            "8 8 8 Long Long\n0 0 0 Long\n8 0 Long Long\n8 0 Long\n"
            "-6 -6 -6 Long Long\n0 0 0 Long\n-6 0 Long Long\n-6 0 Long\n"
            "2 2 2 Long Long\n0 0 0 Long\n2 0 Long Long\n2 0 Long\n");
}

}  // namespace
}  // namespace kavro::vbs::test
