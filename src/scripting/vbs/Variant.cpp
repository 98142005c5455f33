#include "scripting/vbs/Variant.h"

namespace kavro::vbs {

const std::string& Variant::NoText() {
  static const std::string none;
  return none;
}

const std::shared_ptr<HostObject>& Variant::NoObject() {
  static const std::shared_ptr<HostObject> none;
  return none;
}

void Variant::CopyOwned(const Variant& other) {
  switch (type_) {
    case VarType::String:
      new (&own_.str) std::string(other.own_.str);
      break;
    case VarType::Array:
      new (&own_.array) std::unique_ptr<ArrayData>(
          other.own_.array ? std::make_unique<ArrayData>(*other.own_.array) : nullptr);
      break;
    default:
      new (&own_.object) std::shared_ptr<HostObject>(other.own_.object);
      break;
  }
}

void Variant::DestroyOwned() noexcept {
  switch (type_) {
    case VarType::String:
      own_.str.~basic_string();
      break;
    case VarType::Array:
      own_.array.~unique_ptr();
      break;
    default:
      own_.object.~shared_ptr();
      break;
  }
}

Variant& Variant::AssignOwned(const Variant& other) {
  if (this == &other) return *this;
  Variant copy(other);
  *this = std::move(copy);
  return *this;
}

Variant& Variant::MoveAssignOwned(Variant& other) noexcept {
  // other may live inside what this variable holds (an element of its array): taken out first,
  // it outlives the old value.
  Variant taken(std::move(other));
  DestroyOwned();
  type_ = taken.type_;
  owns_ = taken.owns_;
  num_ = taken.num_;
  if (taken.OwnsMemory()) MoveOwned(taken);
  return *this;
}

Variant Variant::MakeNull() {
  Variant v;
  v.type_ = VarType::Null;
  return v;
}

Variant Variant::String(std::string text) {
  Variant v;
  v.type_ = VarType::String;
  v.owns_ = true;
  new (&v.own_.str) std::string(std::move(text));
  return v;
}

Variant Variant::Array(std::unique_ptr<ArrayData> data) {
  Variant v;
  v.type_ = VarType::Array;
  v.owns_ = true;
  new (&v.own_.array) std::unique_ptr<ArrayData>(std::move(data));
  return v;
}

Variant Variant::Object(std::shared_ptr<HostObject> object) {
  Variant v;
  v.type_ = VarType::Object;
  v.owns_ = true;
  new (&v.own_.object) std::shared_ptr<HostObject>(std::move(object));
  return v;
}

bool Variant::IsNumber() const {
  switch (type_) {
    case VarType::Boolean:
    case VarType::Byte:
    case VarType::Integer:
    case VarType::Long:
    case VarType::Single:
    case VarType::Double:
    case VarType::Currency:
    case VarType::Date:
      return true;
    default:
      return false;
  }
}

}  // namespace kavro::vbs
