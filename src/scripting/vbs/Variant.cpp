#include "scripting/vbs/Variant.h"

namespace kavro::vbs {

void Variant::CopyOwned(const Variant& other) {
  str_ = other.str_;
  object_ = other.object_;
  if (other.array_) array_ = std::make_unique<ArrayData>(*other.array_);
}

Variant& Variant::AssignOwned(const Variant& other) {
  if (this == &other) return *this;
  Variant copy(other);
  *this = std::move(copy);
  return *this;
}

Variant Variant::MakeNull() {
  Variant v;
  v.type_ = VarType::Null;
  return v;
}

Variant Variant::Boolean(bool value) {
  Variant v;
  v.type_ = VarType::Boolean;
  v.num_.b = value;
  return v;
}

Variant Variant::Byte(uint8_t value) {
  Variant v;
  v.type_ = VarType::Byte;
  v.num_.u8 = value;
  return v;
}

Variant Variant::Integer(int16_t value) {
  Variant v;
  v.type_ = VarType::Integer;
  v.num_.i16 = value;
  return v;
}

Variant Variant::Long(int32_t value) {
  Variant v;
  v.type_ = VarType::Long;
  v.num_.i32 = value;
  return v;
}

Variant Variant::Single(float value) {
  Variant v;
  v.type_ = VarType::Single;
  v.num_.f = value;
  return v;
}

Variant Variant::Double(double value) {
  Variant v;
  v.type_ = VarType::Double;
  v.num_.d = value;
  return v;
}

Variant Variant::Currency(double value) {
  Variant v;
  v.type_ = VarType::Currency;
  v.num_.d = value;
  return v;
}

Variant Variant::Date(double serial) {
  Variant v;
  v.type_ = VarType::Date;
  v.num_.d = serial;
  return v;
}

Variant Variant::String(std::string text) {
  Variant v;
  v.type_ = VarType::String;
  v.str_ = std::move(text);
  return v;
}

Variant Variant::Array(std::unique_ptr<ArrayData> data) {
  Variant v;
  v.type_ = VarType::Array;
  v.array_ = std::move(data);
  return v;
}

Variant Variant::Object(std::shared_ptr<HostObject> object) {
  Variant v;
  v.type_ = VarType::Object;
  v.object_ = std::move(object);
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

void Variant::Clear() {
  type_ = VarType::Empty;
  // A cleared variable gives its text's memory back (frames are reused and would keep it).
  if (str_.capacity() > 64) {
    std::string().swap(str_);
  } else {
    str_.clear();
  }
  array_.reset();
  object_.reset();
}

}  // namespace kavro::vbs
