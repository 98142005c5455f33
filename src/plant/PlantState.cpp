// The simulator's state file: plain text, one named field per line, numbers written in the C
// locale with all their digits so that a restored plant goes on exactly where it stopped.
#include <deque>
#include <locale>
#include <sstream>

#include "plant/PlantSimulation.h"

namespace kavro {
namespace {

constexpr const char* kHeader = "kavro-plantsim state 1";

template <typename Values>
void WriteList(std::ostream& out, const char* name, const Values& values) {
  out << name << ' ' << values.size();
  for (double v : values) out << ' ' << v;
  out << '\n';
}

template <typename Values>
bool ReadList(std::istream& in, const char* name, Values& values, std::size_t expected) {
  std::string word;
  std::size_t count = 0;
  if (!(in >> word >> count) || word != name || count != expected) return false;
  Values read(count);
  for (auto& v : read) {
    if (!(in >> v)) return false;
  }
  values = std::move(read);
  return true;
}

}  // namespace

std::string PlantSimulation::SaveState(const std::string& planKey) const {
  std::ostringstream out;
  out.imbue(std::locale::classic());
  out.precision(17);
  out << kHeader << '\n' << "plant " << planKey << '\n' << "time " << time_ << '\n';
  WriteList(out, "outputs", outputs_);
  WriteList(out, "inputs", inputs_);
  WriteList(out, "responses", responses_);
  for (const auto& past : outputPast_) WriteList(out, "past", past);
  out << "written " << written_.size() << '\n';
  for (const auto& [tag, value] : written_) out << tag << '\n' << value << '\n';
  out << "random " << random_ << '\n';
  return out.str();
}

bool PlantSimulation::RestoreState(const std::string& text, const std::string& planKey) {
  std::istringstream in(text);
  in.imbue(std::locale::classic());
  std::string line;
  if (!std::getline(in, line) || line != kHeader) return false;
  if (!std::getline(in, line) || line != "plant " + planKey) return false;
  // Everything is read into a copy first: a damaged file changes nothing.
  PlantSimulation copy = *this;
  std::string word;
  if (!(in >> word >> copy.time_) || word != "time") return false;
  if (!ReadList(in, "outputs", copy.outputs_, outputs_.size()) ||
      !ReadList(in, "inputs", copy.inputs_, inputs_.size()) ||
      !ReadList(in, "responses", copy.responses_, responses_.size())) {
    return false;
  }
  for (auto& past : copy.outputPast_) {
    std::size_t count = 0;
    if (!(in >> word >> count) || word != "past" || count > 100000) return false;
    std::deque<double> read(count);
    for (auto& v : read) {
      if (!(in >> v)) return false;
    }
    past = std::move(read);
  }
  std::size_t written = 0;
  if (!(in >> word >> written) || word != "written" || written > 10000) return false;
  copy.written_.clear();
  std::getline(in, line);  // the rest of the count's line
  for (std::size_t n = 0; n < written; ++n) {
    // A tag is a whole line and may be blank; its value is the next line.
    std::string tag;
    std::string valueLine;
    if (!std::getline(in, tag) || !std::getline(in, valueLine)) return false;
    std::istringstream valueText(valueLine);
    valueText.imbue(std::locale::classic());
    double value = 0;
    if (!(valueText >> value)) return false;
    copy.written_[tag] = value;
  }
  if (!(in >> word >> copy.random_) || word != "random") return false;
  *this = std::move(copy);
  return true;
}

}  // namespace kavro
