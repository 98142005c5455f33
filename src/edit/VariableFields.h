#pragma once
// A variable's fields in the variable editor's item-grid order, for filling the grid from the
// model and storing it back alike.
#include <array>

#include "edit/EditState.h"

namespace kavro::items {

inline constexpr int kTextItems = 9;  // rows 1..9 are texts, 10..12 numbers

// The output's numbers in item-grid order.
template <class Out>
auto OutputNumbers(Out& out) {
  return std::array<decltype(&out.Max_Change), 3>{&out.Max_Change, &out.Change_Time,
                                                  &out.Wait_Change};
}

// The text fields of either record by item row 1..9 (an input has rows 1..5 only); const or
// not as the record is.
template <class Out>
auto OutputTextFields(Out& out) {
  return std::array<decltype(&out.PVarName), kTextItems + 1>{
      nullptr,        &out.PVarName,  &out.Units,        &out.DCSTagPV,      &out.DCSTagHigh,
      &out.DCSTagLow, &out.DCSTagOut, &out.DCSMaxChange, &out.DCSChangeTime, &out.DCSWaitChange};
}
template <class In>
auto InputTextFields(In& in) {
  return std::array<decltype(&in.PVarName), kLastInputRow + 1>{
      nullptr, &in.PVarName, &in.Units, &in.DCSTagPV, &in.DCSTagHigh, &in.DCSTagLow};
}

}  // namespace kavro::items
