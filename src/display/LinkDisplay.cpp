#include "display/LinkDisplay.h"

#include "model/Colour.h"

namespace kavro {
namespace {

constexpr int kLightGreen = 10;
constexpr int kLightRed = 12;

}  // namespace

void ShowLinkState(Controller& controller) {
  const bool on = controller.model.Link.LinkStatus == kOn;
  controller.window.lblLink.caption = on ? "Link ON" : "Link OFF";
  controller.window.lblLink.backColour = PaletteColour(on ? kLightGreen : kLightRed);
}

}  // namespace kavro
