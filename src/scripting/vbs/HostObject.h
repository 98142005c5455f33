#pragma once
// An object the host registers with an engine: a set of named procedures. Each procedure gets
// its arguments by reference (a script variable passed as an argument is changed by writing to
// the Variant) and may raise a script error by throwing ScriptError.
#include <functional>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "scripting/vbs/Variant.h"

namespace kavro::vbs {

using HostArgs = std::span<Variant* const>;
using HostFunction = std::function<Variant(HostArgs args)>;

struct HostMember {
  std::string name;  // as registered
  HostFunction call;
};

class HostObject {
 public:
  explicit HostObject(std::string typeName = "Object") : typeName_(std::move(typeName)) {}

  // A procedure without a result (what the data-access procedures are).
  void AddProcedure(std::string_view name, std::function<void(HostArgs args)> procedure);
  // A procedure with a result, usable in expressions.
  void AddFunction(std::string_view name, HostFunction function);

  // The member of that name, ignoring letter case; nullptr when there is none.
  const HostMember* Find(std::string_view name) const;
  const std::map<std::string, std::unique_ptr<HostMember>>& Members() const { return members_; }
  const std::string& TypeName() const { return typeName_; }

 private:
  std::string typeName_;
  std::map<std::string, std::unique_ptr<HostMember>> members_;  // by lower-case name
};

}  // namespace kavro::vbs
