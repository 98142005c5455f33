#pragma once
// The script value: VBScript's Variant with its subtypes. Arrays have value semantics (a copy
// of a Variant copies its array, as assignment does in the language); host objects are shared.
#include <bit>
#include <cstdint>
#include <memory>
#include <new>
#include <string>
#include <vector>

namespace kavro::vbs {

class HostObject;
struct ArrayData;

// Numbers are kept as the low bytes of one 64-bit word.
static_assert(std::endian::native == std::endian::little);

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
  // Numbers, Empty and Null are a type and one word: making, copying and dropping them touches
  // nothing else. Only texts, arrays and objects construct the member of the union that owns
  // their memory.
  Variant() noexcept : num_{} {}
  Variant(const Variant& other) : type_(other.type_), owns_(other.owns_), num_(other.num_) {
    if (other.OwnsMemory()) CopyOwned(other);
  }
  Variant(Variant&& other) noexcept : type_(other.type_), owns_(other.owns_), num_(other.num_) {
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
    if (OwnsMemory()) return MoveAssignOwned(other);
    type_ = other.type_;
    owns_ = other.owns_;
    num_ = other.num_;
    if (other.OwnsMemory()) MoveOwned(other);
    return *this;
  }
  ~Variant() {
    if (OwnsMemory()) DestroyOwned();
  }

  static Variant MakeNull();
  static Variant Boolean(bool value) { return Number(VarType::Boolean, value ? 1u : 0u); }
  static Variant Byte(uint8_t value) { return Number(VarType::Byte, value); }
  static Variant Integer(int16_t value) {
    return Number(VarType::Integer, static_cast<uint16_t>(value));
  }
  static Variant Long(int32_t value) { return Number(VarType::Long, static_cast<uint32_t>(value)); }
  static Variant Single(float value) {
    return Number(VarType::Single, std::bit_cast<uint32_t>(value));
  }
  static Variant Double(double value) {
    return Number(VarType::Double, std::bit_cast<uint64_t>(value));
  }
  // value already rounded and in range
  static Variant Currency(double value) {
    return Number(VarType::Currency, std::bit_cast<uint64_t>(value));
  }
  // days since 30 Dec 1899, time as the fraction
  static Variant Date(double serial) {
    return Number(VarType::Date, std::bit_cast<uint64_t>(serial));
  }
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

  // Raw access to numbers; valid only for the matching subtype. A text, array or object of
  // another subtype reads as "", no array and Nothing.
  bool BoolValue() const { return num_.b; }
  uint8_t ByteValue() const { return num_.u8; }
  int16_t IntegerValue() const { return num_.i16; }
  int32_t LongValue() const { return num_.i32; }
  float SingleValue() const { return num_.f; }
  double DoubleValue() const { return num_.d; }  // Double, Currency and Date
  const std::string& StringValue() const { return IsString() ? own_.str : NoText(); }
  // The text itself, to change in place; only for a String.
  std::string& MutableString() { return own_.str; }
  ArrayData* ArrayValue() const { return IsArray() ? own_.array.get() : nullptr; }
  const std::shared_ptr<HostObject>& ObjectValue() const {
    return IsObject() ? own_.object : NoObject();
  }

  // Back to Empty; a number is only retyped (frames clear their slots at every return).
  void Clear() {
    if (OwnsMemory()) DestroyOwned();
    type_ = VarType::Empty;
    owns_ = false;
  }

 private:
  // A text, an array or an object: kept beside the type, as it is asked at every copy.
  bool OwnsMemory() const { return owns_; }
  static const std::string& NoText();
  static const std::shared_ptr<HostObject>& NoObject();
  // Construct the owning member of type_ from other's (same type_); the source of a move keeps
  // its type with an empty text, no array or Nothing.
  void CopyOwned(const Variant& other);
  void MoveOwned(Variant& other) noexcept {
    switch (type_) {
      case VarType::String:
        new (&own_.str) std::string(std::move(other.own_.str));
        break;
      case VarType::Array:
        new (&own_.array) std::unique_ptr<ArrayData>(std::move(other.own_.array));
        break;
      default:
        new (&own_.object) std::shared_ptr<HostObject>(std::move(other.own_.object));
        break;
    }
  }
  void DestroyOwned() noexcept;
  Variant& AssignOwned(const Variant& other);
  Variant& MoveAssignOwned(Variant& other) noexcept;

  // A number is stored as one 8-byte write (see Number): a narrower write read back whole
  // by the next copy stalls the processor on every arithmetic result.
  static Variant Number(VarType type, uint64_t bits) {
    Variant v;
    v.type_ = type;
    v.num_.bits = bits;
    return v;
  }

  VarType type_ = VarType::Empty;
  bool owns_ = false;
  union {
    uint64_t bits;
    bool b;
    uint8_t u8;
    int16_t i16;
    int32_t i32;
    float f;
    double d;
  } num_;
  union Owned {
    Owned() {}
    ~Owned() {}
    std::string str;
    std::unique_ptr<ArrayData> array;
    std::shared_ptr<HostObject> object;
  } own_;
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
