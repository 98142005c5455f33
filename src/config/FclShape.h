#pragma once
// The import's second stage: where the parts of an FCL file go in the controller's shape. Rules
// keep their numbers where they can, variables the slots their notes name; the rest take the
// free slots in order. A term is found by its id among its variable's terms, which become the
// variable's zones in order. Each throws FclFailure where the file does not fit the controller.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "config/FclRead.h"

namespace kavro {

// The note's value for key, if the notes have one.
const std::string* NoteValue(const FclNotes& notes, const std::string& key);

// A noted name is taken while the FCL text still names the thing as export named it.
bool NameAgrees(const std::string& noted, const std::string& id);

struct RulePlaces {
  std::vector<int> slots;  // the controller's rule of each FCL rule, in file order
  std::set<int> taken;
};
RulePlaces PlaceRules(const FclFile& file);

// The slot (1..count) of each declared variable; kind is "In" or "Out", as the notes name them.
std::map<std::string, int> PlaceVariables(const std::vector<Token>& declared, const FclNotes& notes,
                                          const std::string& kind, int count);

// The terms of variable in blocks (its FUZZIFY or DEFUZZIFY block, block names which).
const std::vector<TermText>& TermsOf(const std::map<std::string, std::vector<TermText>>& blocks,
                                     const Token& variable, const char* block);

// The zone (from 1) of term among terms.
int ZoneOfTerm(const std::vector<TermText>& terms, const Token& term);

}  // namespace kavro
