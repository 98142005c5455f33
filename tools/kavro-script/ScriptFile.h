#pragma once
// Reading a script file the way the controller loads one: the status line and the date line
// (any line that holds a status text, or that is nothing but a date or a time) are dropped,
// leading empty lines too, and the rest is joined with CR LF.
#include <optional>
#include <string>
#include <string_view>

namespace kavro::script {

struct ScriptText {
  std::string text;              // the executable lines joined with CR LF
  std::optional<bool> statusOn;  // what the file's status line said, if it had one
};

ScriptText ExtractScriptText(std::string_view fileContents);

}  // namespace kavro::script
