#pragma once

// Something that can take the keyboard focus (the first responder) and get
// events: the base of views and view controllers. One first responder at a
// time for the process.

#include <memory>

namespace ui {

class Responder : public std::enable_shared_from_this<Responder> {
  public:
    virtual ~Responder() = default;

    virtual bool canBecomeFirstResponder() const { return false; }
    virtual bool canResignFirstResponder() const { return true; }
    // Takes the focus from the current first responder, if it lets go.
    virtual bool becomeFirstResponder();
    virtual bool resignFirstResponder();
    bool isFirstResponder() const;

    static std::shared_ptr<Responder> firstResponder();

  protected:
    // Called after the focus moved to or away from this responder.
    virtual void didBecomeFirstResponder() {}
    virtual void didResignFirstResponder() {}
};

}  // namespace ui
