#pragma once

// Something that can take the keyboard focus (the first responder) and get
// events: the base of views and view controllers. One first responder at a
// time for the process.

#include <memory>

#include "platform/ui/EditAction.h"

namespace ui {

class Responder : public std::enable_shared_from_this<Responder> {
  public:
    virtual ~Responder() = default;

    virtual bool canBecomeFirstResponder() const { return false; }
    virtual bool canResignFirstResponder() const { return true; }
    // canPerformAction:withSender: for the edit menu's commands, and the
    // command itself (copy:, paste:, ...).
    virtual bool canPerformAction(EditAction action) const { return false; }
    virtual void performEditAction(EditAction action) {}
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
