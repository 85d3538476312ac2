#pragma once

// A button of an alert controller: a title, a style and a handler run after
// the alert has gone.

#include <functional>
#include <memory>
#include <string>

namespace ui {

enum class AlertActionStyle { defaultStyle = 0, cancel = 1, destructive = 2 };

class AlertAction {
  public:
    using Handler = std::function<void(AlertAction&)>;
    using Ptr = std::shared_ptr<AlertAction>;

    static Ptr make(std::string title, AlertActionStyle style, Handler handler = nullptr) {
        auto action = std::make_shared<AlertAction>();
        action->title_ = std::move(title);
        action->style_ = style;
        action->handler_ = std::move(handler);
        return action;
    }

    const std::string& title() const { return title_; }
    AlertActionStyle style() const { return style_; }
    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled) { enabled_ = enabled; }
    void run() {
        if (handler_) {
            handler_(*this);
        }
    }

  private:
    std::string title_;
    AlertActionStyle style_ = AlertActionStyle::defaultStyle;
    Handler handler_;
    bool enabled_ = true;
};

}  // namespace ui
