#pragma once

// The scanner's camera overlay: a full-screen transparent layer holding the
// cover with the photo-album, history, light and menu buttons. It toggles the
// torch (the Light item's style records it: 2 on, 1 off), offers the menu of
// the QR creator and the about screen, keeps a help tip, and loads the
// maker's page to open the "Our Apps" list under a "Loading" HUD.

#include <memory>
#include <optional>
#include <string>

#include "app/OverlayCoverView.h"
#include "app/ReaderOverlayDelegate.h"
#include "platform/ui/ActionSheet.h"
#include "platform/ui/ActionSheetDelegate.h"
#include "platform/ui/BarButtonItem.h"
#include "platform/ui/Button.h"
#include "platform/ui/Toolbar.h"
#include "platform/ui/View.h"
#include "ui/JGProgressHUD/JGProgressHUD.h"

class ReaderOverlayView : public ui::View, public ui::ActionSheetDelegate {
  public:
    using Ptr = std::shared_ptr<ReaderOverlayView>;

    static constexpr double kToolbarHeight = 54;
    // How long the buttons wait before they ask the application.
    static constexpr double kActionDelay = 0.1;
    static constexpr int kTorchOffStyle = 1;
    static constexpr int kTorchOnStyle = 2;

    // init: the main screen's size, the toolbar and its items, and the cover
    // with its buttons wired.
    static Ptr make();

    ReaderOverlayView();

    std::string className() const override { return "ReaderOverlayView"; }

    // Held weakly (the application delegate).
    std::shared_ptr<ReaderOverlayDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::weak_ptr<ReaderOverlayDelegate>& delegate) { delegate_ = delegate; }

    // Made in init and kept, never shown: it gives setMode: its items.
    const std::shared_ptr<ui::Toolbar>& toolbar() const { return toolbar_; }
    const ui::BarButtonItem::Ptr& doneBtn() const { return doneBtn_; }
    const ui::BarButtonItem::Ptr& cancelBtn() const { return cancelBtn_; }
    const ui::BarButtonItem::Ptr& space() const { return space_; }
    const ui::BarButtonItem::Ptr& infoBtn1() const { return infoBtn1_; }
    void setInfoBtn1(ui::BarButtonItem::Ptr item) { infoBtn1_ = std::move(item); }
    const ui::BarButtonItem::Ptr& historyBtn() const { return historyBtn_; }
    // The button the tip animations move; nothing sets it.
    const ui::Button::Ptr& infoBtn() const { return infoBtn_; }
    // The cover's light button.
    const ui::Button::Ptr& infoBtn2() const { return infoBtn2_; }
    const OverlayCoverView::Ptr& coverView() const { return coverView_; }
    const ui::View::Ptr& tipView() const { return tipView_; }

    double tipShowDelay() const { return tipShowDelay_; }
    void setTipShowDelay(double seconds) { tipShowDelay_ = seconds; }
    double tipHideDelay() const { return tipHideDelay_; }
    void setTipHideDelay(double seconds) { tipHideDelay_ = seconds; }
    bool showTip() const { return showTip_; }

    // The toolbar's items: History, a flexible space, and Light when the
    // device has a torch. The mode is not used.
    void setMode(int mode);
    // The scanner shows again: the torch is lit again if it was on; the tip
    // is folded away.
    void willAppear();
    void willDisappear();

    // The history button: the delegate is told 0.1 s later.
    void dismiss();
    // The album button: the photo scan starts 0.1 s later.
    void action();
    // The torch toggle.
    void info();
    // The menu sheet: "QR Code Creator", "Help & About", "Our Apps" (the
    // developer-page loader), "Cancel".
    void showMenu();
    void actionSheetClickedButtonAtIndex(ui::ActionSheet& sheet, int index) override;

    // The help tip.
    void initTip();
    void showTipAnimated();
    void hideTip();
    void hideTipAnimated();

    // The "Our Apps" loaders: a "Loading" HUD over the navigation view, the
    // maker's page fetched and read; the HUD goes on every outcome and the
    // list is pushed only with the decrypted address. loadDeveloperUrl2
    // uses a session task and pushes animated; loadDeveloperUrl loads on a
    // global queue and pushes without animation.
    void loadDeveloperUrl();
    void loadDeveloperUrl2();

  private:
    Ptr self();
    void buildToolbar();
    void loadCover();
    // Shows the "Loading" HUD over the navigation view (nullptr without one).
    static JGProgressHUD::Ptr showLoadingHUD();
    // On the main queue: the HUD goes and, with an address, the list is pushed.
    static void finishLoading(const std::weak_ptr<JGProgressHUD>& hud,
                              const std::optional<std::string>& address, bool animated);

    std::weak_ptr<ReaderOverlayDelegate> delegate_;
    std::shared_ptr<ui::Toolbar> toolbar_;
    ui::BarButtonItem::Ptr doneBtn_;
    ui::BarButtonItem::Ptr cancelBtn_;
    ui::BarButtonItem::Ptr space_;
    ui::BarButtonItem::Ptr infoBtn1_;
    ui::BarButtonItem::Ptr historyBtn_;
    ui::Button::Ptr infoBtn_;
    ui::Button::Ptr infoBtn2_;
    OverlayCoverView::Ptr coverView_;
    ui::View::Ptr tipView_;
    double tipShowDelay_ = 0;
    double tipHideDelay_ = 0;
    bool showTip_ = false;
};
