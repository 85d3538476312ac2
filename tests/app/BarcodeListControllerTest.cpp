#include "app/BarcodeListController.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/AppScreens.h"
#include "app/ApplicationMain.h"
#include "app/BarcodeDetailController.h"
#include "app/ScanViewController.h"
#include "platform/foundation/ClassRegistry.h"
#include "platform/graphics/Bitmap.h"
#include "platform/services/MailComposeViewController.h"
#include "platform/ui/ActionSheet.h"
#include "platform/ui/ActivityViewController.h"
#include "platform/ui/NavigationItem.h"
#include "platform/ui/TableView.h"
#include "tests/app/ScannerFixture.h"
#include "tests/app/StoreScreenTest.h"

namespace {

// Symbology numbers of the reader.
constexpr std::int32_t kEAN13 = 13;
constexpr std::int32_t kQRCode = 64;

// Counts the thumbnail callbacks a list gets; the count outlives the list.
class CountingList : public BarcodeListController {
  public:
    explicit CountingList(std::shared_ptr<int> calls) : calls_(std::move(calls)) {}
    void observeValueForKeyPath(const std::string& keyPath,
                                const std::shared_ptr<Barcode>& barcode) override {
        ++*calls_;
        BarcodeListController::observeValueForKeyPath(keyPath, barcode);
    }

  private:
    std::shared_ptr<int> calls_;
};

// Remembers whether each push or pop was animated.
class ShowRecorder : public ui::NavigationControllerDelegate {
  public:
    void willShowViewController(ui::NavigationController&, ui::ViewController& controller,
                                bool animated) override {
        shown.emplace_back(controller.className(), animated);
    }
    std::vector<std::pair<std::string, bool>> shown;
};

graphics::Image::Ptr smallPicture() {
    auto bitmap = graphics::Bitmap::make(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            bitmap->setPixel(x, y, graphics::Rgba8{0, 0, 0, 255});
    return graphics::Image::make(bitmap);
}

class BarcodeListControllerTest : public StoreScreenTest {
  protected:
    // A stored code `age` seconds older than the newest possible one.
    std::shared_ptr<Barcode> addCode(const std::string& data, double age,
                                     const std::string& name = "", std::int32_t type = kQRCode) {
        auto barcode = insertBarcode(type, data, name);
        barcode->setDate(foundation::Date::fromTimeIntervalSinceReferenceDate(1e6 - age));
        barcode->setThumb(smallPicture());
        return barcode;
    }
    // Codes "code 0" (newest) to "code n-1", saved.
    void addCodes(int n) {
        for (int i = 0; i < n; ++i)
            addCode("code " + std::to_string(i), i);
        ASSERT_TRUE(context_->save(nullptr));
    }

    template <typename List = BarcodeListController, typename... Args>
    std::shared_ptr<List> showList(Args&&... args) {
        auto list = std::make_shared<List>(std::forward<Args>(args)...);
        list->setContext(context_);
        list->initFetch();
        push(list);
        return list;
    }

    static std::vector<std::string> rowTexts(BarcodeListController& list) {
        auto table = list.tableView();
        std::vector<std::string> texts;
        for (int row = 0; row < table->numberOfRowsInSection(0); ++row) {
            table->scrollToRowAtIndexPath({0, row}, ui::TableViewScrollPosition::middle, false);
            auto cell = table->cellForRowAtIndexPath({0, row});
            texts.push_back(cell ? cell->textLabel()->text() : "?");
        }
        return texts;
    }
    static std::vector<int> visibleRows(BarcodeListController& list) {
        std::vector<int> rows;
        for (const auto& path : list.tableView()->indexPathsForVisibleRows())
            rows.push_back(path.row);
        return rows;
    }
    static bool isVisible(BarcodeListController& list, int row) {
        auto rows = visibleRows(list);
        return std::find(rows.begin(), rows.end(), row) != rows.end();
    }
    std::size_t storedCodes() {
        store::FetchRequest request("Barcode");
        auto objects = context_->executeFetchRequest(request, nullptr);
        return objects ? objects->size() : 0;
    }
    std::shared_ptr<ui::ActionSheet> topSheet() {
        return std::dynamic_pointer_cast<ui::ActionSheet>(ui::AlertCenter::shared().topAlert());
    }
};

TEST_F(BarcodeListControllerTest, ListsEveryCodeNewestFirstWithItsTitleDateAndThumbnail) {
    addCode("older data", 20);
    addCode("http://example.com/a", 10, "Titled");
    auto newest = addCode("newest data", 0);
    ASSERT_TRUE(context_->save(nullptr));
    auto list = showList();

    EXPECT_EQ(list->title(), "History");
    EXPECT_EQ(list->tableView()->rowHeight(), 64);
    EXPECT_EQ(list->navigationItem().rightBarButtonItem(), list->editButtonItem());
    ASSERT_EQ(list->toolbarItems().size(), 2u);
    EXPECT_EQ(list->toolbarItems()[1], list->shareItem());
    EXPECT_FALSE(nav_->isToolbarHidden());
    EXPECT_EQ(rowTexts(*list), (std::vector<std::string>{"newest data", "Titled", "older data"}))
        << "the title when there is one, else the data";

    list->tableView()->scrollToRowAtIndexPath({0, 0}, ui::TableViewScrollPosition::top, false);
    auto cell = list->tableView()->cellForRowAtIndexPath({0, 0});
    ASSERT_TRUE(cell);
    EXPECT_EQ(cell->detailTextLabel()->text(), list->dateFormat()->stringFromDate(newest->date()));
    EXPECT_FALSE(cell->detailTextLabel()->text().empty());
    EXPECT_EQ(cell->imageView()->image(), newest->thumb());
    EXPECT_EQ(cell->accessoryType(), ui::TableViewCellAccessoryType::disclosureIndicator);
    EXPECT_EQ(cell->reuseIdentifier(), "Barcode");
}

TEST_F(BarcodeListControllerTest, AnEmptyHistoryShowsOneEmptySection) {
    auto list = showList();
    EXPECT_EQ(list->rows(), 0);
    EXPECT_EQ(list->tableView()->numberOfSections(), 1);
    EXPECT_EQ(list->tableView()->numberOfRowsInSection(0), 0);
}

// Inserts, deletes, updates and moves in the store reach the visible table.
TEST_F(BarcodeListControllerTest, FollowsTheStoreWhileShown) {
    addCodes(3);
    auto list = showList();

    addCode("scanned now", -10);
    ASSERT_TRUE(context_->save(nullptr));
    EXPECT_EQ(rowTexts(*list),
              (std::vector<std::string>{"scanned now", "code 0", "code 1", "code 2"}));
    EXPECT_EQ(list->savedRow(), -1) << "an insert on the visible list keeps no row";

    auto code1 = list->results()->objectAtIndexPath({0, 2});
    context_->deleteObject(code1);
    ASSERT_TRUE(context_->save(nullptr));
    EXPECT_EQ(rowTexts(*list), (std::vector<std::string>{"scanned now", "code 0", "code 2"}));

    auto code2 = std::dynamic_pointer_cast<Barcode>(list->results()->objectAtIndexPath({0, 2}));
    code2->setName("renamed");
    ASSERT_TRUE(context_->save(nullptr));
    EXPECT_EQ(rowTexts(*list), (std::vector<std::string>{"scanned now", "code 0", "renamed"}));

    code2->setDate(foundation::Date::fromTimeIntervalSinceReferenceDate(2e6));
    ASSERT_TRUE(context_->save(nullptr));
    EXPECT_EQ(rowTexts(*list), (std::vector<std::string>{"renamed", "scanned now", "code 0"}));
}

TEST_F(BarcodeListControllerTest, ChangesBeforeTheListIsFirstShownWaitForIt) {
    auto list = std::make_shared<BarcodeListController>();
    list->setContext(context_);
    list->initFetch();
    addCodes(2);
    EXPECT_FALSE(list->isViewLoaded()) << "a store change does not load the view";
    push(list);
    EXPECT_EQ(rowTexts(*list), (std::vector<std::string>{"code 0", "code 1"}));
}

// The row kept on leaving: the top row, the last row, or the middle of what shows.
TEST_F(BarcodeListControllerTest, SavePositionKeepsTheTopTheEndOrTheMiddleRow) {
    addCodes(30);
    auto list = showList();
    auto table = list->tableView();
    const auto shown = visibleRows(*list);
    ASSERT_GE(shown.size(), 5u);
    ASSERT_EQ(shown.front(), 0);

    list->savePosition();
    EXPECT_EQ(list->savedRow(), 0) << "the first row shows";
    list->savePosition();
    EXPECT_EQ(list->savedRow(), 0) << "a kept row is not replaced";

    list->restoreState(foundation::Value::dictionary({{"row", -1}}));
    table->scrollToRowAtIndexPath({0, 29}, ui::TableViewScrollPosition::bottom, false);
    list->savePosition();
    EXPECT_EQ(list->savedRow(), 29) << "the last row shows";

    list->restoreState(foundation::Value::dictionary({{"row", -1}}));
    table->scrollToRowAtIndexPath({0, 15}, ui::TableViewScrollPosition::middle, false);
    const auto middle = visibleRows(*list);
    list->savePosition();
    EXPECT_EQ(list->savedRow(), middle[middle.size() / 2]);
}

TEST_F(BarcodeListControllerTest, ComesBackToTheRowItLeftFrom) {
    addCodes(30);
    auto list = showList();
    list->tableView()->scrollToRowAtIndexPath({0, 29}, ui::TableViewScrollPosition::bottom, false);
    push(std::make_shared<ui::ViewController>());
    EXPECT_EQ(list->savedRow(), 29);

    list->tableView()->scrollToRowAtIndexPath({0, 0}, ui::TableViewScrollPosition::top, false);
    nav_->popViewController(false);
    settle();
    EXPECT_TRUE(isVisible(*list, 29));
    EXPECT_EQ(list->savedRow(), -1);
}

TEST_F(BarcodeListControllerTest, ACodeScannedWhileTheListIsHiddenIsInViewOnReturn) {
    addCodes(30);
    auto list = showList();
    list->tableView()->scrollToRowAtIndexPath({0, 29}, ui::TableViewScrollPosition::bottom, false);
    nav_->popViewController(false);
    settle();

    addCode("scanned while away", -10);
    ASSERT_TRUE(context_->save(nullptr));
    EXPECT_EQ(list->savedRow(), 0);

    push(list);
    EXPECT_TRUE(isVisible(*list, 0));
    EXPECT_EQ(list->tableView()->cellForRowAtIndexPath({0, 0})->textLabel()->text(),
              "scanned while away");
}

TEST_F(BarcodeListControllerTest, AKeptRowPastTheEndIsClampedToTheLastRow) {
    addCodes(30);
    auto list = std::make_shared<BarcodeListController>();
    list->setContext(context_);
    list->initFetch();
    EXPECT_TRUE(list->restoreState(foundation::Value::dictionary({{"row", 500}})));
    push(list);
    EXPECT_TRUE(isVisible(*list, 29));
    EXPECT_EQ(list->savedRow(), -1);
}

TEST_F(BarcodeListControllerTest, SavesAndRestoresTheKeptRow) {
    addCodes(3);
    auto list = showList();
    auto state = list->saveState();
    EXPECT_EQ(state.get("class").stringValue(), "BarcodeListController");
    EXPECT_EQ(state.get("row").intValue(), 0) << "saving runs savePosition";

    auto fresh = std::make_shared<BarcodeListController>();
    EXPECT_FALSE(fresh->restoreState(foundation::Value()));
    EXPECT_FALSE(fresh->restoreState(foundation::Value::array({})));
    EXPECT_TRUE(fresh->restoreState(foundation::Value::dictionary({{"row", "seven"}})));
    EXPECT_EQ(fresh->savedRow(), -1) << "a row that is not a number is ignored";
    EXPECT_TRUE(fresh->restoreState(foundation::Value::dictionary({{"row", 7}})));
    EXPECT_EQ(fresh->savedRow(), 7);
}

// Telephone numbers, SMS, places and contacts open on the scan-result screen,
// animated; everything else opens the detail screen right over the list.
TEST_F(BarcodeListControllerTest, RoutesATappedCodeByWhatItsTextIs) {
    struct Case {
        std::string data;
        std::int32_t type;
        std::string screen;
    };
    const std::vector<Case> cases = {
        {"tel:+15551234567", kQRCode, "ScanViewController"},
        {"smsto:+15551234567:hello", kQRCode, "ScanViewController"},
        {"geo:48.85,2.35", kQRCode, "ScanViewController"},
        {"MECARD:N:Doe,Jane;TEL:5551234;;", kQRCode, "ScanViewController"},
        {"4006381333931", kEAN13, "BarcodeDetailController"},
        {"http://example.com", kQRCode, "BarcodeDetailController"},
        {"plain words", kQRCode, "BarcodeDetailController"},
    };
    auto recorder = std::make_shared<ShowRecorder>();
    nav_->setDelegate(recorder);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.data);
        auto barcode = addCode(c.data, 0, "", c.type);
        ASSERT_TRUE(context_->save(nullptr));
        auto list = showList();
        recorder->shown.clear();

        list->tableView()->tapRowAtIndexPath({0, 0});
        settle();
        EXPECT_EQ(list->savedRow(), 0);
        ASSERT_EQ(nav_->viewControllers().size(), 3u);
        EXPECT_EQ(nav_->viewControllers()[1], list);
        EXPECT_EQ(nav_->topViewController()->className(), c.screen);
        ASSERT_FALSE(recorder->shown.empty());
        EXPECT_EQ(recorder->shown.back(), std::make_pair(c.screen, true));
        if (auto scan = std::dynamic_pointer_cast<ScanViewController>(nav_->topViewController())) {
            EXPECT_EQ(scan->scan()->ident(), -1);
            EXPECT_EQ(scan->scan()->text(), c.data);
            EXPECT_EQ(scan->scan()->stamp(), barcode->date());
        }
        nav_->popToRootViewController(false);
        settle();
        context_->deleteObject(barcode);
        ASSERT_TRUE(context_->save(nullptr));
    }
}

TEST_F(BarcodeListControllerTest, ADetailScreenOverTheListIsReplacedNotStacked) {
    addCode("plain words", 0);
    ASSERT_TRUE(context_->save(nullptr));
    auto list = showList();
    auto barcode = std::dynamic_pointer_cast<Barcode>(list->results()->fetchedObjects().front());
    push(std::make_shared<BarcodeDetailController>(barcode));

    list->showDetailFor(barcode, false);
    settle();
    ASSERT_EQ(nav_->viewControllers().size(), 3u);
    EXPECT_EQ(nav_->viewControllers()[1], list);
    EXPECT_EQ(nav_->topViewController()->className(), "BarcodeDetailController");
}

TEST_F(BarcodeListControllerTest, ASwipeDeletesTheCodeAndSavesAtOnce) {
    addCodes(3);
    auto list = showList();
    auto table = list->tableView();
    ASSERT_TRUE(table->swipeToDelete({0, 1}));
    EXPECT_TRUE(list->swiping());
    ASSERT_TRUE(table->tapDeleteConfirmation({0, 1}));
    EXPECT_FALSE(list->swiping());
    EXPECT_FALSE(context_->hasChanges());
    EXPECT_EQ(storedCodes(), 2u);
    EXPECT_EQ(rowTexts(*list), (std::vector<std::string>{"code 0", "code 2"}));
}

TEST_F(BarcodeListControllerTest, EditModeShowsClearAndSavesWhenItEnds) {
    addCodes(3);
    auto list = showList();
    list->editButtonItem()->tap();
    EXPECT_TRUE(list->isEditing());
    EXPECT_EQ(list->navigationItem().leftBarButtonItem(), list->clearButton());
    EXPECT_EQ(list->clearButton()->title(), "Clear");

    auto code = std::dynamic_pointer_cast<Barcode>(list->results()->fetchedObjects().front());
    code->setName("edited");
    list->editButtonItem()->tap();
    EXPECT_FALSE(list->isEditing());
    EXPECT_FALSE(list->navigationItem().leftBarButtonItem());
    EXPECT_FALSE(context_->hasChanges()) << "leaving edit mode saves";

    list->setEditing(true, false);
    push(std::make_shared<ui::ViewController>());
    EXPECT_FALSE(list->isEditing()) << "leaving the list leaves edit mode";
}

TEST_F(BarcodeListControllerTest, DeleteAllErasesTheHistoryAndLeavesEditMode) {
    for (int n : {0, 4}) {
        SCOPED_TRACE(n);
        addCodes(n);
        auto list = showList();
        list->setEditing(true, false);

        list->clearButton()->tap();
        auto sheet = topSheet();
        ASSERT_TRUE(sheet);
        EXPECT_EQ(sheet->title(), "Erase all data?");
        EXPECT_EQ(sheet->actionSheetStyle(), ui::ActionSheetStyle::blackOpaque);
        EXPECT_EQ(sheet->anchor(), ui::ActionSheetAnchor::toolbar);
        ASSERT_TRUE(sheet->tapButtonTitled("Cancel"));
        EXPECT_EQ(storedCodes(), static_cast<std::size_t>(n)) << "cancel erases nothing";

        list->clearButton()->tap();
        ASSERT_TRUE(topSheet()->tapButtonTitled("Delete All"));
        settle();
        EXPECT_FALSE(list->isEditing());
        EXPECT_FALSE(context_->hasChanges());
        EXPECT_EQ(storedCodes(), 0u);
        EXPECT_EQ(list->tableView()->numberOfRowsInSection(0), 0);
        nav_->popToRootViewController(false);
        settle();
    }
}

TEST_F(BarcodeListControllerTest, SharesTheDataOfEveryCodeOneALine) {
    addCode("first, oldest", 20);
    addCode("line\nbreak", 10);
    addCode("newest", 0);
    ASSERT_TRUE(context_->save(nullptr));
    auto list = showList();

    list->shareItem()->tap();
    auto sheet = topSheet();
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->tag(), BarcodeListController::kShareSheetTag);
    EXPECT_EQ(sheet->buttonTitles(), (std::vector<std::string>{"Share", "Cancel"}));
    EXPECT_EQ(sheet->anchor(), ui::ActionSheetAnchor::toolbar);
    ASSERT_TRUE(sheet->tapButtonTitled("Cancel"));
    settle();
    EXPECT_FALSE(list->presentedViewController());

    list->shareItem()->tap();
    ASSERT_TRUE(topSheet()->tapButtonTitled("Share"));
    advance(0.05);
    foundation::RunLoop::main().runUntilIdle();
    EXPECT_FALSE(list->presentedViewController()) << "the share sheet follows 0.1 s later";
    settle();
    auto activity =
        std::dynamic_pointer_cast<ui::ActivityViewController>(list->presentedViewController());
    ASSERT_TRUE(activity);
    ASSERT_EQ(activity->activityItems().size(), 1u);
    EXPECT_EQ(std::get<std::string>(activity->activityItems()[0]),
              "newest\nline\nbreak\nfirst, oldest\n");
}

TEST_F(BarcodeListControllerTest, OnATabletTheShareMenuHangsFromTheShareItem) {
    ui::Device::currentDevice().setUserInterfaceIdiom(ui::UserInterfaceIdiom::pad);
    addCodes(1);
    auto list = showList();
    list->shareItem()->tap();
    auto sheet = topSheet();
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->anchor(), ui::ActionSheetAnchor::barButtonItem);
    EXPECT_EQ(sheet->anchorItem(), list->shareItem());
    ASSERT_TRUE(sheet->tapButtonTitled("Share"));
    settle();
    auto activity =
        std::dynamic_pointer_cast<ui::ActivityViewController>(list->presentedViewController());
    ASSERT_TRUE(activity);
    EXPECT_EQ(activity->popoverPresentationController().barButtonItem(), list->shareItem());
}

TEST_F(BarcodeListControllerTest, MailsTheHistoryWithTheCSVAttachmentInListOrder) {
    addCode("older code", 10);
    addCode("newer code", 0);
    ASSERT_TRUE(context_->save(nullptr));
    auto list = showList();

    list->sendEmail();
    settle();
    auto mailer = std::dynamic_pointer_cast<services::MailComposeViewController>(
        nav_->presentedViewController());
    ASSERT_TRUE(mailer);
    EXPECT_EQ(mailer->subject(), "Barcodes");
    EXPECT_TRUE(mailer->isHTML());
    EXPECT_NE(mailer->messageBody().find("These are the barcodes"), std::string::npos);
    ASSERT_EQ(mailer->attachments().size(), 1u);
    EXPECT_EQ(mailer->attachments()[0].fileName, "barcodes.csv");
    const auto& bytes = mailer->attachments()[0].data;
    const std::string csv(bytes.begin(), bytes.end());
    const auto newer = csv.find("newer code");
    const auto older = csv.find("older code");
    ASSERT_NE(newer, std::string::npos);
    ASSERT_NE(older, std::string::npos);
    EXPECT_LT(newer, older) << "rows follow the list, newest first";

    mailer->finish(services::MailComposeResult::sent);
    settle();
    EXPECT_FALSE(nav_->presentedViewController());
}

TEST_F(BarcodeListControllerTest, WithoutMailNothingIsPresented) {
    services::MailComposeViewController::setCanSendMail(false);
    addCodes(2);
    auto list = showList();
    list->sendEmail();
    settle();
    EXPECT_FALSE(nav_->presentedViewController());
}

// A code without a thumbnail is watched once, however often its row is
// configured, and the watch ends with the thumbnail, the delete, the cleanup
// or the list.
TEST_F(BarcodeListControllerTest, WatchesAMissingThumbnailOnceAndUntilItComes) {
    addCodes(2);
    auto pending = addCode("no thumb yet", -10);
    pending->setThumb(nullptr);
    ASSERT_TRUE(context_->save(nullptr));
    auto calls = std::make_shared<int>(0);
    auto list = showList<CountingList>(calls);
    auto table = list->tableView();
    for (int i = 0; i < 3; ++i) {
        table->reloadData();
        table->scrollToRowAtIndexPath({0, 2}, ui::TableViewScrollPosition::bottom, false);
        table->scrollToRowAtIndexPath({0, 0}, ui::TableViewScrollPosition::top, false);
    }
    EXPECT_TRUE(list->isObservingThumb(*pending));
    EXPECT_EQ(pending->observerCount("thumb"), 1u);
    EXPECT_FALSE(table->cellForRowAtIndexPath({0, 0})->imageView()->image());

    auto thumb = smallPicture();
    pending->setThumb(thumb);
    EXPECT_EQ(*calls, 1);
    EXPECT_EQ(table->cellForRowAtIndexPath({0, 0})->imageView()->image(), thumb)
        << "the visible row shows the thumbnail at once";
    EXPECT_FALSE(list->isObservingThumb(*pending));
    EXPECT_EQ(pending->observerCount("thumb"), 0u);
    pending->setThumb(smallPicture());
    EXPECT_EQ(*calls, 1) << "the watch ended with the first thumbnail";
}

TEST_F(BarcodeListControllerTest, NoThumbnailCallbackAfterTheCodeIsDeleted) {
    auto pending = addCode("deleted before its thumb", 0);
    pending->setThumb(nullptr);
    ASSERT_TRUE(context_->save(nullptr));
    auto calls = std::make_shared<int>(0);
    auto list = showList<CountingList>(calls);
    ASSERT_TRUE(list->isObservingThumb(*pending));

    ASSERT_TRUE(list->tableView()->swipeToDelete({0, 0}));
    ASSERT_TRUE(list->tableView()->tapDeleteConfirmation({0, 0}));
    EXPECT_EQ(pending->observerCount("thumb"), 0u);
    pending->setThumb(smallPicture());
    EXPECT_EQ(*calls, 0);
}

TEST_F(BarcodeListControllerTest, NoThumbnailCallbackAfterADeleteElsewhere) {
    auto pending = addCode("deleted by another screen", 0);
    pending->setThumb(nullptr);
    ASSERT_TRUE(context_->save(nullptr));
    auto calls = std::make_shared<int>(0);
    auto list = showList<CountingList>(calls);
    context_->deleteObject(pending);
    ASSERT_TRUE(context_->save(nullptr));
    EXPECT_EQ(pending->observerCount("thumb"), 0u);
    pending->setThumb(smallPicture());
    EXPECT_EQ(*calls, 0);
}

TEST_F(BarcodeListControllerTest, NoThumbnailCallbackAfterCleanupOrOnceTheListIsGone) {
    auto pending = addCode("thumb comes late", 0);
    pending->setThumb(nullptr);
    ASSERT_TRUE(context_->save(nullptr));
    auto calls = std::make_shared<int>(0);
    {
        auto list = showList<CountingList>(calls);
        ASSERT_TRUE(list->isObservingThumb(*pending));
        list->viewDidUnload();
        EXPECT_EQ(pending->observerCount("thumb"), 0u);
        EXPECT_FALSE(list->results());
        EXPECT_FALSE(list->clearButton());
        EXPECT_TRUE(list->toolbarItems().empty());
        nav_->popToRootViewController(false);
        settle();
    }
    {
        auto list = showList<CountingList>(calls);
        ASSERT_TRUE(list->isObservingThumb(*pending));
        nav_->popToRootViewController(false);
        settle();
    }
    EXPECT_EQ(pending->observerCount("thumb"), 0u);
    pending->setThumb(smallPicture());
    EXPECT_EQ(*calls, 0);
}

// The application makes the list once with the store and pushes it from the
// scanner's history button; a saved screen stack can name it.
TEST_F(BarcodeListControllerTest, IsTheApplicationsHistoryScreen) {
    addCodes(2);
    registerApplicationScreens();
    ASSERT_TRUE(AppScreens::shared().historyList);
    auto screen = AppScreens::shared().historyList(context_);
    auto list = std::dynamic_pointer_cast<BarcodeListController>(screen);
    ASSERT_TRUE(list);
    EXPECT_EQ(list->context(), context_);
    ASSERT_TRUE(list->results());
    EXPECT_EQ(list->rows(), 2);
    EXPECT_FALSE(list->isViewLoaded());
    EXPECT_TRUE(std::dynamic_pointer_cast<BarcodeListController>(
        foundation::ClassRegistry::shared().make<ui::ViewController>("BarcodeListController")));
}

class BarcodeListInApplicationTest : public ScannerFixture {};

TEST_F(BarcodeListInApplicationTest, TheScannersHistoryButtonOpensTheStoredCodes) {
    AppScreens::shared().historyList = nullptr;
    BarcodeListController::registerScreen();
    launch();
    auto context = delegate->context();
    ASSERT_TRUE(context);
    auto barcode = context->insertNewObject<Barcode>("Barcode");
    barcode->setDate(foundation::Date::now());
    barcode->setType(kEAN13);
    barcode->setData("4006381333931");
    ASSERT_TRUE(context->save(nullptr));

    ASSERT_TRUE(overlay->coverView()->btnHistory()->tap());
    ASSERT_TRUE(settle([&] { return nav()->topViewController() == delegate->list(); }));
    auto list = std::dynamic_pointer_cast<BarcodeListController>(delegate->list());
    ASSERT_TRUE(list);
    EXPECT_EQ(list->rows(), 1);
    EXPECT_FALSE(nav()->isNavigationBarHidden());
    EXPECT_FALSE(nav()->isToolbarHidden());

    list->tableView()->tapRowAtIndexPath({0, 0});
    ASSERT_TRUE(settle(
        [&] { return nav()->topViewController()->className() == "BarcodeDetailController"; }));
    auto detail = std::dynamic_pointer_cast<BarcodeDetailController>(nav()->topViewController());
    EXPECT_EQ(detail->barcode(), barcode);
}

}  // namespace
