#pragma once
// CSV as every file the controller exports writes it (trend history, control surface, replay
// results), so a spreadsheet reads them all alike: a field is quoted when it holds a comma, a
// quote or a line break, and a quote inside is doubled. Spaces are part of the field and are
// kept as they are, unquoted. Line ends are the caller's: each file keeps its own.
#include <string>
#include <string_view>

namespace kavro {

std::string CsvField(std::string_view text);
// Appends a comma, then text as a field.
void AppendCsvField(std::string& line, std::string_view text);

}  // namespace kavro
