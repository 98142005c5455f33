#pragma once
// Typing into the three grids through their floating edit boxes: which cells may be typed
// into, opening the box, its keys, and taking its text into the cell with the number check.
// The main grid's cells change only the grid (the cycle and File > Save take them from there);
// the item and zone grids reach the model only through the variable editor's OK.
#include "edit/AuditTrail.h"
#include "edit/EditState.h"
#include "model/Controller.h"

namespace kavro {

inline constexpr int kKeyEnter = 13;
inline constexpr int kKeyEscape = 27;
inline constexpr int kKeyUp = 38;
inline constexpr int kKeyDown = 40;

CellTable& GridOf(Controller& controller, ConfigEditState& edits, EditGrid which);
EditBox& EditBoxOf(ConfigEditState& edits, EditGrid which);

// Whether a cell of that grid may be typed into. Main grid: rows 0..4 in every column, rows
// 11..31 in columns 0 and 1. Item grid: the value column, rows 1..5 of an input or 1..12 of an
// output. Zone grid: the name column on zone-name rows, points 1..4 of an input, point 1 only of
// an output (the others follow it).
bool CanTypeInCell(const ConfigEditState& edits, EditGrid which, int row, int col);

// A key press on a grid: opens the box on the current cell when it may be typed into. While
// the screen is locked a key press on the main grid is refused with the lock message, as a
// click is; the item and zone grids are only reached through the unlocked main grid.
void KeyPressOnGrid(Controller& controller, ConfigEditState& edits, EditGrid which, int keyCode);

// A double click on the item or zone grid opens the box with the cell's own text; on the main
// grid it only records the cell.
void DoubleClickGrid(Controller& controller, ConfigEditState& edits, AuditTrail& audit,
                     EditGrid which, int row, int col);

// Makes a cell the grid's current one; on the main grid it is also the selected cell (SelRow,
// SelCol). Nothing is edited.
void SelectGridCell(Controller& controller, ConfigEditState& edits, EditGrid which, int row,
                    int col);

// The arrow keys moved the grid's cursor to a cell: it becomes current as a click would make it,
// without stepping or editing anything. While the grid's box is open the box keeps its cell.
void MoveToGridCell(Controller& controller, ConfigEditState& edits, EditGrid which, int row,
                    int col);

// A plain click on the item or zone grid: an open box is taken first, then the cell becomes
// current and ChangesPending is set.
void ClickEditorGrid(Controller& controller, ConfigEditState& edits, AuditTrail& audit,
                     EditGrid which, int row, int col);

// Opens the box on the grid's current cell: a printable key (code above 32) starts it with
// that character, anything else with the cell's text; the caret stands at the end. Sets
// ChangesPending.
void BeginCellEdit(Controller& controller, ConfigEditState& edits, EditGrid which, int keyCode);

// Enter takes the box; Escape hides it untaken; Up and Down take it, let pending events run and
// move the current row by one within the grid's rows below its heading row.
void EditBoxKeyDown(Controller& controller, ConfigEditState& edits, AuditTrail& audit,
                    EditGrid which, int keyCode);

// Takes the box's text into its cell (nothing when the box is hidden): the number check where
// the cell holds a number, the cell set, the box hidden, ChangesPending set; an output zone's
// point 1 is copied to points 2..4. A changed limit, process value or rule operator of the main
// grid is recorded in the audit trail. While the link is on, a limit or process value whose DCS
// tag is set is refused (the cell keeps the DCS's value, nothing is recorded), and any other
// typed limit or value is stored in the model too, since the cycle then shows the model's.
void CommitCellEdit(Controller& controller, ConfigEditState& edits, AuditTrail& audit,
                    EditGrid which);

// The number check of a box over a numeric cell: a text that is not a number, or a number
// beyond the single range the cell is read as, is answered with "Please Entry a Number" and
// replaced by the cell's text; then the box holds the number of its
// leading numeric part as "####0.000", membership values cut to 0..1 and the item grid's
// numbers to 0 and above.
void CheckNumberCell(Controller& controller, const CellTable& cells, EditBox& box, EditGrid which);

}  // namespace kavro
