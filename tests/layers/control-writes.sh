#!/usr/bin/env bash
# display/ writes what controls show; edit/ enters the operator's input into the input controls;
# nothing else writes a control. Fails, naming file and line, where
# - a core folder other than those two (and the window itself) calls a mutator of a window
#   table: a cell's text or colours, a cell to change as it likes, the current cell;
# - a core folder other than display/, edit/ included, fills or shows a configuration panel:
#   writes the variable editor's item or zone grid by name, fills the settings panel's boxes
#   all at once, or opens or closes a panel. edit/ reaches those grids only through the cell the
#   operator types into, and opens and closes only its own edit boxes over a cell (box.visible).
# Usage: control-writes.sh SRC_DIR
set -euo pipefail
src=${1:?usage: control-writes.sh SRC_DIR}
cd "$src"
folders=()
for folder in common model config engine link scripting history plant session tune app; do
  [[ -d $folder ]] && folders+=("$folder")
done
panelFolders=("${folders[@]}")
[[ -d edit ]] && panelFolders+=(edit)

# A match, less comment lines.
matches() {
  local pattern=$1
  shift
  (($# > 0)) || return 0
  grep -rnE --include='*.cpp' --include='*.h' "$pattern" "$@" |
    grep -vE '^[^:]+:[0-9]+:[[:space:]]*//' || true
}

status=0
# model/ keeps the tables themselves; the clipboard port's SetText is no control.
calls='(\.|->)(At|SetText|SetForeColour|SetBackColour|SetCurrent)\('
found=$(matches "$calls" "${folders[@]}" |
  grep -vE '^model/CellTable\.(h|cpp):' |
  grep -vE 'clipboard->SetText\(' || true)
if [[ -n $found ]]; then
  echo "a control is written outside display/ and edit/:"
  echo "$found"
  status=1
fi

panelWrites="MSHFlexGrid[23]$calls|(\\.|->)Text1[[:space:]]*=[^=]|(\\.|->)(visible|frame3Visible)[[:space:]]*=[[:space:]]*(true|false)"
found=$(matches "$panelWrites" "${panelFolders[@]}" | grep -vE '([^A-Za-z0-9_]box|EditBoxOf\([^)]*\))\.visible' || true)
if [[ -n $found ]]; then
  echo "a configuration panel is filled, opened or closed outside display/:"
  echo "$found"
  status=1
fi
((status == 0)) &&
  echo "no control is written outside display/ and edit/, no panel filled outside display/ (${panelFolders[*]})"
exit $status
