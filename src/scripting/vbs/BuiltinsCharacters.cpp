// ChrW AscW LenB Escape Unescape. Texts are 8-bit: a character code below 256 is one byte, as
// Chr makes it; a wider one is kept as its UTF-8 bytes and read back as one character.
#include <array>

#include "scripting/vbs/BuiltinSupport.h"
#include "scripting/vbs/Interpreter.h"

namespace kavro::vbs {
namespace {

using namespace builtin;

void AppendCode(std::string& out, uint32_t code) {
  if (code < 0x100) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// The character at pos and how many bytes it takes: a UTF-8 sequence of a code of 256 or more
// (what AppendCode writes), else the byte itself.
std::pair<uint32_t, size_t> CodeAt(std::string_view s, size_t pos) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char b = byte(pos);
  auto continuation = [&](size_t i) { return i < s.size() && (byte(i) & 0xC0) == 0x80; };
  if ((b & 0xE0) == 0xC0 && continuation(pos + 1)) {
    const uint32_t code = ((b & 0x1Fu) << 6) | (byte(pos + 1) & 0x3Fu);
    if (code >= 0x100) return {code, 2};
  } else if ((b & 0xF0) == 0xE0 && continuation(pos + 1) && continuation(pos + 2)) {
    const uint32_t code =
        ((b & 0x0Fu) << 12) | ((byte(pos + 1) & 0x3Fu) << 6) | (byte(pos + 2) & 0x3Fu);
    if (code >= 0x800) return {code, 3};
  }
  return {b, 1};
}

Variant ChrW(Interpreter&, BuiltinArgs a) {
  if (a[0]->IsNull()) throw ScriptError(err::InvalidUseOfNull);
  int32_t code = ToLong(*a[0]);
  if (code < -32768 || code > 65535) InvalidCall();
  if (code < 0) code += 65536;
  std::string out;
  AppendCode(out, static_cast<uint32_t>(code));
  return Variant::String(std::move(out));
}

Variant AscW(Interpreter&, BuiltinArgs a) {
  const std::string s = ToText(*a[0]);
  if (s.empty()) InvalidCall();
  const uint32_t code = CodeAt(s, 0).first;
  // A code past the Integer range reads as negative, as the language's AscW gives it.
  return Variant::Integer(static_cast<int16_t>(static_cast<uint16_t>(code)));
}

// Bytes of the text as the language stores it: two for each character.
Variant LenB(Interpreter&, BuiltinArgs a) {
  if (a[0]->IsNull()) return *a[0];
  return Variant::Long(static_cast<int32_t>(2 * ToText(*a[0]).size()));
}

bool KeptByEscape(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '@' ||
         c == '*' || c == '_' || c == '+' || c == '-' || c == '.' || c == '/';
}

Variant Escape(Interpreter&, BuiltinArgs a) {
  if (a[0]->IsNull()) return *a[0];
  const std::string s = ToText(*a[0]);
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (size_t i = 0; i < s.size();) {
    const auto [code, length] = CodeAt(s, i);
    i += length;
    if (code < 0x100 && KeptByEscape(static_cast<unsigned char>(code))) {
      out += static_cast<char>(code);
    } else if (code < 0x100) {
      out += '%';
      out += kHex[code >> 4];
      out += kHex[code & 0xF];
    } else {
      out += "%u";
      for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(code >> shift) & 0xF];
    }
  }
  return Variant::String(std::move(out));
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The value of count hex digits at pos, or -1 when they are not all there.
int32_t HexAt(std::string_view s, size_t pos, size_t count) {
  if (pos + count > s.size()) return -1;
  int32_t value = 0;
  for (size_t i = 0; i < count; ++i) {
    const int d = HexDigit(s[pos + i]);
    if (d < 0) return -1;
    value = value * 16 + d;
  }
  return value;
}

// %XX and %uXXXX back to characters; a "%" not followed by hex digits stays as it is.
Variant Unescape(Interpreter&, BuiltinArgs a) {
  if (a[0]->IsNull()) return *a[0];
  const std::string s = ToText(*a[0]);
  std::string out;
  for (size_t i = 0; i < s.size();) {
    if (s[i] == '%') {
      const bool wide = i + 1 < s.size() && (s[i + 1] == 'u' || s[i + 1] == 'U');
      const int32_t code = wide ? HexAt(s, i + 2, 4) : HexAt(s, i + 1, 2);
      if (code >= 0) {
        AppendCode(out, static_cast<uint32_t>(code));
        i += wide ? 6 : 3;
        continue;
      }
    }
    out += s[i++];
  }
  return Variant::String(std::move(out));
}

constexpr std::array<BuiltinInfo, 5> kCharacters{{
    {"chrw", 1, 1, ChrW},
    {"ascw", 1, 1, AscW},
    {"lenb", 1, 1, LenB},
    {"escape", 1, 1, Escape},
    {"unescape", 1, 1, Unescape},
}};

}  // namespace

std::span<const BuiltinInfo> CharacterBuiltins() {
  return kCharacters;
}

}  // namespace kavro::vbs
