#pragma once
// Scripting.Dictionary, the one object a script may create: items under keys of any subtype but
// an array, kept in the order they were added. Keys compare by kind and value: a number equals a
// number of any numeric subtype with the same value, a text a text (ignoring letter case when
// CompareMode is 1 or more), an object the same object; 1 and "1" are different keys. Item is
// the default member, so d(key) reads and d(key) = value sets an item; For Each goes over the
// keys. What it holds counts against the engine's memory budget.
#include <list>
#include <string>
#include <unordered_map>
#include <vector>

#include "scripting/vbs/HostObject.h"

namespace kavro::vbs {

class Interpreter;

class Dictionary final : public HostObject {
 public:
  explicit Dictionary(Interpreter& it);

  bool Enumerate(std::vector<Variant>& items) const override;
  size_t HeldBytes() const override;
  // Empties the dictionary and leaves the engine, whose budget it no longer counts against.
  void Release() override;

 private:
  struct Key {
    enum Kind { Empty, Null, Number, Text, Object } kind = Empty;
    double number = 0;
    std::string text;  // lower case when keys ignore letter case
    const void* object = nullptr;
    bool operator==(const Key& other) const = default;
  };
  struct KeyHash {
    size_t operator()(const Key& key) const;
  };
  struct Entry {
    Variant key;
    Variant item;
  };
  using Entries = std::list<Entry>;

  void AddMembers();
  Interpreter& Engine() const;
  Key KeyOf(const Variant& key) const;
  Entries::iterator Find(const Variant& key);
  // Adds an entry at the end, its memory charged to the engine first.
  Entry& Insert(const Variant& key, const Variant& item);
  void Charge(const Variant& key, const Variant& item) const;
  Variant ArrayOf(Variant Entry::*part) const;

  Interpreter* it_;  // nullptr once released
  int compareMode_ = 0;
  Entries entries_;
  std::unordered_map<Key, Entries::iterator, KeyHash> index_;
};

}  // namespace kavro::vbs
