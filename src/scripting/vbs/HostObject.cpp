#include "scripting/vbs/HostObject.h"

#include <algorithm>

#include "scripting/vbs/TextCase.h"

namespace kavro::vbs {

HostMember& HostObject::Add(std::string_view name) {
  auto member = std::make_unique<HostMember>();
  member->name = std::string(name);
  HostMember& added = *member;
  members_[LowerCase(name)] = std::move(member);
  return added;
}

void HostObject::AddProcedure(std::string_view name, std::function<void(HostArgs args)> procedure) {
  AddFunction(name, [procedure = std::move(procedure)](HostArgs args) {
    procedure(args);
    return Variant();
  });
}

void HostObject::AddFunction(std::string_view name, HostFunction function) {
  Add(name).call = std::move(function);
}

void HostObject::AddProperty(std::string_view name, HostFunction get, HostSetter put) {
  HostMember& member = Add(name);
  member.call = std::move(get);
  member.put = std::move(put);
}

void HostObject::SetDefaultMember(std::string_view name) {
  default_ = Find(name);
}

const HostMember* HostObject::Find(std::string_view name) const {
  // Names in code are mostly looked up in lower case already: no copy for those.
  const bool lower =
      std::none_of(name.begin(), name.end(), [](char c) { return c != LowerChar(c); });
  auto it = lower ? members_.find(name) : members_.find(LowerCase(name));
  return it == members_.end() ? nullptr : it->second.get();
}

bool HostObject::Enumerate(std::vector<Variant>&) const {
  return false;
}

const Variant& PlainValue(const Variant& value, Variant& scratch) {
  if (!value.IsObject() || !value.ObjectValue()) return value;
  const HostMember* member = value.ObjectValue()->DefaultMember();
  if (!member) return value;
  // The object stays alive while its member runs, whatever the member does to the variable.
  const std::shared_ptr<HostObject> keep = value.ObjectValue();
  scratch = member->call(HostArgs());
  return scratch;
}

}  // namespace kavro::vbs
