#include <gtest/gtest.h>

#include <any>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "ReaderFixtures.h"
#include "platform/foundation/ApplicationHome.h"
#include "platform/foundation/Log.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Image.h"
#include "platform/graphics/JPEGCodec.h"
#include "platform/graphics/PNGCodec.h"
#include "platform/ui/Alert.h"
#include "platform/ui/AlertCenter.h"
#include "platform/ui/Control.h"
#include "platform/ui/ImagePickerController.h"
#include "scanning/zbar/ZBarHelpController.h"
#include "scanning/zbar/ZBarImage.h"
#include "scanning/zbar/ZBarReaderController.h"
#include "scanning/zbar/ZBarSymbolSet.h"
#include "tests/platform/ui/UiTestFixture.h"

namespace {

using media::BarcodeFormat;
using namespace readerfixtures;

// What the application's delegate would see.
class RecordingReaderDelegate : public ZBarReaderDelegate {
  public:
    explicit RecordingReaderDelegate(bool answersFailure = true)
        : answersFailure_(answersFailure) {}

    bool imagePickerControllerDidFinishPickingMediaWithInfo(ui::ViewController&,
                                                            const ui::MediaInfo& info) override {
        reads.push_back(info);
        return true;
    }
    bool imagePickerControllerDidCancel(ui::ViewController&) override {
        ++cancels;
        return true;
    }
    bool readerControllerDidFailToRead(ZBarReaderController&, bool retry) override {
        if (!answersFailure_) {
            return false;
        }
        failures.push_back(retry);
        return true;
    }

    ZBarSymbolList results(std::size_t read = 0) const {
        return std::any_cast<ZBarSymbolList>(reads.at(read).at(ZBarReaderControllerResults));
    }
    graphics::Image::Ptr picture(std::size_t read = 0) const {
        return std::any_cast<graphics::Image::Ptr>(
            reads.at(read).at(ui::ImagePickerControllerOriginalImage));
    }

    std::vector<ui::MediaInfo> reads;
    std::vector<bool> failures;
    int cancels = 0;

  private:
    bool answersFailure_;
};

// Records the size of every image it scans.
class RecordingScanner : public ZBarImageScanner {
  public:
    int scanImage(ZBarImage& image) override {
        scans.emplace_back(image.size().width, image.size().height);
        return failWith ? failWith : ZBarImageScanner::scanImage(image);
    }
    std::vector<graphics::Size> scans;
    // Scans for real, then answers this instead (a scan error when negative).
    int failWith = 0;
};

class ZBarReaderControllerTest : public UiTest {
  protected:
    // A photo-library reader with its view loaded, reporting to `delegate`.
    ZBarReaderController::Ptr libraryReader(
        const std::shared_ptr<ZBarReaderDelegate>& delegate,
        std::shared_ptr<ZBarImageScanner> scanner = applicationScanner()) {
        auto reader = std::make_shared<ZBarReaderController>(std::move(scanner));
        reader->setReaderDelegate(delegate);
        reader->view();
        return reader;
    }

    static std::vector<std::string> alertTexts() {
        std::vector<std::string> texts;
        for (const auto& alert : ui::AlertCenter::shared().history()) {
            texts.push_back(alert->title() + "|" + alert->message() + "|" +
                            alert->buttonTitleAtIndex(0));
        }
        return texts;
    }
};

TEST_F(ZBarReaderControllerTest, PhotosOfCodesReachTheDelegateWithSymbolsAndPicture) {
    struct Case {
        const char* name;
        FileType file;
        BarcodeFormat format;
        std::string text;
        int width, height;
        // 0: as drawn; 90, 180: turned; -1: drawn small and scaled up to 12 megapixels
        int transform;
        int exif;
        int type;
        std::string data;
    };
    const std::vector<Case> cases = {
        {"qr-png", FileType::png, BarcodeFormat::qrCode, "https://example.org/a?b=1", 800, 600, 0,
         1, 64, "https://example.org/a?b=1"},
        {"ean13-jpeg", FileType::jpeg, BarcodeFormat::ean13, "4006381333931", 1024, 768, 0, 1, 13,
         "4006381333931"},
        // UPC-A keeps its own type with the application's settings
        {"upca-png", FileType::png, BarcodeFormat::upca, "036000291452", 640, 480, 0, 1, 12,
         "036000291452"},
        {"code128-portrait", FileType::jpeg, BarcodeFormat::code128, "PART-42-XY", 640, 480, 90, 1,
         128, "PART-42-XY"},
        {"ean13-upside-down", FileType::png, BarcodeFormat::ean13, "9780201379624", 800, 600, 180,
         1, 14, "9780201379624"},
        // a camera photo stored sideways, its orientation only in EXIF
        {"qr-exif", FileType::jpeg, BarcodeFormat::qrCode, "WIFI:S:home;T:WPA;P:secret;;", 1200,
         900, 90, 6, 64, "WIFI:S:home;T:WPA;P:secret;;"},
        {"qr-12mp", FileType::jpeg, BarcodeFormat::qrCode, "MECARD:N:Doe,Jo;TEL:123;;", 1000, 750,
         -1, 1, 64, "MECARD:N:Doe,Jo;TEL:123;;"},
        {"ean8-12mp", FileType::jpeg, BarcodeFormat::ean8, "96385074", 1000, 750, -1, 1, 8,
         "96385074"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::shared_ptr<graphics::Bitmap> bitmap = drawCode(c.format, c.text, c.width, c.height);
        ASSERT_TRUE(bitmap);
        if (c.transform == 90) {
            bitmap = rotated90(*bitmap);
        } else if (c.transform == 180) {
            bitmap = rotated180(*bitmap);
        } else if (c.transform == -1) {
            bitmap = bitmap->scaled(4000, 3000);
        }
        const auto path = writePhoto(*bitmap, c.file, c.name, c.exif);

        auto delegate = std::make_shared<RecordingReaderDelegate>();
        auto reader = libraryReader(delegate);
        ASSERT_TRUE(reader->pickPhotoFromFile(path));

        ASSERT_EQ(delegate->reads.size(), 1u);
        EXPECT_TRUE(delegate->failures.empty());
        const auto results = delegate->results();
        ASSERT_EQ(results.size(), 1u);
        EXPECT_EQ(results[0]->type(), c.type);
        EXPECT_EQ(results[0]->typeName(), ZBarSymbol::nameForType(c.type));
        EXPECT_EQ(results[0]->data(), c.data);
        const auto picture = delegate->picture();
        ASSERT_TRUE(picture);
        EXPECT_EQ(picture->bitmap()->width(), bitmap->width());
        EXPECT_EQ(picture->bitmap()->height(), bitmap->height());
        // the picker's own entries stay in the dictionary
        EXPECT_EQ(delegate->reads[0].count(ui::ImagePickerControllerMediaType), 1u);
        EXPECT_TRUE(ui::AlertCenter::shared().history().empty());
    }
}

TEST_F(ZBarReaderControllerTest, QRCodeOutranksOtherSymbolsOfThePicture) {
    // An EAN-13 on the left and a QR code on the right of one photo.
    auto photo = graphics::Bitmap::make(1200, 600, {255, 255, 255, 255});
    auto ean = drawCode(BarcodeFormat::ean13, "4006381333931", 560, 400);
    auto qr = drawCode(BarcodeFormat::qrCode, "hello", 560, 560);
    for (int y = 0; y < 400; ++y) {
        for (int x = 0; x < 560; ++x) {
            photo->setPixel(20 + x, 100 + y, ean->pixel(x, y));
        }
    }
    for (int y = 0; y < 560; ++y) {
        for (int x = 0; x < 560; ++x) {
            photo->setPixel(620 + x, 20 + y, qr->pixel(x, y));
        }
    }
    auto delegate = std::make_shared<RecordingReaderDelegate>();
    auto reader = libraryReader(delegate);
    ASSERT_TRUE(reader->pickImage(graphics::Image::make(photo)));
    ASSERT_EQ(delegate->reads.size(), 1u);
    const auto results = delegate->results();
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0]->type(), 64);
    EXPECT_EQ(results[0]->data(), "hello");

    // Both were decoded; the best of all by quality alone is the EAN-13.
    auto best = reader->extractBestResult(true);
    ASSERT_TRUE(best);
    EXPECT_EQ(best->type(), 13);
}

TEST_F(ZBarReaderControllerTest, ScanSizesFollowThePicture) {
    struct Case {
        const char* rule;
        int width, height;
        std::int64_t maxScanDimension;
        std::vector<graphics::Size> scans;
    };
    const std::vector<Case> cases = {
        {"too small for a second pass", 500, 400, 640, {{500, 400}}},
        {"longer side limited, then half size", 1280, 960, 640, {{640, 480}, {320, 240}}},
        {"portrait: the height is limited", 960, 1280, 640, {{480, 640}, {240, 320}}},
        {"within the limit: full size", 3000, 2000, 3000, {{3000, 2000}, {1500, 1000}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rule);
        auto scanner = std::make_shared<RecordingScanner>();
        auto reader = libraryReader(std::make_shared<RecordingReaderDelegate>(), scanner);
        reader->setMaxScanDimension(c.maxScanDimension);
        EXPECT_TRUE(
            reader->scanImage(graphics::Image::make(plainPhoto(c.width, c.height))).empty());
        EXPECT_EQ(scanner->scans, c.scans);
    }
}

// The library does not report densities; the quality of a 1-D code (how
// many scan lines read it) shows them: a scan of 3000 by 2000 uses every
// 4th row, (2000 / 240 + 1) / 2 = 4.
TEST_F(ZBarReaderControllerTest, LargeScansSkipLines) {
    auto picture =
        graphics::Image::make(drawCode(BarcodeFormat::ean13, "4006381333931", 3000, 2000));
    auto everyLine = std::make_shared<ZBarImageScanner>();
    everyLine->setSymbology(0, ZBarImageScanner::kYDensity, 1);
    auto image = ZBarImage::makeWithCGImage(*picture->bitmap());
    ASSERT_EQ(everyLine->scanImage(*image), 1);
    int fullQuality = 0;
    const auto fullResults = everyLine->results();
    for (const auto& symbol : *fullResults) {
        fullQuality = symbol->quality();
    }

    auto reader = libraryReader(std::make_shared<RecordingReaderDelegate>());
    reader->setMaxScanDimension(3000);
    const auto results = reader->scanImage(picture);
    ASSERT_EQ(results.size(), 1u);
    const double ratio = static_cast<double>(fullQuality) / results[0]->quality();
    EXPECT_GT(ratio, 3.5);
    EXPECT_LT(ratio, 4.5);
}

TEST_F(ZBarReaderControllerTest, ScanCropIsTurnedForPortraitPictures) {
    auto scanner = std::make_shared<RecordingScanner>();
    auto reader = libraryReader(std::make_shared<RecordingReaderDelegate>(), scanner);
    reader->setScanCrop({0, 0.25, 0.5, 0.5});
    // Landscape: half the width, half the height.
    reader->scanImage(graphics::Image::make(plainPhoto(400, 300)));
    // Portrait: the crop's height runs along the width.
    reader->scanImage(graphics::Image::make(plainPhoto(300, 400)));
    EXPECT_EQ(scanner->scans, (std::vector<graphics::Size>{{200, 150}, {150, 200}}));
}

TEST_F(ZBarReaderControllerTest, NothingFoundShowsTheAlertAndTellsTheDelegate) {
    struct Case {
        const char* rule;
        bool showsHelpOnFail;
        bool answersFailure;
        std::vector<std::string> alerts;
        std::vector<bool> failures;
    };
    const std::string alert = "Scan Error|Unable to detect valid QR code or barcode.|Okay";
    const std::vector<Case> cases = {
        {"alert, then the delegate with retry", true, true, {alert}, {true}},
        {"no alert when help on failure is off", false, true, {}, {true}},
        {"a delegate without the method leaves the picker open", true, false, {alert}, {}},
    };
    const auto path = writePhoto(*plainPhoto(800, 600), FileType::jpeg, "no-code");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rule);
        ui::AlertCenter::shared().reset();
        auto root = std::make_shared<ui::ViewController>();
        auto window = show(root);
        auto delegate = std::make_shared<RecordingReaderDelegate>(c.answersFailure);
        auto reader = std::make_shared<ZBarReaderController>(applicationScanner());
        reader->setReaderDelegate(delegate);
        reader->setShowsHelpOnFail(c.showsHelpOnFail);
        root->presentViewController(reader, false);
        settle();

        ASSERT_TRUE(reader->pickPhotoFromFile(path));
        settle();
        EXPECT_TRUE(delegate->reads.empty());
        EXPECT_EQ(alertTexts(), c.alerts);
        EXPECT_EQ(delegate->failures, c.failures);
        EXPECT_EQ(root->presentedViewController(), reader);
    }
}

TEST_F(ZBarReaderControllerTest, CorruptOrMissingPictureTakesTheFailurePath) {
    // A JPEG cut off after its first kilobyte: the picker cannot decode it and
    // hands over no picture.
    auto full = graphics::JPEGCodec::encode(*drawCode(BarcodeFormat::qrCode, "x", 640, 480), 0.9);
    ASSERT_TRUE(full);
    const auto path =
        std::filesystem::path(foundation::ApplicationHome::temporary()) / "corrupt.jpg";
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(full->data()), 1024);
    const auto picture = graphics::Image::imageWithContentsOfFile(path.string());
    EXPECT_FALSE(picture);

    auto delegate = std::make_shared<RecordingReaderDelegate>();
    auto reader = libraryReader(delegate);
    ui::MediaInfo info;
    info[ui::ImagePickerControllerOriginalImage] = picture;
    reader->imagePickerDidFinishPickingMediaWithInfo(*reader, info);
    reader->imagePickerDidFinishPickingMediaWithInfo(*reader, ui::MediaInfo{});

    EXPECT_TRUE(delegate->reads.empty());
    EXPECT_EQ(delegate->failures, (std::vector<bool>{true, true}));
    EXPECT_EQ(ui::AlertCenter::shared().history().size(), 2u);
}

TEST_F(ZBarReaderControllerTest, ScanErrorIsNoReadAndNeverGivesAnEarlierPicturesSymbols) {
    auto scanner = std::make_shared<RecordingScanner>();
    auto delegate = std::make_shared<RecordingReaderDelegate>();
    auto reader = libraryReader(delegate, scanner);
    ASSERT_TRUE(reader->pickImage(
        graphics::Image::make(drawCode(BarcodeFormat::ean13, "4006381333931", 640, 480))));
    ASSERT_EQ(delegate->reads.size(), 1u);

    // The next picture's scan fails after the scanner decoded it: the
    // results it holds are not reported, neither this picture's nor the last.
    scanner->failWith = -1;
    ASSERT_TRUE(reader->pickImage(
        graphics::Image::make(drawCode(BarcodeFormat::qrCode, "other", 800, 800))));
    EXPECT_EQ(delegate->reads.size(), 1u);
    EXPECT_EQ(delegate->failures, (std::vector<bool>{true}));
    // Like a scan that found nothing, a failed one is tried again at half size.
    EXPECT_EQ(scanner->scans.size(), 3u);
}

TEST_F(ZBarReaderControllerTest, ReaderDismissesItselfWithoutDelegateMethods) {
    auto root = std::make_shared<ui::ViewController>();
    auto window = show(root);
    auto reader = std::make_shared<ZBarReaderController>(applicationScanner());
    auto silent = std::make_shared<ZBarReaderDelegate>();
    reader->setDelegate(silent);
    root->presentViewController(reader, false);
    settle();
    ASSERT_TRUE(
        reader->pickImage(graphics::Image::make(drawCode(BarcodeFormat::qrCode, "bye", 640, 480))));
    settle();
    EXPECT_FALSE(root->presentedViewController());

    root->presentViewController(reader, false);
    settle();
    reader->cancel();
    settle();
    EXPECT_FALSE(root->presentedViewController());
}

TEST_F(ZBarReaderControllerTest, SettingsAndTheirRefusals) {
    ZBarReaderController reader;
    EXPECT_EQ(reader.sourceType(), ui::ImagePickerSourceType::photoLibrary);
    EXPECT_TRUE(reader.showsZBarControls());
    EXPECT_TRUE(reader.showsHelpOnFail());
    EXPECT_FALSE(reader.takesPicture());
    EXPECT_EQ(reader.maxScanDimension(), 640);
    EXPECT_EQ(reader.cameraMode(), 0);
    try {
        reader.setCameraMode(ZBarReaderController::kCameraModeSampling);
        FAIL() << "sampling accepted";
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(),
                     "ZBarReaderController cannot set cameraMode=Sampling when USE_PRIVATE_APIS=0");
    }
    EXPECT_EQ(reader.cameraMode(), 0);
    reader.setCameraMode(ZBarReaderController::kCameraModeSequence);
    EXPECT_EQ(reader.cameraMode(), 2);

    ui::ImagePickerController::setSourceTypeAvailable(ui::ImagePickerSourceType::camera, true);
    EXPECT_EQ(ZBarReaderController().sourceType(), ui::ImagePickerSourceType::camera);
}

TEST_F(ZBarReaderControllerTest, CameraControlsScanAndRetry) {
    ui::ImagePickerController::setSourceTypeAvailable(ui::ImagePickerSourceType::camera, true);
    std::vector<graphics::Image::Ptr> shots = {
        graphics::Image::make(plainPhoto(640, 480)),
        graphics::Image::make(drawCode(BarcodeFormat::qrCode, "second try", 640, 480))};
    std::size_t next = 0;
    ui::ImagePickerController::setCameraSource([&] { return shots.at(next++); });

    auto root = std::make_shared<ui::ViewController>();
    auto window = show(root);
    auto delegate = std::make_shared<RecordingReaderDelegate>();
    auto reader = std::make_shared<ZBarReaderController>(applicationScanner());
    reader->setReaderDelegate(delegate);
    root->presentViewController(reader, false);
    settle();

    // The own controls replace the camera's.
    EXPECT_EQ(reader->cameraOverlayView(), reader->overlay());
    EXPECT_FALSE(reader->showsCameraControls());
    ASSERT_TRUE(reader->toolbar());
    EXPECT_EQ(reader->toolbar()->superview(), reader->overlay());
    EXPECT_EQ(reader->toolbar()->items().size(), 5u);
    EXPECT_EQ(reader->toolbar()->frame(), graphics::Rect(0, 568 - 54, 320, 54));
    EXPECT_TRUE(reader->scanButton()->isEnabled());

    // Nothing in the first shot: an alert, and the reader stays for a retry.
    ASSERT_TRUE(reader->scanButton()->tap());
    EXPECT_FALSE(reader->scanButton()->isEnabled());
    EXPECT_EQ(delegate->failures, (std::vector<bool>{true}));
    EXPECT_EQ(ui::AlertCenter::shared().history().size(), 1u);
    advance(0.25);
    EXPECT_TRUE(reader->scanButton()->isEnabled());
    EXPECT_TRUE(reader->view()->isUserInteractionEnabled());

    ASSERT_TRUE(reader->scanButton()->tap());
    ASSERT_EQ(delegate->reads.size(), 1u);
    EXPECT_EQ(delegate->results()[0]->data(), "second try");

    // With the camera's own controls there is no retry: the reader goes.
    reader->setShowsZBarControls(false);
    reader->setCameraOverlayView(nullptr);
    reader->viewWillAppear(false);
    EXPECT_TRUE(reader->showsCameraControls());
    auto silent = std::make_shared<ZBarReaderDelegate>();
    reader->setReaderDelegate(silent);
    shots.push_back(graphics::Image::make(plainPhoto(640, 480)));
    ui::AlertCenter::shared().reset();
    ASSERT_TRUE(reader->takePicture());
    EXPECT_TRUE(ui::AlertCenter::shared().history().empty());
    settle();
    EXPECT_FALSE(root->presentedViewController());
}

TEST_F(ZBarReaderControllerTest, SequenceModeTakesPicturesUntilOneHoldsACode) {
    ui::ImagePickerController::setSourceTypeAvailable(ui::ImagePickerSourceType::camera, true);
    int taken = 0;
    ui::ImagePickerController::setCameraSource([&] {
        ++taken;
        return taken < 3 ? graphics::Image::make(plainPhoto(640, 480))
                         : graphics::Image::make(
                               drawCode(BarcodeFormat::ean13, "4006381333931", 640, 480));
    });
    auto delegate = std::make_shared<RecordingReaderDelegate>();
    auto reader = std::make_shared<ZBarReaderController>(applicationScanner());
    reader->setReaderDelegate(delegate);
    reader->setCameraMode(ZBarReaderController::kCameraModeSequence);
    reader->view();
    reader->viewWillAppear(false);
    EXPECT_TRUE(reader->isSampling());
    EXPECT_EQ(reader->toolbar()->items().size(), 2u);
    EXPECT_EQ(reader->boxView()->superview(), reader->overlay());

    advance(1.9);
    EXPECT_EQ(taken, 0);
    // From 2 seconds on, a picture every few milliseconds until the scanner
    // reports a code (its cache holds a symbol back until it has been seen
    // in more than one picture).
    advance(1);
    EXPECT_GE(taken, 3);
    const int takenAtHit = taken;
    ASSERT_EQ(delegate->reads.size(), 1u);
    EXPECT_EQ(delegate->results()[0]->data(), "4006381333931");
    EXPECT_FALSE(reader->isSampling());
    EXPECT_EQ(reader->boxLayer()->opacity(), 1);
    advance(1);
    EXPECT_EQ(taken, takenAtHit);
}

TEST_F(ZBarReaderControllerTest, BoxFollowsLargeSymbolsAndFadesWithoutOne) {
    auto reader = libraryReader(std::make_shared<RecordingReaderDelegate>());
    ASSERT_TRUE(
        reader->scanImage(graphics::Image::make(drawCode(BarcodeFormat::qrCode, "box", 640, 480)))
            .size() == 1);
    auto symbol = reader->extractBestResult(true);
    ASSERT_TRUE(symbol);
    const auto bounds = symbol->bounds();
    reader->boxLayer()->setOpacity(0);
    reader->updateBox(symbol, {640, 480});
    // The scanned image was the picture itself: bounds grown by 16.
    EXPECT_EQ(reader->boxLayer()->frame(),
              graphics::Rect(bounds.origin.x - 16, bounds.origin.y - 16, bounds.size.width + 32,
                             bounds.size.height + 32));
    EXPECT_EQ(reader->boxLayer()->opacity(), 1);
    std::vector<double> opacities;
    for (int i = 0; i < 5; ++i) {
        reader->updateBox(nullptr, {640, 480});
        opacities.push_back(reader->boxLayer()->opacity());
    }
    EXPECT_EQ(opacities, (std::vector<double>{0.5, 0.25, 0.125, 0.0625, 0}));
}

}  // namespace

namespace {

TEST_F(ZBarReaderControllerTest, HelpOverTheCameraPausesSamplingUntilDone) {
    ui::ImagePickerController::setSourceTypeAvailable(ui::ImagePickerSourceType::camera, true);
    ui::ImagePickerController::setCameraSource(
        [] { return graphics::Image::make(plainPhoto(640, 480)); });
    auto reader = std::make_shared<ZBarReaderController>(applicationScanner());
    reader->setCameraMode(ZBarReaderController::kCameraModeSequence);
    reader->view();
    reader->viewWillAppear(false);
    ASSERT_TRUE(reader->isSampling());

    reader->infoButton()->sendActionsForControlEvents(ui::ControlEvent::touchUpInside);
    auto help = reader->helpController();
    ASSERT_TRUE(help);
    EXPECT_EQ(help->reason(), "INFO");
    EXPECT_FALSE(reader->isSampling());
    EXPECT_EQ(help->view()->superview(), reader->overlay());
    EXPECT_EQ(help->view()->alpha(), 1);

    ASSERT_TRUE(help->doneButton()->tap());
    EXPECT_TRUE(reader->isSampling());
    settle();
    EXPECT_FALSE(help->view()->superview());
}

}  // namespace
