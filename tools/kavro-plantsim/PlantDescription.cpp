#include "PlantDescription.h"

#include <sstream>
#include <stdexcept>

#include "common/NumberText.h"
#include "config/ConfigLines.h"

namespace kavro::plantsim {
namespace {

std::vector<std::string> Words(const std::string& line) {
  std::istringstream in(line.substr(0, line.find('#')));
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

class StatementReader {
 public:
  StatementReader(std::size_t lineNumber, std::vector<std::string> words)
      : line_(lineNumber), words_(std::move(words)) {}

  [[noreturn]] void Fail(const std::string& what) const {
    throw std::runtime_error("plant.txt line " + std::to_string(line_) + ": " + what);
  }
  void Expect(std::size_t fields, const char* form) const {
    if (words_.size() != fields + 1) Fail("expected " + std::string(form));
  }
  const std::string& Text(std::size_t field) const { return words_[field]; }
  double Number(std::size_t field) const {
    if (!IsNumeric(words_[field])) Fail("\"" + words_[field] + "\" is not a number");
    return ToNumber(words_[field]);
  }

 private:
  std::size_t line_;
  std::vector<std::string> words_;
};

template <typename Item>
std::size_t IndexOf(const std::vector<Item>& items, const std::string& tag,
                    std::string Item::*field, const StatementReader& reader, const char* kind) {
  for (std::size_t n = 0; n < items.size(); ++n) {
    if (items[n].*field == tag) return n;
  }
  reader.Fail("no " + std::string(kind) + " named " + tag + " above this line");
}

}  // namespace

PlantDescription ParsePlantDescription(const std::string& text) {
  PlantDescription plant;
  const std::vector<std::string> lines = SplitConfigLines(text);
  for (std::size_t n = 0; n < lines.size(); ++n) {
    std::vector<std::string> words = Words(lines[n]);
    if (words.empty()) continue;
    const std::string keyword = words[0];
    const StatementReader r(n + 1, std::move(words));
    if (keyword == "input") {
      r.Expect(2, "input TAG START");
      plant.inputs.push_back({r.Text(1), r.Number(2)});
    } else if (keyword == "output") {
      r.Expect(5, "output PVTAG SPTAG START LOW HIGH");
      PlantOutput out{r.Text(1), r.Text(2), r.Number(3), r.Number(4), r.Number(5)};
      if (out.low > out.high) r.Fail("LOW is above HIGH");
      plant.outputs.push_back(out);
    } else if (keyword == "response") {
      r.Expect(5, "response INPUTTAG OUTPUTPVTAG GAIN TIMECONSTANT DEADTIME");
      PlantResponse response;
      response.input = IndexOf(plant.inputs, r.Text(1), &PlantInput::tag, r, "input");
      response.output = IndexOf(plant.outputs, r.Text(2), &PlantOutput::pvTag, r, "output");
      response.gain = r.Number(3);
      response.timeConstant = r.Number(4);
      response.deadTime = r.Number(5);
      if (response.timeConstant < 0 || response.deadTime < 0) r.Fail("negative time");
      plant.responses.push_back(response);
    } else if (keyword == "disturbance") {
      r.Expect(3, "disturbance INPUTTAG AMPLITUDE PERIOD");
      PlantInput& in = plant.inputs[IndexOf(plant.inputs, r.Text(1), &PlantInput::tag, r, "input")];
      in.disturbanceAmplitude = r.Number(2);
      in.disturbancePeriod = r.Number(3);
    } else if (keyword == "noise") {
      r.Expect(2, "noise INPUTTAG STDDEV");
      PlantInput& in = plant.inputs[IndexOf(plant.inputs, r.Text(1), &PlantInput::tag, r, "input")];
      in.noise = r.Number(2);
      if (in.noise < 0) r.Fail("negative noise");
    } else if (keyword == "value") {
      r.Expect(2, "value TAG NUMBER");
      plant.values.push_back({r.Text(1), r.Number(2)});
    } else if (keyword == "seed") {
      r.Expect(1, "seed NUMBER");
      const double seed = r.Number(1);
      if (seed < 0 || seed > 4294967295.0) r.Fail("seed outside 0..4294967295");
      plant.seed = static_cast<uint32_t>(seed);
    } else {
      r.Fail("unknown statement " + keyword);
    }
  }
  return plant;
}

}  // namespace kavro::plantsim
