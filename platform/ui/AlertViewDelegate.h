#pragma once

// Told by an alert view as it shows, is tapped and goes away.

namespace ui {

class AlertView;

class AlertViewDelegate {
  public:
    virtual ~AlertViewDelegate() = default;
    virtual void alertViewClickedButtonAtIndex(AlertView& alert, int index) {}
    virtual void alertViewCancel(AlertView& alert) {}
    virtual void willPresentAlertView(AlertView& alert) {}
    virtual void didPresentAlertView(AlertView& alert) {}
    virtual void alertViewWillDismissWithButtonIndex(AlertView& alert, int index) {}
    virtual void alertViewDidDismissWithButtonIndex(AlertView& alert, int index) {}
};

}  // namespace ui
