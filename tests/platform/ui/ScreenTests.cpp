#include <gtest/gtest.h>

#include <filesystem>

#include "platform/graphics/Image.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Outline.h"
#include "platform/ui/ScreenRenderer.h"
#include "platform/ui/TableViewController.h"
#include "tests/platform/ui/UiTestFixture.h"

namespace {

class History : public ui::TableViewController {
  public:
    int numberOfRowsInSection(ui::TableView&, int) override { return 2; }
    ui::TableViewCell::Ptr cellForRowAtIndexPath(ui::TableView&, ui::IndexPath p) override {
        auto cell = std::make_shared<ui::TableViewCell>(ui::TableViewCellStyle::subtitle, "C");
        cell->textLabel()->setText(p.row == 0 ? "4006381333931" : "http://example.com");
        cell->detailTextLabel()->setText("EAN-13");
        cell->setAccessoryType(ui::TableViewCellAccessoryType::disclosureIndicator);
        return cell;
    }
};

}  // namespace

using ScreenTest = UiTest;

TEST_F(ScreenTest, OutlineShowsTitleBarsRowsAndAlerts) {
    auto history = std::make_shared<History>();
    history->setTitle("History");
    history->navigationItem().setRightBarButtonItem(history->editButtonItem());
    auto nav = ui::NavigationController::withRootViewController(history);
    history->setToolbarItems({ui::BarButtonItem::withSystemItem(ui::BarButtonSystemItem::action),
                              ui::BarButtonItem::flexibleSpace(),
                              ui::BarButtonItem::withTitle("Scan")});
    nav->setToolbarHidden(false);
    auto window = show(nav);
    auto alert = ui::AlertView::make("Error", "No code found", {}, "Dismiss");
    alert->show();

    EXPECT_EQ(ui::Outline::describe(*window),
              "Screen History \"History\"\n"
              "  TableView\n"
              "    Section 0\n"
              "      [0.0] \"4006381333931\" / \"EAN-13\" >\n"
              "      [0.1] \"http://example.com\" / \"EAN-13\" >\n"
              "  NavigationBar \"History\" [Edit]\n"
              "  Toolbar [Action] [Scan]\n"
              "  [AlertView] \"Error\" \"No code found\" [Dismiss]\n");
}

TEST_F(ScreenTest, RendersAScreenToPng) {
    auto root = std::make_shared<ui::ViewController>();
    auto window = show(root);
    root->view()->setBackgroundColor(graphics::Color::whiteColor());
    auto box = std::make_shared<ui::View>(graphics::Rect(10, 30, 50, 40));
    box->setBackgroundColor(graphics::Color::redColor());
    root->view()->addSubview(box);
    auto label = std::make_shared<ui::Label>(graphics::Rect(10, 100, 200, 30));
    label->setText("Scan a code");
    root->view()->addSubview(label);

    auto image = ui::ScreenRenderer::render(*window);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->size(), (graphics::Size{320, 568}));
    auto bitmap = image->bitmap();
    auto red = bitmap->pixel(30, 50);
    EXPECT_EQ(red, (graphics::Rgba8{255, 0, 0, 255}));
    EXPECT_EQ(bitmap->pixel(5, 5), (graphics::Rgba8{255, 255, 255, 255}));

    auto path = std::filesystem::path(std::getenv("BARCODES_HOME")) / "screen.png";
    EXPECT_TRUE(ui::ScreenRenderer::writePNG(*window, path.string()));
    auto reread = graphics::Image::imageWithContentsOfFile(path.string());
    ASSERT_NE(reread, nullptr);
    EXPECT_EQ(reread->size(), (graphics::Size{320, 568}));
}
