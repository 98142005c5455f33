#pragma once
// The configuration editing controls as data: the controller settings panel (frameConfig2), the
// variable editor (frameConfig with the item grid, the zone grid and the output-type options)
// and the floating edit box of each grid. display/ fills a panel from the model when it opens;
// edit/ enters the operator's typing into its boxes and grids and stores them; the window draws
// them and turns clicks and keys into the edit operations.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/CellTable.h"
#include "model/Dimensions.h"

namespace kavro {

// Which grid an edit works on: the main grid, the item grid or the zone grid.
enum class EditGrid { Main = 1, Item = 2, Zone = 3 };

// txtEdit1..3: the box laid over the cell being typed into.
struct EditBox {
  bool visible = false;
  std::string text;
  int caret = 0;  // characters before the caret
  int row = 0;    // the cell it edits
  int col = 0;
};

// frameConfig2: Text1(0..10) in the order Program_Interface, RunFrequency, DCSRunFreq,
// DCSONOFF, DCSWatchDog, DCSErrorCode, LinkAppl, Link2Appl, LinkTopicName, Name1, LinkFrequency.
struct ControllerSettingsPanel {
  static constexpr int kBoxes = 11;
  static constexpr int kProgramInterface = 0;
  static constexpr int kRunFrequency = 1;
  static constexpr int kName = 9;
  static constexpr int kLinkFrequency = 10;
  bool visible = false;
  std::array<std::string, kBoxes> Text1;
  // The run frequency the panel was filled with: while the DCS supplies it, OK stores the
  // DCS's present value unless the operator typed another one, which is refused.
  int16_t loadedRunFrequency = 0;
  // The days of plant history the working folder keeps, edited beside the eleven boxes.
  std::string historyDays;
};

namespace items {
inline constexpr int kRows = 13;  // a heading row and the twelve items
inline constexpr int kCols = 2;
inline constexpr int kValueCol = 1;
inline constexpr int kNameRow = 1;   // Var Name
inline constexpr int kUnitsRow = 2;  // Units
inline constexpr int kLastInputRow = 5;
inline constexpr int kFirstNumberRow = 10;  // Max Change, Change Time, Wait Change
// Column 0's labels, which also name an item in the editor's messages.
inline constexpr std::array<const char*, kRows> kLabels = {
    "Item",       "Var Name",    "Units",         "DCS PV",         "DCS High",
    "DCS Low",    "DCS Out",     "DCS MaxChange", "DCS ChangeTime", "DCS WaitChange",
    "Max Change", "Change Time", "Wait Change"};
}  // namespace items

namespace zones {
inline constexpr int kRows = 2 * NumZones + 1;  // a heading row, then two rows per zone
inline constexpr int kCols = NumPoints + 2;     // name, row label, points 1..4
inline constexpr int kNameCol = 0;
inline constexpr int kLabelCol = 1;
constexpr int PointCol(int point) {
  return point + 1;
}
constexpr int ValueRow(int zone) {
  return 2 * zone - 1;
}  // process values, zone name
constexpr int MembershipRow(int zone) {
  return 2 * zone;
}  // membership values
constexpr int ZoneOfRow(int row) {
  return (row + 1) / 2;
}
constexpr bool IsMembershipRow(int row) {
  return row >= 2 && row % 2 == 0;
}
}  // namespace zones

// frameConfig: one variable being edited.
struct VariableEditor {
  bool visible = false;
  bool isOutput = false;
  int slot = 0;                                        // input or output slot
  CellTable MSHFlexGrid2{items::kRows, items::kCols};  // item grid
  CellTable MSHFlexGrid3{zones::kRows, zones::kCols};  // zone grid
  bool frame3Visible = false;                          // the output-type options
  int optOutputType = 0;                               // 0 "Incr", 1 "Abs"
  // Max_Change, Change_Time, Wait_Change as the editor was filled with them, read back as OK
  // reads them: a value the DCS supplies is stored only when the operator changed it (refused).
  std::array<float, 3> loadedNumbers{};
  // The readiness problems of this variable found after the last OK, shown as warnings: the
  // apply's own checks decide what is refused, these only tell.
  std::vector<std::string> warnings;
};

// The whole configuration editing area of the main window.
struct ConfigEditState {
  ControllerSettingsPanel settings;
  VariableEditor variable;
  EditBox txtEdit1;     // main grid
  EditBox txtEdit2;     // item grid
  EditBox txtEdit3;     // zone grid
  int editingGrid = 0;  // 1, 2 or 3: the grid whose box was opened last
};

}  // namespace kavro
