#include "scripting/host/ScriptKind.h"

namespace kavro {

const ScriptNames& NamesOf(ScriptKind kind) {
  static const ScriptNames pre{"FLC_Pre.scp", "Status PreProcess = ON", "Status PreProcess = OFF"};
  static const ScriptNames post{"FLC_Post.scp", "Status PostProcess = ON",
                                "Status PostProcess = OFF"};
  return kind == ScriptKind::Pre ? pre : post;
}

std::string ScriptPath(const std::string& workDir, ScriptKind kind) {
  return workDir + "/" + NamesOf(kind).fileName;
}

}  // namespace kavro
