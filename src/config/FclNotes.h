#pragma once
// The note block of an FCL file: what FCL has no words for, kept in one comment so that
// importing the file gives the controller back exactly. The block opens with "(*@kavro" on a
// line of its own and closes with "*)"; each line between is "key: value".
// Keys name the fields as FLC.dat does, prefixed by their place: "Name1", "In2.DCSTagPV",
// "Out1.OutputType", "Out1.Zone3.Points" (p1 p2 p3 p4 m1 m2 m3 m4), "In1.Zone2.MFName",
// "Rule7.Term3", "Rule7.Operator". Numbers are written as FLC.dat writes them. In values "%",
// "*", line ends and a last blank are written as %XX, so no value can close the comment.
#include <map>
#include <string>
#include <vector>

#include "model/ControllerModel.h"

namespace kavro {

inline constexpr const char* kFclNoteOpen = "(*@kavro";

// One field the notes can carry, with its text as written to FLC.dat.
struct FclNoteField {
  std::string key;
  std::string value;
};

// Every field of the model the notes can carry, in file order.
std::vector<FclNoteField> FclNoteFields(const ControllerModel& model);

// Sets the field named key from its text; false when the key names no field or the value does
// not read as the field's kind.
bool SetFclNoteField(ControllerModel& model, const std::string& key, const std::string& value);

// Escaping of note values.
std::string EscapeNoteValue(const std::string& value);
std::string UnescapeNoteValue(const std::string& text);

// The FCL identifier that stands for a name: letters, digits and "_" kept, anything else "_",
// a leading digit or a keyword of the language given a "_" in front.
std::string FclIdentifier(const std::string& name);

}  // namespace kavro
