#include "scripting/vbs/HostObject.h"

#include "scripting/vbs/TextCase.h"

namespace kavro::vbs {

void HostObject::AddProcedure(std::string_view name, std::function<void(HostArgs args)> procedure) {
  AddFunction(name, [procedure = std::move(procedure)](HostArgs args) {
    procedure(args);
    return Variant();
  });
}

void HostObject::AddFunction(std::string_view name, HostFunction function) {
  auto member = std::make_unique<HostMember>();
  member->name = std::string(name);
  member->call = std::move(function);
  members_[LowerCase(name)] = std::move(member);
}

const HostMember* HostObject::Find(std::string_view name) const {
  auto it = members_.find(LowerCase(name));
  return it == members_.end() ? nullptr : it->second.get();
}

}  // namespace kavro::vbs
