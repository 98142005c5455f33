#pragma once
// What the tuning plots show, as trend pictures that the project's trend painter draws: per
// input its value before and after tuning with its targets, per output its value before and
// after, and the best objective over the evaluations. Points are fractions of the plot area.
#include <string>
#include <vector>

#include "model/TrendPicture.h"
#include "tune/TuneRun.h"

namespace kavro {

struct PlotPanel {
  std::string title;  // names the traces and their colours, and the scale
  TrendPicture picture;
};

std::vector<PlotPanel> InputPanels(const TunePlots& plots);
std::vector<PlotPanel> OutputPanels(const TunePlots& plots);
PlotPanel ObjectivePanel(const TunePlots& plots);

}  // namespace kavro
