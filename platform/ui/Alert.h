#pragma once

// What alert views and action sheets share: a title, buttons by index, a
// cancel button index, being shown (kept alive by the alert center while
// visible) and a programmatic tap that sends clicked, then will-dismiss and
// did-dismiss, as a finger on the button would.

#include <memory>
#include <string>
#include <vector>

namespace ui {

class Alert : public std::enable_shared_from_this<Alert> {
  public:
    virtual ~Alert() = default;

    // The dynamic type's name: "AlertView", "ActionSheet".
    virtual std::string className() const;

    const std::string& title() const { return title_; }
    void setTitle(std::string title) { title_ = std::move(title); }
    const std::string& message() const { return message_; }
    void setMessage(std::string message) { message_ = std::move(message); }
    int tag() const { return tag_; }
    void setTag(int tag) { tag_ = tag; }

    // Appends a button; answers its index.
    int addButtonWithTitle(const std::string& title);
    int numberOfButtons() const { return static_cast<int>(buttons_.size()); }
    // "" out of range.
    std::string buttonTitleAtIndex(int index) const;
    const std::vector<std::string>& buttonTitles() const { return buttons_; }
    // -1 when there is none.
    int cancelButtonIndex() const { return cancelIndex_; }
    void setCancelButtonIndex(int index) { cancelIndex_ = index; }
    // The first button that is neither cancel nor destructive; -1 when none.
    int firstOtherButtonIndex() const;

    bool isVisible() const { return visible_; }
    // Taps a button: clicked, then the alert goes away with that index.
    // Nothing happens for an alert not on screen or an index out of range.
    bool tapButton(int index);
    bool tapButtonTitled(const std::string& title);
    void dismissWithClickedButtonIndex(int index, bool animated);

    // "[AlertView] "Title" "message" [OK] [Cancel]"
    virtual std::string outlineText() const;

  protected:
    void present();
    virtual int destructiveIndex() const { return -1; }
    virtual void notifyWillPresent() {}
    virtual void notifyDidPresent() {}
    virtual void notifyClicked(int index) {}
    virtual void notifyWillDismiss(int index) {}
    virtual void notifyDidDismiss(int index) {}

    std::vector<std::string> buttons_;
    int cancelIndex_ = -1;

  private:
    std::string title_;
    std::string message_;
    int tag_ = 0;
    bool visible_ = false;
};

}  // namespace ui
