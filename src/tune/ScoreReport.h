#pragma once
// A score as the user reads it (a table per inputs and outputs, then coverage) and as one JSON
// object for scripts. Both are the same bytes for the same score.
#include <string>

#include "tune/Baseline.h"
#include "tune/Score.h"

namespace kavro {

std::string ScoreText(const LoopScore& score);
// {"hours":H,"cycles":N,"errors":E,"objective":X,"inputs":[...],"outputs":[...],
//  "never_fired":[...],"idle_zones":[...]} on one line.
std::string ScoreJson(const LoopScore& score);
// The same with the PI loops of a baseline run as "pi":[{"output":..,"input":..,"kc":..,
// "ti_s":..,"filter_s":..}] at its end.
std::string ScoreJson(const LoopScore& score, const std::vector<PiLoop>& loops);

}  // namespace kavro
