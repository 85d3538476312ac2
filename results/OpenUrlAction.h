#pragma once

// An action that leaves the application through a URL, after an optional
// confirmation alert. Every URL action ends in openURL, a hook that the
// application replaces for the whole program (by default the URL goes to the
// platform).

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/foundation/URL.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/AlertViewDelegate.h"
#include "results/ResultAction.h"

class OpenUrlAction : public ResultAction, public ui::AlertViewDelegate {
  public:
    using OpenURLHook = std::function<void(const std::optional<foundation::URL>& url)>;

    // Characters escaped in a query value besides the legacy set: unescaped,
    // they would end or split the value ("Tom & Jerry" must arrive whole, and
    // a "+" must stay a plus rather than become a space).
    static constexpr const char* kQueryValueDelimiters = "&=?#+";

    explicit OpenUrlAction(std::optional<foundation::URL> URL) : URL_(std::move(URL)) {}
    static std::shared_ptr<OpenUrlAction> actionWithURL(std::optional<foundation::URL> URL);

    // Absent when the text it was made from is not a valid URL.
    const std::optional<foundation::URL>& URL() const { return URL_; }

    std::string title() const override;
    virtual std::string alertTitle() const;
    virtual std::string alertMessage() const;
    virtual std::string alertButtonTitle() const;

    // Without confirmation: openURL. With it: an alert without a title, the
    // message alertMessage, a cancel button and one button alertButtonTitle
    // that calls openURL.
    void performActionWithController(const std::shared_ptr<ui::ViewController>& controller,
                                     bool shouldConfirm) override;

    // Hands URL to the hook.
    void openURL() const;
    // Replaces the hook for every URL action; an empty hook restores the
    // default, which hands the URL to the platform (an absent URL opens nothing).
    static void setOpenURLHook(OpenURLHook hook);

    void alertViewClickedButtonAtIndex(ui::AlertView& alertView, int buttonIndex) override;

  private:
    std::optional<foundation::URL> URL_;
};
