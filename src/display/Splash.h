#pragma once
// The splash window shown at start: fixed texts, then three pictures and the product line
// growing word by word, then it closes by itself.
#include <string>
#include <vector>

namespace kavro {

struct SplashState {
  int imagesShown = 0;         // Image1 .. Image3 shown so far
  std::string companyProduct;  // lblCompanyProduct
  bool scriptShown = false;    // lblScript "With Script"
};

struct SplashStage {
  double waitSeconds;  // wait before this stage, letting window events run
  SplashState after;
  bool close = false;  // the last stage closes the splash window
};

struct SplashTexts {
  std::string caption;      // "Kavro: Fuzzy Logic Controller"
  std::string version;      // "Version 1.0.0"
  std::string productName;  // "Kavro: "
  std::string platform;
  std::string script;       // "With Script"
};

// The splash timer's interval before the first stage.
inline constexpr int kSplashTimerMs = 200;

SplashTexts SplashFixedTexts();
// What the splash shows when loaded (before the timer's first tick).
SplashState SplashStart();
// The stages run on the timer's first tick, in order.
const std::vector<SplashStage>& SplashStages();

}  // namespace kavro
