#include "app/BarcodeDetailController.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "ads/api/GADBannerView.h"
#include "ads/api/GADBannerViewDelegate.h"
#include "app/ActionDetailController.h"
#include "app/AppDelegate.h"
#include "app/DetailLinkTableViewCell.h"
#include "app/TextViewController.h"
#include "platform/ui/ActivityViewController.h"
#include "platform/ui/AlertCenter.h"
#include "platform/ui/Application.h"
#include "platform/ui/Pasteboard.h"
#include "tests/app/StoreScreenTest.h"
#include "ui/KINWebBrowser/KINWebBrowserViewController.h"

namespace {

// Symbology numbers of the reader.
constexpr std::int32_t kEAN13 = 13;
constexpr std::int32_t kQRCode = 64;

const std::vector<std::string> kProductLinks = {"Dezuvo Search",  "Amazon Search",
                                                "BestBuy Search", "eBay Search",
                                                "Walmart Search", "Internet UPC Database"};

class BarcodeDetailControllerTest : public StoreScreenTest {
  protected:
    std::shared_ptr<BarcodeDetailController> showDetail(const std::shared_ptr<Barcode>& barcode) {
        auto screen = std::make_shared<BarcodeDetailController>(barcode);
        push(screen);
        return screen;
    }

    static std::vector<std::string> linkNames(const BarcodeDetailController& screen) {
        std::vector<std::string> names;
        for (const auto& action : screen.actions()) {
            names.push_back(action->name());
        }
        return names;
    }

    // The texts of section 1's rows as the table shows them.
    static std::vector<std::string> linkRows(BarcodeDetailController& screen) {
        auto table = screen.tableView();
        std::vector<std::string> rows;
        for (int row = 0; row < table->numberOfRowsInSection(1); ++row) {
            table->scrollToRowAtIndexPath({1, row}, ui::TableViewScrollPosition::middle, false);
            auto cell = std::dynamic_pointer_cast<DetailLinkTableViewCell>(
                table->cellForRowAtIndexPath({1, row}));
            rows.push_back(cell && cell->labelAction() ? cell->labelAction()->text() : "?");
        }
        return rows;
    }

    std::shared_ptr<Action> addLink(const std::string& name, const std::string& url,
                                    const std::string& classification) {
        auto action = context_->insertNewObject<Action>("Action");
        action->setName(name);
        action->setUrl(url);
        action->setIndex(100);
        action->addClassesObject(
            Classification::classesByNameInContext(*context_).at(classification));
        return action;
    }
};

// Which links a code gets, by what it is classified as.
TEST_F(BarcodeDetailControllerTest, ListsTheLinksOfTheCodesClassifications) {
    struct Case {
        std::int32_t type;
        std::string data;
        std::vector<std::string> links;
    };
    const std::vector<Case> cases = {
        {kEAN13, "4006381333931", kProductLinks},  // GTIN
        {kEAN13, "9780306406157", kProductLinks},  // ISBN
        {kQRCode, "http://example.com/a", {"Open URL"}},
        {kQRCode, "someone@example.com", {"Send E-mail"}},
        {kQRCode, "just some words", {}},
    };
    for (const auto& c : cases) {
        auto screen = showDetail(insertBarcode(c.type, c.data));
        EXPECT_EQ(linkNames(*screen), c.links) << c.data;
        auto rows = c.links;
        rows.push_back("Copy to Clipboard");
        EXPECT_EQ(linkRows(*screen), rows) << c.data;
        nav_->popToRootViewController(false);
        settle();
    }
}

TEST_F(BarcodeDetailControllerTest, HeaderAndDataRowsShowTheCode) {
    auto screen = showDetail(insertBarcode(kEAN13, "4006381333931"));
    EXPECT_EQ(screen->title(), "Scan Detail");
    EXPECT_EQ(screen->titleLabel()->text(), "4006381333931") << "no name: the data is the title";
    EXPECT_EQ(screen->titleButton()->titleForState(ui::ControlState::normal), "4006381333931");
    EXPECT_EQ(screen->titleLabel()->alpha(), 1);
    EXPECT_EQ(screen->titleButton()->alpha(), 0);
    const auto& cells = screen->dataCells();
    ASSERT_EQ(cells.size(), 3u);
    EXPECT_EQ(cells[0]->textLabel()->text(), "data");
    EXPECT_EQ(cells[0]->detailTextLabel()->text(), "4006381333931");
    EXPECT_EQ(cells[1]->textLabel()->text(), "type");
    EXPECT_EQ(cells[1]->detailTextLabel()->text(), "EAN-13");
    EXPECT_EQ(cells[2]->textLabel()->text(), "scanned");
    EXPECT_FALSE(cells[2]->detailTextLabel()->text().empty());
    EXPECT_FALSE(nav_->isToolbarHidden());

    // A short title keeps the header at its floor: 55 + 80.
    EXPECT_EQ(screen->tableView()->tableHeaderView()->frame().size.height, 135);
    EXPECT_EQ(screen->thumb()->frame().origin.y, 5);

    screen->barcode()->setName("Pencils");
    EXPECT_EQ(screen->titleLabel()->text(), "Pencils") << "a change of the name shows at once";
}

TEST_F(BarcodeDetailControllerTest, LongTitleGrowsTheHeader) {
    const std::string text(400, 'x');
    const double height =
        BarcodeDetailController::getHeightForText(text, ui::Font::systemFontOfSize(17), 220);
    EXPECT_GT(height, 55);
    EXPECT_EQ(BarcodeDetailController::getHeightForText("", ui::Font::systemFontOfSize(17), 220),
              40);

    auto screen = showDetail(insertBarcode(kQRCode, text));
    EXPECT_EQ(screen->tableView()->tableHeaderView()->frame().size.height, height + 80);
    EXPECT_EQ(screen->thumb()->frame().origin.y, (height - 45) / 2);
}

class CountingBannerDelegate : public GADBannerViewDelegate {
  public:
    void adViewDidFailToReceiveAdWithError(GADBannerView&, const GADRequestError&) override {
        ++requests;
    }
    int requests = 0;
};

TEST_F(BarcodeDetailControllerTest, SharedBannerIsRequestedOnceAndPlacedUnderTheTitle) {
    auto delegate = std::make_shared<AppDelegate>();
    ui::Application::shared().setDelegate(delegate);
    auto banner = GADBannerView::makeWithAdSize(kGADAdSizeBanner);
    auto counter = std::make_shared<CountingBannerDelegate>();
    banner->setDelegate(counter);
    delegate->setBannerView_(banner);

    auto first = showDetail(insertBarcode(kEAN13, "4006381333931"));
    settle();
    EXPECT_EQ(counter->requests, 1);
    EXPECT_EQ(banner->superview(), first->tableView()->tableHeaderView());
    EXPECT_EQ(banner->frame(), graphics::Rect(0, 75, 320, 50));

    auto second = showDetail(insertBarcode(kEAN13, "9780306406157"));
    settle();
    EXPECT_EQ(counter->requests, 1) << "later headers only move the banner";
    EXPECT_EQ(banner->superview(), second->tableView()->tableHeaderView());
}

TEST_F(BarcodeDetailControllerTest, WebLinkOpensTheBrowserWithTheEscapedValue) {
    auto link = addLink("Local", "http://127.0.0.1:9/find?q=", "QR Code");
    auto barcode = insertBarcode(kQRCode, "a b/ü?x=1&y=2");
    ASSERT_TRUE(context_->save(nullptr));
    auto screen = showDetail(barcode);

    EXPECT_TRUE(screen->activateLink(link));
    settle();
    auto browserNav =
        std::dynamic_pointer_cast<ui::NavigationController>(nav_->presentedViewController());
    ASSERT_TRUE(browserNav);
    auto browser = KINWebBrowser::rootWebBrowser(*browserNav);
    ASSERT_TRUE(browser);
    auto webView = browser->wkWebView() ? browser->wkWebView() : browser->uiWebView();
    ASSERT_TRUE(webView && webView->request() && webView->request()->url());
    // Spaces and non-ASCII bytes are escaped; the value's own URL characters stay.
    EXPECT_EQ(webView->request()->url()->absoluteString(),
              "http://127.0.0.1:9/find?q=a%20b/%C3%BC?x=1&y=2");
    browserNav->dismissViewController(false);
    settle();
}

TEST_F(BarcodeDetailControllerTest, OtherSchemesGoToThePlatform) {
    std::vector<std::string> opened;
    ui::Application::shared().registerURLHandler("mailto", [&](const std::string& url) {
        opened.push_back(url);
        return true;
    });
    auto screen = showDetail(insertBarcode(kQRCode, "someone@example.com"));
    ASSERT_EQ(linkNames(*screen), std::vector<std::string>{"Send E-mail"});

    screen->tableView()->tapRowAtIndexPath({1, 0});
    EXPECT_EQ(opened, std::vector<std::string>{"mailto:someone@example.com"});
    EXPECT_FALSE(nav_->presentedViewController());
}

TEST_F(BarcodeDetailControllerTest, LinkWithoutAValueDoesNothingAndIsDeselected) {
    auto screen = showDetail(insertBarcode(kEAN13, "4006381333931"));
    screen->setEditing(true, false);
    // In edit mode every link is listed; "Open URL" has no value for a product.
    const auto names = linkNames(*screen);
    const auto openURL = std::find(names.begin(), names.end(), "Open URL") - names.begin();
    ASSERT_LT(static_cast<std::size_t>(openURL), names.size());
    EXPECT_FALSE(screen->activateLink(screen->actions()[static_cast<std::size_t>(openURL)]));
    screen->setEditing(false, false);

    auto words = showDetail(insertBarcode(kQRCode, "just some words"));
    EXPECT_FALSE(words->activateLink(actionNamed("Open URL")));
    EXPECT_FALSE(nav_->presentedViewController());
    EXPECT_TRUE(ui::Application::shared().openedURLs().empty());
}

TEST_F(BarcodeDetailControllerTest, CopyRowCopiesTheDataWithAToast) {
    auto screen = showDetail(insertBarcode(kEAN13, "4006381333931"));
    auto table = screen->tableView();
    const int copyRow = table->numberOfRowsInSection(1) - 1;
    table->tapRowAtIndexPath({1, copyRow});

    EXPECT_EQ(ui::Pasteboard::generalPasteboard().string(), "4006381333931");
    EXPECT_FALSE(table->indexPathForSelectedRow());
    std::function<bool(const ui::View&)> showsToast = [&](const ui::View& view) {
        for (const auto& subview : view.subviews()) {
            auto label = std::dynamic_pointer_cast<ui::Label>(subview);
            if ((label && label->text() == "Copied to clipboard") || showsToast(*subview)) {
                return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(showsToast(*screen->view()));
}

TEST_F(BarcodeDetailControllerTest, DataRowShowsTheWholeDataReadOnly) {
    auto screen = showDetail(insertBarcode(kQRCode, "line one\nline two"));
    auto table = screen->tableView();
    EXPECT_FALSE(table->tapRowAtIndexPath({0, 1})) << "only the data row can be selected";
    table->tapRowAtIndexPath({0, 0});
    settle();
    auto text = std::dynamic_pointer_cast<TextViewController>(nav_->topViewController());
    ASSERT_TRUE(text);
    EXPECT_EQ(text->textView()->text(), "line one\nline two");
    EXPECT_FALSE(text->textView()->isEditable());
}

TEST_F(BarcodeDetailControllerTest, ShareSheetHandsTheDataToTheActivitySheet) {
    auto screen = showDetail(insertBarcode(kEAN13, "4006381333931"));
    ASSERT_EQ(screen->toolbarItems().size(), 2u);
    ASSERT_TRUE(screen->toolbarItems()[1]->tap());
    auto sheet = std::dynamic_pointer_cast<ui::ActionSheet>(ui::AlertCenter::shared().topAlert());
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->tag(), 11);
    EXPECT_EQ(sheet->anchor(), ui::ActionSheetAnchor::toolbar);
    ASSERT_TRUE(sheet->tapButtonTitled("Share"));
    EXPECT_FALSE(screen->presentedViewController()) << "the share sheet follows 0.1 s later";
    advance(0.1);
    auto activity =
        std::dynamic_pointer_cast<ui::ActivityViewController>(screen->presentedViewController());
    ASSERT_TRUE(activity);
    ASSERT_EQ(activity->activityItems().size(), 1u);
    EXPECT_EQ(std::get<std::string>(activity->activityItems()[0]), "4006381333931\n");
    activity->cancel();
    settle();
}

TEST_F(BarcodeDetailControllerTest, EditModeListsEveryLinkWithAnInsertRow) {
    auto screen = showDetail(insertBarcode(kQRCode, "http://example.com/a"));
    auto table = screen->tableView();
    const auto all = Action::actionsInContext(*context_)->size();
    screen->setEditing(true, false);

    EXPECT_EQ(screen->actions().size(), all);
    EXPECT_EQ(table->numberOfRowsInSection(1), static_cast<int>(all) + 2);
    EXPECT_TRUE(screen->navigationItem().hidesBackButton());
    EXPECT_EQ(screen->titleLabel()->alpha(), 0);
    EXPECT_EQ(screen->titleButton()->alpha(), 1);
    EXPECT_TRUE(screen->titleButton()->isEnabled());
    EXPECT_EQ(screen->dataCells()[0]->accessoryType(), ui::TableViewCellAccessoryType::none);
    EXPECT_FALSE(table->tapRowAtIndexPath({0, 0}))
        << "the data row is not selectable while editing";

    screen->setEditing(false, false);
    EXPECT_EQ(linkNames(*screen), std::vector<std::string>{"Open URL"});
    EXPECT_FALSE(screen->navigationItem().hidesBackButton());
    EXPECT_EQ(screen->dataCells()[0]->accessoryType(),
              ui::TableViewCellAccessoryType::disclosureIndicator);
}

TEST_F(BarcodeDetailControllerTest, MovingTheThirdLinkFirstRenumbersTheFirstThree) {
    auto screen = showDetail(insertBarcode(kEAN13, "4006381333931"));
    screen->setEditing(true, false);
    auto table = screen->tableView();
    const auto third = screen->actions()[2];
    const auto first = screen->actions()[0];
    const auto second = screen->actions()[1];

    ASSERT_EQ(table->moveRowByUser({1, 2}, {1, 0}), ui::IndexPath({1, 0}));
    settle();
    EXPECT_EQ(third->index(), 0);
    EXPECT_EQ(first->index(), 1);
    EXPECT_EQ(second->index(), 2);
    EXPECT_EQ(screen->actions()[0], third);
    screen->setEditing(false, false);
    EXPECT_FALSE(context_->hasChanges()) << "leaving edit mode saves";
    EXPECT_EQ(Action::actionsInContext(*context_)->front(), third);
}

TEST_F(BarcodeDetailControllerTest, MoveTargetsStayAmongTheLinks) {
    auto screen = showDetail(insertBarcode(kEAN13, "4006381333931"));
    screen->setEditing(true, false);
    auto table = screen->tableView();
    const int links = static_cast<int>(screen->actions().size());
    EXPECT_EQ(screen->targetIndexPathForMove(*table, {1, 3}, {0, 2}), ui::IndexPath({1, 0}));
    EXPECT_EQ(screen->targetIndexPathForMove(*table, {1, 3}, {1, links}),
              ui::IndexPath({1, links - 1}));
    EXPECT_EQ(screen->targetIndexPathForMove(*table, {1, 3}, {1, 1}), ui::IndexPath({1, 1}));
    EXPECT_FALSE(screen->canMoveRowAtIndexPath(*table, {1, links})) << "the insert row stays";
    EXPECT_FALSE(screen->canMoveRowAtIndexPath(*table, {0, 0}));
}

TEST_F(BarcodeDetailControllerTest, EditingControlsDeleteAndInsertLinks) {
    auto screen = showDetail(insertBarcode(kEAN13, "4006381333931"));
    screen->setEditing(true, false);
    auto table = screen->tableView();
    const auto count = screen->actions().size();
    EXPECT_EQ(screen->editingStyleForRowAtIndexPath(*table, {1, 0}),
              ui::TableViewCellEditingStyle::remove);
    EXPECT_EQ(screen->editingStyleForRowAtIndexPath(*table, {1, static_cast<int>(count)}),
              ui::TableViewCellEditingStyle::insert);
    EXPECT_EQ(screen->editingStyleForRowAtIndexPath(*table, {0, 0}),
              ui::TableViewCellEditingStyle::none);

    const auto removed = screen->actions()[0];
    ASSERT_TRUE(table->tapEditingControl({1, 0}));
    ASSERT_TRUE(table->tapDeleteConfirmation({1, 0}));
    EXPECT_EQ(screen->actions().size(), count - 1);
    EXPECT_TRUE(std::find(screen->actions().begin(), screen->actions().end(), removed) ==
                screen->actions().end());

    ASSERT_TRUE(table->tapEditingControl({1, static_cast<int>(count - 1)}));
    settle();
    auto editor = std::dynamic_pointer_cast<ActionDetailController>(nav_->topViewController());
    ASSERT_TRUE(editor);
    auto fresh = editor->action();
    EXPECT_TRUE(fresh->objectID().isTemporaryID());
    EXPECT_EQ(fresh->index(), static_cast<int>(count - 1));
    std::vector<std::string> classes;
    for (const auto& c : fresh->classes()) {
        classes.push_back(c->name());
    }
    std::vector<std::string> levelZero;
    for (const auto& c : Classification::classesForLevel(0, *context_)) {
        levelZero.push_back(c->name());
    }
    EXPECT_EQ(classes, levelZero);
    EXPECT_FALSE(editor->saveItem()->isEnabled());

    editor->fieldAtIndex(0)->setText("Local search");
    editor->save();
    settle();
    EXPECT_EQ(nav_->topViewController(), screen);
    EXPECT_EQ(screen->actions().size(), count);
    EXPECT_EQ(screen->actions().back()->name(), "Local search");
}

TEST_F(BarcodeDetailControllerTest, TitleButtonOpensTheTitleEditor) {
    auto screen = showDetail(insertBarcode(kEAN13, "4006381333931", "Pencils"));
    screen->setEditing(true, false);
    screen->titleButton()->sendActionsForControlEvents(ui::ControlEvent::touchUpInside);
    settle();
    auto editor = std::dynamic_pointer_cast<TextFieldTableController>(nav_->topViewController());
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->title(), "Edit Title");
    EXPECT_EQ(editor->keys(), std::vector<std::string>{"name"});
    EXPECT_EQ(editor->fieldAtIndex(0)->text(), "Pencils");
}

TEST_F(BarcodeDetailControllerTest, StateNamesTheStoredCodeAndRestoresIt) {
    auto barcode = insertBarcode(kEAN13, "4006381333931");
    BarcodeDetailController unsaved(barcode);
    EXPECT_TRUE(unsaved.saveState().isNull()) << "a code never saved has no lasting identity";
    ASSERT_TRUE(context_->save(nullptr));

    const auto state = unsaved.saveState();
    EXPECT_EQ(state.get("class").stringValue(), "BarcodeDetailController");
    EXPECT_EQ(state.get("barcode").stringValue(), barcode->objectID().URIRepresentation());

    auto restored = std::make_shared<BarcodeDetailController>();
    EXPECT_FALSE(restored->restoreState(state)) << "no context yet";
    restored->setContext(context_);
    EXPECT_FALSE(restored->restoreState(foundation::Value()));
    auto wrongKind = foundation::Value::dictionary();
    wrongKind.set("barcode", actionNamed("eBay Search")->objectID().URIRepresentation());
    EXPECT_FALSE(restored->restoreState(wrongKind)) << "an Action is not a code";
    auto unknown = foundation::Value::dictionary();
    unknown.set("barcode", "x-store://nowhere/Barcode/p999");
    EXPECT_FALSE(restored->restoreState(unknown));
    ASSERT_TRUE(restored->restoreState(state));
    EXPECT_EQ(restored->barcode(), barcode);

    push(restored);
    EXPECT_EQ(restored->titleLabel()->text(), "4006381333931");
}

}  // namespace
