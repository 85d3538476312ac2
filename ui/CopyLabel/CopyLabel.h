#pragma once

// A label whose text can be copied: a long press makes it the first
// responder and shows the edit menu over it, offering Copy alone.

#include <memory>

#include "platform/ui/GestureRecognizer.h"
#include "platform/ui/Label.h"

class CopyLabel : public ui::Label {
  public:
    // initWithFrame: ; the label comes with its long-press handler.
    static std::shared_ptr<CopyLabel> make(const graphics::Rect& frame = {});
    using ui::Label::Label;

    std::string className() const override { return "CopyLabel"; }

    // Turns user interaction on and adds the long-press recognizer.
    void attachTapHandler();
    void handleTap(ui::GestureRecognizer& recognizer);
    // The label's text goes to the general pasteboard.
    void copy();

    bool canPerformAction(ui::EditAction action) const override;
    void performEditAction(ui::EditAction action) override;
    bool canBecomeFirstResponder() const override { return true; }
};
