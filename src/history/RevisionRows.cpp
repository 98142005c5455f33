#include "history/RevisionRows.h"

namespace kavro {
namespace {

template <typename Config>
auto& SlotOf(Config& config, int slot) {
  return slot <= NumIn ? config.in[slot] : config.out[slot - NumIn];
}

}  // namespace

void StoreRevision(SqliteDb& db, int revision, std::int64_t timeMs, const ConfigRevision& config) {
  SqliteStatement head(db,
                       "INSERT INTO revisions (rev, t, controller, run_frequency) VALUES (?, ?, ?, ?)");
  head.Bind(1, revision);
  head.Bind(2, timeMs);
  head.Bind(3, config.controllerName);
  head.Bind(4, config.runFrequency);
  head.Step();
  SqliteStatement variable(
      db, "INSERT INTO variables (rev, slot, name, units, low, high) VALUES (?, ?, ?, ?, ?, ?)");
  for (int slot = 1; slot <= NumIn + NumOut; ++slot) {
    const VariableInfo& info = SlotOf(config, slot);
    variable.Reset();
    variable.Bind(1, revision);
    variable.Bind(2, slot);
    variable.Bind(3, info.name);
    variable.Bind(4, info.units);
    variable.Bind(5, info.low);
    variable.Bind(6, info.high);
    variable.Step();
  }
}

std::map<int, ConfigRevision> ReadRevisions(SqliteDb& db) {
  std::map<int, ConfigRevision> revisions;
  SqliteStatement head(db, "SELECT rev, controller, run_frequency FROM revisions ORDER BY rev");
  while (head.Step()) {
    ConfigRevision& config = revisions[static_cast<int>(head.Int(0))];
    config.controllerName = head.Text(1);
    config.runFrequency = static_cast<int>(head.Int(2));
  }
  SqliteStatement variable(db, "SELECT rev, slot, name, units, low, high FROM variables");
  while (variable.Step()) {
    const auto found = revisions.find(static_cast<int>(variable.Int(0)));
    const int slot = static_cast<int>(variable.Int(1));
    if (found == revisions.end() || slot < 1 || slot > NumIn + NumOut) continue;
    VariableInfo& info = SlotOf(found->second, slot);
    info.name = variable.Text(2);
    info.units = variable.Text(3);
    info.low = variable.Double(4);
    info.high = variable.Double(5);
  }
  return revisions;
}

}  // namespace kavro
