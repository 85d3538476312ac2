// The application delegate on a fresh home: launch and the store, a photo
// read stored and routed, the deferred beep, thumbnail and save, the screen
// stack, the background save, the reader alerts and the about-page fetch.

#include <gtest/gtest.h>

#include <ZXing/BitMatrix.h>
#include <ZXing/MultiFormatWriter.h>

#include <filesystem>
#include <future>
#include <thread>

#include "app/AppDelegate.h"
#include "app/AppScreens.h"
#include "app/ApplicationMain.h"
#include "app/PersistentState.h"
#include "model/AESCrypt.h"
#include "model/Barcode.h"
#include "model/BarcodeStore.h"
#include "platform/foundation/ApplicationHome.h"
#include "platform/foundation/ClassRegistry.h"
#include "platform/foundation/Clock.h"
#include "platform/foundation/FileManager.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/graphics/Bitmap.h"
#include "platform/media/AudioPlayer.h"
#include "platform/net/URLSession.h"
#include "platform/store/Context.h"
#include "platform/ui/AlertCenter.h"
#include "platform/ui/Application.h"
#include "platform/ui/ImagePickerController.h"
#include "results/ParsedResult.h"
#include "scanning/zbar/ZBarReaderController.h"
#include "scanning/zbar/ZBarReaderViewController.h"
#include "tests/support/LocalServer.h"

namespace {

namespace fs = std::filesystem;

// A screen pushed by the delegate, standing for the one the route names.
class RecordingScreen : public ui::ViewController {
  public:
    explicit RecordingScreen(std::string kind) : kind_(std::move(kind)) {}
    const std::string& kind() const { return kind_; }

  private:
    std::string kind_;
};

// A screen that takes part in the saved stack.
class StackScreen : public ui::ViewController, public PersistentState {
  public:
    std::string className() const override { return "StackScreen"; }
    foundation::Value saveState() override {
        foundation::Dictionary state;
        state["class"] = foundation::Value("StackScreen");
        state["row"] = foundation::Value(std::int64_t(row));
        return foundation::Value(state);
    }
    bool restoreState(const foundation::Value& state) override {
        if (!state.get("row").isNumber())
            return false;
        row = state.get("row").intValue();
        return true;
    }
    void setContext(const std::shared_ptr<store::Context>& c) override { context = c; }
    int row = -1;
    std::shared_ptr<store::Context> context;
};

graphics::Image::Ptr codePicture(const std::string& text, ZXing::BarcodeFormat format, int width,
                                 int height) {
    ZXing::MultiFormatWriter writer(format);
    writer.setMargin(format == ZXing::BarcodeFormat::QRCode ? 4 : 20);
    auto matrix = writer.encode(text, width, height);
    auto bitmap = graphics::Bitmap::make(matrix.width(), matrix.height());
    for (int y = 0; y < matrix.height(); ++y) {
        for (int x = 0; x < matrix.width(); ++x) {
            std::uint8_t v = matrix.get(x, y) ? 0 : 255;
            bitmap->setPixel(x, y, graphics::Rgba8{v, v, v, 255});
        }
    }
    return graphics::Image::make(bitmap);
}

graphics::Image::Ptr qrPicture(const std::string& text) {
    return codePicture(text, ZXing::BarcodeFormat::QRCode, 300, 300);
}

class AppDelegateTest : public testing::Test {
  protected:
    void SetUp() override {
        // Nothing listens there: the about fetch fails at once.
        AppDelegate::setAboutPageURL("http://127.0.0.1:1/about");
        auto& screens = AppScreens::shared();
        screens.detail = [this](const std::shared_ptr<Barcode>& barcode) {
            detailFor = barcode;
            return std::make_shared<RecordingScreen>("detail");
        };
        screens.scanResult = [this](const std::shared_ptr<ParsedResult>&, const std::string& text,
                                    foundation::Date stamp) {
            scanResultText = text;
            return std::make_shared<RecordingScreen>("scanResult");
        };
    }
    void TearDown() override {
        if (delegate)
            ui::Application::shared().terminate();
        delegate.reset();
        clock.reset();
    }

    void launch() {
        delegate = launchApplication();
        ASSERT_TRUE(delegate);
        clock->advance(1);
    }

    // Scans `picture` through the photo road, as picking it in the library does.
    void scanPhoto(const graphics::Image::Ptr& picture) {
        delegate->scanFromPhoto();
        clock->advance(0.5);
        auto reader = std::dynamic_pointer_cast<ZBarReaderController>(
            delegate->nav2()->presentedViewController());
        ASSERT_TRUE(reader);
        ASSERT_TRUE(reader->pickImage(picture));
    }

    std::vector<std::shared_ptr<Barcode>> storedBarcodes(
        const std::shared_ptr<store::Context>& context) {
        store::FetchRequest request;
        request.entityName = "Barcode";
        return context->executeFetchRequestAs<Barcode>(request, nullptr)
            .value_or(std::vector<std::shared_ptr<Barcode>>{});
    }

    std::size_t countOf(const std::string& entity) {
        auto context = BarcodeStore::openContext(BarcodeStore::storePath(), nullptr);
        store::FetchRequest request;
        request.entityName = entity;
        auto found = context->executeFetchRequest(request, nullptr);
        return found ? found->size() : 0;
    }

    std::unique_ptr<foundation::ManualClock> clock = std::make_unique<foundation::ManualClock>();
    std::shared_ptr<AppDelegate> delegate;
    std::shared_ptr<Barcode> detailFor;
    std::string scanResultText;
};

TEST_F(AppDelegateTest, FirstLaunchCreatesTheStoreWithDefaultsAndALaterLaunchKeepsIt) {
    ASSERT_FALSE(fs::exists(BarcodeStore::storePath()));
    launch();
    ASSERT_TRUE(fs::exists(BarcodeStore::storePath()));
    EXPECT_EQ(countOf("Classification"), 15u);
    EXPECT_EQ(countOf("Action"), 10u);
    // The scanner is the only screen, in a visible key window.
    ASSERT_TRUE(delegate->window());
    EXPECT_TRUE(delegate->window()->isKeyWindow());
    EXPECT_EQ(delegate->nav2()->viewControllers().size(), 1u);

    scanPhoto(qrPicture("kept between launches"));
    clock->advance(2);
    ui::Application::shared().terminate();
    delegate.reset();
    ui::Application::shared().reset();

    launch();
    EXPECT_EQ(countOf("Action"), 10u) << "defaults are not added again";
    auto stored = storedBarcodes(delegate->context());
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0]->data(), "kept between launches");
}

TEST_F(AppDelegateTest, AReadIsStoredWithItsTypeDataDateAndThumbnail) {
    launch();
    scanPhoto(qrPicture("https://example.org/item?id=7"));
    const double readAt = foundation::Date::now().timeIntervalSinceReferenceDate();
    auto stored = storedBarcodes(delegate->context());
    ASSERT_EQ(stored.size(), 1u);
    auto barcode = stored[0];
    EXPECT_EQ(barcode->type(), 64) << "QR code";
    EXPECT_EQ(barcode->data(), "https://example.org/item?id=7");
    EXPECT_EQ(barcode->date().timeIntervalSinceReferenceDate(), readAt);
    EXPECT_EQ(barcode->name(), "");
    EXPECT_EQ(barcode->image(), AppDelegate::placeholderImage())
        << "the placeholder, not the photo";
    EXPECT_FALSE(barcode->primitiveThumb());

    // Beep after 0.005 s, thumbnail after 0.5 s, its save 0.5 s later.
    EXPECT_TRUE(media::AudioPlayer::playedFiles().empty());
    clock->advance(0.005);
    ASSERT_EQ(media::AudioPlayer::playedFiles().size(), 1u);
    EXPECT_EQ(fs::path(media::AudioPlayer::playedFiles()[0]).filename(), "beep.wav");
    clock->advance(0.49);
    EXPECT_FALSE(barcode->primitiveThumb());
    clock->advance(0.01);
    ASSERT_TRUE(barcode->primitiveThumb());
    EXPECT_EQ(barcode->primitiveThumb()->size(), graphics::Size(128, 128));
    EXPECT_FALSE(barcode->image());
    EXPECT_TRUE(delegate->context()->hasChanges());
    clock->advance(0.5);
    EXPECT_FALSE(delegate->context()->hasChanges());

    // What was saved is what a new opening of the file finds.
    auto reopened = BarcodeStore::openContext(BarcodeStore::storePath(), nullptr);
    auto found = storedBarcodes(reopened);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0]->type(), 64);
    EXPECT_EQ(found[0]->data(), "https://example.org/item?id=7");
    ASSERT_TRUE(found[0]->thumb());
    EXPECT_EQ(found[0]->thumb()->size(), graphics::Size(128, 128));
}

TEST_F(AppDelegateTest, AReadIsRoutedByTheTypeOfItsText) {
    struct Case {
        std::string text;
        ScanRoute route;
    };
    const Case cases[] = {
        {"SMSTO:+4915112345678:see you", ScanRoute::scanResult},
        {"geo:48.8583,2.2945", ScanRoute::scanResult},
        {"tel:+4930123456", ScanRoute::scanResult},
        {"MECARD:N:Doe,Jane;TEL:+123456;;", ScanRoute::scanResult},
        {"https://example.org/", ScanRoute::detail},
        {"mailto:someone@example.org", ScanRoute::detail},
        {"just some words", ScanRoute::detail},
    };
    launch();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        detailFor.reset();
        scanResultText.clear();
        scanPhoto(qrPicture(c.text));
        ASSERT_EQ(delegate->lastRoute(), c.route);
        auto nav = delegate->nav2();
        ASSERT_EQ(nav->viewControllers().size(), 2u) << "the new screen sits on the scanner";
        auto screen = std::dynamic_pointer_cast<RecordingScreen>(nav->topViewController());
        ASSERT_TRUE(screen);
        EXPECT_EQ(screen->kind(), c.route == ScanRoute::detail ? "detail" : "scanResult");
        if (c.route == ScanRoute::detail) {
            ASSERT_TRUE(detailFor);
            EXPECT_EQ(detailFor->data(), c.text);
        } else {
            EXPECT_EQ(scanResultText, c.text);
        }
        clock->advance(2);
        EXPECT_EQ(screen->appearanceState(), ui::AppearanceState::appeared);
        EXPECT_FALSE(nav->presentedViewController()) << "the photo reader is dismissed";
    }
}

TEST_F(AppDelegateTest, AProductCodeGoesToTheDetailScreenAndOnlyTheFirstSymbolIsStored) {
    launch();
    scanPhoto(codePicture("4006381333931", ZXing::BarcodeFormat::EAN13, 400, 150));
    EXPECT_EQ(delegate->lastRoute(), ScanRoute::detail);
    ASSERT_TRUE(detailFor);
    EXPECT_EQ(detailFor->data(), "4006381333931");
    EXPECT_EQ(detailFor->type(), 13) << "EAN-13";

    // A read carrying two symbols stores the first; one without a picture or
    // without symbols stores nothing.
    auto reader = std::make_shared<ui::ViewController>();
    auto still = std::make_shared<ZBarReaderController>();
    auto symbols = still->scanImage(qrPicture("first"));
    auto second = still->scanImage(qrPicture("second"));
    ASSERT_EQ(symbols.size(), 1u);
    ASSERT_EQ(second.size(), 1u);
    symbols.push_back(second[0]);
    const std::size_t before = storedBarcodes(delegate->context()).size();
    ui::MediaInfo noPicture{{ZBarReaderControllerResults, symbols}};
    delegate->imagePickerControllerDidFinishPickingMediaWithInfo(*reader, noPicture);
    ui::MediaInfo noSymbols{{ui::ImagePickerControllerOriginalImage, qrPicture("x")},
                            {ZBarReaderControllerResults, ZBarSymbolList{}}};
    delegate->imagePickerControllerDidFinishPickingMediaWithInfo(*reader, noSymbols);
    EXPECT_EQ(storedBarcodes(delegate->context()).size(), before);
    ui::MediaInfo both{{ui::ImagePickerControllerOriginalImage, qrPicture("x")},
                       {ZBarReaderControllerResults, symbols}};
    delegate->imagePickerControllerDidFinishPickingMediaWithInfo(*reader, both);
    EXPECT_EQ(storedBarcodes(delegate->context()).size(), before + 1);
    EXPECT_EQ(scanResultText.empty() ? detailFor->data() : scanResultText, "first");
}

TEST_F(AppDelegateTest, ThumbnailsCentreTheOverflowingSide) {
    launch();
    // Three vertical (or horizontal) bands: red, green, blue. The thumbnail
    // keeps the middle band only: the picture is scaled so its short side is
    // 128, and the long side's overflow is cut evenly from both ends.
    auto banded = [](int w, int h, bool across) {
        auto bitmap = graphics::Bitmap::make(w, h);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                int band = across ? x * 4 / w : y * 4 / h;  // 0 | 1 2 | 3
                graphics::Rgba8 colour = band == 0   ? graphics::Rgba8{255, 0, 0, 255}
                                         : band == 3 ? graphics::Rgba8{0, 0, 255, 255}
                                                     : graphics::Rgba8{0, 255, 0, 255};
                bitmap->setPixel(x, y, colour);
            }
        }
        return graphics::Image::make(bitmap);
    };
    struct Case {
        int w, h;
        bool across;
    };
    for (const auto& c : {Case{256, 128, true}, Case{64, 256, false}}) {
        SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h));
        auto barcode = delegate->context()->insertNewObject<Barcode>("Barcode");
        barcode->setImage(banded(c.w, c.h, c.across));
        delegate->genThumb(barcode);
        auto thumb = barcode->primitiveThumb();
        ASSERT_TRUE(thumb);
        auto pixels = thumb->uprightBitmap();
        ASSERT_EQ(pixels->width(), 128);
        ASSERT_EQ(pixels->height(), 128);
        for (auto [x, y] :
             {std::pair{1, 1}, std::pair{126, 1}, std::pair{1, 126}, std::pair{126, 126}}) {
            auto p = pixels->pixel(x, y);
            EXPECT_EQ(p.g, 255) << "corner " << x << "," << y << " shows the middle band";
            EXPECT_EQ(p.r, 0);
            EXPECT_EQ(p.b, 0);
        }
        EXPECT_FALSE(barcode->image());
    }
}

TEST_F(AppDelegateTest, EnteringTheBackgroundSavesTheStoreAndAnEmptyScreenStack) {
    launch();
    auto barcode = delegate->context()->insertNewObject<Barcode>("Barcode");
    barcode->setData("unsaved until the background");
    barcode->setType(128);
    barcode->setDate(foundation::Date::now());
    ASSERT_TRUE(delegate->context()->hasChanges());

    ui::Application::shared().enterBackground();
    EXPECT_FALSE(delegate->context()->hasChanges());
    foundation::UserDefaults::resetStandardUserDefaults();
    auto state = foundation::UserDefaults::standard().objectForKey("State");
    ASSERT_TRUE(state.isArray()) << "the scanner does not take part, so the stack is empty";
    EXPECT_TRUE(state.asArray()->empty());
    auto reopened = BarcodeStore::openContext(BarcodeStore::storePath(), nullptr);
    auto found = storedBarcodes(reopened);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0]->data(), "unsaved until the background");
}

TEST_F(AppDelegateTest, RestoringTheScreenStack) {
    launch();
    auto& registry = foundation::ClassRegistry::shared();
    registry.registerClass<ui::ViewController>(
        {"StackScreen", "UIViewController", {"PersistentState"}},
        [] { return std::make_shared<StackScreen>(); });
    foundation::Dictionary good;
    good["class"] = foundation::Value("StackScreen");
    good["row"] = foundation::Value(std::int64_t(4));
    foundation::Dictionary unknown;
    unknown["class"] = foundation::Value("NoSuchScreen");

    // Nothing saved yet (the first launch) or something that is not a list.
    EXPECT_FALSE(delegate->restoreState(foundation::Value()));
    EXPECT_FALSE(delegate->restoreState(foundation::Value("State")));
    // The scanner at the root does not take part: a restore leaves the stack
    // as it is and still answers YES, whatever the list holds.
    EXPECT_TRUE(delegate->restoreState(foundation::Value(foundation::Array{})));
    EXPECT_TRUE(
        delegate->restoreState(foundation::Value(foundation::Array{foundation::Value(good)})));
    EXPECT_TRUE(
        delegate->restoreState(foundation::Value(foundation::Array{foundation::Value(unknown)})));
    clock->advance(1);
    EXPECT_EQ(delegate->nav2()->viewControllers().size(), 1u);

    // A stack whose root takes part is saved and rebuilt screen by screen,
    // each given the context first; the walk ends at the first that refuses.
    auto root = std::make_shared<StackScreen>();
    root->row = 9;
    delegate->nav2()->setViewControllers({root});
    auto saved = delegate->saveState();
    ASSERT_EQ(saved.asArray()->size(), 1u);
    EXPECT_EQ((*saved.asArray())[0].get("row").intValue(), 9);
    foundation::Dictionary refused;
    refused["class"] = foundation::Value("StackScreen");
    EXPECT_TRUE(delegate->restoreState(foundation::Value(foundation::Array{
        foundation::Value(good), foundation::Value(refused), foundation::Value(good)})));
    EXPECT_EQ(root->row, 4);
    EXPECT_EQ(root->context, delegate->context());
    registry.unregisterClass("StackScreen");
}

TEST_F(AppDelegateTest, AnUnavailableSourceShowsItsAlert) {
    launch();
    ui::ImagePickerController::setSourceTypeAvailable(ui::ImagePickerSourceType::camera, false);
    ui::ImagePickerController::setSourceTypeAvailable(ui::ImagePickerSourceType::photoLibrary,
                                                      false);
    struct Case {
        std::function<void()> scan;
        std::string title, message;
    };
    const Case cases[] = {
        {[&] { delegate->scanFromCamera(); }, "Camera Unavailable", "Unable to access the camera"},
        {[&] { delegate->scanFromPhoto(); }, "Image Library Unavailable",
         "Unable to access the image library"},
    };
    for (const auto& c : cases) {
        c.scan();
        auto alert = ui::AlertCenter::shared().topAlert();
        ASSERT_TRUE(alert);
        EXPECT_EQ(alert->title(), c.title);
        EXPECT_EQ(alert->message(), c.message);
        EXPECT_EQ(alert->buttonTitles(), std::vector<std::string>{"Cancel"});
        alert->tapButton(0);
        EXPECT_FALSE(delegate->nav2()->presentedViewController());
    }
}

TEST_F(AppDelegateTest, TheCameraScanIsPresentedOverTheScannerNotInPlaceOfIt) {
    ui::ImagePickerController::setSourceTypeAvailable(ui::ImagePickerSourceType::camera, true);
    launch();
    delegate->scanFromCamera();
    clock->advance(0.5);
    auto presented = delegate->nav2()->presentedViewController();
    ASSERT_TRUE(presented);
    EXPECT_NE(presented, delegate->nav2()->viewControllers().front());
    EXPECT_EQ(delegate->nav2()->viewControllers().front(),
              std::static_pointer_cast<ui::ViewController>(delegate->reader()));
}

// The about page, served on the loopback interface.
class AboutPageTest : public testing::Test {
  protected:
    void SetUp() override {
        server.server().Get("/about", [this](const httplib::Request&, httplib::Response& response) {
            response.status = status;
            response.set_content(body, "text/html");
        });
        server.start();
        AppDelegate::setAboutPageURL(server.url("/about"));
        path = fs::path(foundation::ApplicationHome::library()) / "AboutInfo.plist";
    }
    void TearDown() override {
        server.stop();
        AppDelegate::setAboutPageURL("http://127.0.0.1:1/about");
    }

    // Runs one fetch and waits until its completion has stored its outcome.
    static void fetch() {
        auto delegate = std::make_shared<AppDelegate>();
        auto task = delegate->loadDeveloperUrl();
        ASSERT_TRUE(task);
        while (task->state() != net::URLSessionDataTask::State::completed)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        // The completion runs on the session's serial queue: once a task queued
        // behind it has run, the file is settled.
        std::promise<void> drained;
        net::URLSession::shared()->delegateQueue()->async([&drained] { drained.set_value(); });
        drained.get_future().wait();
    }

    static std::string page(const std::string& paragraph) {
        return "<html><body><p class='intro'>Hello</p><p class='about-info-class'>" + paragraph +
               "</p></body></html>";
    }

    void writeOld() {
        foundation::FileManager::defaultManager().writeAtomically(path,
                                                                  foundation::Data{'o', 'l', 'd'});
    }
    std::string fileText() {
        auto data = foundation::FileManager::defaultManager().contentsAtPath(path);
        return data ? std::string(data->begin(), data->end()) : "(none)";
    }

    testing_support::LocalServer server;
    int status = 200;
    std::string body;
    fs::path path;
};

TEST_F(AboutPageTest, OutcomesOfTheFetch) {
    const std::string plist =
        "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>MHAboutViewInfo</key>"
        "<dict><key>AppName</key><string>barcodes</string></dict></dict></plist>";
    const std::string encrypted = AESCrypt::encrypt(plist, "z3bra9ok");
    struct Case {
        const char* rule;
        int status;
        std::string body;
        std::string expected;
    };
    const Case cases[] = {
        {"200 with the paragraph writes its decrypted text", 200, page(encrypted), plist},
        {"a 304 is an answer: without a paragraph in it the file goes", 304, "", "(none)"},
        {"a 404 leaves the file", 404, page(encrypted), "old"},
        {"a 500 leaves the file", 500, "", "old"},
        {"200 without the paragraph removes the file", 200, "<html><body><p>none</p></body></html>",
         "(none)"},
        {"text that does not decrypt removes the file", 200, page("not-encrypted!"), "(none)"},
        {"an encrypted empty text removes the file", 200, page(AESCrypt::encrypt("", "z3bra9ok")),
         "(none)"},
        {"a page that is not HTML removes the file", 200, "\x01\x02garbage<<<", "(none)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rule);
        writeOld();
        status = c.status;
        body = c.body;
        fetch();
        EXPECT_EQ(fileText(), c.expected);
    }
}

TEST_F(AboutPageTest, ATransportErrorLeavesTheFile) {
    writeOld();
    AppDelegate::setAboutPageURL("http://127.0.0.1:1/about");
    fetch();
    EXPECT_EQ(fileText(), "old");
}

}  // namespace
