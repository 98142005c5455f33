#include "plant/PlantDescription.h"

#include <map>
#include <sstream>
#include <stdexcept>

#include "common/NumberText.h"
#include "config/ConfigLines.h"

namespace kavro {
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
  std::size_t Line() const { return line_; }

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

// Which line first gave each (statement, tag): a second one is refused naming both lines.
class FirstLines {
 public:
  void Claim(const std::string& keyword, const std::string& tag, const StatementReader& r) {
    const auto [at, added] = lines_.emplace(keyword + '\n' + tag, r.Line());
    if (!added) {
      r.Fail(keyword + " " + tag + " is given twice, on line " + std::to_string(at->second) +
             " and on line " + std::to_string(r.Line()));
    }
  }

 private:
  std::map<std::string, std::size_t> lines_;
};

void NotNegative(double value, const char* what, const StatementReader& r) {
  if (value < 0) r.Fail(std::string("negative ") + what);
}

// The statements that add to one input's value: disturbance, step, ramp and noise.
void ReadInputChange(const std::string& keyword, const StatementReader& r,
                     PlantDescription& plant, FirstLines& first) {
  if (keyword == "disturbance") r.Expect(3, "disturbance INPUTTAG AMPLITUDE PERIOD");
  if (keyword == "step") r.Expect(3, "step INPUTTAG AMPLITUDE TIME");
  if (keyword == "ramp") r.Expect(4, "ramp INPUTTAG RATE FROM TO");
  if (keyword == "noise") r.Expect(2, "noise INPUTTAG STDDEV");
  PlantInput& in = plant.inputs[IndexOf(plant.inputs, r.Text(1), &PlantInput::tag, r, "input")];
  if (keyword == "disturbance") {
    in.disturbances.push_back({r.Number(2), r.Number(3)});
  } else if (keyword == "step") {
    NotNegative(r.Number(3), "time", r);
    in.steps.push_back({r.Number(2), r.Number(3)});
  } else if (keyword == "ramp") {
    NotNegative(r.Number(3), "time", r);
    if (r.Number(4) < r.Number(3)) r.Fail("TO is before FROM");
    in.ramps.push_back({r.Number(2), r.Number(3), r.Number(4)});
  } else {
    first.Claim(keyword, r.Text(1), r);
    in.noise = r.Number(2);
    NotNegative(in.noise, "noise", r);
  }
}

}  // namespace

PlantDescription ParsePlantDescription(const std::string& text) {
  PlantDescription plant;
  FirstLines first;
  const std::vector<std::string> lines = SplitConfigLines(text);
  for (std::size_t n = 0; n < lines.size(); ++n) {
    std::vector<std::string> words = Words(lines[n]);
    if (words.empty()) continue;
    const std::string keyword = words[0];
    const StatementReader r(n + 1, std::move(words));
    if (keyword == "input") {
      r.Expect(2, "input TAG START");
      first.Claim(keyword, r.Text(1), r);
      plant.inputs.push_back({r.Text(1), r.Number(2), {}, {}, {}, 0});
    } else if (keyword == "output") {
      r.Expect(5, "output PVTAG SPTAG START LOW HIGH");
      first.Claim(keyword, r.Text(1), r);
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
    } else if (keyword == "disturbance" || keyword == "step" || keyword == "ramp" ||
               keyword == "noise") {
      ReadInputChange(keyword, r, plant, first);
    } else if (keyword == "value") {
      r.Expect(2, "value TAG NUMBER");
      first.Claim(keyword, r.Text(1), r);
      plant.values.push_back({r.Text(1), r.Number(2)});
    } else if (keyword == "scale") {
      r.Expect(2, "scale GAINFACTOR TIMEFACTOR");
      first.Claim(keyword, "", r);
      plant.gainScale = r.Number(1);
      plant.timeScale = r.Number(2);
      if (!(plant.gainScale > 0) || !(plant.timeScale > 0)) r.Fail("a factor is not above 0");
    } else if (keyword == "seed") {
      r.Expect(1, "seed NUMBER");
      first.Claim(keyword, "", r);
      const double seed = r.Number(1);
      if (seed < 0 || seed > 4294967295.0) r.Fail("seed outside 0..4294967295");
      plant.seed = static_cast<uint32_t>(seed);
    } else {
      r.Fail("unknown statement " + keyword);
    }
  }
  return plant;
}

PlantResponse ScaledResponse(const PlantDescription& plant, const PlantResponse& response) {
  PlantResponse scaled = response;
  scaled.gain *= plant.gainScale;
  scaled.timeConstant *= plant.timeScale;
  scaled.deadTime *= plant.timeScale;
  return scaled;
}

}  // namespace kavro
