#pragma once

// How a progress HUD appears and disappears: the HUD asks its animation to
// show or hide it, and the animation reports back when it is done. This base
// only records which of the two ran last; subclasses animate.

#include <memory>

class JGProgressHUD;

class JGProgressHUDAnimation : public std::enable_shared_from_this<JGProgressHUDAnimation> {
  public:
    virtual ~JGProgressHUDAnimation() = default;

    static std::shared_ptr<JGProgressHUDAnimation> animation();

    bool presenting() const { return presenting_; }
    // The HUD this animation belongs to, held weakly (the HUD sets and
    // clears it).
    std::shared_ptr<JGProgressHUD> progressHUD() const { return progressHUD_.lock(); }
    void setProgressHUD(const std::weak_ptr<JGProgressHUD>& hud) { progressHUD_ = hud; }

    virtual void show() { presenting_ = true; }
    virtual void hide() { presenting_ = false; }
    // Tells the HUD that the presentation (or dismissal) finished; nobody
    // hears of it when the HUD is gone.
    void animationFinished();

  private:
    bool presenting_ = false;
    std::weak_ptr<JGProgressHUD> progressHUD_;
};
