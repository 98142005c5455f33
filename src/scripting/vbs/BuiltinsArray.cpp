// UBound LBound Array Split Join Filter.
#include <array>

#include "scripting/vbs/BuiltinSupport.h"
#include "scripting/vbs/Interpreter.h"
#include "scripting/vbs/Operators.h"

namespace kavro::vbs {

Variant builtin::MakeArray(Interpreter& it, std::vector<Variant> items) {
  auto data = std::make_unique<ArrayData>();
  data->weight = items.size();
  for (const Variant& v : items) {
    if (v.IsArray()) {
      data->nesting = std::max(data->nesting, v.ArrayValue()->nesting + 1);
      data->weight += v.ArrayValue()->weight;
    }
  }
  if (data->nesting > 60 || data->weight > it.limits.maxArrayElements) {
    throw ScriptError(err::OutOfMemory);
  }
  data->upper.push_back(static_cast<int32_t>(items.size()) - 1);
  data->items = std::move(items);
  return Variant::Array(std::move(data));
}

namespace {

using namespace builtin;

const ArrayData& ArrayArg(const Variant& v) {
  if (!v.IsArray()) throw ScriptError(err::TypeMismatch);
  return *v.ArrayValue();
}

size_t DimensionArg(BuiltinArgs a, const ArrayData& data) {
  const int32_t dim = LongArg(a, 1, 1);
  if (dim < 1 || static_cast<size_t>(dim) > data.upper.size()) {
    throw ScriptError(err::SubscriptOutOfRange);
  }
  return static_cast<size_t>(dim - 1);
}

Variant UBound(Interpreter&, BuiltinArgs a) {
  const ArrayData& data = ArrayArg(*a[0]);
  return Variant::Long(data.upper[DimensionArg(a, data)]);
}

Variant LBound(Interpreter&, BuiltinArgs a) {
  const ArrayData& data = ArrayArg(*a[0]);
  DimensionArg(a, data);
  return Variant::Long(0);
}

Variant ArrayFn(Interpreter& it, BuiltinArgs a) {
  // Check the size before copying: Array(a, a) doubles it.
  size_t weight = a.size();
  for (const Variant* v : a) {
    if (v->IsArray()) weight += v->ArrayValue()->weight;
    if (weight > it.limits.maxArrayElements) throw ScriptError(err::OutOfMemory);
  }
  std::vector<Variant> items;
  items.reserve(a.size());
  for (const Variant* v : a) items.push_back(*v);
  return MakeArray(it, std::move(items));
}

Variant Split(Interpreter& it, BuiltinArgs a) {
  const int32_t count = LongArg(a, 2, -1);
  if (count < -1) InvalidCall();
  const bool text = TextCompareArg(a, 3);
  const std::string s = ToText(*a[0]);  // Null: 94
  const std::string delim = Given(a, 1) ? ToText(*a[1]) : std::string(" ");
  std::vector<Variant> items;
  if (s.empty() || count == 0) return MakeArray(it, std::move(items));
  size_t pos = 0;
  for (;;) {
    if (count != -1 && static_cast<int32_t>(items.size()) == count - 1) break;
    const size_t at = delim.empty() ? std::string::npos : FindText(it, s, delim, pos, text);
    if (at == std::string::npos) break;
    items.push_back(Variant::String(s.substr(pos, at - pos)));
    if (items.size() > it.limits.maxArrayElements) throw ScriptError(err::OutOfMemory);
    pos = at + delim.size();
  }
  items.push_back(Variant::String(s.substr(pos)));
  return MakeArray(it, std::move(items));
}

Variant Join(Interpreter& it, BuiltinArgs a) {
  if (a[0]->IsNull()) throw ScriptError(err::InvalidUseOfNull);
  const ArrayData& data = ArrayArg(*a[0]);
  if (data.upper.size() > 1) throw ScriptError(err::TypeMismatch);
  // A delimiter given as Empty joins with nothing; Null is 94.
  const std::string delim = a.size() > 1 ? ToText(*a[1]) : std::string(" ");
  std::string out;
  for (size_t i = 0; i < data.items.size(); ++i) {
    if (i > 0) out += delim;
    const Variant& item = data.items[i];
    if (item.IsArray() || item.IsObject() || item.IsNull()) throw ScriptError(err::TypeMismatch);
    AppendText(out, data.items[i]);
    if (out.size() > it.limits.maxStringLength) throw ScriptError(err::OutOfStringSpace);
  }
  return Variant::String(std::move(out));
}

// Filter(texts, match[, include[, compare]]): the texts that hold match (or, with include False,
// those that do not), as a new array.
Variant Filter(Interpreter& it, BuiltinArgs a) {
  if (a[0]->IsNull() || a[1]->IsNull()) throw ScriptError(err::InvalidUseOfNull);
  const ArrayData& data = ArrayArg(*a[0]);
  if (data.upper.size() != 1) throw ScriptError(err::TypeMismatch);
  const std::string match = ToText(*a[1]);
  const bool include = !Given(a, 2) || ToBool(*a[2]);
  const bool text = TextCompareArg(a, 3);
  std::vector<Variant> items;
  for (const Variant& item : data.items) {
    if (item.IsNull() || item.IsArray() || item.IsObject()) throw ScriptError(err::TypeMismatch);
    std::string value = ToText(item);
    const bool found = FindText(it, value, match, 0, text) != std::string::npos;
    if (found == include) items.push_back(Variant::String(std::move(value)));
  }
  return MakeArray(it, std::move(items));
}

constexpr std::array<BuiltinInfo, 6> kArrays{{
    {"ubound", 1, 2, UBound},
    {"lbound", 1, 2, LBound},
    {"array", 0, -1, ArrayFn},
    {"split", 1, 4, Split},
    {"join", 1, 2, Join},
    {"filter", 2, 4, Filter},
}};

}  // namespace

std::span<const BuiltinInfo> ArrayBuiltins() {
  return kArrays;
}

}  // namespace kavro::vbs
