#pragma once
// The Copy item of a grid's pop-up menu (mnuCopy, mnuCopy3): the whole grid as text on the
// clipboard, cells separated by tabs and rows by a carriage return alone, as spreadsheets of
// the plant's office machines paste it.
#include <string>

#include "model/CellTable.h"
#include "model/Controller.h"

namespace kavro {

// Every row from 0, its cells joined by tabs; rows joined by CR, none after the last.
std::string GridText(const CellTable& cells);

void CopyGrid(Controller& controller, const CellTable& cells);

}  // namespace kavro
