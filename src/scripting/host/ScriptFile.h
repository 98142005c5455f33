#pragma once
// Script files FLC_Pre.scp / FLC_Post.scp: a status line, the date line of the save, then the
// script text, every line ended by CR LF.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/DateText.h"
#include "common/ports/FileSystem.h"
#include "scripting/host/ScriptKind.h"

namespace kavro {

struct ScriptFileContent {
  std::string text;                // the kept lines joined with CR LF; empty = no script
  std::optional<bool> switchedOn;  // what the last status line said; nothing without one
  std::vector<int> fileLines;      // file line number (from 1) of each line of text
};

// Reads a script file's bytes line by line (CR LF, LF or a lone CR end a line). A line holding
// the kind's status text anywhere (exact case) sets the switch and is dropped; a line that is a
// date or a time and nothing else is dropped; empty lines before the first kept line are
// dropped; every other line is kept as it is.
ScriptFileContent ReadScriptFile(std::string_view bytes, ScriptKind kind);

// The file line of line textLine (from 1) of a script's text, so that an error names the line
// an engineer sees in the file; textLine itself when it is not a line of the text (0: unknown).
int FileLineOf(const std::vector<int>& fileLines, int textLine);

// The bytes the editors save: status line, date line, then text with its line ends made CR LF
// and a final CR LF.
std::string ScriptFileBytes(ScriptKind kind, std::string_view text, bool switchedOn,
                            const DateTime& savedAt);

// Saves a script to WorkDir through a temporary file renamed into place, so the old file stays
// whole when the write fails. Throws KavroError 75 "Path/File access error ..." on failure.
void WriteScriptFile(FileSystem& files, const std::string& workDir, ScriptKind kind,
                     std::string_view text, bool switchedOn, const DateTime& savedAt);

}  // namespace kavro
