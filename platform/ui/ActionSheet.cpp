#include "platform/ui/ActionSheet.h"

#include "platform/ui/BarButtonItem.h"
#include "platform/ui/Toolbar.h"

namespace ui {

ActionSheet::Ptr ActionSheet::make(std::string title, std::weak_ptr<ActionSheetDelegate> delegate,
                                   std::optional<std::string> cancelButtonTitle,
                                   std::optional<std::string> destructiveButtonTitle,
                                   std::vector<std::string> otherButtonTitles) {
    auto sheet = std::make_shared<ActionSheet>();
    sheet->setTitle(std::move(title));
    sheet->delegate_ = std::move(delegate);
    if (destructiveButtonTitle) {
        sheet->destructiveIndex_ = sheet->addButtonWithTitle(*destructiveButtonTitle);
    }
    for (auto& other : otherButtonTitles) {
        sheet->addButtonWithTitle(other);
    }
    if (cancelButtonTitle) {
        sheet->cancelIndex_ = sheet->addButtonWithTitle(*cancelButtonTitle);
    }
    return sheet;
}

void ActionSheet::showInView(const std::shared_ptr<View>& view) {
    anchor_ = ActionSheetAnchor::view;
    anchorView_ = view;
    present();
}

void ActionSheet::showFromToolbar(const std::shared_ptr<Toolbar>& toolbar) {
    anchor_ = ActionSheetAnchor::toolbar;
    anchorView_ = toolbar;
    present();
}

void ActionSheet::showFromTabBar(const std::shared_ptr<View>& tabBar) {
    anchor_ = ActionSheetAnchor::tabBar;
    anchorView_ = tabBar;
    present();
}

void ActionSheet::showFromBarButtonItem(const std::shared_ptr<BarButtonItem>& item, bool) {
    anchor_ = ActionSheetAnchor::barButtonItem;
    anchorItem_ = item;
    present();
}

void ActionSheet::showFromRect(const graphics::Rect& rect, const std::shared_ptr<View>& view,
                               bool) {
    anchor_ = ActionSheetAnchor::rect;
    anchorRect_ = rect;
    anchorView_ = view;
    present();
}

void ActionSheet::notifyWillPresent() {
    if (auto d = delegate()) {
        d->willPresentActionSheet(*this);
    }
}

void ActionSheet::notifyDidPresent() {
    if (auto d = delegate()) {
        d->didPresentActionSheet(*this);
    }
}

void ActionSheet::notifyClicked(int index) {
    if (auto d = delegate()) {
        d->actionSheetClickedButtonAtIndex(*this, index);
    }
}

void ActionSheet::notifyWillDismiss(int index) {
    if (auto d = delegate()) {
        d->actionSheetWillDismissWithButtonIndex(*this, index);
    }
}

void ActionSheet::notifyDidDismiss(int index) {
    if (auto d = delegate()) {
        d->actionSheetDidDismissWithButtonIndex(*this, index);
    }
}

}  // namespace ui
