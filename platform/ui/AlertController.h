#pragma once

// An alert or action sheet presented as a controller, with actions and text
// fields. Tapping an action (simulated) dismisses the controller and then
// runs the action's handler.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/AlertAction.h"
#include "platform/ui/PopoverPresentationController.h"
#include "platform/ui/TextField.h"
#include "platform/ui/ViewController.h"

namespace ui {

enum class AlertControllerStyle { actionSheet = 0, alert = 1 };

class AlertController : public ViewController {
  public:
    using Ptr = std::shared_ptr<AlertController>;

    static Ptr make(std::string title, std::string message, AlertControllerStyle style);

    const std::string& message() const { return message_; }
    void setMessage(std::string message) { message_ = std::move(message); }
    AlertControllerStyle preferredStyle() const { return style_; }
    const std::vector<AlertAction::Ptr>& actions() const { return actions_; }
    void addAction(AlertAction::Ptr action) { actions_.push_back(std::move(action)); }
    void addTextField(const std::function<void(TextField&)>& configure = nullptr);
    const std::vector<TextField::Ptr>& textFields() const { return textFields_; }
    PopoverPresentationController& popoverPresentationController() { return popover_; }

    // Answers false for an index out of range or a disabled action.
    bool tapAction(std::size_t index);
    bool tapActionTitled(const std::string& title);

    std::string outlineText() const;

  private:
    std::string message_;
    AlertControllerStyle style_ = AlertControllerStyle::alert;
    std::vector<AlertAction::Ptr> actions_;
    std::vector<TextField::Ptr> textFields_;
    PopoverPresentationController popover_;
};

}  // namespace ui
