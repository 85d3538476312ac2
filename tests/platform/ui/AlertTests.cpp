#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/ActionSheet.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Toolbar.h"
#include "tests/platform/ui/UiTestFixture.h"

namespace {

class Recorder : public ui::AlertViewDelegate, public ui::ActionSheetDelegate {
  public:
    std::vector<std::string> events;
    void alertViewClickedButtonAtIndex(ui::AlertView&, int i) override {
        events.push_back("clicked " + std::to_string(i));
    }
    void alertViewWillDismissWithButtonIndex(ui::AlertView&, int i) override {
        events.push_back("willDismiss " + std::to_string(i));
    }
    void alertViewDidDismissWithButtonIndex(ui::AlertView&, int i) override {
        events.push_back("didDismiss " + std::to_string(i));
    }
    void actionSheetClickedButtonAtIndex(ui::ActionSheet&, int i) override {
        events.push_back("sheet clicked " + std::to_string(i));
    }
};

}  // namespace

using AlertTest = UiTest;

TEST_F(AlertTest, AlertViewPutsCancelFirstAndReportsTheTapInOrder) {
    auto recorder = std::make_shared<Recorder>();
    auto alert =
        ui::AlertView::make("Open External Link", "Leave?", recorder, "Cancel", {"Open", "Copy"});
    EXPECT_EQ(alert->cancelButtonIndex(), 0);
    EXPECT_EQ(alert->firstOtherButtonIndex(), 1);
    EXPECT_EQ(alert->buttonTitleAtIndex(2), "Copy");
    EXPECT_FALSE(alert->tapButton(1));  // not shown yet

    alert->show();
    EXPECT_EQ(ui::AlertCenter::shared().topAlert(), alert);
    EXPECT_EQ(alert->outlineText(),
              "[AlertView] \"Open External Link\" \"Leave?\" [Cancel] [Open] [Copy]");
    EXPECT_TRUE(alert->tapButtonTitled("Open"));
    EXPECT_EQ(recorder->events,
              (std::vector<std::string>{"clicked 1", "willDismiss 1", "didDismiss 1"}));
    EXPECT_FALSE(alert->isVisible());
    EXPECT_TRUE(ui::AlertCenter::shared().visibleAlerts().empty());
}

TEST_F(AlertTest, AnAlertOutlivesItsDelegate) {
    auto recorder = std::make_shared<Recorder>();
    std::weak_ptr<ui::AlertView> weak;
    {
        auto alert = ui::AlertView::make("Scan Error", "", recorder, "Dismiss");
        alert->show();
        weak = alert;
    }
    recorder.reset();
    ASSERT_FALSE(weak.expired());  // the alert center keeps a shown alert alive
    EXPECT_TRUE(weak.lock()->tapButton(0));
    EXPECT_FALSE(weak.lock()->isVisible());
}

TEST_F(AlertTest, ActionSheetIndexesDestructiveOthersThenCancel) {
    struct Case {
        std::optional<std::string> destructive;
        int destructiveIndex, firstOther, cancel;
    };
    const Case cases[] = {
        {std::nullopt, -1, 0, 2},  // no destructive button: the first other is index 0
        {"Delete", 0, 1, 3},
    };
    for (const auto& c : cases) {
        auto sheet = ui::ActionSheet::make("", {}, "Cancel", c.destructive, {"Share", "Copy"});
        EXPECT_EQ(sheet->destructiveButtonIndex(), c.destructiveIndex);
        EXPECT_EQ(sheet->firstOtherButtonIndex(), c.firstOther);
        EXPECT_EQ(sheet->cancelButtonIndex(), c.cancel);
    }
    auto recorder = std::make_shared<Recorder>();
    auto toolbar = std::make_shared<ui::Toolbar>();
    auto sheet = ui::ActionSheet::make("", recorder, "Cancel", std::nullopt, {"Share"});
    sheet->setTag(11);
    sheet->showFromToolbar(toolbar);
    EXPECT_EQ(sheet->anchor(), ui::ActionSheetAnchor::toolbar);
    EXPECT_TRUE(sheet->tapButton(0));
    EXPECT_EQ(recorder->events, (std::vector<std::string>{"sheet clicked 0"}));
}
