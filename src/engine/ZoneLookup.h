#pragma once
// Finding the zone a rule term names: the first of zones 1..7 whose name equals the term
// exactly (case-sensitive); and the operator a rule's operator text names, the same way.
#include <cstdint>
#include <cstring>
#include <string_view>

#include "model/ControllerModel.h"

namespace kavro {

// Exact equality of two short texts, worked out inline: the cycle compares some hundreds of
// zone names and terms of a few characters, where a library call or a loop over the characters
// costs more than the compare. Texts of 4 characters or more are compared a word at a time (the
// last word overlapping the one before), shorter ones by their first, middle and last character.
namespace text_compare {
inline uint64_t Word8(const char* p) {
  uint64_t word;
  std::memcpy(&word, p, sizeof word);
  return word;
}
inline uint32_t Word4(const char* p) {
  uint32_t word;
  std::memcpy(&word, p, sizeof word);
  return word;
}
}  // namespace text_compare

inline bool SameText(std::string_view a, std::string_view b) {
  using text_compare::Word4;
  using text_compare::Word8;
  const size_t n = a.size();
  if (n != b.size()) return false;
  const char* p = a.data();
  const char* q = b.data();
  if (n >= 8) {
    for (size_t k = 0; k + 8 < n; k += 8) {
      if (Word8(p + k) != Word8(q + k)) return false;
    }
    return Word8(p + n - 8) == Word8(q + n - 8);
  }
  // Below 8 characters every byte is compared without a branch per byte.
  if (n >= 4) return ((Word4(p + n - 4) ^ Word4(q + n - 4)) | (Word4(p) ^ Word4(q))) == 0;
  if (n == 0) return true;
  return ((p[n - 1] ^ q[n - 1]) | (p[n / 2] ^ q[n / 2]) | (p[0] ^ q[0])) == 0;
}

// The zone slot (1..7), or 0 when no zone has that name.
inline int FindZone(const ZoneTable& zones, std::string_view name) {
  for (int z = 1; z <= NumZones; ++z) {
    if (SameText(zones[z].MFName, name)) return z;
  }
  return 0;
}

// The operator slot (1..6) of an operator text, or 0 when it names none of OperatorNames.
inline int OperatorSlot(const ControllerModel& model, std::string_view text) {
  for (int op = 1; op <= NumOperators; ++op) {
    if (SameText(text, model.OperatorNames[op])) return op;
  }
  return 0;
}

}  // namespace kavro
