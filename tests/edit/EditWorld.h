#pragma once
// A controller holding the manual's worked example (input TEMP with zones LOW and HIGH, output
// VALVE with CLOSE and OPEN, two rules), its main grid's rule and limit cells filled as the
// display shows them, the editing state, and an audit trail that writes to a recording sink.
#include <string>
#include <vector>

#include "config/ConfigFile.h"
#include "config/ConfigFixtures.h"
#include "edit/AuditTrail.h"
#include "edit/EditState.h"
#include "support/FakePorts.h"

namespace kavro::test {

class FakeAuditSink : public AuditSink {
 public:
  bool Append(const std::string& path, const std::string& bytes) override {
    ++appendCalls;
    if (fail) return false;
    paths.push_back(path);
    lines.push_back(bytes);
    return true;
  }
  std::string Timestamp() override { return "2026-12-07T03:04:05+01:00"; }
  std::string LoginName() override { return "jdoe"; }

  bool fail = false;
  int appendCalls = 0;
  std::vector<std::string> paths;
  std::vector<std::string> lines;  // each as appended, LF included
};

struct EditWorld {
  EditWorld() {
    ResetModel(model(), dir.Path());
    ApplyDefaults(model());
    ReadConfigBytes(controller(), WorkedExampleFile());
    for (int r = 1; r <= NumRules; ++r) {
      controller().grid.SetText(grid::RuleRow(r), grid::kColController, model().Rules[r].Operator);
      for (int j = 1; j <= NumTerms; ++j) {
        controller().grid.SetText(grid::RuleRow(r), grid::TermColumn(j), model().Rules[r].Term[j]);
      }
    }
    controller().grid.SetText(grid::kRowValue, grid::InputColumn(1), "150.000");
  }
  Controller& controller() { return world.controller; }
  ControllerModel& model() { return world.controller.model; }
  // Every persisted field, as File > Save would write it.
  std::string Saved() { return ConfigText(model(), "date"); }
  const std::vector<ShownMessage>& Messages() { return world.op.messages; }
  std::string LastMessage() { return Messages().empty() ? "" : Messages().back().text; }

  ScratchDir dir;
  FakeWorld world;
  FakeAuditSink sink;
  AuditTrail audit{world.controller, sink};
  ConfigEditState edits;
};

// The what, old and new fields of an audit line.
inline std::string AuditChange(const std::string& line) {
  std::vector<std::string> fields;
  std::string field;
  for (char c : line) {
    if (c == '\t' || c == '\n') {
      fields.push_back(field);
      field.clear();
    } else {
      field += c;
    }
  }
  if (fields.size() != 5) return "malformed: " + line;
  return fields[2] + ": " + fields[3] + " -> " + fields[4];
}

inline std::vector<std::string> AuditChanges(const FakeAuditSink& sink) {
  std::vector<std::string> changes;
  for (const auto& line : sink.lines) changes.push_back(AuditChange(line));
  return changes;
}

}  // namespace kavro::test
