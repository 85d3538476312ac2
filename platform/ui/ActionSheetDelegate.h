#pragma once

// Told by an action sheet as it shows, is tapped and goes away.

namespace ui {

class ActionSheet;

class ActionSheetDelegate {
  public:
    virtual ~ActionSheetDelegate() = default;
    virtual void actionSheetClickedButtonAtIndex(ActionSheet& sheet, int index) {}
    virtual void actionSheetCancel(ActionSheet& sheet) {}
    virtual void willPresentActionSheet(ActionSheet& sheet) {}
    virtual void didPresentActionSheet(ActionSheet& sheet) {}
    virtual void actionSheetWillDismissWithButtonIndex(ActionSheet& sheet, int index) {}
    virtual void actionSheetDidDismissWithButtonIndex(ActionSheet& sheet, int index) {}
};

}  // namespace ui
