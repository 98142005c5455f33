// Len Left Right Mid InStr InStrRev UCase LCase Trim LTrim RTrim Replace Space String StrComp
// StrReverse Chr Asc Hex Oct.
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "scripting/vbs/BuiltinSupport.h"
#include "scripting/vbs/Interpreter.h"
#include "scripting/vbs/Operators.h"
#include "scripting/vbs/TextCase.h"

namespace kavro::vbs {
namespace {

using namespace builtin;

}  // namespace

size_t builtin::FindText(Interpreter& it, std::string_view hay, std::string_view needle,
                         size_t start, bool textCompare) {
  if (!textCompare) return hay.find(needle, start);
  if (needle.size() > hay.size()) return std::string_view::npos;
  // Comparing letter by letter at each position: slow on long texts, so it counts as work.
  const uint64_t work = 1 + (needle.size() >> 4);
  for (size_t i = start; i + needle.size() <= hay.size(); ++i) {
    it.Tick(work);
    if (CompareText(hay.substr(i, needle.size()), needle, true) == 0) return i;
  }
  return std::string_view::npos;
}

namespace {

size_t FindLast(Interpreter& it, std::string_view hay, std::string_view needle, size_t endPos,
                bool textCompare) {
  // Last match that ends at or before endPos.
  if (needle.size() > endPos) return std::string_view::npos;
  if (!textCompare) return hay.substr(0, endPos).rfind(needle);
  const uint64_t work = 1 + (needle.size() >> 4);
  for (size_t i = endPos - needle.size() + 1; i-- > 0;) {
    it.Tick(work);
    if (CompareText(hay.substr(i, needle.size()), needle, true) == 0) return i;
  }
  return std::string_view::npos;
}

size_t CountArg(BuiltinArgs a, size_t i) {
  if (a[i]->IsNull()) throw ScriptError(err::InvalidUseOfNull);
  const int32_t n = ToLong(*a[i]);
  if (n < 0) InvalidCall();
  return static_cast<size_t>(n);
}

Variant Len(Interpreter&, BuiltinArgs a) {
  if (a[0]->IsNull()) return *a[0];
  if (a[0]->IsString()) return Variant::Long(static_cast<int32_t>(a[0]->StringValue().size()));
  return Variant::Long(static_cast<int32_t>(ToText(*a[0]).size()));
}

Variant Left(Interpreter&, BuiltinArgs a) {
  const size_t n = CountArg(a, 1);
  if (a[0]->IsNull()) return *a[0];
  const std::string s = ToText(*a[0]);
  return Variant::String(s.substr(0, std::min(n, s.size())));
}

Variant Right(Interpreter&, BuiltinArgs a) {
  const size_t n = CountArg(a, 1);
  if (a[0]->IsNull()) return *a[0];
  const std::string s = ToText(*a[0]);
  return Variant::String(s.substr(s.size() - std::min(n, s.size())));
}

Variant Mid(Interpreter&, BuiltinArgs a) {
  if (a[1]->IsNull()) throw ScriptError(err::InvalidUseOfNull);
  const int32_t start = ToLong(*a[1]);
  if (start < 1) InvalidCall();
  size_t length = std::string::npos;
  if (Given(a, 2)) length = CountArg(a, 2);
  if (a[0]->IsNull()) return *a[0];
  const std::string s = ToText(*a[0]);
  const size_t from = static_cast<size_t>(start) - 1;
  if (from >= s.size()) return Variant::String("");
  return Variant::String(s.substr(from, length));
}

Variant InStr(Interpreter& it, BuiltinArgs a) {
  // InStr([start, ]string1, string2[, compare])
  const bool hasStart = a.size() >= 3;
  int32_t start = 1;
  if (hasStart) {
    if (a[0]->IsNull()) throw ScriptError(err::InvalidUseOfNull);
    start = ToLong(*a[0]);
    if (start < 1) InvalidCall();
  }
  const Variant& hay = *a[hasStart ? 1 : 0];
  const Variant& needle = *a[hasStart ? 2 : 1];
  const bool text = a.size() == 4 && TextCompareArg(a, 3);
  if (hay.IsNull() || needle.IsNull()) return Variant::MakeNull();
  const std::string h = ToText(hay), n = ToText(needle);
  if (static_cast<size_t>(start) > h.size()) return Variant::Long(0);
  if (n.empty()) return Variant::Long(start);
  const size_t at = FindText(it, h, n, static_cast<size_t>(start) - 1, text);
  return Variant::Long(at == std::string::npos ? 0 : static_cast<int32_t>(at) + 1);
}

Variant InStrRev(Interpreter& it, BuiltinArgs a) {
  // InStrRev(string1, string2[, start[, compare]])
  const int32_t start = LongArg(a, 2, -1);
  if (start == 0 || start < -1) InvalidCall();
  const bool text = TextCompareArg(a, 3);
  // Unlike InStr, InStrRev refuses Null texts.
  const std::string h = ToText(*a[0]), n = ToText(*a[1]);
  const size_t endPos = start == -1 ? h.size() : static_cast<size_t>(start);
  if (endPos > h.size()) return Variant::Long(0);
  if (n.empty()) return Variant::Long(static_cast<int32_t>(endPos));
  const size_t at = FindLast(it, h, n, endPos, text);
  return Variant::Long(at == std::string::npos ? 0 : static_cast<int32_t>(at) + 1);
}

Variant UCase(Interpreter&, BuiltinArgs a) {
  if (a[0]->IsNull()) return *a[0];
  return Variant::String(UpperCase(ToText(*a[0])));
}

Variant LCase(Interpreter&, BuiltinArgs a) {
  if (a[0]->IsNull()) return *a[0];
  return Variant::String(LowerCase(ToText(*a[0])));
}

Variant TrimSides(const Variant& v, bool left, bool right) {
  if (v.IsNull()) return v;
  std::string s = ToText(v);
  size_t b = 0, e = s.size();
  if (left) {
    while (b < e && s[b] == ' ') ++b;
  }
  if (right) {
    while (e > b && s[e - 1] == ' ') --e;
  }
  return Variant::String(s.substr(b, e - b));
}

Variant Trim(Interpreter&, BuiltinArgs a) {
  return TrimSides(*a[0], true, true);
}
Variant LTrim(Interpreter&, BuiltinArgs a) {
  return TrimSides(*a[0], true, false);
}
Variant RTrim(Interpreter&, BuiltinArgs a) {
  return TrimSides(*a[0], false, true);
}

Variant Replace(Interpreter& it, BuiltinArgs a) {
  // Replace(expression, find, replacewith[, start[, count[, compare]]])
  const int32_t start = LongArg(a, 3, 1);
  const int32_t count = LongArg(a, 4, -1);
  if (start < 1 || count < -1) InvalidCall();
  const bool text = TextCompareArg(a, 5);
  // Unlike most text functions, Replace refuses Null texts.
  const std::string s = ToText(*a[0]), find = ToText(*a[1]), with = ToText(*a[2]);
  if (static_cast<size_t>(start) > s.size()) return Variant::String("");
  // The result begins at start, as the language's Replace does.
  std::string out;
  size_t pos = static_cast<size_t>(start) - 1;
  int32_t done = 0;
  while (!find.empty() && (count == -1 || done < count)) {
    const size_t at = FindText(it, s, find, pos, text);
    if (at == std::string::npos) break;
    it.Tick();
    out.append(s, pos, at - pos);
    out += with;
    if (out.size() > it.limits.maxStringLength) throw ScriptError(err::OutOfStringSpace);
    pos = at + find.size();
    ++done;
  }
  out.append(s, pos, std::string::npos);
  return Variant::String(std::move(out));
}

size_t LengthArg(Interpreter& it, BuiltinArgs a, size_t i) {
  const size_t n = CountArg(a, i);
  if (n > it.limits.maxStringLength) throw ScriptError(err::OutOfStringSpace);
  return n;
}

Variant Space(Interpreter& it, BuiltinArgs a) {
  return Variant::String(std::string(LengthArg(it, a, 0), ' '));
}

Variant StringFn(Interpreter& it, BuiltinArgs a) {
  const size_t n = LengthArg(it, a, 0);
  const Variant& c = *a[1];
  if (c.IsNull()) return c;
  char ch;
  if (c.IsString()) {
    if (c.StringValue().empty()) InvalidCall();
    ch = c.StringValue()[0];
  } else {
    const int32_t code = ToLong(c);
    ch = static_cast<char>(((code % 256) + 256) % 256);
  }
  return Variant::String(std::string(n, ch));
}

Variant StrComp(Interpreter&, BuiltinArgs a) {
  const bool text = TextCompareArg(a, 2);
  if (a[0]->IsNull() || a[1]->IsNull()) return Variant::MakeNull();
  return Variant::Integer(static_cast<int16_t>(CompareText(ToText(*a[0]), ToText(*a[1]), text)));
}

Variant StrReverse(Interpreter&, BuiltinArgs a) {
  std::string s = ToText(*a[0]);
  std::reverse(s.begin(), s.end());
  return Variant::String(std::move(s));
}

Variant Chr(Interpreter&, BuiltinArgs a) {
  if (a[0]->IsNull()) throw ScriptError(err::InvalidUseOfNull);
  const int32_t code = ToLong(*a[0]);
  if (code < 0 || code > 255) InvalidCall();
  return Variant::String(std::string(1, static_cast<char>(code)));
}

Variant Asc(Interpreter&, BuiltinArgs a) {
  const std::string s = ToText(*a[0]);
  if (s.empty()) InvalidCall();
  return Variant::Integer(static_cast<int16_t>(static_cast<unsigned char>(s[0])));
}

// Hex and Oct: 16-bit two's complement for Integer-sized subtypes, 32-bit otherwise.
Variant Radix(const Variant& v, int base) {
  if (v.IsNull()) return v;
  const int32_t n = ToLong(v);
  const bool narrow = v.Type() == VarType::Integer || v.Type() == VarType::Byte ||
                      v.Type() == VarType::Boolean || v.Type() == VarType::Empty;
  const uint32_t bits = narrow && n < 0 ? static_cast<uint16_t>(n) : static_cast<uint32_t>(n);
  char buf[40];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, bits, base);
  std::string out(buf, end);
  return Variant::String(UpperCase(out));
}

Variant Hex(Interpreter&, BuiltinArgs a) {
  return Radix(*a[0], 16);
}
Variant Oct(Interpreter&, BuiltinArgs a) {
  return Radix(*a[0], 8);
}

constexpr std::array<BuiltinInfo, 20> kStrings{{
    {"len", 1, 1, Len},         {"left", 2, 2, Left},
    {"right", 2, 2, Right},     {"mid", 2, 3, Mid},
    {"instr", 2, 4, InStr},     {"instrrev", 2, 4, InStrRev},
    {"ucase", 1, 1, UCase},     {"lcase", 1, 1, LCase},
    {"trim", 1, 1, Trim},       {"ltrim", 1, 1, LTrim},
    {"rtrim", 1, 1, RTrim},     {"replace", 3, 6, Replace},
    {"space", 1, 1, Space},     {"string", 2, 2, StringFn},
    {"strcomp", 2, 3, StrComp}, {"strreverse", 1, 1, StrReverse},
    {"chr", 1, 1, Chr},         {"asc", 1, 1, Asc},
    {"hex", 1, 1, Hex},         {"oct", 1, 1, Oct},
}};

}  // namespace

std::span<const BuiltinInfo> StringBuiltins() {
  return kStrings;
}

}  // namespace kavro::vbs
