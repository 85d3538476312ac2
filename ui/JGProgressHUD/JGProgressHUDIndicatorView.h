#pragma once

// What a progress HUD shows above its texts: a view of its own size (50 by 50
// without a content view) holding an optional content view, with a progress
// from 0 to 1 and an accessibility label kept up to date once per run-loop
// turn however often the progress changes.
//
// Indicator views are made with the static make... functions of each class:
// they finish setting up once the view is owned.

#include <functional>
#include <memory>
#include <string>

#include "platform/ui/View.h"

class JGProgressHUDIndicatorView : public ui::View {
  protected:
    // Only the make... functions construct indicator views.
    struct Token {
        explicit Token() = default;
    };

  public:
    using Ptr = std::shared_ptr<JGProgressHUDIndicatorView>;

    explicit JGProgressHUDIndicatorView(Token) {}

    // initWithContentView: (init without one).
    static Ptr make(ui::View::Ptr contentView = nullptr);

    std::string className() const override { return "JGProgressHUDIndicatorView"; }

    float progress() const { return progress_; }
    void setProgress(float progress) { setProgress(progress, false); }
    // Changes below the single-precision epsilon are ignored.
    virtual void setProgress(float progress, bool animated);

    const ui::View::Ptr& contentView() const { return contentView_; }
    bool accessibilityUpdateScheduled() const { return accessibilityUpdateScheduled_; }

    // Schedules one accessibility label update for the end of this run-loop
    // turn, unless one is already scheduled.
    void setNeedsAccessibilityUpdate();
    void updateAccessibilityIfNeeded();
    // Sets the accessibility label: "Loading" and the progress in percent.
    virtual void updateAccessibility();

    // Runs `block`, if any.
    static void runBlock(const std::function<void()>& block);

  protected:
    // The common setup: frame of the content view (or 50 by 50), clear and
    // not opaque, an accessibility element, the content view added.
    void initWithContentView(ui::View::Ptr contentView);

  private:
    float progress_ = 0;
    ui::View::Ptr contentView_;
    bool accessibilityUpdateScheduled_ = false;
};
