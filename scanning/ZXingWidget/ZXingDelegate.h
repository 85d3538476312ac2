#pragma once

// The client of the camera scanning widget: hears the text of the code read
// or that the user cancelled.

#include <string>

class ZXingWidgetController;

class ZXingDelegate {
  public:
    virtual ~ZXingDelegate() = default;
    virtual void zxingControllerDidScanResult(ZXingWidgetController& controller,
                                              const std::string& result) {}
    virtual void zxingControllerDidCancel(ZXingWidgetController& controller) {}
};
