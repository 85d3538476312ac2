#pragma once

// The ad web view of the in-app browser: its presenting controller can only
// be a browser controller.

#include <memory>

#include "ads/webview/GADWebView.h"

class GADBrowserViewController;

class GADBrowserWebView : public GADWebView {
  public:
    using GADWebView::GADWebView;
    std::string className() const override { return "GADBrowserWebView"; }

    // Anything but a browser controller leaves the previous one in place.
    void setViewController(const std::shared_ptr<ui::ViewController>& controller) override;
    std::shared_ptr<GADBrowserViewController> browserViewController() const;
};
