#pragma once

// One thing the user can do with a parsed result (open a URL, call, send an
// SMS or e-mail, show a place, add a contact), listed by title on the result
// screen and run with the screen as controller.

#include <memory>
#include <string>

namespace ui {
class ViewController;
}

class ResultAction : public std::enable_shared_from_this<ResultAction> {
  public:
    virtual ~ResultAction() = default;

    virtual std::string title() const { return "Abstract Action"; }
    // Does nothing here; each kind of action runs its own way.
    virtual void performActionWithController(const std::shared_ptr<ui::ViewController>& controller,
                                             bool shouldConfirm) {}
};
