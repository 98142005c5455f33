#include "display/Splash.h"

#include "display/ProgramInfo.h"

namespace kavro {

SplashTexts SplashFixedTexts() {
  return {"Kavro: Fuzzy Logic Controller", "Version " + VersionNumber(), "Kavro: ", "Linux",
          "With Script"};
}

SplashState SplashStart() { return {0, " ", false}; }

const std::vector<SplashStage>& SplashStages() {
  static const std::vector<SplashStage> kStages = {
      {0.3, {1, "Multivariable Fuzzy", false}},
      {0.3, {2, "Multivariable Fuzzy Logic", false}},
      {0.3, {3, "Multivariable Fuzzy Logic Controller", true}},
      {1.2, {3, "Multivariable Fuzzy Logic Controller", true}, true},
  };
  return kStages;
}

}  // namespace kavro
