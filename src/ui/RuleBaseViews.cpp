#include "ui/RuleBaseViews.h"

#include "ui/HistoryTrendWindow.h"
#include "ui/RuleFiringWindow.h"
#include "ui/SurfaceWindow.h"

namespace kavro::ui {

namespace {

void BringUp(QWidget* window) {
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace

RuleBaseViews::RuleBaseViews(Controller& controller, MenuCommandTable& commands,
                             QWidget* mainWindow,
                             std::function<void(std::function<void()>)> submitTrend)
    : c_(controller), mainWindow_(mainWindow), submitTrend_(std::move(submitTrend)) {
  commands["mnuRuleFiring"] = [this](Controller&) { OpenRuleFiring(); };
  commands["mnuControlSurface"] = [this](Controller&) { OpenSurface(); };
  commands["mnuTrendHistory"] = [this](Controller&) { OpenTrendHistory(); };
}

void RuleBaseViews::OpenTrendHistory() {
  if (!trendHistory_) {
    trendHistory_ = new HistoryTrendWindow(
        c_, submitTrend_, mainWindow_->findChild<TrendPlotWidget*>("trendArea"), mainWindow_);
  }
  trendHistory_->Trend()->Render();
  BringUp(trendHistory_);
}

HistoryTrendWindow* RuleBaseViews::TrendHistory() const { return trendHistory_.data(); }

void RuleBaseViews::OpenRuleFiring() {
  if (!ruleFiring_) ruleFiring_ = new RuleFiringWindow(c_, mainWindow_);
  ruleFiring_->Refresh();
  BringUp(ruleFiring_);
}

void RuleBaseViews::OpenSurface() {
  if (!surface_) surface_ = new SurfaceWindow(c_, mainWindow_);
  // The configuration may have changed since it was last open: its choices follow it.
  surface_->Reload();
  BringUp(surface_);
}

RuleFiringWindow* RuleBaseViews::RuleFiring() const {
  return ruleFiring_.data();
}
SurfaceWindow* RuleBaseViews::Surface() const {
  return surface_.data();
}

void RuleBaseViews::Refresh() {
  if (ruleFiring_ && ruleFiring_->isVisible()) ruleFiring_->Refresh();
  if (surface_ && surface_->isVisible()) surface_->FollowPlant();
  if (trendHistory_ && trendHistory_->isVisible()) trendHistory_->Trend()->Render();
}

}  // namespace kavro::ui
