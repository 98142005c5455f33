#include "scripting/vbs/Builtins.h"

#include <algorithm>
#include <array>
#include <string>
#include <unordered_map>

#include "scripting/vbs/BuiltinSupport.h"
#include "scripting/vbs/Interpreter.h"

namespace kavro::vbs {
namespace {

using namespace builtin;

Variant MsgBoxFn(Interpreter& it, BuiltinArgs args) {
  const std::string prompt = ToText(*args[0]);
  const int32_t buttons = LongArg(args, 1, 0);
  const std::string title = Given(args, 2) ? ToText(*args[2]) : std::string("VBScript");
  const int answer = it.ui ? it.ui->MsgBox(prompt, buttons, title) : 1;
  return Variant::Integer(static_cast<int16_t>(answer));
}

Variant InputBoxFn(Interpreter& it, BuiltinArgs args) {
  const std::string prompt = ToText(*args[0]);
  const std::string title = Given(args, 1) ? ToText(*args[1]) : std::string("VBScript");
  const std::string initial = Given(args, 2) ? ToText(*args[2]) : std::string();
  return Variant::String(it.ui ? it.ui->InputBox(prompt, title, initial) : std::string());
}

// The engine names itself as the language's own engine of the version whose behaviour it keeps.
Variant ScriptEngineFn(Interpreter&, BuiltinArgs) {
  return Variant::String("VBScript");
}
Variant MajorVersion(Interpreter&, BuiltinArgs) {
  return Variant::Long(5);
}
Variant MinorVersion(Interpreter&, BuiltinArgs) {
  return Variant::Long(8);
}
Variant BuildVersion(Interpreter&, BuiltinArgs) {
  return Variant::Long(16384);
}

constexpr std::array<BuiltinInfo, 6> kHostBuiltins{{
    {"msgbox", 1, 5, MsgBoxFn},
    {"inputbox", 1, 7, InputBoxFn},
    {"scriptengine", 0, 0, ScriptEngineFn},
    {"scriptenginemajorversion", 0, 0, MajorVersion},
    {"scriptengineminorversion", 0, 0, MinorVersion},
    {"scriptenginebuildversion", 0, 0, BuildVersion},
}};

std::unordered_map<std::string, const BuiltinInfo*> BuildIndex() {
  std::unordered_map<std::string, const BuiltinInfo*> index;
  for (auto part : {MathBuiltins(), ConversionBuiltins(), StringBuiltins(), DateBuiltins(),
                    ArrayBuiltins(), FormatBuiltins(), CharacterBuiltins(), ObjectBuiltins(),
                    std::span<const BuiltinInfo>(kHostBuiltins)}) {
    for (const BuiltinInfo& b : part) index[b.name] = &b;
  }
  return index;
}

std::unordered_map<std::string, Variant> BuildConstants() {
  std::unordered_map<std::string, Variant> c;
  c["vbcrlf"] = Variant::String("\r\n");
  c["vbnewline"] = Variant::String("\r\n");
  c["vbcr"] = Variant::String("\r");
  c["vblf"] = Variant::String("\n");
  c["vbtab"] = Variant::String("\t");
  c["vbnullstring"] = Variant::String("");
  c["vbnullchar"] = Variant::String(std::string(1, '\0'));
  c["vbformfeed"] = Variant::String("\f");
  c["vbverticaltab"] = Variant::String("\v");
  c["vbobjecterror"] = Variant::Long(-2147221504);
  static constexpr std::array<std::pair<const char*, int16_t>, 59> kNumbers{{
      {"vbbinarycompare", 0},
      {"vbtextcompare", 1},
      {"vbdatabasecompare", 2},
      {"vbdataobject", 13},
      {"vbdecimal", 14},
      {"vbokonly", 0},
      {"vbokcancel", 1},
      {"vbabortretryignore", 2},
      {"vbyesnocancel", 3},
      {"vbyesno", 4},
      {"vbretrycancel", 5},
      {"vbcritical", 16},
      {"vbquestion", 32},
      {"vbexclamation", 48},
      {"vbinformation", 64},
      {"vbdefaultbutton1", 0},
      {"vbdefaultbutton2", 256},
      {"vbdefaultbutton3", 512},
      {"vbdefaultbutton4", 768},
      {"vbapplicationmodal", 0},
      {"vbsystemmodal", 4096},
      {"vbok", 1},
      {"vbcancel", 2},
      {"vbabort", 3},
      {"vbretry", 4},
      {"vbignore", 5},
      {"vbyes", 6},
      {"vbno", 7},
      {"vbusedefault", -2},
      {"vbtrue", -1},
      {"vbfalse", 0},
      {"vbempty", 0},
      {"vbnull", 1},
      {"vbinteger", 2},
      {"vblong", 3},
      {"vbsingle", 4},
      {"vbdouble", 5},
      {"vbcurrency", 6},
      {"vbdate", 7},
      {"vbstring", 8},
      {"vbobject", 9},
      {"vberror", 10},
      {"vbboolean", 11},
      {"vbvariant", 12},
      {"vbbyte", 17},
      {"vbarray", 8192},
      {"vbusesystemdayofweek", 0},
      {"vbsunday", 1},
      {"vbmonday", 2},
      {"vbtuesday", 3},
      {"vbwednesday", 4},
      {"vbthursday", 5},
      {"vbfriday", 6},
      {"vbsaturday", 7},
      {"vbgeneraldate", 0},
      {"vbusesystem", 0},
      {"vbfirstjan1", 1},
      {"vbfirstfourdays", 2},
      {"vbfirstfullweek", 3},
  }};
  for (const auto& [name, value] : kNumbers) c[name] = Variant::Integer(value);
  static constexpr std::array<std::pair<const char*, int32_t>, 4> kMsgBoxFlags{{
      {"vbmsgboxhelpbutton", 16384},
      {"vbmsgboxsetforeground", 65536},
      {"vbmsgboxright", 524288},
      {"vbmsgboxrtlreading", 1048576},
  }};
  for (const auto& [name, value] : kMsgBoxFlags) c[name] = Variant::Long(value);
  // Colours are Long values (blue in the high byte).
  static constexpr std::array<std::pair<const char*, int32_t>, 8> kColours{{
      {"vbblack", 0x000000},
      {"vbred", 0x0000FF},
      {"vbgreen", 0x00FF00},
      {"vbyellow", 0x00FFFF},
      {"vbblue", 0xFF0000},
      {"vbmagenta", 0xFF00FF},
      {"vbcyan", 0xFFFF00},
      {"vbwhite", 0xFFFFFF},
  }};
  for (const auto& [name, value] : kColours) c[name] = Variant::Long(value);
  c["vblongdate"] = Variant::Integer(1);
  c["vbshortdate"] = Variant::Integer(2);
  c["vblongtime"] = Variant::Integer(3);
  c["vbshorttime"] = Variant::Integer(4);
  return c;
}

const std::unordered_map<std::string, const BuiltinInfo*>& Index() {
  static const auto index = BuildIndex();
  return index;
}

}  // namespace

const BuiltinInfo* FindBuiltin(std::string_view lowerName) {
  auto found = Index().find(std::string(lowerName));
  return found == Index().end() ? nullptr : found->second;
}

std::vector<const BuiltinInfo*> AllBuiltins() {
  std::vector<const BuiltinInfo*> all;
  for (const auto& [name, info] : Index()) all.push_back(info);
  std::sort(all.begin(), all.end(), [](const BuiltinInfo* a, const BuiltinInfo* b) {
    return std::string_view(a->name) < std::string_view(b->name);
  });
  return all;
}

const Variant* FindBuiltinConstant(std::string_view lowerName) {
  static const auto constants = BuildConstants();
  auto found = constants.find(std::string(lowerName));
  return found == constants.end() ? nullptr : &found->second;
}

bool IsExcludedBuiltin(std::string_view lowerName) {
  static constexpr std::array<std::string_view, 7> kExcluded{
      "getobject", "eval", "execute", "executeglobal", "getref", "loadpicture", "setlocale"};
  for (auto name : kExcluded) {
    if (name == lowerName) return true;
  }
  return false;
}

}  // namespace kavro::vbs
