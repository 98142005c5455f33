#include "config/FclShape.h"

#include "config/FclNotes.h"

namespace kavro {

const std::string* NoteValue(const FclNotes& notes, const std::string& key) {
  for (const auto& [note, value] : notes) {
    if (note.text == key) return &value;
  }
  return nullptr;
}

bool NameAgrees(const std::string& noted, const std::string& id) {
  const std::string base = FclIdentifier(noted);
  return base == id || id.rfind(base + "_", 0) == 0;
}

RulePlaces PlaceRules(const FclFile& file) {
  RulePlaces places;
  places.slots.assign(file.rules.size(), 0);
  for (size_t n = 0; n < file.rules.size(); ++n) {
    const int number = file.rules[n].number;
    if (number >= 1 && number <= NumRules && places.taken.insert(number).second) {
      places.slots[n] = number;
    }
  }
  for (size_t n = 0; n < file.rules.size(); ++n) {
    if (places.slots[n] != 0) continue;
    int slot = 1;
    while (slot <= NumRules && places.taken.count(slot) != 0) ++slot;
    if (slot > NumRules) {
      throw FclFailure{"more than 20 rules", file.rules[n].at.line, file.rules[n].at.column};
    }
    places.taken.insert(slot);
    places.slots[n] = slot;
  }
  return places;
}

std::map<std::string, int> PlaceVariables(const std::vector<Token>& declared, const FclNotes& notes,
                                          const std::string& kind, int count) {
  std::map<std::string, int> slots;
  std::set<int> taken;
  std::vector<const Token*> unplaced;
  for (const Token& id : declared) {
    if (slots.count(id.text) != 0)
      throw FclFailure{id.text + " is declared twice", id.line, id.column};
    int slot = 0;
    for (int s = 1; s <= count && slot == 0; ++s) {
      const std::string* name = NoteValue(notes, kind + std::to_string(s) + ".PVarName");
      if (name && !name->empty() && taken.count(s) == 0 && NameAgrees(*name, id.text)) slot = s;
    }
    if (slot == 0) {
      unplaced.push_back(&id);
      slots[id.text] = 0;
      continue;
    }
    taken.insert(slot);
    slots[id.text] = slot;
  }
  for (const Token* id : unplaced) {
    int slot = 1;
    while (slot <= count && taken.count(slot) != 0) ++slot;
    if (slot > count) {
      throw FclFailure{
          "more than " + std::to_string(count) + " " + (kind == "In" ? "inputs" : "outputs"),
          id->line, id->column};
    }
    taken.insert(slot);
    slots[id->text] = slot;
  }
  return slots;
}

const std::vector<TermText>& TermsOf(const std::map<std::string, std::vector<TermText>>& blocks,
                                     const Token& variable, const char* block) {
  const auto found = blocks.find(variable.text);
  if (found == blocks.end()) {
    throw FclFailure{std::string("no ") + block + " block for " + variable.text, variable.line,
                     variable.column};
  }
  if (found->second.size() > NumZones) {
    const Token& at = found->second[NumZones].at;
    throw FclFailure{variable.text + " has more than 7 terms", at.line, at.column};
  }
  return found->second;
}

int ZoneOfTerm(const std::vector<TermText>& terms, const Token& term) {
  for (size_t z = 0; z < terms.size(); ++z) {
    if (terms[z].id == term.text) return static_cast<int>(z) + 1;
  }
  throw FclFailure{"no term " + term.text, term.line, term.column};
}

}  // namespace kavro
