#pragma once

// A sheet of choices shown from a view, a toolbar, a bar item or a rectangle.
// Buttons: the destructive one first (when given), then the others in order,
// then cancel last, so that without a destructive button the first other
// button has index 0.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/graphics/Geometry.h"
#include "platform/ui/ActionSheetDelegate.h"
#include "platform/ui/Alert.h"

namespace ui {

class BarButtonItem;
class Toolbar;
class View;

enum class ActionSheetStyle {
    automatic = -1,
    defaultStyle = 0,
    blackTranslucent = 2,
    blackOpaque = 1
};
enum class ActionSheetAnchor { none, view, toolbar, tabBar, barButtonItem, rect };

class ActionSheet : public Alert {
  public:
    using Ptr = std::shared_ptr<ActionSheet>;

    static Ptr make(std::string title, std::weak_ptr<ActionSheetDelegate> delegate,
                    std::optional<std::string> cancelButtonTitle,
                    std::optional<std::string> destructiveButtonTitle,
                    std::vector<std::string> otherButtonTitles = {});

    std::shared_ptr<ActionSheetDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::weak_ptr<ActionSheetDelegate>& delegate) { delegate_ = delegate; }
    int destructiveButtonIndex() const { return destructiveIndex_; }
    void setDestructiveButtonIndex(int index) { destructiveIndex_ = index; }
    ActionSheetStyle actionSheetStyle() const { return style_; }
    void setActionSheetStyle(ActionSheetStyle style) { style_ = style; }

    void showInView(const std::shared_ptr<View>& view);
    void showFromToolbar(const std::shared_ptr<Toolbar>& toolbar);
    void showFromTabBar(const std::shared_ptr<View>& tabBar);
    void showFromBarButtonItem(const std::shared_ptr<BarButtonItem>& item, bool animated);
    void showFromRect(const graphics::Rect& rect, const std::shared_ptr<View>& view, bool animated);
    // Where the sheet was shown from.
    ActionSheetAnchor anchor() const { return anchor_; }
    std::shared_ptr<View> anchorView() const { return anchorView_.lock(); }
    std::shared_ptr<BarButtonItem> anchorItem() const { return anchorItem_.lock(); }
    graphics::Rect anchorRect() const { return anchorRect_; }

  protected:
    int destructiveIndex() const override { return destructiveIndex_; }
    void notifyWillPresent() override;
    void notifyDidPresent() override;
    void notifyClicked(int index) override;
    void notifyWillDismiss(int index) override;
    void notifyDidDismiss(int index) override;

  private:
    std::weak_ptr<ActionSheetDelegate> delegate_;
    int destructiveIndex_ = -1;
    ActionSheetStyle style_ = ActionSheetStyle::automatic;
    ActionSheetAnchor anchor_ = ActionSheetAnchor::none;
    std::weak_ptr<View> anchorView_;
    std::weak_ptr<BarButtonItem> anchorItem_;
    graphics::Rect anchorRect_;
};

}  // namespace ui
