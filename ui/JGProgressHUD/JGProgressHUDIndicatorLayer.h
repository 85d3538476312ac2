#pragma once

// The layer behind a drawn progress indicator (pie or ring): it keeps the
// progress, animates it from the value on screen when a layer transaction
// gives a duration, and draws itself into a context with the progress shown
// at that moment.

#include <memory>
#include <string_view>

#include "platform/graphics/BitmapContext.h"
#include "platform/ui/BasicAnimation.h"
#include "platform/ui/Layer.h"

class JGProgressHUDIndicatorLayer : public ui::Layer {
  public:
    float progress() const { return progress_; }
    // Sets the model value; inside a transaction with a duration (and actions
    // on) the displayed value moves there from where it is now.
    void setProgress(float progress);
    // The progress on screen now (the model value when nothing animates).
    float presentationProgress() const;

    // The animation run when `key` changes: for "progress" an ease-in-ease-out
    // animation from the displayed value over the transaction's duration;
    // nothing for other keys.
    std::shared_ptr<ui::BasicAnimation> actionForKey(std::string_view key) const;

    // Draws the layer with `context` made the current drawing context for as
    // long as it draws.
    void drawInContext(graphics::BitmapContext& context) const override;

  protected:
    virtual bool displaysKey(std::string_view key) const = 0;
    virtual void draw(graphics::BitmapContext& context) const = 0;
    // Marks the layer for redisplay when `key` is one of its drawn properties.
    void changed(std::string_view key);

  private:
    float progress_ = 0;
    double progressAnimationStart_ = 0;
};
