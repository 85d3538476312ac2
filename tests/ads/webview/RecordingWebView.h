#pragma once

// An ad web view that keeps the scripts it is asked to run instead of running them.

#include <string>
#include <vector>

#include "ads/webview/GADWebView.h"

class RecordingWebView : public GADWebView {
  public:
    RecordingWebView() : GADWebView(graphics::Rect{0, 0, 320, 50}) {}
    std::string stringByEvaluatingJavaScriptFromString(const std::string& script) override {
        scripts.push_back(script);
        return "";
    }
    std::vector<std::string> scripts;
};
