// Script loops of one million iterations beside the same loops in Lua 5.4 (local variables),
// run as a separate lua5.4 process in the same benchmark run:
// - the cycle loop: arithmetic, a string built from a number and a host procedure call with
//   by-reference arguments;
// - the arithmetic loop: Double arithmetic and a string grown one character at a time, reset
//   past 100 characters, without host calls.
// Target: within 3 times Lua's time on both.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "scripting/vbs/Conversions.h"
#include "scripting/vbs/ScriptEngine.h"

namespace {

constexpr const char* kScript =
    "Dim x, s, v, e\n"
    "Sub Work()\n"
    "  Dim i\n"
    "  x = 0\n"
    "  For i = 1 To 1000000\n"
    "    x = x + i * 2 - (i Mod 7)\n"
    "    s = \"n\" & i\n"
    "    Call GET_INPVIN(1, v, e)\n"
    "  Next\n"
    "End Sub\n";

// The same work in Lua: the host procedure returns its outputs, Lua's way of passing by
// reference.
constexpr const char* kLua =
    "local function GET_INPVIN(ix, v, e) if ix >= 1 and ix <= 6 then return 12.5, 0 end "
    "return v, 1 end "
    "local x, s, v, e = 0, '', nil, nil "
    "for i = 1, 1000000 do "
    "  x = x + i * 2 - (i % 7) "
    "  s = 'n' .. i "
    "  v, e = GET_INPVIN(1, v, e) "
    "end "
    "if x ~= 999998000002 then os.exit(1) end";

constexpr const char* kArithmeticScript =
    "Dim acc, s\n"
    "Sub Arithmetic()\n"
    "  Dim i, a, t\n"
    "  a = 0 : t = \"\"\n"
    "  For i = 1 To 1000000\n"
    "    a = a + (i Mod 7) * 1.5 - i / 3 : t = t & \"x\"\n"
    "    If Len(t) > 100 Then t = \"\"\n"
    "  Next\n"
    "  acc = a : s = t\n"
    "End Sub\n";

constexpr const char* kArithmeticLua =
    "local acc, s = 0, '' "
    "for i = 1, 1000000 do "
    "  acc = acc + (i % 7) * 1.5 - i / 3 "
    "  s = s .. 'x' "
    "  if #s > 100 then s = '' end "
    "end "
    "if math.abs(acc + 166662333336.333) > 1 or #s ~= 100 then os.exit(1) end";

void RunLua(benchmark::State& state, const char* code) {
  const std::string command = "lua5.4 -e \"" + std::string(code) + "\"";
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) {
      state.SkipWithError("lua5.4 failed, gave a wrong result or is missing");
      break;
    }
  }
}

void BM_VbsLoop(benchmark::State& state) {
  using namespace kavro::vbs;
  ScriptEngine engine;
  engine.SetLanguage("VBScript");
  auto share = std::make_shared<HostObject>("Controller");
  share->AddProcedure("GET_INPVIN", [](HostArgs args) {
    const double ix = ToDouble(*args[0]);
    if (ix < 1 || ix > 6) {
      *args[2] = Variant::Integer(1);
      return;
    }
    *args[1] = Variant::Single(12.5f);
    *args[2] = Variant::Integer(0);
  });
  engine.AddObject("share", share);
  engine.AddCode(kScript);
  for (auto _ : state) engine.ExecuteStatement("Work");
  if (ToDouble(engine.GlobalValue("x")) != 999998000002.0) {
    state.SkipWithError("wrong result");
  }
}
BENCHMARK(BM_VbsLoop)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Lua54Loop(benchmark::State& state) {
  RunLua(state, kLua);
}
BENCHMARK(BM_Lua54Loop)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_VbsArithmeticLoop(benchmark::State& state) {
  using namespace kavro::vbs;
  ScriptEngine engine;
  engine.SetLanguage("VBScript");
  engine.AddCode(kArithmeticScript);
  for (auto _ : state) engine.ExecuteStatement("Arithmetic");
  if (std::abs(ToDouble(engine.GlobalValue("acc")) + 166662333336.333) > 1 ||
      ToText(engine.GlobalValue("s")).size() != 100) {
    state.SkipWithError("wrong result");
  }
}
BENCHMARK(BM_VbsArithmeticLoop)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Lua54ArithmeticLoop(benchmark::State& state) {
  RunLua(state, kArithmeticLua);
}
BENCHMARK(BM_Lua54ArithmeticLoop)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
