#pragma once
// The script value: VBScript's Variant with its subtypes. Arrays have value semantics (a copy
// of a Variant copies its array, as assignment does in the language); host objects are shared.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kavro::vbs {

class HostObject;
struct ArrayData;

// VarType numbers of the language.
enum class VarType : uint16_t {
  Empty = 0,
  Null = 1,
  Integer = 2,
  Long = 3,
  Single = 4,
  Double = 5,
  Currency = 6,  // kept as a Double rounded to four decimals
  Date = 7,
  String = 8,
  Object = 9,
  Boolean = 11,
  Variant = 12,
  Byte = 17,
  Array = 8192,
};

class Variant {
 public:
  // Numbers, Empty and Null copy and move as two words; only texts, arrays and objects touch the
  // members that own memory (which stay empty for the other subtypes).
  Variant() noexcept : num_{} {}
  Variant(const Variant& other) : type_(other.type_), num_(other.num_) {
    if (other.OwnsMemory()) CopyOwned(other);
  }
  Variant(Variant&& other) noexcept : type_(other.type_), num_(other.num_) {
    if (other.OwnsMemory()) MoveOwned(other);
  }
  Variant& operator=(const Variant& other) {
    if (!OwnsMemory() && !other.OwnsMemory()) {
      type_ = other.type_;
      num_ = other.num_;
      return *this;
    }
    return AssignOwned(other);
  }
  Variant& operator=(Variant&& other) noexcept {
    if (this == &other) return *this;
    type_ = other.type_;
    num_ = other.num_;
    if (OwnsMemory() || other.OwnsMemory()) MoveOwned(other);
    return *this;
  }
  ~Variant() = default;

  static Variant MakeNull();
  static Variant Boolean(bool value);
  static Variant Byte(uint8_t value);
  static Variant Integer(int16_t value);
  static Variant Long(int32_t value);
  static Variant Single(float value);
  static Variant Double(double value);
  static Variant Currency(double value);  // value already rounded and in range
  static Variant Date(double serial);     // days since 30 Dec 1899, time as the fraction
  static Variant String(std::string text);
  static Variant Array(std::unique_ptr<ArrayData> data);
  static Variant Object(std::shared_ptr<HostObject> object);  // null pointer = Nothing

  VarType Type() const { return type_; }
  bool IsEmpty() const { return type_ == VarType::Empty; }
  bool IsNull() const { return type_ == VarType::Null; }
  bool IsString() const { return type_ == VarType::String; }
  bool IsArray() const { return type_ == VarType::Array; }
  bool IsObject() const { return type_ == VarType::Object; }
  // Numeric subtypes, Boolean included (it counts as a number in arithmetic).
  bool IsNumber() const;

  // Raw access; valid only for the matching subtype.
  bool BoolValue() const { return num_.b; }
  uint8_t ByteValue() const { return num_.u8; }
  int16_t IntegerValue() const { return num_.i16; }
  int32_t LongValue() const { return num_.i32; }
  float SingleValue() const { return num_.f; }
  double DoubleValue() const { return num_.d; }  // Double, Currency and Date
  const std::string& StringValue() const { return str_; }
  std::string& StringValue() { return str_; }
  ArrayData* ArrayValue() const { return array_.get(); }
  const std::shared_ptr<HostObject>& ObjectValue() const { return object_; }

  void Clear();  // back to Empty

 private:
  bool OwnsMemory() const {
    return type_ == VarType::String || type_ == VarType::Array || type_ == VarType::Object;
  }
  void CopyOwned(const Variant& other);
  void MoveOwned(Variant& other) noexcept {
    str_ = std::move(other.str_);
    array_ = std::move(other.array_);
    object_ = std::move(other.object_);
  }
  Variant& AssignOwned(const Variant& other);

  VarType type_ = VarType::Empty;
  union {
    bool b;
    uint8_t u8;
    int16_t i16;
    int32_t i32;
    float f;
    double d;
  } num_;
  std::string str_;
  std::unique_ptr<ArrayData> array_;
  std::shared_ptr<HostObject> object_;
};

// A dynamic or fixed-size array of any number of dimensions; lower bounds are always 0.
struct ArrayData {
  std::vector<Variant> items;  // first index varies fastest
  std::vector<int32_t> upper;  // upper bound of each dimension; -1 for an empty array
  bool fixedSize = false;      // declared with Dim a(n): ReDim is not allowed
  int nesting = 1;             // 1 + the deepest array held in an element (kept, never lowered)
  size_t weight = 0;           // elements, those of nested arrays included (never lowered)
};

}  // namespace kavro::vbs
