#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/ui/ActivityViewController.h"
#include "platform/ui/AlertController.h"
#include "platform/ui/ImagePickerController.h"
#include "platform/ui/Pasteboard.h"
#include "platform/ui/PopoverController.h"
#include "platform/ui/ScreenRenderer.h"
#include "tests/platform/ui/UiTestFixture.h"

namespace {

class Picked : public ui::ImagePickerControllerDelegate {
  public:
    graphics::Image::Ptr image;
    int cancels = 0;
    void imagePickerDidFinishPickingMediaWithInfo(ui::ImagePickerController&,
                                                  const ui::MediaInfo& info) override {
        image =
            std::any_cast<graphics::Image::Ptr>(info.at(ui::ImagePickerControllerOriginalImage));
    }
    void imagePickerDidCancel(ui::ImagePickerController&) override { ++cancels; }
};

class Bookmark : public ui::Activity {
  public:
    std::vector<ui::ActivityItem> prepared;
    std::string activityType() const override { return "app.bookmark"; }
    std::string activityTitle() const override { return "Bookmark"; }
    bool canPerformWithActivityItems(const std::vector<ui::ActivityItem>& items) override {
        for (const auto& item : items) {
            if (std::holds_alternative<ui::ActivityURL>(item)) {
                return true;
            }
        }
        return false;
    }
    void prepareWithActivityItems(const std::vector<ui::ActivityItem>& items) override {
        prepared = items;
    }
    void performActivity() override {}  // finishes later
};

}  // namespace

class SheetTest : public UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        root = std::make_shared<ui::ViewController>();
        window = show(root);
    }
    ui::ViewController::Ptr root;
    ui::Window::Ptr window;
};

TEST_F(SheetTest, PickerPicksAPhotoFromAFileAndRefusesMissingSources) {
    EXPECT_TRUE(
        ui::ImagePickerController::isSourceTypeAvailable(ui::ImagePickerSourceType::photoLibrary));
    EXPECT_FALSE(
        ui::ImagePickerController::isSourceTypeAvailable(ui::ImagePickerSourceType::camera));
    auto picker = std::make_shared<ui::ImagePickerController>();
    EXPECT_THROW(picker->setSourceType(ui::ImagePickerSourceType::camera), std::invalid_argument);

    auto photo = std::make_shared<ui::View>(graphics::Rect(0, 0, 40, 30));
    photo->setBackgroundColor(graphics::Color::blueColor());
    auto dir = std::filesystem::path(std::getenv("BARCODES_HOME"));
    ASSERT_TRUE(ui::ScreenRenderer::writePNG(*photo, (dir / "photo.png").string()));
    std::ofstream(dir / "broken.png") << "not a picture";

    auto delegate = std::make_shared<Picked>();
    picker->setPickerDelegate(delegate);
    root->presentViewController(picker, true);
    settle();
    EXPECT_FALSE(picker->pickPhotoFromFile((dir / "broken.png").string()));
    EXPECT_EQ(delegate->image, nullptr);
    EXPECT_TRUE(picker->pickPhotoFromFile((dir / "photo.png").string()));
    ASSERT_NE(delegate->image, nullptr);
    EXPECT_EQ(delegate->image->size(), (graphics::Size{40, 30}));
    picker->cancel();
    EXPECT_EQ(delegate->cancels, 1);

    ui::ImagePickerController::setSourceTypeAvailable(ui::ImagePickerSourceType::camera, true);
    ui::ImagePickerController::setCameraSource(
        [] { return graphics::Image::imageWithContentsOfFile("/nonexistent"); });
    picker->setSourceType(ui::ImagePickerSourceType::camera);
    EXPECT_FALSE(picker->takePicture());
}

TEST_F(SheetTest, ShareSheetRunsActivitiesAndReportsOnce) {
    auto bookmark = std::make_shared<Bookmark>();
    auto sheet = std::make_shared<ui::ActivityViewController>(
        std::vector<ui::ActivityItem>{std::string("EAN-13 4006381333931"),
                                      ui::ActivityURL{"http://x.y/"}},
        std::vector<std::shared_ptr<ui::Activity>>{bookmark});
    sheet->setExcludedActivityTypes({ui::ActivityTypePrint});
    int reports = 0;
    std::optional<std::string> chosen;
    sheet->setCompletionHandler([&](std::optional<std::string> type, bool completed) {
        ++reports;
        chosen = type;
        EXPECT_TRUE(completed);
    });
    auto offered = sheet->availableActivityTypes();
    EXPECT_EQ(std::count(offered.begin(), offered.end(), ui::ActivityTypePrint), 0);
    EXPECT_EQ(offered.back(), "app.bookmark");

    root->presentViewController(sheet, true);
    settle();
    EXPECT_TRUE(sheet->chooseActivity("app.bookmark"));
    EXPECT_EQ(bookmark->prepared.size(), 2u);
    settle();
    EXPECT_EQ(reports, 0);  // the activity has not finished yet
    bookmark->activityDidFinish(true);
    bookmark->activityDidFinish(true);
    settle();
    EXPECT_EQ(reports, 1);
    EXPECT_EQ(chosen, "app.bookmark");
    EXPECT_EQ(root->presentedViewController(), nullptr);

    auto copy = std::make_shared<ui::ActivityViewController>(
        std::vector<ui::ActivityItem>{std::string("text")});
    copy->chooseActivity(ui::ActivityTypeCopyToPasteboard);
    EXPECT_EQ(ui::Pasteboard::generalPasteboard().string(), "text");
}

TEST_F(SheetTest, AlertControllerRunsTheHandlerAfterItHasGone) {
    auto alert = ui::AlertController::make("Leave this app?", "", ui::AlertControllerStyle::alert);
    bool handled = false;
    bool goneFirst = false;
    alert->addAction(ui::AlertAction::make("Cancel", ui::AlertActionStyle::cancel));
    alert->addAction(
        ui::AlertAction::make("Open", ui::AlertActionStyle::defaultStyle, [&](ui::AlertAction&) {
            handled = true;
            goneFirst = root->presentedViewController() == nullptr;
        }));
    root->presentViewController(alert, true);
    settle();
    EXPECT_TRUE(alert->tapActionTitled("Open"));
    EXPECT_FALSE(handled);
    settle();
    EXPECT_TRUE(handled);
    EXPECT_TRUE(goneFirst);
}

TEST_F(SheetTest, PopoverShowsItsContentUntilATapOutside) {
    auto content = std::make_shared<ui::ViewController>();
    auto popover = std::make_shared<ui::PopoverController>(content);
    popover->presentFromRect(graphics::Rect(0, 0, 10, 10), root->view(),
                             ui::PopoverArrowDirection::any, true);
    EXPECT_TRUE(popover->isPopoverVisible());
    settle();
    EXPECT_EQ(content->appearanceState(), ui::AppearanceState::appeared);
    popover->tapOutside();
    settle();
    EXPECT_FALSE(popover->isPopoverVisible());
    EXPECT_TRUE(ui::PopoverController::visiblePopovers().empty());
    EXPECT_EQ(content->appearanceState(), ui::AppearanceState::disappeared);
}
