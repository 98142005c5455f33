#include "display/ZonePicture.h"

#include <algorithm>
#include <limits>

#include "common/NumberText.h"
#include "common/TextUtil.h"
#include "edit/EditState.h"

namespace kavro {
namespace {

double PointValue(const CellTable& zoneGrid, int z, int p) {
  return LeadingNumber(zoneGrid.Text(zones::ValueRow(z), zones::PointCol(p)));
}
double Membership(const CellTable& zoneGrid, int z, int p) {
  return LeadingNumber(zoneGrid.Text(zones::MembershipRow(z), zones::PointCol(p)));
}

bool ZoneInUse(const CellTable& zoneGrid, int z) {
  for (int p = 1; p <= NumPoints; ++p) {
    if (PointValue(zoneGrid, z, p) != 0 || Membership(zoneGrid, z, p) != 0) return true;
  }
  return false;
}

}  // namespace

std::string ZoneAxisTitle(const CellTable& itemGrid) {
  const std::string name = TrimRight(itemGrid.Text(items::kNameRow, items::kValueCol));
  const std::string units = TrimRight(itemGrid.Text(items::kUnitsRow, items::kValueCol));
  return units.empty() ? name : name + " (" + units + ")";
}

ZonePicture DrawZonePicture(const CellTable& zoneGrid, const std::string& axisTitle, double width,
                            double height, double labelBand) {
  std::vector<int> drawn;
  for (int z = 1; z <= NumZones; ++z) {
    if (ZoneInUse(zoneGrid, z)) drawn.push_back(z);
  }
  std::vector<int> spanned = drawn;
  if (spanned.empty()) {
    for (int z = 1; z <= NumZones; ++z) spanned.push_back(z);
  }
  double smallest = std::numeric_limits<double>::max();
  double largest = std::numeric_limits<double>::lowest();
  for (const int z : spanned) {
    for (int p = 1; p <= NumPoints; ++p) {
      smallest = std::min(smallest, PointValue(zoneGrid, z, p));
      largest = std::max(largest, PointValue(zoneGrid, z, p));
    }
  }
  const double axisX = 0.05 * width;
  const double axisY = height - labelBand;
  const double axisEnd = 0.99 * width;
  const double xScale = 0.95 * 0.99 * width / (largest - smallest + 0.001);
  const double yScale = 0.92 * axisY / 1.001;
  auto at = [&](double processValue, double membership) {
    return PicturePoint{axisX + (processValue - smallest) * xScale, axisY - membership * yScale};
  };

  ZonePicture picture;
  picture.segments.push_back({{axisX, axisY}, {axisEnd, axisY}, 0});
  picture.segments.push_back({{axisX, 0}, {axisX, axisY}, 0});
  picture.labels.push_back({{axisX, axisY}, FormatNumber(smallest, "##0.0##"), LabelAlign::Left});
  picture.labels.push_back({{axisEnd, axisY}, FormatNumber(largest, "##0.00#"), LabelAlign::Right});
  picture.labels.push_back({{(axisX + axisEnd) / 2, axisY}, axisTitle, LabelAlign::Centre});
  for (const int z : drawn) {
    PicturePoint previous{};
    for (int p = 1; p <= NumPoints; ++p) {
      const PicturePoint point = at(PointValue(zoneGrid, z, p), Membership(zoneGrid, z, p));
      if (p > 1) picture.segments.push_back({previous, point, z});
      previous = point;
    }
  }
  return picture;
}

}  // namespace kavro
