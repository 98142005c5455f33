#!/usr/bin/env bash
# display/ writes what controls show; edit/ enters the operator's input into the input controls;
# nothing else writes a control. Fails, naming file and line, where a core folder other than
# those two (and the window itself) calls a mutator of a window table: a cell's text or colours,
# a cell to change as it likes, the current cell.
# Usage: control-writes.sh SRC_DIR
set -euo pipefail
src=${1:?usage: control-writes.sh SRC_DIR}
cd "$src"
folders=()
for folder in common model config engine link scripting history plant session tune app; do
  [[ -d $folder ]] && folders+=("$folder")
done
# model/ keeps the tables themselves; the clipboard port's SetText is no control.
calls='(\.|->)(At|SetText|SetForeColour|SetBackColour|SetCurrent)\('
found=$(grep -rnE --include='*.cpp' --include='*.h' "$calls" "${folders[@]}" |
  grep -vE '^[^:]+:[0-9]+:[[:space:]]*//' |
  grep -vE '^model/CellTable\.(h|cpp):' |
  grep -vE 'clipboard->SetText\(' || true)
if [[ -n $found ]]; then
  echo "a control is written outside display/ and edit/:"
  echo "$found"
  exit 1
fi
echo "no control is written outside display/ and edit/ (${folders[*]})"
