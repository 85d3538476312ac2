#pragma once

// The in-app ad browser: a full-screen ad screen with a web view over most
// of the screen and a toolbar below it (Back, Forward, Reload or a spinner
// while loading, "View in Safari", Done). Its view is built at the first
// appearance; a URL given before waits until then. The referring page's host
// goes with the request as "Referer". Main thread.

#include <memory>
#include <optional>
#include <string>

#include "ads/presentation/GADViewController.h"
#include "platform/foundation/URL.h"
#include "platform/graphics/Image.h"
#include "platform/ui/ActivityIndicatorView.h"
#include "platform/ui/BarButtonItem.h"
#include "platform/ui/Toolbar.h"

class GADBrowserWebView;
class GADStatisticDictionary;
class GADWebViewDelegate;

class GADBrowserViewController : public GADViewController {
  public:
    // Toolbar heights: a phone in landscape has the short one.
    static constexpr double kToolbarHeight = 44;
    static constexpr double kLandscapePhoneToolbarHeight = 30;

    GADBrowserViewController() = default;
    ~GADBrowserViewController() override;
    std::string className() const override { return "GADBrowserViewController"; }

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void didRotateFromInterfaceOrientation(ui::InterfaceOrientation from) override;

    // A plain item with the image, width and state, and `name` as its
    // accessibility label.
    ui::BarButtonItem::Ptr buttonWithImage(const graphics::Image::Ptr& image,
                                           const std::string& name, double width, bool enabled,
                                           ui::BarButtonItem::Action action);
    void createToolbarButtons();
    // Back and Forward follow the history; while loading the spinner stands
    // in for Reload and "View in Safari" is off.
    void refreshToolbar();

    void load(const std::optional<foundation::URL>& url);
    void load(const std::optional<foundation::URL>& url,
              const std::optional<foundation::URL>& referringURL);
    void back();
    void forward();
    void stop();
    void reload();
    // Opens the current page in the system's browser through an opener and
    // marks it on the ad's statistics.
    void openInSafari();

    // The statistics of the slot's current ad; nullptr without one.
    virtual std::shared_ptr<GADStatisticDictionary> adStatistics() const;

    const std::optional<foundation::URL>& URLToLoad() const { return URLToLoad_; }
    const std::optional<foundation::URL>& referringURLToLoad() const { return referringURLToLoad_; }
    const std::shared_ptr<GADWebViewDelegate>& webViewDelegate() const { return webViewDelegate_; }
    const std::shared_ptr<GADBrowserWebView>& webView() const { return webView_; }
    const std::shared_ptr<ui::Toolbar>& toolbar() const { return toolbar_; }
    const ui::BarButtonItem::Ptr& flexibleSpaceButton() const { return flexibleSpaceButton_; }
    const ui::BarButtonItem::Ptr& backButton() const { return backButton_; }
    const ui::BarButtonItem::Ptr& forwardButton() const { return forwardButton_; }
    const ui::BarButtonItem::Ptr& reloadButton() const { return reloadButton_; }
    const ui::BarButtonItem::Ptr& safariButton() const { return safariButton_; }
    const ui::BarButtonItem::Ptr& doneButton() const { return doneButton_; }
    const ui::BarButtonItem::Ptr& spinnerContainingButton() const {
        return spinnerContainingButton_;
    }
    const std::shared_ptr<ui::ActivityIndicatorView>& spinner() const { return spinner_; }

  private:
    std::shared_ptr<GADBrowserViewController> self();
    // Runs `action` on this controller while it lives.
    ui::BarButtonItem::Action perform(void (GADBrowserViewController::*action)());

    std::optional<foundation::URL> URLToLoad_;
    std::optional<foundation::URL> referringURLToLoad_;
    std::shared_ptr<GADWebViewDelegate> webViewDelegate_;
    std::shared_ptr<GADBrowserWebView> webView_;
    std::shared_ptr<ui::Toolbar> toolbar_;
    ui::BarButtonItem::Ptr flexibleSpaceButton_;
    ui::BarButtonItem::Ptr backButton_;
    ui::BarButtonItem::Ptr forwardButton_;
    ui::BarButtonItem::Ptr reloadButton_;
    ui::BarButtonItem::Ptr safariButton_;
    ui::BarButtonItem::Ptr doneButton_;
    ui::BarButtonItem::Ptr spinnerContainingButton_;
    std::shared_ptr<ui::ActivityIndicatorView> spinner_;
};
