#include "scripting/vbs/Dictionary.h"

#include <functional>

#include "scripting/vbs/BuiltinSupport.h"
#include "scripting/vbs/Interpreter.h"
#include "scripting/vbs/TextCase.h"

namespace kavro::vbs {
namespace {

// What an entry costs beside its key and item: list and index nodes.
constexpr size_t kEntryBytes = 96;

void ArgumentCount(HostArgs args, size_t count) {
  if (args.size() != count) throw ScriptError(err::WrongArgCount);
}

}  // namespace

size_t Dictionary::KeyHash::operator()(const Key& key) const {
  const size_t kind = static_cast<size_t>(key.kind) * 0x9E3779B97F4A7C15ull;
  switch (key.kind) {
    case Key::Number:
      return kind ^ std::hash<double>()(key.number);
    case Key::Text:
      return kind ^ std::hash<std::string>()(key.text);
    case Key::Object:
      return kind ^ std::hash<const void*>()(key.object);
    default:
      return kind;
  }
}

Dictionary::Dictionary(Interpreter& it) : HostObject("Dictionary"), it_(&it) {
  AddMembers();
}

void Dictionary::AddMembers() {
  AddProcedure("Add", [this](HostArgs args) {
    ArgumentCount(args, 2);
    if (Find(*args[0]) != entries_.end()) throw ScriptError(err::KeyExists);
    Insert(*args[0], *args[1]);
  });
  AddFunction("Exists", [this](HostArgs args) {
    ArgumentCount(args, 1);
    return Variant::Boolean(Find(*args[0]) != entries_.end());
  });
  // Reading the item of a missing key adds the key with an Empty item, as the language does.
  AddProperty(
      "Item",
      [this](HostArgs args) {
        ArgumentCount(args, 1);
        auto found = Find(*args[0]);
        return found != entries_.end() ? found->item : Insert(*args[0], Variant()).item;
      },
      [this](HostArgs args, const Variant& value) {
        ArgumentCount(args, 1);
        auto found = Find(*args[0]);
        if (found == entries_.end()) {
          Insert(*args[0], value);
          return;
        }
        Charge(Variant(), value);
        found->item = value;
      });
  // Key(old) = new renames a key in its place; it cannot be read.
  AddProperty(
      "Key", [](HostArgs) -> Variant { throw ScriptError::AboutName(err::NoSuchMember, "Key", 0); },
      [this](HostArgs args, const Variant& value) {
        ArgumentCount(args, 1);
        auto found = Find(*args[0]);
        if (found == entries_.end()) throw ScriptError(err::ElementNotFound);
        if (Find(value) != entries_.end()) throw ScriptError(err::KeyExists);
        Charge(value, Variant());
        index_.erase(KeyOf(found->key));
        found->key = value;
        index_.emplace(KeyOf(value), found);
      });
  AddFunction("Items", [this](HostArgs args) {
    ArgumentCount(args, 0);
    return ArrayOf(&Entry::item);
  });
  AddFunction("Keys", [this](HostArgs args) {
    ArgumentCount(args, 0);
    return ArrayOf(&Entry::key);
  });
  AddProcedure("Remove", [this](HostArgs args) {
    ArgumentCount(args, 1);
    auto found = Find(*args[0]);
    if (found == entries_.end()) throw ScriptError(err::ElementNotFound);
    index_.erase(KeyOf(found->key));
    entries_.erase(found);
  });
  AddProcedure("RemoveAll", [this](HostArgs args) {
    ArgumentCount(args, 0);
    index_.clear();
    entries_.clear();
  });
  AddFunction("Count", [this](HostArgs args) {
    ArgumentCount(args, 0);
    return Variant::Long(static_cast<int32_t>(index_.size()));
  });
  // 0 compares keys as they are, 1 and more ignore letter case; set only while empty.
  AddProperty(
      "CompareMode",
      [this](HostArgs args) {
        ArgumentCount(args, 0);
        return Variant::Long(compareMode_);
      },
      [this](HostArgs args, const Variant& value) {
        ArgumentCount(args, 0);
        const int32_t mode = ToLong(value);
        if (mode < 0 || !entries_.empty()) throw ScriptError(err::InvalidCall);
        compareMode_ = mode;
      });
  SetDefaultMember("Item");
}

Interpreter& Dictionary::Engine() const {
  if (!it_) throw ScriptError(91);  // the engine that made it has forgotten its code
  return *it_;
}

Dictionary::Key Dictionary::KeyOf(const Variant& key) const {
  Key k;
  switch (key.Type()) {
    case VarType::Empty:
      return k;
    case VarType::Null:
      k.kind = Key::Null;
      return k;
    case VarType::String:
      k.kind = Key::Text;
      k.text = compareMode_ >= 1 ? LowerCase(key.StringValue()) : key.StringValue();
      return k;
    case VarType::Object:
      k.kind = Key::Object;
      k.object = key.ObjectValue().get();
      return k;
    case VarType::Array:
      throw ScriptError(err::TypeMismatch);
    default:
      k.kind = Key::Number;
      k.number = ToDouble(key);
      return k;
  }
}

Dictionary::Entries::iterator Dictionary::Find(const Variant& key) {
  Engine();
  auto found = index_.find(KeyOf(key));
  return found == index_.end() ? entries_.end() : found->second;
}

void Dictionary::Charge(const Variant& key, const Variant& item) const {
  Interpreter& it = Engine();
  it.CheckString(key);
  it.CheckString(item);
  it.Charge(kEntryBytes + Interpreter::Footprint(key) + Interpreter::Footprint(item));
}

Dictionary::Entry& Dictionary::Insert(const Variant& key, const Variant& item) {
  Key k = KeyOf(key);
  Charge(key, item);
  entries_.push_back({key, item});
  index_.emplace(std::move(k), std::prev(entries_.end()));
  return entries_.back();
}

Variant Dictionary::ArrayOf(Variant Entry::*part) const {
  Interpreter& it = Engine();
  it.Tick(entries_.size());
  std::vector<Variant> values;
  values.reserve(entries_.size());
  for (const Entry& e : entries_) values.push_back(e.*part);
  return builtin::MakeArray(it, std::move(values));
}

bool Dictionary::Enumerate(std::vector<Variant>& items) const {
  items.reserve(entries_.size());
  for (const Entry& e : entries_) items.push_back(e.key);
  return true;
}

size_t Dictionary::HeldBytes() const {
  size_t bytes = 0;
  for (const Entry& e : entries_) {
    bytes += kEntryBytes + Interpreter::Footprint(e.key) + Interpreter::Footprint(e.item);
  }
  return bytes;
}

void Dictionary::Release() {
  it_ = nullptr;
  index_.clear();
  // Moved out first: an item freed here may hold this dictionary's last reference.
  Entries gone = std::move(entries_);
  entries_.clear();
}

}  // namespace kavro::vbs
