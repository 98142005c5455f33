// Runs every cases/<name>.vbs and compares what it printed with cases/<name>.out.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "TestHost.h"

namespace kavro::vbs::test {
namespace {

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> CaseNames() {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(VBS_CASES_DIR)) {
    if (entry.path().extension() == ".vbs") names.push_back(entry.path().stem().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

class Conformance : public ::testing::TestWithParam<std::string> {};

TEST_P(Conformance, ScriptPrintsExpectedOutput) {
  const std::filesystem::path dir(VBS_CASES_DIR);
  const std::string script = ReadFile(dir / (GetParam() + ".vbs"));
  const std::string expected = ReadFile(dir / (GetParam() + ".out"));
  ASSERT_FALSE(expected.empty()) << "missing " << GetParam() << ".out";
  TestEngine engine;
  engine.ui.inputs = {"typed text"};
  EXPECT_EQ(engine.Run(script), expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, Conformance, ::testing::ValuesIn(CaseNames()),
                         [](const auto& info) { return info.param; });

}  // namespace
}  // namespace kavro::vbs::test
