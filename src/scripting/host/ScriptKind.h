#pragma once
// The two user scripts and the names that tell them apart: the twin routines of the script host
// differ only in these.
#include <string>

namespace kavro {

enum class ScriptKind { Pre, Post };

struct ScriptNames {
  const char* fileName;   // in WorkDir
  const char* statusOn;   // status line of a script saved ON
  const char* statusOff;  // status line of a script saved OFF
};

const ScriptNames& NamesOf(ScriptKind kind);

// WorkDir + "/" + the script's file name.
std::string ScriptPath(const std::string& workDir, ScriptKind kind);

}  // namespace kavro
