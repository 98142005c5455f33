#include "ControllerConfig.h"

#include <algorithm>
#include <cstdio>

#include "config/ConfigFile.h"
#include "link/LinkTags.h"
#include "model/Controller.h"

namespace kavro::plantsim {
namespace {

// FLC.dat problems go to standard error: the simulator has no window.
class StderrOperator final : public Operator {
 public:
  MsgAnswer MessageBox(const std::string& text, const std::string& title, MsgIcon,
                       MsgButtons) override {
    std::fprintf(stderr, "kavro-plantsim: %s: %s\n", title.c_str(), text.c_str());
    return MsgAnswer::OK;
  }
  std::optional<std::string> InputBox(const std::string&, const std::string&,
                                      const std::string&) override {
    return std::nullopt;
  }
};

// Reads dir/FLC.dat as the controller does and hands the model to use.
template <typename Use>
auto WithConfiguration(const std::string& dir, Use&& use) {
  StderrOperator op;
  Controller controller;
  ResetModel(controller.model, dir);
  ApplyDefaults(controller.model);
  controller.ports.op = &op;
  ReadConfig(controller);
  return use(controller.model);
}

}  // namespace

ControllerTiming ReadControllerTiming(const std::string& dir) {
  return WithConfiguration(dir, [](const ControllerModel& model) {
    // The controller raises both to these minimums when it reads the file.
    return ControllerTiming{std::max<int>(model.FLCBlock.RunFrequency, 10),
                            std::max<int>(model.FLCBlock.LinkFrequency, 5)};
  });
}

ControllerTags ReadControllerTags(const std::string& dir) {
  return WithConfiguration(dir, [](const ControllerModel& model) {
    const FLCBlockRecord& block = model.FLCBlock;
    return ControllerTags{TagLists{ReadTagList(model), WriteTagList(model)},
                          {block.DCSONOFF, block.DCSWatchDog, block.DCSRunFreq, block.DCSErrorCode}};
  });
}

}  // namespace kavro::plantsim
