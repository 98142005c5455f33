#include "edit/ZonePicture.h"

#include <algorithm>
#include <limits>

#include "common/NumberText.h"
#include "edit/EditState.h"

namespace kavro {

ZonePicture DrawZonePicture(const CellTable& zoneGrid, double width, double height,
                            double labelBand) {
  double smallest = std::numeric_limits<double>::max();
  double largest = std::numeric_limits<double>::lowest();
  for (int z = 1; z <= NumZones; ++z) {
    for (int p = 1; p <= NumPoints; ++p) {
      const double value = LeadingNumber(zoneGrid.Text(zones::ValueRow(z), zones::PointCol(p)));
      smallest = std::min(smallest, value);
      largest = std::max(largest, value);
    }
  }
  const double axisX = 0.05 * width;
  const double axisY = height - labelBand;
  const double xScale = 0.95 * 0.99 * width / (largest - smallest + 0.001);
  const double yScale = 0.92 * axisY / 1.001;
  auto at = [&](double processValue, double membership) {
    return PicturePoint{axisX + (processValue - smallest) * xScale, axisY - membership * yScale};
  };

  ZonePicture picture;
  picture.segments.push_back({{axisX, axisY}, {0.99 * width, axisY}, 0});
  picture.segments.push_back({{axisX, 0}, {axisX, axisY}, 0});
  picture.labels.push_back({{axisX, axisY}, FormatNumber(smallest, "##0.0##"), false});
  picture.labels.push_back({{0.99 * width, axisY}, FormatNumber(largest, "##0.00#"), true});
  for (int z = 1; z <= NumZones; ++z) {
    PicturePoint previous{};
    for (int p = 1; p <= NumPoints; ++p) {
      const PicturePoint point =
          at(LeadingNumber(zoneGrid.Text(zones::ValueRow(z), zones::PointCol(p))),
             LeadingNumber(zoneGrid.Text(zones::MembershipRow(z), zones::PointCol(p))));
      if (p > 1) picture.segments.push_back({previous, point, z});
      previous = point;
    }
  }
  return picture;
}

}  // namespace kavro
