#pragma once

// A modal alert with a title, a message and buttons: the cancel button first
// (index 0) when given, then the others in order. The delegate is held weakly:
// an alert whose delegate is gone still shows and goes away. Text inputs for
// the plain, secure and login styles.

#include <memory>
#include <string>
#include <vector>

#include "platform/ui/Alert.h"
#include "platform/ui/AlertViewDelegate.h"
#include "platform/ui/TextField.h"

namespace ui {

enum class AlertViewStyle {
    defaultStyle = 0,
    secureTextInput = 1,
    plainTextInput = 2,
    loginAndPasswordInput = 3
};

class AlertView : public Alert {
  public:
    using Ptr = std::shared_ptr<AlertView>;

    static Ptr make(std::string title, std::string message,
                    std::weak_ptr<AlertViewDelegate> delegate,
                    std::optional<std::string> cancelButtonTitle,
                    std::vector<std::string> otherButtonTitles = {});

    std::shared_ptr<AlertViewDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::weak_ptr<AlertViewDelegate>& delegate) { delegate_ = delegate; }
    AlertViewStyle alertViewStyle() const { return style_; }
    void setAlertViewStyle(AlertViewStyle style);
    // The text inputs of the style (0: text or login, 1: password); nullptr otherwise.
    TextField::Ptr textFieldAtIndex(int index) const;

    void show() { present(); }

  protected:
    void notifyWillPresent() override;
    void notifyDidPresent() override;
    void notifyClicked(int index) override;
    void notifyWillDismiss(int index) override;
    void notifyDidDismiss(int index) override;

  private:
    std::weak_ptr<AlertViewDelegate> delegate_;
    AlertViewStyle style_ = AlertViewStyle::defaultStyle;
    std::vector<TextField::Ptr> fields_;
};

}  // namespace ui
