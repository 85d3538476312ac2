#pragma once

// The view an ad page renders in. A slot makes one at creation; a banner
// shows it as its ad view.

#include <memory>

#include "platform/ui/View.h"

namespace ui {
class ViewController;
}

class GADWebView : public ui::View {
  public:
    explicit GADWebView(const graphics::Rect& frame) : ui::View(frame) {}
    std::string className() const override { return "GADWebView"; }

    // A banner's web view stays hidden until its first ad has loaded.
    void configureAsBannerAdView();

    // Runs the script in the ad's page on the main thread and answers its
    // result as text; "" while no page is loaded.
    virtual std::string stringByEvaluatingJavaScriptFromString(const std::string& script);

    // The controller that presents screens for the ad (held weakly).
    std::shared_ptr<ui::ViewController> viewController() const { return viewController_.lock(); }
    void setViewController(const std::shared_ptr<ui::ViewController>& controller) {
        viewController_ = controller;
    }
    // The user touched the page since the last load.
    bool touched() const { return touched_; }
    void setTouched(bool touched) { touched_ = touched; }

  private:
    std::weak_ptr<ui::ViewController> viewController_;
    bool touched_ = false;
};
