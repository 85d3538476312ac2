#pragma once

// The HUD's tap recognizer: a tap recognizer that also remembers where its
// last tap was, for the action to read after the finger has lifted.

#include "platform/graphics/Geometry.h"
#include "platform/ui/TapGestureRecognizer.h"

class JGProgressHUDTapGestureRecognizer : public ui::TapGestureRecognizer {
  public:
    using ui::TapGestureRecognizer::TapGestureRecognizer;

    void touchesEnded(const std::vector<std::shared_ptr<ui::Touch>>& touches,
                      const ui::Event& event) override;

    // Where the last tap was, in `view`'s coordinates (the window's for null).
    graphics::Point tapLocationInView(const ui::View* view) const;

  private:
    std::vector<ui::Touch> lastTouches_;
};
