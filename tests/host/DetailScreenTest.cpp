// The code detail screen through the host's commands: a photo of a product
// code opens the detail screen with the product links, and tapping the copy
// row copies the code.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "QRGen/Barcode2.h"
#include "app/ActionDetailController.h"
#include "app/AppDelegate.h"
#include "app/AppScreens.h"
#include "app/BarcodeDetailController.h"
#include "app/OverlayScreens.h"
#include "app/PersistentState.h"
#include "app/TextFieldTableController.h"
#include "host/HostSession.h"
#include "model/Action.h"
#include "platform/foundation/ApplicationHome.h"
#include "platform/foundation/ClassRegistry.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/ui/AlertCenter.h"
#include "platform/ui/Application.h"
#include "platform/ui/ImagePickerController.h"
#include "platform/ui/Pasteboard.h"
#include "tests/host/HostTest.h"

namespace {

namespace fs = std::filesystem;

class DetailScreenTest : public HostTest {
  protected:
    void SetUp() override {
        HostTest::SetUp();
        launch();
    }

    // A picture of the EAN-13 code of `digits`, as the code image maker draws it.
    std::string eanPhoto(const std::string& digits) {
        Barcode2 maker;
        const auto bmp = maker.digitToBmpRenderer(maker.addQuietZone(maker.getDigit(digits, 13)));
        const auto path = (folder_ / "product.bmp").string();
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bmp.data()),
                   static_cast<std::streamsize>(bmp.size()));
        return path;
    }
};

TEST_F(DetailScreenTest, ProductPhotoOpensTheDetailScreenWithItsLinks) {
    auto reply = session_->photo(eanPhoto("4006381333931"));
    ASSERT_TRUE(reply.ok) << reply.text;
    auto screen = std::dynamic_pointer_cast<BarcodeDetailController>(
        session_->delegate()->nav2()->topViewController());
    ASSERT_TRUE(screen) << session_->screen();
    EXPECT_EQ(screen->barcode()->data(), "4006381333931");

    const auto outline = session_->screen();
    for (const char* row : {"\"data\" / \"4006381333931\"", "\"type\" / \"EAN-13\"",
                            "\"Dezuvo Search\" >", "\"Amazon Search\" >"}) {
        EXPECT_NE(outline.find(row), std::string::npos) << row << " in\n" << outline;
    }
    EXPECT_EQ(screen->actions().size(), 6u);

    auto copy = session_->row(1, static_cast<int>(screen->actions().size()));
    ASSERT_TRUE(copy.ok) << copy.text;
    EXPECT_EQ(ui::Pasteboard::generalPasteboard().string(), "4006381333931");
}

TEST_F(DetailScreenTest, EveryRowIsListedAndReachedByItsText) {
    ASSERT_TRUE(session_->photo(eanPhoto("4006381333931")).ok);
    const auto outline = session_->screen();
    // The last rows lie below the visible area: listed, and marked so.
    EXPECT_NE(outline.find("\"Copy to Clipboard\" > (off screen)"), std::string::npos) << outline;
    for (const std::string line : {"tap Copy to Clipboard", "tap Amazon Search"}) {
        auto reply = session_->execute(line);
        ASSERT_TRUE(reply.ok) << line << ": " << reply.text;
    }
    EXPECT_EQ(ui::Pasteboard::generalPasteboard().string(), "4006381333931");
}

TEST_F(DetailScreenTest, TheEditItemReachesTheLinkAndTitleEditors) {
    ASSERT_TRUE(session_->photo(eanPhoto("4006381333931")).ok);
    auto nav = session_->delegate()->nav2();
    auto screen = std::dynamic_pointer_cast<BarcodeDetailController>(nav->topViewController());
    ASSERT_TRUE(screen);
    auto context = session_->delegate()->context();
    auto links = [&] { return *Action::actionsInContext(*context); };
    const std::size_t before = links().size();

    auto run = [&](const std::string& line) {
        auto reply = session_->execute(line);
        EXPECT_TRUE(reply.ok) << line << ": " << reply.text << "\n" << session_->screen();
    };
    run("tap Edit");
    ASSERT_TRUE(screen->isEditing());

    // Change a link: every link is listed while editing, "Open URL" too.
    run("tap Open URL");
    ASSERT_TRUE(std::dynamic_pointer_cast<ActionDetailController>(nav->topViewController()));
    ASSERT_TRUE(session_->type(" now").ok);
    run("tap Save");
    EXPECT_EQ(nav->topViewController(), screen);
    EXPECT_EQ(links()[6]->name(), "Open URL now");

    // Add one: the row after the links inserts.
    run("row 1 " + std::to_string(before));
    ASSERT_TRUE(std::dynamic_pointer_cast<ActionDetailController>(nav->topViewController()));
    run("type My search");
    run("tap Save");
    ASSERT_EQ(links().size(), before + 1);
    EXPECT_EQ(links().back()->name(), "My search");

    // Delete the first.
    const std::string first = links()[0]->name();
    run("delete 1 0");
    ASSERT_EQ(links().size(), before);
    EXPECT_NE(links()[0]->name(), first);

    // The title: its button shows while editing.
    run("tap 4006381333931");
    auto editor = std::dynamic_pointer_cast<TextFieldTableController>(nav->topViewController());
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->title(), "Edit Title");
    run("type Muesli");
    run("tap Save");
    EXPECT_EQ(screen->barcode()->name(), "Muesli");

    run("tap Done");
    EXPECT_FALSE(screen->isEditing());
    EXPECT_FALSE(context->hasChanges()) << "leaving edit mode saves";
}

TEST_F(DetailScreenTest, EverySavedScreenIsRebuiltFromTheRegistry) {
    ASSERT_TRUE(session_->photo(eanPhoto("4006381333931")).ok);
    auto nav = session_->delegate()->nav2();
    auto shown = std::dynamic_pointer_cast<BarcodeDetailController>(nav->topViewController());
    ASSERT_TRUE(shown);
    const auto state = shown->saveState();
    ASSERT_TRUE(state.isDictionary()) << "saved codes have a permanent ID";

    auto& registry = foundation::ClassRegistry::shared();
    auto rebuilt = std::dynamic_pointer_cast<BarcodeDetailController>(
        registry.make<ui::ViewController>(state.get("class").stringValue()));
    ASSERT_TRUE(rebuilt);
    rebuilt->setContext(session_->delegate()->context());
    ASSERT_TRUE(rebuilt->restoreState(state));
    EXPECT_EQ(rebuilt->barcode(), shown->barcode());

    for (const char* name : {"BarcodeListController", "WebViewController"}) {
        auto screen = registry.make<ui::ViewController>(name);
        EXPECT_TRUE(dynamic_cast<PersistentState*>(screen.get())) << name;
    }
}

}  // namespace
