// Every built-in, and every member of the objects a script gets (Err, a Dictionary), driven with
// the extremes of every subtype: whatever a call gives, only a script error leaves it (caught by
// On Error Resume Next), the statement after it runs, and no call ends in "Internal error" (51),
// which only a fault inside the interpreter produces.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "TestHost.h"
#include "scripting/vbs/Builtins.h"
#include "scripting/vbs/Conversions.h"

namespace kavro::vbs::test {
namespace {

constexpr size_t kLongestText = 4096;

// Variables the calls pass: the values at the edges of each subtype.
const char* const kPrelude =
    "Dim emptyArr(), grid(1, 1)\n"
    "emptyArr = Array() : arr = Array(1, \"a\", Null)\n"
    "hugeX = String(4096, \"x\") : hugePct = String(4096, \"%\")\n"
    "minLong = CLng(-2147483647) - 1 : bigCur = CCur(922337203685477)\n"
    "bigSng = CSng(3.4E38) : tinySng = CSng(1.4E-45) : aByte = CByte(255)\n"
    "Set obj = console : Set nada = Nothing\n"
    "Set dict = CreateObject(\"Scripting.Dictionary\") : dict.Add 1, \"one\"\n";

// clang-format off
const std::vector<std::string> kExtremes{
    "Empty", "Null", "True", "0", "-1", "0.5", "1E307", "-1E307", "1E308", "-1E308", "1E-307",
    "32768", "-32769", "2147483648", "-2147483649", "minLong", "bigCur", "bigSng", "tinySng",
    "aByte", "\"\"", "hugeX", "hugePct", "\"1E307\"", "\"-1E308\"", "\"abc\"", "\"%u12%\"",
    "\"d\"", "\"12:00\"", "#1/1/100#", "#12/31/9999 23:59:59#", "emptyArr", "arr", "grid",
    "nada", "obj", "Err", "dict"};
// clang-format on

// What is called: the text up to its arguments and how many it takes (most -1: any). One that
// does not start "x = " is an assignment target and is given a value after its arguments.
struct Callable {
  std::string opening;
  int least;
  int most;
};

std::vector<Callable> Callables() {
  std::vector<Callable> all;
  for (const BuiltinInfo* b : AllBuiltins()) {
    all.push_back({std::string("x = ") + b->name + "(", b->minArgs, b->maxArgs});
  }
  for (const char* member :
       {"Add", "Exists", "Item", "Items", "Keys", "Remove", "RemoveAll", "Count", "CompareMode"}) {
    all.push_back({std::string("x = dict.") + member + "(", 0, 2});
  }
  for (const char* member : {"Number", "Description", "HelpContext", "Clear"}) {
    all.push_back({std::string("x = Err.") + member + "(", 0, 1});
  }
  all.push_back({"x = Err.Raise(", 0, 5});
  for (const char* target : {"dict(", "dict.Item(", "dict.Key("}) all.push_back({target, 1, 2});
  for (const char* target : {"dict.CompareMode(", "Err.Number(", "Err.Source("}) {
    all.push_back({target, 0, 1});
  }
  return all;
}

// The argument lists of one callable: each extreme at each position with the others plain (a
// number, then an interval text so that the date functions read on), and seeded random mixes.
std::vector<std::vector<std::string>> ArgumentLists(const Callable& c, std::mt19937& random) {
  const int most = c.most < 0 ? c.least + 4 : c.most;
  std::vector<std::vector<std::string>> lists;
  for (int n = c.least; n <= most; ++n) {
    const size_t count = static_cast<size_t>(n);
    for (const char* plain : {"1", "\"d\""}) {
      for (size_t at = 0; at < count; ++at) {
        for (const std::string& v : kExtremes) {
          std::vector<std::string> args(count, plain);
          args[at] = v;
          lists.push_back(std::move(args));
        }
      }
    }
    std::uniform_int_distribution<size_t> pick(0, kExtremes.size() - 1);
    for (int k = 0; k < (n > 1 ? 40 : 0); ++k) {
      std::vector<std::string> args;
      for (size_t i = 0; i < count; ++i) args.push_back(kExtremes[pick(random)]);
      lists.push_back(std::move(args));
    }
  }
  return lists;
}

TEST(BuiltinExtremes, NothingButScriptErrorsLeaveACallAndTheNextStatementRuns) {
  TestEngine t;
  ScriptLimits limits;
  limits.maxStringLength = kLongestText;
  t.engine.SetLimits(limits);
  t.engine.SetTimeLimit(60000);  // a call that never returns fails the test, not the run
  std::mt19937 random(20261207);
  std::vector<std::string> calls;
  std::string script = std::string("On Error Resume Next\n") + kPrelude;
  for (const Callable& c : Callables()) {
    const bool assigns = c.opening.rfind("x = ", 0) != 0;
    for (const auto& args : ArgumentLists(c, random)) {
      std::string call = c.opening;
      for (size_t i = 0; i < args.size(); ++i) call += (i > 0 ? ", " : "") + args[i];
      call += ")";
      if (assigns)
        call += " = " + (args.empty() ? kExtremes[calls.size() % kExtremes.size()] : args.front());
      script += call + "\nIf Err.Number = 51 Then Echo \"internal " + std::to_string(calls.size()) +
                "\"\nErr.Clear : n = n + 1\n";
      calls.push_back(call);
    }
  }
  ASSERT_NO_THROW(t.engine.AddCode(script)) << t.engine.LastError().description;
  EXPECT_EQ(ToLong(t.engine.GlobalValue("n")), static_cast<int32_t>(calls.size()));
  for (size_t at = t.log.find("internal "); at != std::string::npos;
       at = t.log.find("internal ", at + 1)) {
    ADD_FAILURE() << "Internal error from " << calls[std::stoul(t.log.substr(at + 9))];
  }
  // The engine runs the next text as usual.
  t.log.clear();
  t.engine.ExecuteStatement("Echo \"next run\", n > 0");
  EXPECT_EQ(t.log, "next run True\n");
}

}  // namespace
}  // namespace kavro::vbs::test
