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

struct PictureLabel {
  PicturePoint at;  // the label's top-left corner
  std::string text;
  bool alignRight = false;  // the label ends at `at.x` instead of starting there
};

struct ZonePicture {
  std::vector<PictureSegment> segments;  // the two axes first, then the zones' segments
  std::vector<PictureLabel> labels;      // the smallest and the largest process value
};

// The picture for a zone grid, in a picture width by height units whose bottom labelBand
// units hold the range labels under the horizontal axis. The process-value range of all point
// cells (plus 0.001, so one value alone still spans) takes 95 % of 99 % of the width from the
// vertical axis at 5 %; membership 0..1 takes 92 % of the height above the axis (over 1.001).
ZonePicture DrawZonePicture(const CellTable& zoneGrid, double width, double height,
                            double labelBand);

}  // namespace kavro
