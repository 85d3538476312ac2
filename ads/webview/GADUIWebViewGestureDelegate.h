#pragma once

// Lets the ad view's zig-zag recognizer work beside every other recognizer
// except another zig-zag one.

#include "platform/ui/GestureRecognizer.h"

class GADUIWebViewGestureDelegate : public ui::GestureRecognizerDelegate {
  public:
    bool shouldRecognizeSimultaneouslyWith(ui::GestureRecognizer& recognizer,
                                           ui::GestureRecognizer& other) override;
};
