#pragma once
// The simulator's side of the link files: it reads the controller's .Tag and .OUT files and
// writes .IN, in the controller's layouts (CR LF line ends, quoted texts, plain numbers).
#include <optional>
#include <string>
#include <vector>

#include "common/DateText.h"

namespace kavro::plantsim {

struct TagLists {
  std::vector<std::string> read;   // in the order of the .IN value lines
  std::vector<std::string> write;  // in the order of the .OUT value lines
};

// The tag lists of a .Tag file; throws std::runtime_error for a file not in that layout.
TagLists ParseTagFile(const std::string& text);

// What an .OUT file asks: RUN or STOP, the link frequency, and one value per write tag present
// (nothing for an X).
struct OutputRequest {
  bool stop = false;
  int linkFrequency = 0;
  std::vector<std::optional<double>> values;
};

// Nothing when the text is not a complete .OUT file.
std::optional<OutputRequest> ParseOutputFile(const std::string& text);

// The .IN file: a header of Name1, date and time, then one value per read tag.
std::string InputFileText(const std::string& name1, const DateTime& now,
                          const std::vector<double>& values);

}  // namespace kavro::plantsim
