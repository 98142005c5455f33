#pragma once
// The membership-function picture of the variable editor (Picture1), as geometry: the two
// axes, the labels of the process-value range, and three segments per zone joining its four
// points. The window scales nothing itself; it draws these in its own units, each zone in the
// pen colour of its number, the axes in black, with a line width of 2.
#include <string>
#include <vector>

#include "model/CellTable.h"

namespace kavro {

struct PicturePoint {
  double x = 0;
  double y = 0;  // from the top edge down
};

struct PictureSegment {
  PicturePoint from;
  PicturePoint to;
  int zone = 0;  // 1..7; 0 for an axis
};

enum class LabelAlign { Left, Right, Centre };

struct PictureLabel {
  PicturePoint at;  // the top of the label; its left end, right end or middle as aligned
  std::string text;
  LabelAlign align = LabelAlign::Left;
};

struct ZonePicture {
  std::vector<PictureSegment> segments;  // the two axes first, then the zones' segments
  // The smallest and the largest process value at the axis's ends, then the axis's title.
  std::vector<PictureLabel> labels;
};

// The picture for a zone grid, in a picture width by height units whose bottom labelBand
// units hold the labels under the horizontal axis. A zone is drawn when it is in use: any of
// its points or membership values is not 0 (an unset zone is all 0). The process-value range
// of the zones drawn (of all point cells when none is), plus 0.001 so one value alone still
// spans, takes 95 % of 99 % of the width from the vertical axis at 5 %; membership 0..1 takes
// 92 % of the height above the axis (over 1.001). The axis is titled axisTitle, centred.
ZonePicture DrawZonePicture(const CellTable& zoneGrid, const std::string& axisTitle, double width,
                            double height, double labelBand);

// "NAME (units)", or the name alone when there are no units, from the item grid's rows.
std::string ZoneAxisTitle(const CellTable& itemGrid);

}  // namespace kavro
