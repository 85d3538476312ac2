#include "app/ActionDetailController.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/app/StoreScreenTest.h"

namespace {

class ActionDetailControllerTest : public StoreScreenTest {
  protected:
    static std::vector<std::string> names(
        const std::vector<std::shared_ptr<Classification>>& list) {
        std::vector<std::string> result;
        for (const auto& c : list) {
            result.push_back(c->name());
        }
        return result;
    }
    // The row of section 2 showing the classification of that name.
    static int rowOf(const ActionDetailController& editor, const std::string& name) {
        const auto& classes = editor.classes();
        for (std::size_t i = 0; i < classes.size(); ++i) {
            if (classes[i]->name() == name) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }
};

TEST_F(ActionDetailControllerTest, ShowsTheLinkAndEveryClassificationWithCheckMarks) {
    auto action = actionNamed("Track FedEx Package");
    auto editor = std::make_shared<ActionDetailController>(action);
    push(editor);

    EXPECT_EQ(editor->title(), "Edit Link");
    auto table = editor->tableView();
    ASSERT_EQ(table->numberOfSections(), 3);
    EXPECT_EQ(table->titleForHeaderInSection(0), "Search Name");
    EXPECT_EQ(table->titleForHeaderInSection(1), "Search URL Prefix");
    EXPECT_EQ(table->titleForHeaderInSection(2), "Barcode Types");
    EXPECT_EQ(editor->fieldAtIndex(0)->text(), "Track FedEx Package");
    EXPECT_EQ(editor->fieldAtIndex(1)->text(), "http://www.fedex.com/Tracking?tracknumbers=");
    EXPECT_EQ(editor->fieldAtIndex(1)->traits().keyboardType, ui::KeyboardType::url);
    EXPECT_EQ(editor->fieldAtIndex(0)->traits().returnKeyType, ui::ReturnKeyType::done);

    ASSERT_EQ(table->numberOfRowsInSection(2), static_cast<int>(editor->classes().size()));
    EXPECT_EQ(editor->classes().size(), Classification::classesInContext(*context_)->size());
    for (int row = 0; row < table->numberOfRowsInSection(2); ++row) {
        table->scrollToRowAtIndexPath({2, row}, ui::TableViewScrollPosition::middle, false);
        auto cell = table->cellForRowAtIndexPath({2, row});
        ASSERT_TRUE(cell);
        const auto name = cell->textLabel()->text();
        const bool checked = name == "FedEx Ground Tracking#" || name == "FedEx Express Tracking#";
        EXPECT_EQ(cell->accessoryType(), checked ? ui::TableViewCellAccessoryType::checkmark
                                                 : ui::TableViewCellAccessoryType::none)
            << name;
    }
    EXPECT_FALSE(table->tapRowAtIndexPath({0, 0}));
}

TEST_F(ActionDetailControllerTest, SaveWritesExactlyTheCheckedSet) {
    auto action = actionNamed("eBay Search");
    auto editor = std::make_shared<ActionDetailController>(action);
    push(editor);
    auto table = editor->tableView();
    const int gtin = rowOf(*editor, "GTIN-13");
    const int isbn = rowOf(*editor, "ISBN-13");
    const int url = rowOf(*editor, "URL");
    ASSERT_GE(gtin, 0);
    ASSERT_GE(isbn, 0);
    ASSERT_GE(url, 0);

    table->tapRowAtIndexPath({2, url});  // toggled twice: as it was
    table->tapRowAtIndexPath({2, url});
    table->tapRowAtIndexPath({2, gtin});  // off
    table->tapRowAtIndexPath({2, isbn});  // on
    EXPECT_FALSE(table->indexPathForSelectedRow()) << "a tapped row is deselected";
    editor->saveItem()->tap();
    settle();

    EXPECT_EQ(names(action->classes()), std::vector<std::string>{"ISBN-13"});
    EXPECT_FALSE(context_->hasChanges());
}

TEST_F(ActionDetailControllerTest, CancelAndLeavingForgetTheCheckMarks) {
    auto action = actionNamed("eBay Search");
    auto editor = std::make_shared<ActionDetailController>(action);
    push(editor);
    editor->tableView()->tapRowAtIndexPath({2, rowOf(*editor, "URL")});
    editor->fieldAtIndex(0)->setText("Changed");
    editor->navigationItem().leftBarButtonItem()->tap();
    settle();

    EXPECT_EQ(names(action->classes()), std::vector<std::string>{"GTIN-13"});
    EXPECT_EQ(action->name(), "eBay Search");
    EXPECT_FALSE(context_->hasChanges());
    EXPECT_TRUE(editor->classes().empty());
    EXPECT_TRUE(editor->selected().empty());

    push(editor);
    EXPECT_EQ(editor->selected().size(), 1u) << "the working set is read again from the store";
}

TEST_F(ActionDetailControllerTest, ReturnKeyClosesTheKeyboard) {
    auto editor = std::make_shared<ActionDetailController>(actionNamed("eBay Search"));
    push(editor);
    auto name = editor->fieldAtIndex(0);
    ASSERT_TRUE(name->tap());
    EXPECT_FALSE(name->pressReturn());
    EXPECT_FALSE(name->isFirstResponder());
    EXPECT_FALSE(editor->fieldAtIndex(1)->isFirstResponder());
}

}  // namespace
