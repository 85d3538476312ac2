#pragma once

// Stands in for the camera on a development simulator. On a device its
// initialiser gives nothing, so no reader ever holds one; make() answers
// nullptr here for the same reason.

#include <memory>

#include "platform/ui/ViewController.h"

class ZBarCameraSimulator {
  public:
    // initWithViewController:
    static std::shared_ptr<ZBarCameraSimulator> make(
        const std::shared_ptr<ui::ViewController>& viewController);
};
