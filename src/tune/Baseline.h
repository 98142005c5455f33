#pragma once
// The fair comparison for a fuzzy configuration: the PI loops an engineer would commission on
// the DCS instead, one per output, run through the same cycle (the same output limits, move
// limits, scripts and link) on the same plant.
//
// Pairing: each output in use acts on the input in use it moves most, measured as
// |gain| x the output's range / half the input's target band (the responses of the plant file),
// each input taken once while another is left; or as the user pairs them.
// Measurement filter: first order, time constant one dead time of the paired response but at
// least one run period (noise is filtered no slower than the loop can act), or as the user sets.
// Settings (SIMC): the run period and the filter lag the loop: half the period and half the
// filter are added to the dead time, half the filter to the time constant (the half rule); then
// with the closed-loop time constant tc equal to that dead time theta,
//   Kc = tau / (K x (tc + theta)),   Ti = min(tau, 4 (tc + theta)).
// Set point: the middle of the input's targets as read each cycle. Velocity form on the output's
// present value, so limits, move limits and script holds cause no wind-up.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "model/Controller.h"
#include "plant/PlantDescription.h"

namespace kavro {

struct PiLoop {
  int output = 0;  // output slot 1..NumOut
  int input = 0;   // input slot 1..NumIn
  std::string outputTag;
  std::string inputTag;
  PlantResponse response;  // the paired response, scale applied
  double filterSeconds = 0;
  double kc = 0;        // output units per input unit
  double tiSeconds = 0;
};

struct PiSettings {
  double gain = 0;
  double timeConstant = 0;
  double deadTime = 0;
  double filterSeconds = 0;
  double periodSeconds = 0;
};
// Kc and Ti by the rules above.
void SimcSettings(const PiSettings& given, double& kc, double& tiSeconds);

struct BaselineOptions {
  std::vector<std::pair<std::string, std::string>> pairs;  // INPUTTAG=OUTPUTTAG given
  std::optional<double> filterSeconds;
};

// One PI loop per output in use. Throws TuneInputError for a pair that names no input or output
// in use, or an output left without a response from an input in use.
std::vector<PiLoop> PlanBaseline(const ControllerModel& model, const PlantDescription& plant,
                                 const BaselineOptions& options);

// The loops as a cycle step (LoopSetup::replaceOutputs): each cycle the filtered measurement,
// the PI move on the output's present value, the value within the output's limits.
class PiController {
 public:
  explicit PiController(std::vector<PiLoop> loops, double periodSeconds);
  void operator()(Controller& controller);

 private:
  struct State {
    bool started = false;
    double filtered = 0;
    double lastError = 0;
  };
  std::vector<PiLoop> loops_;
  std::vector<State> states_;
  double period_;
};

// No control: every output sent the value it had in the first cycle (its start), whatever the
// rules or scripts would do.
class HoldOutputs {
 public:
  void operator()(Controller& controller);

 private:
  std::array<std::optional<float>, NumOut + 1> held_{};
};

// "FC401.PV from TI101.PV: gain 30, ..." lines, one per loop.
std::string PiSettingsText(const std::vector<PiLoop>& loops);

}  // namespace kavro
