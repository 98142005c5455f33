#include "scripting/vbs/Unboxed.h"

#include <cmath>

#include "scripting/vbs/Conversions.h"
#include "scripting/vbs/Interpreter.h"

namespace kavro::vbs {
namespace {

bool IsComparison(BinaryOp op) {
  return op >= BinaryOp::Equal && op <= BinaryOp::GreaterEqual;
}

template <class T>
bool Comparison(BinaryOp op, T x, T y, Unboxed& out) {
  bool r;
  switch (op) {
    case BinaryOp::Equal:
      r = x == y;
      break;
    case BinaryOp::NotEqual:
      r = x != y;
      break;
    case BinaryOp::Less:
      r = x < y;
      break;
    case BinaryOp::Greater:
      r = x > y;
      break;
    case BinaryOp::LessEqual:
      r = x <= y;
      break;
    case BinaryOp::GreaterEqual:
      r = x >= y;
      break;
    default:
      return false;
  }
  out.type = VarType::Boolean;
  out.whole = r ? 1 : 0;
  return true;
}

// Tests in the order of how often each operator comes: a chain of tests predicts better than
// the jump table of a switch, whose one jump is shared by every operator of the script. Kept out
// of line, as CombineReal: inlined (as -O3 does) they grow the evaluator, which calls itself.
[[gnu::hot, gnu::noinline]] bool CombineWhole(BinaryOp op, int32_t x, int32_t y, bool bothInteger,
                                              Unboxed& out) {
  if (op == BinaryOp::Add) {
    WholeResult(int64_t{x} + y, bothInteger, out);
    return true;
  }
  if (op == BinaryOp::Subtract) {
    WholeResult(int64_t{x} - y, bothInteger, out);
    return true;
  }
  if (op == BinaryOp::Multiply) {
    WholeResult(int64_t{x} * y, bothInteger, out);
    return true;
  }
  if (op == BinaryOp::Mod) {
    if (y == 0) return false;
    // The sign of the dividend, as the language's Mod (-1 aside, which overflows in C++).
    WholeResult(y == -1 ? 0 : x % y, bothInteger, out);
    return true;
  }
  if (op == BinaryOp::IntDivide) {
    if (y == 0) return false;
    // Truncated toward zero; INT32_MIN \ -1 does not fit a Long: the general rules say so.
    if (y == -1) {
      if (x == INT32_MIN) return false;
      WholeResult(-int64_t{x}, bothInteger, out);
      return true;
    }
    WholeResult(x / y, bothInteger, out);
    return true;
  }
  if (op == BinaryOp::Divide) {
    if (y == 0) return false;
    out.type = VarType::Double;
    out.real = static_cast<double>(x) / static_cast<double>(y);
    return true;
  }
  return Comparison(op, x, y, out);
}

// One operand a Double: a Double result, or a Boolean for a comparison. \ and Mod round their
// operands and are left to the general rules.
[[gnu::hot, gnu::noinline]] bool CombineReal(BinaryOp op, double x, double y, Unboxed& out) {
  double r;
  if (op == BinaryOp::Add) {
    r = x + y;
  } else if (op == BinaryOp::Subtract) {
    r = x - y;
  } else if (op == BinaryOp::Multiply) {
    r = x * y;
  } else if (op == BinaryOp::Divide) {
    if (y == 0) return false;
    r = x / y;
  } else {
    return Comparison(op, x, y, out);
  }
  if (!std::isfinite(r)) return false;  // the general rules raise the overflow
  out.type = VarType::Double;
  out.real = r;
  return true;
}

double RealOf(const Unboxed& u) {
  return u.type == VarType::Double ? u.real : static_cast<double>(u.whole);
}

// And, Or and Xor on two Booleans (a condition's parts) or on two whole numbers (bits), as the
// general rules give them: a Boolean, an Integer when both were, else a Long. A Boolean beside a
// number, a Double (rounded first) and any other operator on a Boolean are left to those rules.
[[gnu::noinline]] bool CombineLogic(BinaryOp op, const Unboxed& x, const Unboxed& y, Unboxed& out) {
  if (op != BinaryOp::And && op != BinaryOp::Or && op != BinaryOp::Xor) return false;
  const bool xBool = x.type == VarType::Boolean, yBool = y.type == VarType::Boolean;
  if (xBool != yBool || x.type == VarType::Double || y.type == VarType::Double) return false;
  // Booleans are 0 or 1 here, so the bit operations give 0 or 1 too.
  const int32_t bits = op == BinaryOp::And  ? (x.whole & y.whole)
                       : op == BinaryOp::Or ? (x.whole | y.whole)
                                            : (x.whole ^ y.whole);
  out.type = xBool                                                      ? VarType::Boolean
             : x.type == VarType::Integer && y.type == VarType::Integer ? VarType::Integer
                                                                        : VarType::Long;
  out.whole = bits;
  return true;
}

inline bool Combine(BinaryOp op, const Unboxed& x, const Unboxed& y, Unboxed& out) {
  if (x.type == VarType::Boolean || y.type == VarType::Boolean || op >= BinaryOp::And) {
    return CombineLogic(op, x, y, out);
  }
  if (x.type != VarType::Double && y.type != VarType::Double) {
    return CombineWhole(op, x.whole, y.whole,
                        x.type == VarType::Integer && y.type == VarType::Integer, out);
  }
  return CombineReal(op, RealOf(x), RealOf(y), out);
}

// Variables and literals without a call: most operands are one of them.
inline bool OperandUnboxed(Interpreter& it, const Expr& e, Unboxed& out) {
  if (e.kind == ExprKind::Local) {
    return Unbox(*it.slots[static_cast<size_t>(static_cast<const LocalExpr&>(e).slot)], out);
  }
  if (e.kind == ExprKind::Literal) return Unbox(static_cast<const LiteralExpr&>(e).value, out);
  return EvalUnboxed(it, e, out);
}

// A whole index, as the general rules take it without rounding.
inline bool IndexUnboxed(Interpreter& it, const Expr& e, int32_t& index) {
  Unboxed u;
  if (!OperandUnboxed(it, e, u)) return false;
  if (u.type != VarType::Integer && u.type != VarType::Long) return false;
  index = u.whole;
  return true;
}

// The element of a one- or two-dimensional array read in place; anything else is left to the
// general rules (an object's default member, a bound outside the array, an index that needs
// rounding).
bool ElementUnboxed(Interpreter& it, const IndexExpr& e, Unboxed& out) {
  const Variant* element = ElementInPlace(it, e);
  return element && Unbox(*element, out);
}

}  // namespace

Variant* ElementInPlace(Interpreter& it, const IndexExpr& e) {
  if (e.args.size() > 2 || !e.args[0]->numeric || !e.args.back()->numeric) return nullptr;
  Variant& base = VariableAt(it, *e.base);
  if (!base.IsArray()) return nullptr;
  int32_t i;
  if (!IndexUnboxed(it, *e.args[0], i)) return nullptr;
  ArrayData& a = *base.ArrayValue();
  if (a.upper.size() != e.args.size() || i < 0 || i > a.upper[0]) return nullptr;
  if (e.args.size() == 1) return &a.items[static_cast<size_t>(i)];
  // Two dimensions: the first index varies fastest.
  int32_t j;
  if (!IndexUnboxed(it, *e.args[1], j) || j < 0 || j > a.upper[1]) return nullptr;
  const size_t rows = static_cast<size_t>(a.upper[0]) + 1;
  return &a.items[static_cast<size_t>(i) + static_cast<size_t>(j) * rows];
}

// For 0 <= n <= 2^31 and l = ceil(log2 d), m = ceil(2^(32+l) / d) gives n / d as
// (n * m) >> (32 + l) exactly (Granlund and Montgomery, division by invariant integers).
LiteralDivisor::LiteralDivisor(int32_t d, bool isInteger) : d_(d), isInteger_(isInteger) {
  int l = 0;
  while ((int64_t{1} << l) < d) ++l;
  shift_ = 32 + l;
  __extension__ using Wide = unsigned __int128;
  const Wide power = static_cast<Wide>(1) << shift_;
  magic_ = static_cast<uint64_t>((power + static_cast<Wide>(d) - 1) / static_cast<Wide>(d));
}

bool IsUnboxedOperator(BinaryOp op) {
  // The arithmetic operators up to Mod, the comparisons and And to Xor, in the enum's order.
  return op <= BinaryOp::Mod || IsComparison(op) || (op >= BinaryOp::And && op <= BinaryOp::Xor);
}

bool CombineUnboxed(BinaryOp op, const Unboxed& x, const Unboxed& y, Unboxed& out) {
  return Combine(op, x, y, out);
}

[[gnu::hot]] bool EvalUnboxedTree(Interpreter& it, const Expr& e, Unboxed& out) {
  // In the order of how often each kind comes, as in OperandValue.
  if (e.kind == ExprKind::Local) {
    return Unbox(*it.slots[static_cast<size_t>(static_cast<const LocalExpr&>(e).slot)], out);
  }
  if (e.kind == ExprKind::Literal) return Unbox(static_cast<const LiteralExpr&>(e).value, out);
  if (e.kind == ExprKind::Binary) {
    const auto& b = static_cast<const BinaryExpr&>(e);
    Unboxed x, y;
    if (b.divisor.Known()) {  // x Mod d or x \ d by a whole literal d > 0
      if (!OperandUnboxed(it, *b.left, x)) return false;
      if (x.type == VarType::Integer || x.type == VarType::Long) {
        const int32_t q = b.divisor.Quotient(x.whole);
        const int64_t r = b.op == BinaryOp::Mod ? x.whole - int64_t{q} * b.divisor.Value() : q;
        WholeResult(r, x.type == VarType::Integer && b.divisor.IsInteger(), out);
        return true;
      }
      return OperandUnboxed(it, *b.right, y) && Combine(b.op, x, y, out);
    }
    return OperandUnboxed(it, *b.left, x) && OperandUnboxed(it, *b.right, y) &&
           Combine(b.op, x, y, out);
  }
  if (e.kind == ExprKind::Index) return ElementUnboxed(it, static_cast<const IndexExpr&>(e), out);
  if (e.kind == ExprKind::Global) return Unbox(*static_cast<const GlobalExpr&>(e).var, out);
  if (e.kind == ExprKind::Paren) {
    return EvalUnboxed(it, *static_cast<const ParenExpr&>(e).inner, out);
  }
  if (e.kind != ExprKind::Unary) return false;
  const auto& u = static_cast<const UnaryExpr&>(e);
  if (!EvalUnboxed(it, *u.operand, out) || out.type == VarType::Boolean) return false;
  if (u.op == UnaryOp::Plus) return true;
  if (out.type == VarType::Double) {
    out.real = -out.real;
  } else {
    WholeResult(-int64_t{out.whole}, out.type == VarType::Integer, out);
  }
  return true;
}

namespace {

// What an operator's operand is, known when the script is compiled.
enum class Shape { Local, Literal, Element, Other };

Shape ShapeOf(const Expr& e) {
  if (e.kind == ExprKind::Local) return Shape::Local;
  if (e.kind == ExprKind::Literal) return Shape::Literal;
  if (e.kind == ExprKind::Index) {
    const auto& index = static_cast<const IndexExpr&>(e);
    if (index.base->kind == ExprKind::Local && index.args.size() == 1 &&
        index.args[0]->kind == ExprKind::Local) {
      return Shape::Element;
    }
  }
  return Shape::Other;
}

// samples(i) with both names local: the checks of ElementUnboxed, without its dispatches.
inline bool LocalElement(Interpreter& it, const IndexExpr& e, Unboxed& out) {
  const Variant& base = *it.slots[static_cast<size_t>(static_cast<const LocalExpr&>(*e.base).slot)];
  if (!base.IsArray()) return false;
  const Variant& i = *it.slots[static_cast<size_t>(static_cast<const LocalExpr&>(*e.args[0]).slot)];
  int32_t index;
  if (i.Type() == VarType::Integer) {
    index = i.IntegerValue();
  } else if (i.Type() == VarType::Long) {
    index = i.LongValue();
  } else {
    return false;
  }
  const ArrayData& a = *base.ArrayValue();
  if (a.upper.size() != 1 || index < 0 || index > a.upper[0]) return false;
  return Unbox(a.items[static_cast<size_t>(index)], out);
}

template <Shape S>
[[gnu::always_inline]] inline bool Fetch(Interpreter& it, const Expr& e, Unboxed& out) {
  if constexpr (S == Shape::Local) {
    return Unbox(*it.slots[static_cast<size_t>(static_cast<const LocalExpr&>(e).slot)], out);
  } else if constexpr (S == Shape::Literal) {
    out = static_cast<const LiteralExpr&>(e).number;
    return true;
  } else if constexpr (S == Shape::Element) {
    return LocalElement(it, static_cast<const IndexExpr&>(e), out);
  } else {
    return EvalUnboxed(it, e, out);
  }
}

template <Shape L, Shape R>
[[gnu::hot]] bool ShapedBinary(Interpreter& it, const Expr& e, Unboxed& out) {
  const auto& b = static_cast<const BinaryExpr&>(e);
  Unboxed x, y;
  return Fetch<L>(it, *b.left, x) && Fetch<R>(it, *b.right, y) && Combine(b.op, x, y, out);
}

// +, - and * computed in the shaped function itself, without the chain of tests on the
// operator: the same results, overflows and refusals as Combine.
template <BinaryOp Op, class T>
[[gnu::always_inline]] inline T Arith(T a, T b) {
  if constexpr (Op == BinaryOp::Add) {
    return a + b;
  } else if constexpr (Op == BinaryOp::Subtract) {
    return a - b;
  } else {
    return a * b;
  }
}

template <Shape L, Shape R, BinaryOp Op>
[[gnu::hot]] bool ShapedArith(Interpreter& it, const Expr& e, Unboxed& out) {
  const auto& b = static_cast<const BinaryExpr&>(e);
  Unboxed x, y;
  if (!Fetch<L>(it, *b.left, x) || !Fetch<R>(it, *b.right, y)) return false;
  if (x.type == VarType::Boolean || y.type == VarType::Boolean) return false;
  if (x.type == VarType::Double || y.type == VarType::Double) {
    const double r = Arith<Op>(RealOf(x), RealOf(y));
    if (!std::isfinite(r)) return false;  // the general rules raise the overflow
    out.type = VarType::Double;
    out.real = r;
    return true;
  }
  WholeResult(Arith<Op>(int64_t{x.whole}, int64_t{y.whole}),
              x.type == VarType::Integer && y.type == VarType::Integer, out);
  return true;
}

// A comparison without the chain of tests on the arithmetic operators before it.
template <Shape L, Shape R>
[[gnu::hot]] bool ShapedComparison(Interpreter& it, const Expr& e, Unboxed& out) {
  const auto& b = static_cast<const BinaryExpr&>(e);
  Unboxed x, y;
  if (!Fetch<L>(it, *b.left, x) || !Fetch<R>(it, *b.right, y)) return false;
  if (x.type == VarType::Boolean || y.type == VarType::Boolean) return false;
  if (x.type != VarType::Double && y.type != VarType::Double) {
    return Comparison(b.op, x.whole, y.whole, out);
  }
  return Comparison(b.op, RealOf(x), RealOf(y), out);
}

// x Mod d and x \ d by a whole literal d > 0, as EvalUnboxedTree computes them.
template <Shape L>
[[gnu::hot]] bool ShapedDivision(Interpreter& it, const Expr& e, Unboxed& out) {
  const auto& b = static_cast<const BinaryExpr&>(e);
  Unboxed x;
  if (!Fetch<L>(it, *b.left, x)) return false;
  if (x.type == VarType::Integer || x.type == VarType::Long) {
    const int32_t q = b.divisor.Quotient(x.whole);
    const int64_t r = b.op == BinaryOp::Mod ? x.whole - int64_t{q} * b.divisor.Value() : q;
    WholeResult(r, x.type == VarType::Integer && b.divisor.IsInteger(), out);
    return true;
  }
  Unboxed y;
  return Fetch<Shape::Literal>(it, *b.right, y) && Combine(b.op, x, y, out);
}

[[gnu::hot]] bool ShapedLocal(Interpreter& it, const Expr& e, Unboxed& out) {
  return Fetch<Shape::Local>(it, e, out);
}

[[gnu::hot]] bool ShapedElement(Interpreter& it, const Expr& e, Unboxed& out) {
  return Fetch<Shape::Element>(it, e, out);
}

[[gnu::hot]] bool AnyElement(Interpreter& it, const Expr& e, Unboxed& out) {
  return ElementUnboxed(it, static_cast<const IndexExpr&>(e), out);
}

template <Shape L, Shape R>
UnboxedFn BinaryFor(BinaryOp op) {
  switch (op) {
    case BinaryOp::Add:
      return &ShapedArith<L, R, BinaryOp::Add>;
    case BinaryOp::Subtract:
      return &ShapedArith<L, R, BinaryOp::Subtract>;
    case BinaryOp::Multiply:
      return &ShapedArith<L, R, BinaryOp::Multiply>;
    default:
      return IsComparison(op) ? &ShapedComparison<L, R> : &ShapedBinary<L, R>;
  }
}

template <Shape L>
UnboxedFn BinaryFor(Shape right, BinaryOp op) {
  switch (right) {
    case Shape::Local:
      return BinaryFor<L, Shape::Local>(op);
    case Shape::Literal:
      return BinaryFor<L, Shape::Literal>(op);
    case Shape::Element:
      return BinaryFor<L, Shape::Element>(op);
    default:
      return BinaryFor<L, Shape::Other>(op);
  }
}

}  // namespace

UnboxedFn ChooseUnboxed(const Expr& e) {
  if (e.kind == ExprKind::Local) return &ShapedLocal;
  if (ShapeOf(e) == Shape::Element) return &ShapedElement;
  if (e.kind == ExprKind::Index) return &AnyElement;
  if (e.kind != ExprKind::Binary) return &EvalUnboxedTree;
  const auto& b = static_cast<const BinaryExpr&>(e);
  const Shape left = ShapeOf(*b.left);
  if (b.divisor.Known()) {
    switch (left) {
      case Shape::Local:
        return &ShapedDivision<Shape::Local>;
      case Shape::Literal:
        return &ShapedDivision<Shape::Literal>;
      case Shape::Element:
        return &ShapedDivision<Shape::Element>;
      default:
        return &ShapedDivision<Shape::Other>;
    }
  }
  switch (left) {
    case Shape::Local:
      return BinaryFor<Shape::Local>(ShapeOf(*b.right), b.op);
    case Shape::Literal:
      return BinaryFor<Shape::Literal>(ShapeOf(*b.right), b.op);
    case Shape::Element:
      return BinaryFor<Shape::Element>(ShapeOf(*b.right), b.op);
    default:
      return BinaryFor<Shape::Other>(ShapeOf(*b.right), b.op);
  }
}

}  // namespace kavro::vbs
