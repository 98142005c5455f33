#pragma once
// The closest fuzzylite engine to the bench plant: 6 inputs with 7 four-point Discrete terms,
// 20 rules joined with AND = Minimum, 2 outputs with Constant terms and a WeightedAverage
// defuzzifier.
#include <memory>

namespace fl {
class Engine;
}

namespace kavro::bench {

class FuzzyliteEquivalent {
 public:
  FuzzyliteEquivalent();
  ~FuzzyliteEquivalent();
  FuzzyliteEquivalent(const FuzzyliteEquivalent&) = delete;
  FuzzyliteEquivalent& operator=(const FuzzyliteEquivalent&) = delete;

  void SetInput(int input, float value);  // input 1..6
  void Process();
  double Output(int output) const;  // output 1..2

 private:
  std::unique_ptr<fl::Engine> engine_;
};

}  // namespace kavro::bench
