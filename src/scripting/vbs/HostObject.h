#pragma once
// An object a script reaches: one the host registers, or one the engine makes for the script
// (Err, a Dictionary). It is a set of named members. A member's call gets its arguments by
// reference (a script variable passed as an argument is changed by writing to the Variant) and
// may raise a script error by throwing ScriptError; a property has a setter as well, which
// `object.Name(args) = value` calls.
#include <functional>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "scripting/vbs/Variant.h"

namespace kavro::vbs {

using HostArgs = std::span<Variant* const>;
using HostFunction = std::function<Variant(HostArgs args)>;
using HostSetter = std::function<void(HostArgs args, const Variant& value)>;

struct HostMember {
  std::string name;  // as registered
  HostFunction call;
  HostSetter put;  // empty: the member cannot be assigned to
};

class HostObject {
 public:
  explicit HostObject(std::string typeName = "Object") : typeName_(std::move(typeName)) {}
  virtual ~HostObject() = default;
  HostObject(const HostObject&) = delete;
  HostObject& operator=(const HostObject&) = delete;

  // A procedure without a result (what the data-access procedures are).
  void AddProcedure(std::string_view name, std::function<void(HostArgs args)> procedure);
  // A procedure with a result, usable in expressions.
  void AddFunction(std::string_view name, HostFunction function);
  // A property: read as a function, assigned through put.
  void AddProperty(std::string_view name, HostFunction get, HostSetter put);
  // The member that stands for the object where a value is wanted ("x = Err" reads
  // Err.Number) and that "object(args)" calls.
  void SetDefaultMember(std::string_view name);

  // The member of that name, ignoring letter case; nullptr when there is none.
  const HostMember* Find(std::string_view name) const;
  const HostMember* DefaultMember() const { return default_; }
  const std::map<std::string, std::unique_ptr<HostMember>, std::less<>>& Members() const {
    return members_;
  }
  const std::string& TypeName() const { return typeName_; }

  // For Each over the object: the values it gives, or false when it is no collection.
  virtual bool Enumerate(std::vector<Variant>& items) const;
  // Bytes of script values the object holds (the engine counts them against its budget).
  virtual size_t HeldBytes() const { return 0; }
  // Lets go of the script values it holds: the engine calls it when it forgets its code, so
  // that objects holding each other are freed.
  virtual void Release() {}

 private:
  HostMember& Add(std::string_view name);

  std::string typeName_;
  std::map<std::string, std::unique_ptr<HostMember>, std::less<>> members_;  // by lower case
  const HostMember* default_ = nullptr;
};

// The value an object stands for where a value is wanted: its default member called without
// arguments (Err gives Err.Number); any other value as it is. An object without a default
// member is returned as it is, for the caller's own error.
const Variant& PlainValue(const Variant& value, Variant& scratch);

}  // namespace kavro::vbs
