#include "app/TextFieldTableController.h"

#include <gtest/gtest.h>

#include "app/ActionDetailController.h"
#include "tests/app/StoreScreenTest.h"

namespace {

class TextFieldTableControllerTest : public StoreScreenTest {
  protected:
    std::shared_ptr<TextFieldTableController> titleEditor(const std::shared_ptr<Barcode>& barcode) {
        // The lists are temporaries: the form must keep copies.
        return std::make_shared<TextFieldTableController>(
            barcode, 1, std::vector<std::string>{"name"},
            std::vector<std::string>{"Barcode Title"});
    }
};

TEST_F(TextFieldTableControllerTest, TitleEditorShowsOneFieldAndSavesTheName) {
    auto barcode = insertBarcode(13, "4006381333931", "Old title");
    ASSERT_TRUE(context_->save(nullptr));
    auto form = titleEditor(barcode);
    push(form);

    auto table = form->tableView();
    ASSERT_EQ(table->numberOfSections(), 1);
    EXPECT_EQ(table->titleForHeaderInSection(0), "Barcode Title");
    auto field = form->fieldAtIndex(0);
    ASSERT_TRUE(field);
    EXPECT_EQ(field->placeholder(), "Barcode Title");
    EXPECT_EQ(field->tag(), 0x10000);
    EXPECT_EQ(field->text(), "Old title");
    EXPECT_FALSE(table->tapRowAtIndexPath({0, 0})) << "no row of the form can be selected";
    ASSERT_TRUE(form->saveItem());
    EXPECT_TRUE(form->saveItem()->isEnabled());

    ASSERT_TRUE(field->tap());
    ASSERT_TRUE(field->clear());
    ASSERT_TRUE(field->typeText("Pencils"));
    EXPECT_EQ(barcode->name(), "Old title") << "values are written only by Save";
    ASSERT_TRUE(form->saveItem()->tap());
    settle();

    EXPECT_EQ(barcode->name(), "Pencils");
    EXPECT_FALSE(context_->hasChanges());
    EXPECT_EQ(nav_->topViewController(), nav_->viewControllers().front());
    EXPECT_FALSE(form->saveItem()) << "the Save item lives only while the form is shown";
}

TEST_F(TextFieldTableControllerTest, CountLargerThanTheListsIsCut) {
    auto barcode = insertBarcode(13, "4006381333931");
    TextFieldTableController form(barcode, 5, {"name", "data"}, {"Title"});
    EXPECT_EQ(form.count(), 1u);
    EXPECT_TRUE(form.fieldAtIndex(0));
    EXPECT_FALSE(form.fieldAtIndex(1));
}

TEST_F(TextFieldTableControllerTest, ReturnKeyMovesToTheNextFieldAndWrapsAround) {
    auto action = actionNamed("eBay Search");
    auto form = std::make_shared<TextFieldTableController>(action, 2,
                                                           std::vector<std::string>{"name", "url"},
                                                           std::vector<std::string>{"Name", "URL"});
    push(form);
    auto name = form->fieldAtIndex(0);
    auto url = form->fieldAtIndex(1);
    ASSERT_TRUE(name->tap());
    EXPECT_FALSE(name->pressReturn());
    EXPECT_TRUE(url->isFirstResponder());
    EXPECT_FALSE(url->pressReturn());
    EXPECT_TRUE(name->isFirstResponder());
}

// Save is enabled exactly while every field holds a valid value: typing a URL
// prefix while the name is still empty must not enable it.
TEST_F(TextFieldTableControllerTest, SaveFollowsTheValidityOfEveryField) {
    auto action = context_->insertNewObject<Action>("Action");
    auto editor = std::make_shared<ActionDetailController>(action);
    push(editor);
    auto save = editor->saveItem();
    auto name = editor->fieldAtIndex(0);
    auto url = editor->fieldAtIndex(1);
    ASSERT_TRUE(save && name && url);
    EXPECT_FALSE(save->isEnabled()) << "a new link has no name";

    ASSERT_TRUE(url->tap());
    ASSERT_TRUE(url->typeText("http://example.com/?q="));
    EXPECT_FALSE(save->isEnabled()) << "the name is still empty";

    ASSERT_TRUE(name->tap());
    ASSERT_TRUE(name->typeText("E"));
    EXPECT_TRUE(save->isEnabled());
    ASSERT_TRUE(name->deleteBackward());
    EXPECT_FALSE(save->isEnabled());
    ASSERT_TRUE(name->typeText("Example"));
    EXPECT_TRUE(save->isEnabled());
    ASSERT_TRUE(name->clear());
    EXPECT_FALSE(save->isEnabled());
    ASSERT_TRUE(url->tap());
    ASSERT_TRUE(url->clear());
    EXPECT_FALSE(save->isEnabled()) << "clearing the URL prefix leaves the empty name invalid";
}

// A save of an invalid link (forced past the disabled item) must not leave the
// nameless link in the context, where it would make every later save fail.
TEST_F(TextFieldTableControllerTest, InvalidNewLinkIsDroppedAndLaterScansStillSave) {
    const auto before = Action::actionsInContext(*context_)->size();
    auto action = context_->insertNewObject<Action>("Action");
    action->setIndex(static_cast<std::int32_t>(before));
    auto editor = std::make_shared<ActionDetailController>(action);
    push(editor);
    editor->fieldAtIndex(1)->setText("http://example.com/?q=");
    editor->save();
    settle();

    EXPECT_TRUE(action->isDeleted() || !action->managedObjectContext());
    EXPECT_EQ(Action::actionsInContext(*context_)->size(), before);
    EXPECT_EQ(nav_->viewControllers().size(), 1u);

    auto scan = insertBarcode(13, "4006381333931");
    EXPECT_TRUE(context_->save(nullptr));
    EXPECT_FALSE(scan->objectID().isTemporaryID());
}

TEST_F(TextFieldTableControllerTest, InvalidEditOfAStoredLinkIsUndone) {
    auto action = actionNamed("eBay Search");
    auto editor = std::make_shared<ActionDetailController>(action);
    push(editor);
    editor->fieldAtIndex(0)->setText("");
    editor->fieldAtIndex(1)->setText("http://other.example/?q=");
    editor->save();
    settle();

    EXPECT_EQ(action->name(), "eBay Search");
    EXPECT_EQ(action->url(), "http://www.ebay.com/sch/i.html?_nkw=");
    EXPECT_FALSE(context_->hasChanges());
    insertBarcode(13, "4006381333931");
    EXPECT_TRUE(context_->save(nullptr));
}

TEST_F(TextFieldTableControllerTest, CancelDropsANewObjectAndKeepsAStoredOne) {
    auto fresh = context_->insertNewObject<Action>("Action");
    push(std::make_shared<ActionDetailController>(fresh));
    nav_->topViewController()->navigationItem().leftBarButtonItem()->tap();
    settle();
    EXPECT_TRUE(fresh->isDeleted() || !fresh->managedObjectContext());
    EXPECT_FALSE(context_->hasChanges());

    auto barcode = insertBarcode(13, "4006381333931", "Kept");
    ASSERT_TRUE(context_->save(nullptr));
    auto form = titleEditor(barcode);
    push(form);
    form->fieldAtIndex(0)->setText("Typed");
    form->cancel();
    settle();
    EXPECT_EQ(barcode->name(), "Kept");
    EXPECT_FALSE(barcode->isDeleted());
    EXPECT_EQ(nav_->viewControllers().size(), 1u);
}

TEST_F(TextFieldTableControllerTest, BackButtonOnANewObjectDropsItAsCancelDoes) {
    auto fresh = context_->insertNewObject<Action>("Action");
    push(std::make_shared<ActionDetailController>(fresh));
    nav_->tapBackButton();
    settle();
    EXPECT_TRUE(fresh->isDeleted() || !fresh->managedObjectContext());
    insertBarcode(13, "4006381333931");
    EXPECT_TRUE(context_->save(nullptr)) << "no nameless link is left to fail the save";
}

}  // namespace
